#pragma once

#include "shell/decimal.h"

#include <QDate>
#include <QList>
#include <QString>

// One row of a DDT (table ContDdt): a quantity of 0 is none; the description " " is an empty line.
struct DdtRow {
    long long ord = 0;
    QString descrizione;
    Decimal qta;
};

// A DDT as stored: header (table Ddt) and rows in Ord order. Empty texts, a null date and 0
// parcels are the columns left Null.
struct Ddt {
    QString num;
    qint64 idAna = 0;
    // Name of the customer; read only, never written with the DDT.
    QString nome;
    QDate data;
    QString causale;
    // "ced" (by the consignor), "ces" (by the consignee) or empty.
    QString mezzo;
    long long colli = 0;
    QDate dataRitiro;
    // 'HH:MM', or empty.
    QString oraRitiro;
    // As stored: line breaks are CR LF.
    QString note;
    QList<DdtRow> rows;
};
