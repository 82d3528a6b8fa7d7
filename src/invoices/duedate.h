#pragma once

#include "shell/decimal.h"

#include <QDate>
#include <QString>
#include <QtGlobal>

// One instalment of an invoice as stored (table Scadenze), with what the due-date list shows of it.
struct DueDate {
    QString num;      // the invoice
    int rata = 0;     // 1, 2, ... in date order
    QDate data;       // due on
    Decimal importo;  // to the cent
    QString modalita; // MP01, MP05, MP12, ...
    bool pagata = false;
    QDate dataPagamento;
    qint64 presentazione = 0; // the Ri.Ba. presentation that carries it; 0: none
    // Read only, for the lists.
    qint64 idAna = 0;
    QString nome;
    QDate dataFattura;

    bool presentata() const { return presentazione != 0; }
};
