#include "printing/builtinpapers.h"

#include "invoices/invoicepaper.h"
#include "printing/customersheet.h"
#include "printing/layoutregistry.h"
#include "printing/pdfcommand.h"
#include "printing/printingstore.h"

namespace BuiltinPapers {

void registerLayouts()
{
    LayoutRegistry::add(QStringLiteral("Anagrafica"),
                        {[](const std::any& data, const LayoutContext&) {
                             return CustomerSheet::layout(std::any_cast<const CustomerSheetData&>(data));
                         },
                         false, false,
                         [](const std::any& data) { return std::any_cast<const CustomerSheetData&>(data).nome; }});
    InvoicePaper::registerLayout();
}

void registerPdfKinds()
{
    PdfCommand::addKind(QStringLiteral("anagrafica"),
                        [](const QString& nome, QString& error) -> std::optional<PdfCommand::Paper> {
                            const auto found = PrintingStore::schedaCliente(nome);
                            if (!found) {
                                error = found.error().title() + QStringLiteral(": ") + found.error().text;
                                return std::nullopt;
                            }
                            if (!found.value()) {
                                error = QStringLiteral("Cliente \"%1\" non trovato.").arg(nome);
                                return std::nullopt;
                            }
                            return PdfCommand::Paper{QStringLiteral("Anagrafica"), *found.value()};
                        });
    InvoicePaper::registerPdfKind();
}

} // namespace BuiltinPapers
