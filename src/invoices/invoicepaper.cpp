#include "invoices/invoicepaper.h"

#include "invoices/einvoicestore.h"
#include "invoices/invoicelayout.h"
#include "invoices/invoicestore.h"
#include "printing/layoutregistry.h"
#include "printing/pdfcommand.h"

namespace InvoicePaper {

DbResult<std::optional<InvoiceData>> datiFattura(const QString& num)
{
    const auto found = InvoiceStore::load(num);
    if (!found)
        return found.error();
    if (!found.value())
        return std::optional<InvoiceData>();
    InvoiceData d = InvoiceData::fromInvoice(*found.value());
    const auto natura = EInvoiceStore::natura(num);
    if (!natura)
        return natura.error();
    d.natura = natura.value();
    return std::optional<InvoiceData>(d);
}

void registerLayout()
{
    LayoutRegistry::add(kTipo,
                        {[](const std::any& data, const LayoutContext& ctx) {
                             return InvoiceLayout::layout(std::any_cast<const InvoiceData&>(data), ctx);
                         },
                         true, true, [](const std::any& data) { return std::any_cast<const InvoiceData&>(data).num; }});
}

void registerPdfKind()
{
    PdfCommand::addKind(kComando, [](const QString& num, QString& error) -> std::optional<PdfCommand::Paper> {
        return PdfCommand::found(datiFattura(num.trimmed()), kTipo,
                                 QStringLiteral("Fattura \"%1\" non trovata.").arg(num), error);
    });
}

} // namespace InvoicePaper
