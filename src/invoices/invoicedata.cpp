#include "invoices/invoicedata.h"

#include "invoices/invoicerules.h"
#include "invoices/invoicetotals.h"
#include "shell/formats.h"

InvoiceData InvoiceData::fromEditor(const QString& num, const QString& data, qint64 idCliente, const QString& ivaText,
                                    bool ritenuta, const QString& note, const QList<InvoiceRow>& rows)
{
    InvoiceData d;
    d.num = num;
    d.data = data;
    d.idCliente = idCliente;
    d.iva = InvoiceRules::testoAliquota(ivaText);
    d.aliquota = InvoiceRules::aliquota(ivaText).value_or(0);
    d.ritenuta = ritenuta;
    d.note = note;
    d.righe.reserve(rows.size());
    for (const InvoiceRow& r : rows)
        d.righe.append({r.descrizione, InvoiceRules::testoQta(r.qta), InvoiceRules::testoPrezzo(r.prezzo),
                        InvoiceRules::testoImporto(r), r.prezzo, InvoiceRules::importoMostrato(r)});
    const InvoiceTotals t = InvoiceTotals::calcola(rows, d.aliquota, ritenuta);
    d.imponibile = Formats::euro(t.imponibile);
    d.importoIva = Formats::euro(t.iva);
    d.importoRitenuta = Formats::euro(t.ritenuta);
    d.totale = Formats::euro(t.totale);
    d.nettoScissione = Formats::euro(t.daIncassare(true));
    d.totaleValore = t.daIncassare(false);
    d.nettoScissioneValore = t.daIncassare(true);
    return d;
}

InvoiceData InvoiceData::fromInvoice(const Invoice& invoice)
{
    InvoiceData d = fromEditor(invoice.num, Formats::shortDate(invoice.data), invoice.idAna,
                               QString::number(invoice.iva), invoice.ra, invoice.note, invoice.rows);
    d.storno = invoice.storno;
    d.condizione = invoice.condizione;
    return d;
}
