#include "app/builtinpapers.h"

#include "ddt/ddtpaper.h"
#include "documents/documentpaper.h"
#include "invoices/duedatelist.h"
#include "invoices/invoicepaper.h"
#include "printing/customersheet.h"
#include "printing/layoutregistry.h"
#include "printing/pdfcommand.h"
#include "printing/printingstore.h"
#include "printing/registerlayout.h"
#include "quotes/quotepaper.h"

namespace BuiltinPapers {

void install()
{
    LayoutRegistry::setBuiltins(&registerLayouts);
    PdfCommand::setBuiltins(&registerPdfKinds);
}

void registerLayouts()
{
    LayoutRegistry::add(QStringLiteral("Anagrafica"),
                        {[](const std::any& data, const LayoutContext&) {
                             return CustomerSheet::layout(std::any_cast<const CustomerSheetData&>(data));
                         },
                         false, false,
                         [](const std::any& data) { return std::any_cast<const CustomerSheetData&>(data).nome; }});
    InvoicePaper::registerLayout();
    DdtPaper::registerLayout();
    DocumentPaper::registerLayout();
    RegisterLayout::registerLayout();
    DueDateList::registerLayout();
    QuotePaper::registerLayout();
}

void registerPdfKinds()
{
    PdfCommand::addKind(QStringLiteral("anagrafica"),
                        [](const QString& nome, QString& error) -> std::optional<PdfCommand::Paper> {
                            return PdfCommand::found(PrintingStore::schedaCliente(nome), QStringLiteral("Anagrafica"),
                                                     QStringLiteral("Cliente \"%1\" non trovato.").arg(nome), error);
                        });
    InvoicePaper::registerPdfKind();
    DdtPaper::registerPdfKind();
    DocumentPaper::registerPdfKind();
    QuotePaper::registerPdfKind();
}

} // namespace BuiltinPapers
