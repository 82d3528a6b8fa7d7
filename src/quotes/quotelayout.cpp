#include "quotes/quotelayout.h"

#include "printing/pagefurniture.h"
#include "printing/paperlayout.h"
#include "printing/printsources.h"

namespace {

using namespace PaperLayout;

// Customer field: the outline between these corners keeps only 3 mm marks at each corner.
constexpr double kCampoX1 = 112;
constexpr double kCampoY1 = 47;
constexpr double kCampoX2 = 202;
constexpr double kCampoY2 = 82;
constexpr double kSegno = 3;
constexpr double kClienteX = 117;
// Body: line k of a page at (20, 115 + 5 k).
constexpr double kTestoX = 20;
constexpr double kTestoY = 115;

PrintFont times(bool bold = false)
{
    return PrintFont{kTimes, 12, bold};
}

void intestazione(Page& page, const LayoutContext& ctx)
{
    page.text(44, 23, ctx.riga(3), arial(10));
    page.text(46, 28, ctx.riga(4), arial(10));
    page.text(43, 33, ctx.riga(5), arial(8));
}

void campoCliente(Page& page, const QuoteData& d, const CustomerFields& c)
{
    page.rect(kCampoX1, kCampoY1, kCampoX2, kCampoY2, false);
    page.rect(kCampoX1 + kSegno, kCampoY1, kCampoX2 - kSegno, kCampoY2, true, Qt::white);
    page.rect(kCampoX1, kCampoY1 + kSegno, kCampoX2, kCampoY2 - kSegno, true, Qt::white);
    if (!d.cli1.isEmpty()) {
        page.text(kClienteX, 59, d.cli1, times(true));
        page.text(kClienteX, 64.5, d.cli2, times(true));
        return;
    }
    page.text(kClienteX, 53.5, c.ragione, times(true));
    page.text(kClienteX, 59, c.ragione2, times(true));
    page.text(kClienteX, 65.5, c.indirizzo, times(true));
    page.text(kClienteX, 71, localita(c), times(true));
}

} // namespace

namespace QuoteLayout {

QString luogoData(const QString& data)
{
    return QStringLiteral("Valmera  ") + data.left(6) + QStringLiteral("20") + data.right(2);
}

std::vector<Page> disegna(const QuoteData& d, const CustomerFields& cliente, const LayoutContext& ctx)
{
    const QList<QStringList> testo = pagineTesto(d.des, kRighePagina);
    std::vector<Page> pages;
    pages.reserve(testo.size());
    for (const QStringList& righe : testo) {
        Page page = PageFurniture::headedPage(ctx);
        intestazione(page, ctx);
        page.text(30, 59, luogoData(d.data), times(true));
        page.text(10, 63, QStringLiteral("lì  ......................................................"), times());
        campoCliente(page, d, cliente);
        for (int k = 0; k < righe.size(); ++k)
            page.text(kTestoX, kTestoY + 5 * k, righe.at(k), times());
        pages.push_back(std::move(page));
    }
    return pages;
}

std::vector<Page> layout(const QuoteData& d, const LayoutContext& ctx)
{
    CustomerFields cliente;
    if (d.cli1.isEmpty())
        PrintSources::caricaCliente(ctx.parent, d.idCliente, cliente);
    return disegna(d, cliente, ctx);
}

} // namespace QuoteLayout
