#pragma once

#include "documents/documento.h"
#include "printing/layoutcontext.h"
#include "printing/page.h"

#include <vector>

// The printed free document ("Documento"): a letterhead page with a rule above the text and a
// footer line, the text line by line as typed, 38 lines a page. Millimetres from the left margin.
namespace DocumentLayout {

constexpr int kRighePagina = 38;

std::vector<Page> layout(const Documento& d, const LayoutContext& ctx);

} // namespace DocumentLayout
