#include "data/textcolumns.h"

namespace TextColumns {

QString fit(const QString& text, int length)
{
    if (text.size() <= length)
        return text;
    QString cut = text.left(length);
    if (!cut.isEmpty() && cut.back().isHighSurrogate())
        cut.chop(1);
    return cut;
}

QString storedLines(const QString& boxText)
{
    QString out = boxLines(boxText);
    out.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return out;
}

QString boxLines(const QString& stored)
{
    QString out = stored;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

QString fitLines(const QString& boxText, int length)
{
    QString stored = storedLines(boxText);
    if (stored.size() <= length)
        return boxText;
    stored = fit(stored, length);
    if (stored.endsWith(QLatin1Char('\r')))
        stored.chop(1);
    return boxLines(stored);
}

} // namespace TextColumns
