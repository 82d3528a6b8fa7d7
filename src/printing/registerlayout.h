#pragma once

#include "printing/layoutcontext.h"
#include "printing/page.h"
#include "printing/registertable.h"

#include <vector>

// Every register on paper: logo and company lines, the title (and the customer of a filtered
// list), "n/N", the column headings on every page, one line per row and the sums after the last
// row of the last page. Millimetres from the margin.
namespace RegisterLayout {

inline const QString kTipo = QStringLiteral("Registro");

constexpr double kX0 = 5;
// The columns share this width.
constexpr double kLarghezza = 195;
constexpr double kIntestazioniY = 58;
constexpr double kPrimaRigaY = 65;
constexpr double kPassoRiga = 5;
// No row starts below this line.
constexpr double kFondo = 280;

// Rows a page holds.
int righePerPagina();
std::vector<Page> layout(const RegisterTable& table, const LayoutContext& ctx);

void registerLayout();

} // namespace RegisterLayout
