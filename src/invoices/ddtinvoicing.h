#pragma once

#include "ddt/ddt.h"
#include "invoices/invoicerow.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// The deferred invoice of a customer's DDTs: by law it names each DDT with its number and date.
namespace DdtInvoicing {

// The DDTs in number order: series year first, then number.
QList<Ddt> inOrdine(QList<Ddt> ddts);
// "DDT n. 3/26 del 05/03/2026".
QString intestazione(const Ddt& ddt);
QString intestazione(const QString& num, const QDate& data);
// The last day a deferred invoice may bear: the 15th of the month after its latest DDT (art. 21,
// comma 4, lett. a) DPR 633/72); invalid without DDTs.
QDate termine(const QList<QDate>& dateDdt);
// The warning for an invoice dated `data` past that day; empty when in time.
QString avvisoTermine(const QDate& data, const QList<QDate>& dateDdt);
// The same for the stored DDTs numbered `ddtCoperti`; none when they cannot be read.
QString avvisoTermine(const QDate& data, const QStringList& ddtCoperti);
// The invoice rows for `ddts` (in number order): for each, its heading then its rows with their
// description and quantity and no price, which the user types afterwards. Empty and blank lines
// carry nothing into the invoice and are left out; one spacer line parts a DDT from the next.
// Ord runs from 1.
QList<InvoiceRow> righe(const QList<Ddt>& ddts);
// What the deferred invoice of customer `cliente` would hold, as the command line prints it:
// a title line, then the rows, each DDT's rows indented under its heading with their quantity.
QString riepilogo(const QString& cliente, int anno, const QList<Ddt>& ddts);

} // namespace DdtInvoicing
