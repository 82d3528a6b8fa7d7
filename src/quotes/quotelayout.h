#pragma once

#include "printing/customerfields.h"
#include "printing/layoutcontext.h"
#include "printing/page.h"
#include "quotes/quotedata.h"

#include <vector>

// The printed quote ("Preventivo"): a letter with the company header, place and date, the
// customer's address between corner marks and the text as typed, 31 lines a page.
namespace QuoteLayout {

constexpr int kRighePagina = 31;

// "Valmera  " and the date with its year in four digits.
QString luogoData(const QString& data);

// The pages of a quote for a registry customer already loaded (unused with typed header lines).
std::vector<Page> disegna(const QuoteData& d, const CustomerFields& cliente, const LayoutContext& ctx);
// DisegnaPreventivo: loads the registry customer when no header line is typed, then draws.
std::vector<Page> layout(const QuoteData& d, const LayoutContext& ctx);

} // namespace QuoteLayout
