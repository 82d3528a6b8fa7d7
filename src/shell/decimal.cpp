#include "shell/decimal.h"

#include <QLocale>
#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <limits>

namespace {

constexpr int kMaxScale = 18;
// |value| <= 10^kMaxDigits: at the largest scale the mantissa stays below 10^38, inside 128 bits.
constexpr int kMaxDigits = 20;

using UInt = unsigned __int128;

constexpr int kPowers = 39;

constexpr std::array<UInt, kPowers> powers()
{
    std::array<UInt, kPowers> out{};
    UInt r = 1;
    for (UInt& p : out) {
        p = r;
        r *= 10;
    }
    return out;
}

UInt upow10(int n)
{
    static constexpr auto kTable = powers();
    if (n >= 0 && n < kPowers)
        return kTable[n];
    UInt r = 1;
    while (n-- > 0)
        r *= 10;
    return r;
}

} // namespace

Decimal::Int Decimal::pow10(int n)
{
    return static_cast<Int>(upow10(n));
}

Decimal Decimal::overflow(bool negative)
{
    Decimal d;
    d.m_mant = negative ? -1 : 1;
    d.m_overflow = true;
    return d;
}

Decimal Decimal::make(Int mant, int scale)
{
    const Int limit = pow10(kMaxDigits + scale);
    if (mant > limit || mant < -limit)
        return overflow(mant < 0);
    Decimal d;
    d.m_mant = mant;
    d.m_scale = scale;
    return d.normalized();
}

std::optional<Decimal> Decimal::fromString(const QString& input)
{
    const QString text = input.trimmed();
    int i = 0;
    bool negative = false;
    if (!text.isEmpty() && (text[0] == u'-' || text[0] == u'+')) {
        negative = text[0] == u'-';
        ++i;
    }
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    QString digits; // significant digits, leading zeros dropped
    long long exponent = 0;
    bool seenPoint = false;
    bool seenDigit = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isDigit(c)) {
            seenDigit = true;
            if (!digits.isEmpty() || c != u'0')
                digits += c;
            if (seenPoint)
                --exponent;
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!seenDigit)
        return std::nullopt;
    if (i < text.size()) {
        if (text[i] != u'e' && text[i] != u'E')
            return std::nullopt;
        ++i;
        bool expNegative = false;
        if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
            expNegative = text[i] == u'-';
            ++i;
        }
        if (i == text.size())
            return std::nullopt;
        long long e = 0;
        for (; i < text.size(); ++i) {
            if (!isDigit(text[i]))
                return std::nullopt;
            e = std::min(e * 10 + (text[i].unicode() - u'0'), 1'000'000LL); // far past any range
        }
        exponent += expNegative ? -e : e;
    }
    if (digits.isEmpty())
        return Decimal();
    // value = digits x 10^exponent; more than kMaxDigits + 1 whole digits is past the range for sure.
    if (digits.size() + exponent > kMaxDigits + 1)
        return overflow(negative);
    const int scale = static_cast<int>(std::clamp(-exponent, 0LL, static_cast<long long>(kMaxScale)));
    // Digits below the last kept decimal are dropped, rounding half away from zero.
    const long long drop = std::max(0LL, -exponent - kMaxScale);
    const long long kept = digits.size() - drop;
    // A mantissa past 128 bits is past 10^38, and so past the range at any scale.
    Int mant = 0;
    bool past = false;
    for (long long k = 0; k < kept; ++k)
        past = past || __builtin_mul_overflow(mant, 10, &mant) ||
               __builtin_add_overflow(mant, digits[k].unicode() - u'0', &mant);
    if (kept >= 0 && kept < digits.size() && digits[kept] >= u'5')
        past = past || __builtin_add_overflow(mant, 1, &mant);
    for (long long k = 0; k < exponent; ++k)
        past = past || __builtin_mul_overflow(mant, 10, &mant);
    if (past)
        return overflow(negative);
    return make(negative ? -mant : mant, scale);
}

Decimal Decimal::fromDouble(double value)
{
    if (!std::isfinite(value))
        return overflow(std::signbit(value));
    // Nearly every stored amount is to the cent: when the cents read back to the very double they
    // are its shortest text too (below 10^13 two such amounts lie farther apart than a double's
    // step), so the text round trip is spared to lists of thousands of rows.
    if (std::fabs(value) < 1e13) {
        const double cents = std::nearbyint(value * 100);
        if (cents / 100 == value)
            return make(static_cast<long long>(cents), 2);
    }
    // Shortest text that reads back to the same double: 0.1 stays 0.1.
    return fromString(QString::number(value, 'g', QLocale::FloatingPointShortest)).value_or(Decimal());
}

Decimal Decimal::withScale(int scale) const
{
    if (scale <= m_scale)
        return *this;
    Decimal d = *this;
    d.m_mant = m_mant * pow10(scale - m_scale); // <= 10^(20 + 18) by the invariant
    d.m_scale = scale;
    return d;
}

Decimal Decimal::normalized() const
{
    Decimal d = *this;
    // Most amounts fit in 64 bits, where dividing is a single instruction.
    if (d.m_mant >= LLONG_MIN && d.m_mant <= LLONG_MAX) {
        auto mant = static_cast<long long>(d.m_mant);
        while (d.m_scale > 0 && mant % 10 == 0) {
            mant /= 10;
            --d.m_scale;
        }
        d.m_mant = mant;
        return d;
    }
    while (d.m_scale > 0 && d.m_mant % 10 == 0) {
        d.m_mant /= 10;
        --d.m_scale;
    }
    return d;
}

