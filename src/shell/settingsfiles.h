#pragma once

#include <QString>

// "Corvalisto.ini" and "Printer.ini": comma-separated value/label lines in the
// classic sequential-file convention (quoted texts, #TRUE#/#FALSE#, "." decimals, CRLF).
// Every error is silent: values read before it are kept, the rest keep what they held.
namespace SettingsFiles {

inline const QString kIniFile = QStringLiteral("Corvalisto.ini");
inline const QString kPrinterFile = QStringLiteral("Printer.ini");

// "carica" reads into app(); any other mode writes app()'s values.
void ini(const QString& mode);
void printerIni(const QString& mode);
// Writes either file that is missing with the values in use, as an installation ships them, so
// that the floppy backup finds both; an existing file is never replaced.
void writeMissing();

} // namespace SettingsFiles
