#pragma once

#include <QDate>
#include <QString>

// A quote as stored (table Preventivi). It has one kind of customer: a registry customer
// (idAna, Int1 left Null) or typed header lines (int1, IdAna left Null); int2 goes with either.
// Texts are kept as typed; line breaks are CR LF.
struct Quote {
    QString num;
    // 0 for a quote with typed header lines.
    qint64 idAna = 0;
    // Name of the registry customer; read only, never written with the quote.
    QString nome;
    QString int1;
    QString int2;
    QDate data;
    QString des;
    QString note;
};
