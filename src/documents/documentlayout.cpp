#include "documents/documentlayout.h"

#include "printing/pagefurniture.h"
#include "printing/paperlayout.h"

namespace {

using namespace PaperLayout;

constexpr double kX1 = kX0 + 203;
constexpr double kTestoX = 15;
constexpr double kTestoY = 55;
constexpr double kPiedeY = 270;

} // namespace

namespace DocumentLayout {

std::vector<Page> layout(const Documento& d, const LayoutContext& ctx)
{
    const PrintFont testo{kTimes, 12, false};
    std::vector<Page> pages;
    for (const QStringList& righe : pagineTesto(d.des, kRighePagina)) {
        Page page = PageFurniture::headedPage(ctx);
        page.line(kX0, 40, kX1, 40);
        for (int k = 0; k < righe.size(); ++k)
            page.text(kTestoX, kTestoY + kPassoRiga * k, righe.at(k), testo);
        page.line(kX0, kPiedeY, kX1, kPiedeY);
        page.text(kX0 + 2, kPiedeY + 2, ctx.riga(3), arial(10));
        page.text(kX0 + 2, kPiedeY + 7, ctx.riga(5), arial(10));
        pages.push_back(std::move(page));
    }
    return pages;
}

} // namespace DocumentLayout
