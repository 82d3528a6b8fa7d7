#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The lists the program writes for a spreadsheet: ";"-separated, UTF-8 with BOM, CR LF, what an
// Italian spreadsheet opens as it is.
namespace CsvFile {

// What the file starts with.
QByteArray bom();
// One line, fields quoted where they hold ";", quotes or line breaks.
QString riga(const QStringList& campi);
// A text field a spreadsheet would run as a formula gets a leading apostrophe, so it shows as
// written; NUL bytes, which cut the line in some readers, go. Amounts are never passed here.
QString testo(QString text);
// The BOM and the start of the header, `primi` its first fields: what marks a list of that kind as
// ours, so that only such a file is replaced.
QByteArray firma(const QStringList& primi);
// The whole file or nothing, through a link the file it leads to; the reason why not, or empty.
QString scrivi(const QByteArray& bytes, const QString& path);

} // namespace CsvFile
