#pragma once

#include "printing/page.h"
#include "printing/pageview.h"

#include <QString>
#include <vector>

// Pages written as a PDF file: A4, no page margins (the paper's own margin is in the view), the
// fonts it uses embedded. The file appears only when complete.
namespace PdfOutput {

// False with the reason in `error` when the file could not be written; an earlier file of that
// name is then left as it was.
bool write(const std::vector<Page>& pages, const PageView& view, const QString& filePath, QString* error);

} // namespace PdfOutput
