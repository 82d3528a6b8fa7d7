#pragma once

#include "printing/page.h"
#include "printing/pageview.h"

#include <vector>

class QWidget;

// One print job of a paper's pages on the current printer.
namespace PrintOutput {

enum class Result { Printed, Cancelled, Failed };

// Our PDF printer asks for its file, proposing `fileName`; a system printer gets the pages
// full-page (the paper's margin is in the view). A failure shows "Errore 482" with its reason.
Result toCurrentPrinter(QWidget* parent, const std::vector<Page>& pages, const PageView& view, const QString& fileName);

} // namespace PrintOutput
