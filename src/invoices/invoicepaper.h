#pragma once

#include "data/dberror.h"
#include "invoices/invoicedata.h"

#include <QString>
#include <optional>

// The invoice as a paper of the printing engine: its layout under the kind "Fattura" and the
// command line's "pdf fattura NUM".
namespace InvoicePaper {

inline const QString kTipo = QStringLiteral("Fattura");
inline const QString kComando = QStringLiteral("fattura");

// The stored invoice of that number as the editor would hand it to printing; nothing when
// there is no such invoice.
DbResult<std::optional<InvoiceData>> datiFattura(const QString& num);

void registerLayout();
void registerPdfKind();

} // namespace InvoicePaper
