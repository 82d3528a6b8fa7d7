#include "printing/pagefurniture.h"

namespace PageFurniture {

void start(Page& page)
{
    page.setFont(PrintFont{QStringLiteral("Arial"), 10, false});
}

void logo(Page& page, const LayoutContext& ctx)
{
    page.picture(kLogoX, kLogoY, kLogoSize, kLogoSize, ctx.logo);
}

void companyName(Page& page, const LayoutContext& ctx)
{
    page.text(45, 10, ctx.riga(1), PrintFont{QStringLiteral("Arial Black"), 11, false});
    page.text(51, 16, ctx.riga(2), PrintFont{QStringLiteral("Arial"), 16, false},
              ctx.logoColori ? QColor(Qt::red) : QColor(Qt::black));
}

Page headedPage(const LayoutContext& ctx)
{
    Page page;
    start(page);
    logo(page, ctx);
    companyName(page, ctx);
    return page;
}

} // namespace PageFurniture
