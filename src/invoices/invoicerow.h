#pragma once

#include "shell/decimal.h"

#include <QString>

// One row of an invoice (table ContFatt). A quantity of 0 makes the row a lump sum; a price of
// 0 leaves its amount empty; the description " " marks an empty spacer line.
struct InvoiceRow {
    int ord = 0;
    QString descrizione;
    Decimal qta;
    Decimal prezzo;
};
