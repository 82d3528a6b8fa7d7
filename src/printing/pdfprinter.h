#pragma once

#include "printing/page.h"
#include "printing/pageview.h"

#include <QString>
#include <vector>

class QWidget;

// Our built-in PDF printer: asks where to save, proposing the name given by the print request in
// the folder used last, and writes the pages there.
namespace PdfPrinter {

enum class Outcome { Written, Cancelled, Failed };

// A suggested name that stays inside the folder it is proposed in: no path separators, no
// "..", no leading dot, ending in ".pdf".
QString safeFileName(const QString& suggested);

// The folder proposed next; the last folder written to during this run.
QString lastFolder();
void setLastFolder(const QString& folder);

// Cancelling the file choice writes nothing and says nothing; a failure to write shows
// "Errore 482" with its reason.
Outcome print(QWidget* parent, const std::vector<Page>& pages, const PageView& view, const QString& suggested);

} // namespace PdfPrinter
