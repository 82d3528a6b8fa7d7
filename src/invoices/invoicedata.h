#pragma once

#include "invoices/invoice.h"
#include "invoices/invoicerow.h"
#include "shell/decimal.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// What the invoice editor shows, as the printed invoice needs it: every text as it stands on
// screen (amounts already formatted), plus the few values the page computes with.
struct InvoiceData {
    // A grid row: description, quantity, unit price and amount as the grid shows them.
    struct Row {
        QString descrizione;
        QString qta;
        QString prezzo;
        QString importo;
        Decimal prezzoValore;
        Decimal importoValore;
    };

    QString num;
    // The date as typed, dd/mm/yy.
    QString data;
    // 0 when no customer is chosen.
    qint64 idCliente = 0;
    // The rate as read from the rate box (text and number): what the totals, the rows and the label use.
    QString iva;
    int aliquota = 0;
    bool ritenuta = false;
    // Line breaks as stored, CR LF.
    QString note;
    QList<Row> righe;
    // "€ " amounts: taxable, VAT, withholding, total.
    QString imponibile;
    QString importoIva;
    QString importoRitenuta;
    QString totale;
    // The Natura of a 0 % invoice; empty for none.
    QString natura;
    // Legal wordings of the VAT treatment, printed under the annotations.
    QStringList diciture;
    // A credit note: the invoice it reverses.
    CreditNoteRef storno;
    // A public body's invoice with VAT: the VAT goes to the treasury (split payment) and the body
    // pays `nettoScissione`, the total without it.
    bool scissione = false;
    QString nettoScissione;
    // What the customer pays, to the cent: the total, or without the VAT under split payment.
    Decimal totaleValore;
    Decimal nettoScissioneValore;

    // The payment term (0: none); the editor sets it from its term box.
    qint64 condizione = 0;
    // What the page prints of the payment (InvoicePayment::completa fills it): the term, the bank
    // to pay through, and each due date with its amount ("28/02/2026", "€ 52,86").
    struct Scadenza {
        QString data;
        QString importo;
    };
    QString pagamento;
    QString bancaPagamento;
    QList<Scadenza> scadenze;

    // Builds the data from the editor's fields and rows; the totals are computed here the way
    // the editor computes them.
    static InvoiceData fromEditor(const QString& num, const QString& data, qint64 idCliente, const QString& ivaText,
                                  bool ritenuta, const QString& note, const QList<InvoiceRow>& rows);
    // A stored invoice as the editor shows it once recalled, so both print the same pages.
    static InvoiceData fromInvoice(const Invoice& invoice);
};
