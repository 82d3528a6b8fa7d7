#pragma once

#include "ddt/ddtdata.h"
#include "printing/customerfields.h"
#include "printing/layoutcontext.h"
#include "printing/page.h"

#include <QString>
#include <vector>

// The printed transport document ("Ddt"): 22 rows a page, every row printed even when empty,
// the frames, the footer and the annotations on every page. Positions in millimetres from the
// left margin.
namespace DdtLayout {

constexpr int kRighePagina = 22;
// Right end of the rules across the page; held against the margin so the frame stays centred.
constexpr double kR = 206.5;

// Pages needed for that many rows; at least one.
int pagine(int righe);
// The quantity as printed: a "0" before anything under 10, and nothing for what is then "0",
// so 5 prints as 05, 0 as 00 and an empty cell as nothing.
QString quantita(const QString& qta);
// The pick-up date as dd/mm/yyyy; text that is not a date prints as typed.
QString dataRitiro(const QString& data);

// The pages of a transport document for a customer already loaded.
std::vector<Page> disegna(const DdtData& d, const CustomerFields& cliente, const LayoutContext& ctx);
// DisegnaDdt: loads the consignee (telling ctx.parent when it is missing), then draws the pages.
std::vector<Page> layout(const DdtData& d, const LayoutContext& ctx);

} // namespace DdtLayout
