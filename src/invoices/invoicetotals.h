#pragma once

#include "invoices/invoicerow.h"
#include "shell/decimal.h"

#include <QList>

// The four totals of an invoice, kept exact; the editor shows them rounded to the cent.
struct InvoiceTotals {
    // Sum of the rows' amounts as shown (each to the cent).
    Decimal imponibile;
    // Rate / 100 x amount, summed row by row.
    Decimal iva;
    // 4 % of the taxable amount when the withholding applies.
    Decimal ritenuta;
    Decimal totale;

    static InvoiceTotals calcola(const QList<InvoiceRow>& rows, int aliquota, bool ritenuta);
    // The total as the editor shows it, which is what the invoice stores.
    Decimal totaleMostrato() const { return totale.rounded(2); }
    // What the customer pays, to the cent: under split payment the VAT goes to the treasury.
    Decimal daIncassare(bool scissione) const
    {
        return scissione ? (imponibile - ritenuta).rounded(2) : totaleMostrato();
    }
};
