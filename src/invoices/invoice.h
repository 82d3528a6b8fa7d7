#pragma once

#include "invoices/creditnoteref.h"
#include "invoices/invoicerow.h"
#include "shell/decimal.h"

#include <QDate>
#include <QList>
#include <QString>

// An invoice as stored: header (table Fatture) and rows in Ord order.
struct Invoice {
    QString num;
    qint64 idAna = 0;
    // Name of the customer; read only, never written with the invoice.
    QString nome;
    QDate data;
    // The total as shown, two decimals.
    Decimal totale;
    int iva = 0;
    // As stored: line breaks are CR LF.
    QString note;
    bool ra = false;
    bool pagata = false;
    QList<InvoiceRow> rows;
    // A credit note: the invoice it reverses.
    CreditNoteRef storno = {};
    // The payment term (table FatturePagamento); 0: none, and so no instalments.
    qint64 condizione = 0;

    bool notaDiCredito() const { return !storno.fattura.isEmpty(); }
};
