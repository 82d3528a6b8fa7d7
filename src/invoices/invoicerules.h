#pragma once

#include "invoices/invoicerow.h"
#include "papers/paperrows.h"
#include "papers/paperseries.h"
#include "shell/decimal.h"

#include <QList>
#include <QString>
#include <optional>

// The invoice rules that need no window and no database: numbers and series, rows and their
// amounts, the VAT rate as typed.
namespace InvoiceRules {

using PaperRows::kTypedDecimals;
using PaperSeries::annoSerie;
using PaperSeries::ordinale;
using PaperSeries::posizioneDopo;
using PaperSeries::prossimoNumero;
using PaperSeries::suffisso;
// Whether a typed invoice number has the form N/YY; the text to show when it has not.
std::optional<QString> erroreNumero(const QString& num);

// Row amount: price x quantity, the price alone when the quantity is 0.
Decimal importo(const InvoiceRow& row);
// The amount as the grid shows it (to the cent); 0 when the price is 0.
Decimal importoMostrato(const InvoiceRow& row);
// Grid texts: quantity plain (empty when 0), price and amount "0.00" (empty when the price is 0).
using PaperRows::testoQta;
QString testoPrezzo(const Decimal& prezzo);
QString testoImporto(const InvoiceRow& row);
// Ord of a new row: the last row's Ord + 1 (1 for the very first row); rows are never renumbered.
int prossimoOrd(const QList<InvoiceRow>& rows);
// A new invoice starts with one spacer line.
InvoiceRow rigaVuota(int ord);
// A grid row as an invoice row (quantity and price its two typed numbers), and back.
InvoiceRow daRigaCarta(const PaperRow& row);
QList<InvoiceRow> daRigheCarta(const QList<PaperRow>& rows);
QList<PaperRow> righeCarta(const QList<InvoiceRow>& rows);
bool isSpacer(const InvoiceRow& row);

// A quantity or price as typed.
using PaperRows::leggiNumero;
using PaperRows::NumeroDigitato;

// VAT rate from the rate box: the whole number nearest to its value (half-way to the even one);
// an empty or non-numeric text counts 0. Nothing when it is too large for a whole number (error 6).
std::optional<int> aliquota(const QString& text);
bool aliquotaValida(int rate);
// The rate box's text as read: the whole number above ("21,6" shows 22); empty stays empty, and a
// text too large for a whole number stays as typed.
QString testoAliquota(const QString& text);

} // namespace InvoiceRules
