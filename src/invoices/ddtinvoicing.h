#pragma once

#include "ddt/ddt.h"
#include "invoices/invoicerow.h"

#include <QList>
#include <QString>

// The deferred invoice of a customer's DDTs: by law it names each DDT with its number and date.
namespace DdtInvoicing {

// The DDTs in number order: series year first, then number.
QList<Ddt> inOrdine(QList<Ddt> ddts);
// "DDT n. 3/26 del 05/03/2026".
QString intestazione(const Ddt& ddt);
// The invoice rows for `ddts` (in number order): for each, its heading then its rows with their
// description and quantity and no price, which the user types afterwards. Empty and blank lines
// carry nothing into the invoice and are left out; one spacer line parts a DDT from the next.
// Ord runs from 1.
QList<InvoiceRow> righe(const QList<Ddt>& ddts);
// What the deferred invoice of customer `cliente` would hold, as the command line prints it:
// a title line, then the rows, each DDT's rows indented under its heading with their quantity.
QString riepilogo(const QString& cliente, int anno, const QList<Ddt>& ddts);

} // namespace DdtInvoicing
