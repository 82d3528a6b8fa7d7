#include "shell/csvfile.h"

#include "shell/outputfiles.h"

#include <QSaveFile>

namespace CsvFile {

namespace {

QString campo(const QString& text)
{
    if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

} // namespace

QByteArray bom()
{
    return QByteArrayLiteral("\xEF\xBB\xBF");
}

QString riga(const QStringList& campi)
{
    QStringList out;
    out.reserve(campi.size());
    for (const QString& c : campi)
        out << campo(c);
    return out.join(u';') + QStringLiteral("\r\n");
}

QString testo(QString text)
{
    text.remove(QChar(u'\0'));
    static const QString formula = QStringLiteral("=+-@\t\r");
    if (!text.isEmpty() && formula.contains(text.front()))
        text.prepend(u'\'');
    return text;
}

QByteArray firma(const QStringList& primi)
{
    return bom() + primi.join(u';').toUtf8() + ';';
}

QString scrivi(const QByteArray& bytes, const QString& path)
{
    QSaveFile file(OutputFiles::resolved(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return {};
}

} // namespace CsvFile
