#include "invoices/invoicetotals.h"

#include "invoices/invoicerules.h"

InvoiceTotals InvoiceTotals::calcola(const QList<InvoiceRow>& rows, int aliquota, bool ritenuta)
{
    InvoiceTotals t;
    for (const InvoiceRow& row : rows) {
        if (row.prezzo.isZero())
            continue;
        const Decimal a = InvoiceRules::importoMostrato(row);
        t.imponibile += a;
        t.iva += (a * Decimal(aliquota)).dividedBy(100, 6);
    }
    if (ritenuta)
        t.ritenuta = (t.imponibile * Decimal(4)).dividedBy(100, 6);
    t.totale = t.iva + t.imponibile - t.ritenuta;
    return t;
}
