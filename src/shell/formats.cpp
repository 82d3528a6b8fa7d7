#include "shell/formats.h"

#include <QRegularExpression>

namespace {

QString groupThousands(const QString& integerDigits)
{
    QString out;
    const int n = integerDigits.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += u'.';
        out += integerDigits[i];
    }
    return out;
}

struct Split {
    bool negative;
    QString integer;
    QString fraction;
};

Split split2(const Decimal& amount)
{
    QString text = amount.toFixed(2);
    const bool negative = text.startsWith(u'-');
    if (negative)
        text.remove(0, 1);
    const int dot = text.indexOf(u'.');
    // A value that rounds to zero shows no sign.
    const bool zero = amount.rounded(2).isZero();
    return {negative && !zero, text.left(dot), text.mid(dot + 1)};
}

} // namespace

namespace Formats {

QString euro(const Decimal& amount)
{
    if (amount.isOverflow())
        return QString();
    return QStringLiteral("€ ") + grouped2(amount);
}

QString grouped2(const Decimal& amount)
{
    if (amount.isOverflow())
        return QString();
    const Split s = split2(amount);
    return (s.negative ? QStringLiteral("-") : QString()) + groupThousands(s.integer) + u',' + s.fraction;
}

QString fixed2(const Decimal& amount)
{
    if (amount.isOverflow())
        return QString();
    const Split s = split2(amount);
    return (s.negative ? QStringLiteral("-") : QString()) + s.integer + u',' + s.fraction;
}

QString plain(const Decimal& value)
{
    QString text = value.toString();
    text.replace(u'.', u',');
    return text;
}

QString code(long long value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

QString typedNumber(const QString& text)
{
    QString out = text;
    out.replace(u'.', u',');
    return out;
}

std::optional<Decimal> parseNumber(const QString& text)
{
    QString t = typedNumber(text).trimmed();
    if (t.count(u',') > 1)
        return std::nullopt;
    t.replace(u',', u'.');
    if (t.startsWith(u'.'))
        t.prepend(u'0');
    if (t.contains(u'e', Qt::CaseInsensitive))
        return std::nullopt;
    return Decimal::fromString(t);
}

std::optional<QDate> parseDate(const QString& text)
{
    static const QRegularExpression re(QStringLiteral(R"(^\s*(\d{1,2})[/.\-](\d{1,2})[/.\-](\d{2}|\d{4})\s*$)"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const int day = m.captured(1).toInt();
    const int month = m.captured(2).toInt();
    int year = m.captured(3).toInt();
    if (m.captured(3).size() == 2)
        year += year < 30 ? 2000 : 1900;
    const QDate d(year, month, day);
    if (!d.isValid())
        return std::nullopt;
    return d;
}

QString shortDate(const QDate& date)
{
    return date.toString(QStringLiteral("dd/MM/yy"));
}

QString reformatDate(const QString& text)
{
    const auto d = parseDate(text);
    return d ? shortDate(*d) : text;
}

QString isoDate(const QDate& date)
{
    return date.toString(Qt::ISODate);
}

QDate fromIsoDate(const QString& text)
{
    return QDate::fromString(text.left(10), Qt::ISODate);
}

} // namespace Formats
