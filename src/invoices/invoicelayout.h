#pragma once

#include "invoices/invoicedata.h"
#include "printing/customerfields.h"
#include "printing/layoutcontext.h"
#include "printing/page.h"
#include "printing/paperlayout.h"

#include <QString>
#include <QStringList>
#include <vector>

// The printed invoice ("Fattura"): 18 rows a page, the frames and the annotations on every
// page, the totals on the last one. Positions in millimetres from the left margin.
namespace InvoiceLayout {

constexpr int kRighePagina = 18;
inline const QString kScissione = QStringLiteral("Scissione dei pagamenti art. 17-ter DPR 633/72");
using PaperLayout::dataEstesa;
using PaperLayout::kCaratteriNota;
using PaperLayout::kX0;
using PaperLayout::numeroEsteso;
using PaperLayout::righeNote;

// Pages needed for that many rows; at least one.
int pagine(int righe);

// Under a credit note's heading: the invoice it reverses.
QString aStorno(const CreditNoteRef& storno);

// The pages of an invoice for a customer already loaded.
std::vector<Page> disegna(const InvoiceData& d, const CustomerFields& cliente, const LayoutContext& ctx);
// DisegnaFattura: loads the invoice's customer (telling ctx.parent when it is missing) and whether
// it is a public body paying under split payment, then draws the pages.
std::vector<Page> layout(const InvoiceData& d, const LayoutContext& ctx);

} // namespace InvoiceLayout
