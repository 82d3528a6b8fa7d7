#include "documents/documentpaper.h"

#include "documents/documentlayout.h"
#include "documents/documentstore.h"
#include "printing/layoutregistry.h"
#include "printing/pdfcommand.h"

namespace DocumentPaper {

void registerLayout()
{
    LayoutRegistry::add(kTipo,
                        {[](const std::any& data, const LayoutContext& ctx) {
                             return DocumentLayout::layout(std::any_cast<const Documento&>(data), ctx);
                         },
                         true, true, [](const std::any& data) { return std::any_cast<const Documento&>(data).num; }});
}

void registerPdfKind()
{
    PdfCommand::addKind(kComando, [](const QString& num, QString& error) -> std::optional<PdfCommand::Paper> {
        return PdfCommand::found(DocumentStore::load(num.trimmed()), kTipo,
                                 QStringLiteral("Documento \"%1\" non trovato.").arg(num), error);
    });
}

} // namespace DocumentPaper
