#pragma once

#include "printing/registertable.h"

#include <QString>
#include <optional>

class QWidget;

// The invoice register on paper, as CSV and as a spreadsheet.
namespace InvoiceRegisterPrint {

// The register of that year, of one customer when idCliente is not 0; nothing with the reason
// in `error` when the database fails or the customer does not exist.
std::optional<RegisterTable> fatture(int anno, qint64 idCliente, QString& error);

// "&ESPORTA" and "ESPORTA EXCE&L": the invoices of the list written as CSV, or as a spreadsheet,
// where the user says.
bool esportaFatture(QWidget* parent, int anno, qint64 idCliente, bool excel = false);

// "pdf registro-fatture ANNO".
void registerPdfKind();

} // namespace InvoiceRegisterPrint
