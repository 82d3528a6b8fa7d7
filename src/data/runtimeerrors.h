#pragma once

#include <QString>

// The classic run-time error numbers the windows report as "Errore " + number.
namespace RuntimeErrors {

enum Code {
    Overflow = 6,
    TypeMismatch = 13,
    BadFileName = 52,
    FileNotFound = 53,
    DiskFull = 61,
    PermissionDenied = 70,
    DiskNotReady = 71,
    PrinterError = 482,
};

// Italian description of a run-time error; an unknown number gives a generic text.
QString text(int code);
// Message-box title for an error: "Errore " followed by its number.
QString title(int code);

} // namespace RuntimeErrors
