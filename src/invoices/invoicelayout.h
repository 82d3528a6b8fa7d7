#pragma once

#include "invoices/invoicedata.h"
#include "printing/customerfields.h"
#include "printing/layoutcontext.h"
#include "printing/page.h"

#include <QString>
#include <QStringList>
#include <vector>

// The printed invoice ("Fattura"): 18 rows a page, the frames and the annotations on every
// page, the totals on the last one. Positions in millimetres from the left margin.
namespace InvoiceLayout {

constexpr int kRighePagina = 18;
// Annotations are cut into lines of this many characters, regardless of words.
constexpr int kCaratteriNota = 69;
// Left edge of the frames.
constexpr double kX0 = 3.5;

// Pages needed for that many rows; at least one.
int pagine(int righe);
// "12/26" as the page prints it: 12/2026; a number of fewer than 2 characters unchanged.
QString numeroEsteso(const QString& num);
// "05/03/26" as the page prints it: 05/03/2026; an empty date stays empty.
QString dataEstesa(const QString& data);
// The annotation lines: line breaks become spaces, cut at 69 characters, at most two spaces
// dropped at the start of each following line.
QStringList righeNote(const QString& note);

// The pages of an invoice for a customer already loaded.
std::vector<Page> disegna(const InvoiceData& d, const CustomerFields& cliente, const LayoutContext& ctx);
// DisegnaFattura: loads the invoice's customer (telling ctx.parent when it is missing), then
// draws the pages.
std::vector<Page> layout(const InvoiceData& d, const LayoutContext& ctx);

} // namespace InvoiceLayout
