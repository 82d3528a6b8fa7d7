#pragma once

#include <QDate>
#include <QString>

// What a credit note reverses: the invoice's number and date; no number for an invoice.
struct CreditNoteRef {
    QString fattura;
    QDate data;
};