Decimal Decimal::operator+(const Decimal& o) const
{
    if (m_overflow || o.m_overflow) {
        if (m_overflow && o.m_overflow && isNegative() != o.isNegative())
            return overflow();
        return overflow(m_overflow ? isNegative() : o.isNegative());
    }
    const int s = std::max(m_scale, o.m_scale);
    Int sum = 0;
    if (__builtin_add_overflow(withScale(s).m_mant, o.withScale(s).m_mant, &sum))
        return overflow(isNegative());
    return make(sum, s);
}

Decimal Decimal::operator-(const Decimal& o) const
{
    return *this + (-o);
}

Decimal Decimal::operator-() const
{
    Decimal d = *this;
    d.m_mant = -m_mant;
    return d;
}

Decimal Decimal::operator*(const Decimal& o) const
{
    const bool negative = isNegative() != o.isNegative();
    if (m_overflow || o.m_overflow)
        return overflow(negative);
    const UInt a = static_cast<UInt>(m_mant < 0 ? -m_mant : m_mant);
    const UInt b = static_cast<UInt>(o.m_mant < 0 ? -o.m_mant : o.m_mant);
    // Keep at most kMaxScale decimals, rounding half away from zero.
    const int scale = m_scale + o.m_scale;
    const int target = std::min(scale, kMaxScale);
    const int cut = scale - target;
    const UInt unit = upow10(cut);
    if ((a >> 64) == 0 && (b >> 64) == 0) {
        // Two 64-bit mantissas: the product is exact in 128 bits.
        const UInt p = a * b;
        UInt q = cut > 0 ? p / unit : p;
        if (cut > 0 && p % unit * 2 >= unit)
            ++q;
        if (q > upow10(kMaxDigits + target))
            return overflow(negative);
        return make(negative ? -static_cast<Int>(q) : static_cast<Int>(q), target);
    }
    // Mantissas reach 10^38, so the exact product takes three limbs of base 10^19.
    const UInt base = upow10(19);
    const UInt a1 = a / base, a0 = a % base, b1 = b / base, b0 = b % base;
    UInt p = a0 * b0;
    const UInt l0 = p % base;
    p = a1 * b0 + a0 * b1 + p / base;
    const UInt l1 = p % base;
    const UInt l2 = a1 * b1 + p / base;
    UInt q = 0, high = 0, mid = 0;
    if (__builtin_mul_overflow(l2, upow10(38 - cut), &high) || __builtin_mul_overflow(l1, upow10(19 - cut), &mid) ||
        __builtin_add_overflow(high, mid, &q) || __builtin_add_overflow(q, l0 / unit, &q) ||
        __builtin_add_overflow(q, UInt(l0 % unit * 2 >= unit && cut > 0 ? 1 : 0), &q) ||
        q > upow10(kMaxDigits + target))
        return overflow(negative);
    return make(negative ? -static_cast<Int>(q) : static_cast<Int>(q), target);
}

Decimal Decimal::dividedBy(long long divisor, int digits) const
{
    const bool negative = isNegative() != (divisor < 0);
    if (m_overflow || divisor == 0)
        return overflow(negative);
    digits = std::clamp(digits, 0, kMaxScale);
    const UInt n = static_cast<UInt>(m_mant < 0 ? -m_mant : m_mant);
    const UInt d = static_cast<UInt>(divisor < 0 ? -static_cast<Int>(divisor) : static_cast<Int>(divisor));
    // Both sides stay below 10^38: the divisor has at most 19 digits and the shift at most 18.
    const UInt num = m_scale >= digits ? n : n * upow10(digits - m_scale);
    const UInt den = m_scale >= digits ? d * upow10(m_scale - digits) : d;
    UInt q = num / den;
    if ((num % den) * 2 >= den)
        ++q;
    return make(negative ? -static_cast<Int>(q) : static_cast<Int>(q), digits);
}

Decimal Decimal::rounded(int digits) const
{
    digits = std::max(digits, 0);
    if (m_overflow || m_scale <= digits)
        return *this;
    const Int div = pow10(m_scale - digits);
    Int q = m_mant / div;
    const Int r = m_mant % div;
    const Int twice = (r < 0 ? -r : r) * 2;
    if (twice >= div)
        q += m_mant < 0 ? -1 : 1;
    // Rounding never crosses 10^20, a whole number.
    return make(q, digits);
}

long long Decimal::integerPart() const
{
    const Int whole = m_overflow ? m_mant : m_mant / pow10(m_scale);
    if (m_overflow || whole > LLONG_MAX || whole < LLONG_MIN)
        return whole < 0 ? LLONG_MIN : LLONG_MAX;
    return static_cast<long long>(whole);
}

bool Decimal::operator==(const Decimal& o) const
{
    return (*this <=> o) == std::strong_ordering::equal;
}

std::strong_ordering Decimal::operator<=>(const Decimal& o) const
{
    // Overflows lie beyond every number, on their side.
    const auto rank = [](const Decimal& d) { return d.m_overflow ? (d.isNegative() ? -1 : 1) : 0; };
    if (rank(*this) != 0 || rank(o) != 0)
        return rank(*this) <=> rank(o);
    const int s = std::max(m_scale, o.m_scale);
    const Int a = withScale(s).m_mant;
    const Int b = o.withScale(s).m_mant;
    return a < b ? std::strong_ordering::less : (a > b ? std::strong_ordering::greater : std::strong_ordering::equal);
}

QString Decimal::toFixed(int digits) const
{
    if (m_overflow)
        return QString();
    digits = std::clamp(digits, 0, kMaxScale);
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
    if (m_overflow)
        return QString();
    const Decimal n = normalized();
    return n.toFixed(n.m_scale);
}

double Decimal::toDouble() const
{
    if (m_overflow)
        return isNegative() ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    return toString().toDouble();
}
