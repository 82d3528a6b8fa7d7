#pragma once

#include <QDate>
#include <QString>

// A free document: a numbered, dated page of free text. The same structure is what its printed
// page reads.
struct Documento {
    QString num;
    QDate data;
    // Line breaks as stored, CR LF.
    QString des;
};
