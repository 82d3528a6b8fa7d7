#include "ddt/ddtpaper.h"

#include "ddt/ddtlayout.h"
#include "ddt/ddtpaperstore.h"
#include "printing/layoutregistry.h"
#include "printing/pdfcommand.h"

namespace DdtPaper {

void registerLayout()
{
    LayoutRegistry::add(kTipo,
                        {[](const std::any& data, const LayoutContext& ctx) {
                             return DdtLayout::layout(std::any_cast<const DdtData&>(data), ctx);
                         },
                         true, true, [](const std::any& data) { return std::any_cast<const DdtData&>(data).num; }});
}

void registerPdfKind()
{
    PdfCommand::addKind(kComando, [](const QString& num, QString& error) -> std::optional<PdfCommand::Paper> {
        return PdfCommand::found(DdtPaperStore::datiDdt(num.trimmed()), kTipo,
                                 QStringLiteral("DDT \"%1\" non trovato.").arg(num), error);
    });
}

} // namespace DdtPaper
