#pragma once

#include "shell/decimal.h"

#include <QList>
#include <QString>
#include <optional>

// A row as the editors' grid holds it: the description and the typed numbers in column order.
struct PaperRow {
    long long ord = 0;
    QString descrizione;
    QList<Decimal> valori;
};

// The rows every paper carries: each has an Ord, 1 for the row a new paper starts with, the
// last row's Ord + 1 for each added row, never renumbered.
namespace PaperRows {

// Typed quantities and prices keep at most this many decimals.
constexpr int kTypedDecimals = 6;

// Ord of a new row: the last row's Ord + 1 (1 for the very first row).
template <typename Row> long long prossimoOrd(const QList<Row>& rows)
{
    return rows.isEmpty() ? 1 : rows.last().ord + 1;
}

// A number as typed ("." read as ","), kept to kTypedDecimals decimals. When it cannot be
// taken, `errore` is the run-time error to report: 13 not a number, 6 too large.
struct NumeroDigitato {
    std::optional<Decimal> valore;
    int errore = 0;
};
NumeroDigitato leggiNumero(const QString& text);

// A quantity as the grid shows it: plain, empty when 0.
QString testoQta(const Decimal& qta);

} // namespace PaperRows
