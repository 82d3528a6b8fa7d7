#pragma once

#include "invoices/invoicerow.h"
#include "shell/decimal.h"

#include <QList>
#include <QString>
#include <optional>

// The invoice rules that need no window and no database: numbers and series, rows and their
// amounts, the VAT rate as typed.
namespace InvoiceRules {

// Typed quantities and prices keep at most this many decimals.
constexpr int kTypedDecimals = 6;

// "/" and the last two digits of the year: 2026 gives "/26".
QString suffisso(int anno);
// The numeric value of a number: its leading digits ("12/26" counts 12); 0 when there are none.
long long ordinale(const QString& num);
// The next number of a series from its largest ordinal (nothing: the series is empty).
QString prossimoNumero(std::optional<long long> maxOrdinale, const QString& suffisso);
// Year of a number's series: "20" and its last two digits (2000 to 2099).
int annoSerie(const QString& num);
// Whether a typed invoice number has the form N/YY (N from 1 without leading zeros); the text
// to show when it has not.
std::optional<QString> erroreNumero(const QString& num);

// Row amount: price x quantity, the price alone when the quantity is 0.
Decimal importo(const InvoiceRow& row);
// The amount as the grid shows it (to the cent); 0 when the price is 0.
Decimal importoMostrato(const InvoiceRow& row);
// Grid texts: quantity plain (empty when 0), price and amount "0.00" (empty when the price is 0).
QString testoQta(const Decimal& qta);
QString testoPrezzo(const Decimal& prezzo);
QString testoImporto(const InvoiceRow& row);
// Ord of a new row: the last row's Ord + 1 (1 for the very first row); rows are never renumbered.
int prossimoOrd(const QList<InvoiceRow>& rows);
// A new invoice starts with one spacer line.
InvoiceRow rigaVuota(int ord);
bool isSpacer(const InvoiceRow& row);

// A quantity or price as typed ("." read as ","), kept to kTypedDecimals decimals. When it
// cannot be taken, `errore` is the run-time error to report: 13 not a number, 6 too large.
struct NumeroDigitato {
    std::optional<Decimal> valore;
    int errore = 0;
};
NumeroDigitato leggiNumero(const QString& text);

// VAT rate from the rate box: the whole number nearest to its value (half-way to the even one);
// an empty or non-numeric text counts 0. Nothing when it is too large for a whole number (error 6).
std::optional<int> aliquota(const QString& text);
bool aliquotaValida(int rate);
// The rate box's text as read: the whole number above ("21,6" shows 22); empty stays empty, and a
// text too large for a whole number stays as typed.
QString testoAliquota(const QString& text);

// Browsing the stored invoices of a series: the command (0 first, 1 previous, 2 next, 3 last),
// the position shown, the highest number of the series and the ordinals of the series dated in
// its year. Nothing when the shown invoice stays.
std::optional<long long> posizioneDopo(int comando, long long posizione, long long totaleAnno,
                                       const QList<long long>& ordinaliAnno);

} // namespace InvoiceRules
