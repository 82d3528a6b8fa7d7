#pragma once

#include "printing/customersheetdata.h"
#include "printing/page.h"

#include <vector>

// The one-page sheet "DATI ANAGRAFICA" of a customer, drawn from the top of the page (the
// vertical start of 1 mm is part of the positions).
namespace CustomerSheet {

std::vector<Page> layout(const CustomerSheetData& data);

} // namespace CustomerSheet
