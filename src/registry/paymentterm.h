#pragma once

#include "shell/decimal.h"

#include <QList>
#include <QString>
#include <QtGlobal>

// One instalment of a payment term: due `giorni` days after the invoice date, or at the end of the
// month reached that way when `fineMese`; `quota` is its share of the amount due, in percent.
struct TermInstalment {
    int giorni = 0;
    bool fineMese = false;
    Decimal quota;
};

// A payment term as the customer and the invoice name it: "Ri.Ba. 30/60 gg f.m.", paid by one
// method (the e-invoice's MP01 cash, MP05 transfer, MP12 Ri.Ba., MP19 direct debit ...).
struct PaymentTerm {
    qint64 id = 0;
    QString descrizione;
    QString modalita;
    QList<TermInstalment> rate;

    bool riba() const { return modalita == QStringLiteral("MP12"); }
};
