#include "shell/decimal.h"

#include <QLocale>

namespace {
constexpr int kMaxScale = 18;
}

Decimal::Int Decimal::pow10(int n)
{
    Int r = 1;
    while (n-- > 0)
        r *= 10;
    return r;
}

std::optional<Decimal> Decimal::fromString(const QString& input)
{
    const QString text = input.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    int i = 0;
    bool negative = false;
    if (text[0] == u'-' || text[0] == u'+') {
        negative = text[0] == u'-';
        ++i;
    }
    Int mant = 0;
    int scale = 0;
    bool seenPoint = false;
    bool seenDigit = false;
    int exponent = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isDigit() && c.unicode() < 128) {
            seenDigit = true;
            if (seenPoint) {
                if (scale >= kMaxScale)
                    continue; // digits beyond our precision are dropped
                ++scale;
            }
            mant = mant * 10 + (c.unicode() - '0');
            if (mant > pow10(36))
                return std::nullopt;
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
        } else if ((c == u'e' || c == u'E') && seenDigit) {
            bool ok = false;
            exponent = text.mid(i + 1).toInt(&ok);
            if (!ok || exponent > 20 || exponent < -20)
                return std::nullopt;
            break;
        } else {
            return std::nullopt;
        }
    }
    if (!seenDigit)
        return std::nullopt;
    Decimal d(negative ? -mant : mant, scale);
    if (exponent > 0) {
        d.m_mant *= pow10(exponent);
    } else if (exponent < 0) {
        d.m_scale += -exponent;
        if (d.m_scale > kMaxScale)
            d = d.rounded(kMaxScale);
    }
    return d.normalized();
}

Decimal Decimal::fromDouble(double value)
{
    // Shortest text that reads back to the same double: 0.1 stays 0.1.
    return fromString(QString::number(value, 'g', QLocale::FloatingPointShortest)).value_or(Decimal());
}

Decimal Decimal::withScale(int scale) const
{
    if (scale <= m_scale)
        return *this;
    return Decimal(m_mant * pow10(scale - m_scale), scale);
}

Decimal Decimal::normalized() const
{
    Decimal d = *this;
    while (d.m_scale > 0 && d.m_mant % 10 == 0) {
        d.m_mant /= 10;
        --d.m_scale;
    }
    return d;
}

Decimal Decimal::operator+(const Decimal& o) const
{
    const int s = std::max(m_scale, o.m_scale);
    return Decimal(withScale(s).m_mant + o.withScale(s).m_mant, s).normalized();
}

Decimal Decimal::operator-(const Decimal& o) const
{
    return *this + (-o);
}

Decimal Decimal::operator-() const
{
    return Decimal(-m_mant, m_scale);
}

Decimal Decimal::operator*(const Decimal& o) const
{
    Decimal d(m_mant * o.m_mant, m_scale + o.m_scale);
    if (d.m_scale > kMaxScale)
        d = d.rounded(kMaxScale);
    return d.normalized();
}

Decimal Decimal::dividedBy(long long divisor, int digits) const
{
    if (divisor == 0)
        return Decimal();
    // One extra digit so that the final rounding is half away from zero.
    const Decimal scaled = withScale(digits + 1);
    Int q = scaled.m_mant / divisor;
    return Decimal(q, digits + 1).rounded(digits);
}

Decimal Decimal::rounded(int digits) const
{
    if (m_scale <= digits)
        return *this;
    const Int div = pow10(m_scale - digits);
    Int q = m_mant / div;
    const Int r = m_mant % div;
    const Int twice = (r < 0 ? -r : r) * 2;
    if (twice >= div)
        q += m_mant < 0 ? -1 : 1;
    return Decimal(q, digits).normalized();
}

long long Decimal::integerPart() const
{
    return static_cast<long long>(m_mant / pow10(m_scale));
}

bool Decimal::operator==(const Decimal& o) const
{
    return (*this <=> o) == std::strong_ordering::equal;
}

std::strong_ordering Decimal::operator<=>(const Decimal& o) const
{
    const int s = std::max(m_scale, o.m_scale);
    const Int a = withScale(s).m_mant;
    const Int b = o.withScale(s).m_mant;
    return a < b ? std::strong_ordering::less : (a > b ? std::strong_ordering::greater : std::strong_ordering::equal);
}

QString Decimal::toFixed(int digits) const
{
    const Decimal r = rounded(digits).withScale(digits);
    Int m = r.m_mant;
    const bool negative = m < 0;
    if (negative)
        m = -m;
    QString digitsText;
    do {
        digitsText.prepend(QChar(u'0' + static_cast<int>(m % 10)));
        m /= 10;
    } while (m > 0);
    while (digitsText.size() <= digits)
        digitsText.prepend(u'0');
    QString out =
        digits > 0 ? digitsText.left(digitsText.size() - digits) + u'.' + digitsText.right(digits) : digitsText;
    return negative ? u'-' + out : out;
}

QString Decimal::toString() const
{
    const Decimal n = normalized();
    return n.toFixed(n.m_scale);
}

double Decimal::toDouble() const
{
    return toString().toDouble();
}
