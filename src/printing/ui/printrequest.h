#pragma once

#include "printing/customersheetdata.h"

#include <QString>
#include <any>

class QWidget;

// How every editor asks for its paper: `kind` is the TipoDocumento ("Fattura", "Ddt",
// "Preventivo", "Documento") and `data` the plain structure its layout reads.
namespace PrintRequest {

// Preview in "Anteprima di stampa", modal.
void preview(QWidget* parent, const QString& kind, const std::any& data);
// One copy on the program's printer (StampantePredefinita). False when nothing was printed.
bool printOne(QWidget* parent, const QString& kind, const std::any& data);
// "Scegliere # COPIE", then one print job per copy chosen.
void printCopies(QWidget* parent, const QString& kind, const std::any& data);
// One copy on the PDF printer, after putting "<kind>_<number with - for />.pdf" on the clipboard.
bool printPdf(QWidget* parent, const QString& kind, const std::any& data, const QString& number);
// The file name proposed for a paper's PDF, e.g. "Preventivo_7-09.pdf".
QString pdfFileName(const QString& kind, const QString& number);

// The customer sheet of the customer editor: preview, and one copy on the program's printer.
void previewCustomerSheet(QWidget* parent, const CustomerSheetData& data);
bool printCustomerSheet(QWidget* parent, const CustomerSheetData& data);

} // namespace PrintRequest
