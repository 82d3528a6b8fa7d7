#include "quotes/quotepaper.h"

#include "printing/layoutregistry.h"
#include "printing/pdfcommand.h"
#include "quotes/quotelayout.h"
#include "quotes/quotestore.h"
#include "shell/formats.h"

namespace QuotePaper {

QuoteData dati(const Quote& q)
{
    QuoteData d;
    d.num = q.num;
    d.data = Formats::shortDate(q.data);
    d.cli1 = q.idAna == 0 ? q.int1 : QString();
    d.cli2 = q.idAna == 0 ? q.int2 : QString();
    d.idCliente = q.idAna;
    d.des = q.des;
    return d;
}

DbResult<std::optional<QuoteData>> datiPreventivo(const QString& num)
{
    const auto found = QuoteStore::load(num);
    if (!found)
        return found.error();
    if (!found.value())
        return std::optional<QuoteData>();
    return std::optional<QuoteData>(dati(*found.value()));
}

void registerLayout()
{
    LayoutRegistry::add(kTipo,
                        {[](const std::any& data, const LayoutContext& ctx) {
                             return QuoteLayout::layout(std::any_cast<const QuoteData&>(data), ctx);
                         },
                         true, true, [](const std::any& data) { return std::any_cast<const QuoteData&>(data).num; }});
}

void registerPdfKind()
{
    PdfCommand::addKind(kComando, [](const QString& num, QString& error) -> std::optional<PdfCommand::Paper> {
        return PdfCommand::found(datiPreventivo(num.trimmed()), kTipo,
                                 QStringLiteral("Preventivo \"%1\" non trovato.").arg(num), error);
    });
}

} // namespace QuotePaper
