#include "documents/documentlayout.h"
#include "documenttest.h"
#include "pagetexts.h"
#include "printing/paperlayout.h"

using PageTexts::textsIn;

// 38 lines a page from 55 mm, long lines neither wrapped nor changed; rules, heading and foot on
// every page.
TEST(DocumentLayout, RulesHeaderAndFooterOnEveryPage)
{
    constexpr double kX0 = PaperLayout::kX0;
    LayoutContext ctx;
    ctx.intestazione = {u"FERRO ROSSI"_s, u"Carpenteria"_s, u"Via Roma 1"_s, u"RIGA QUATTRO"_s, u"P.IVA 0123"_s};
    QStringList righe;
    for (int i = 1; i <= 38; ++i)
        righe << u"Riga %1"_s.arg(i);
    const QString lunga = QString(u'W').repeated(400) + u" \u00a0'\"\U0001F600"_s;
    const auto pages =
        DocumentLayout::layout({u"3/26"_s, QDate(2026, 3, 2), righe.join(u"\r\n"_s) + u"\r\n"_s + lunga}, ctx);
    ASSERT_EQ(pages.size(), 2u);
    const QString first = textsIn(pages[0], 0, 50, 300, 265).join(u' ');
    EXPECT_TRUE(first.startsWith(u"Riga 1@15,55 "_s) && first.endsWith(u"Riga 37@15,235 Riga 38@15,240"_s))
        << first.toStdString();
    EXPECT_EQ(textsIn(pages[1], 0, 50, 300, 265), QStringList{lunga + u"@15,55"_s});
    for (const Page& p : pages) {
        EXPECT_EQ(PageTexts::rules(p, kX0), (QStringList{u"0,270-203,270"_s, u"0,40-203,40"_s}));
        EXPECT_EQ(textsIn(p, 0, 0, 300, 45), (QStringList{u"FERRO ROSSI@45,10"_s, u"Carpenteria@51,16"_s}));
        EXPECT_EQ(textsIn(p, 0, 266, 300, 300),
                  (QStringList{u"Via Roma 1@%1,272"_s.arg(kX0 + 2), u"P.IVA 0123@%1,277"_s.arg(kX0 + 2)}));
    }
}
