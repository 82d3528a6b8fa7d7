#pragma once

#include "ddt/ddt.h"
#include "invoices/invoicerow.h"

#include <QList>
#include <QString>
#include <QStringList>

// The text of a quote as the rows of the invoice or DDT that follows it.
namespace QuoteRows {

// One description per line of `des` (CR LF or LF breaks). A line longer than `lunghezza` goes on
// in the next rows, cut after a word where it can, so no text is lost. An empty line parts two
// paragraphs as one spacer " "; empty lines at either end, or repeated, add nothing.
QStringList descrizioni(const QString& des, int lunghezza);
// Those descriptions as rows without quantity or price, Ord from 1.
QList<InvoiceRow> righeFattura(const QString& des);
QList<DdtRow> righeDdt(const QString& des);

} // namespace QuoteRows
