#include "documents/documentlayout.h"
#include "documenttest.h"
#include "pagetexts.h"
#include "printing/paperlayout.h"

using PageTexts::textsIn;

namespace {

constexpr double kX0 = PaperLayout::kX0;

LayoutContext context()
{
    LayoutContext ctx;
    ctx.intestazione = {u"FERRO ROSSI"_s, u"Carpenteria"_s, u"Via Roma 1"_s, u"RIGA QUATTRO"_s, u"P.IVA 0123"_s};
    return ctx;
}

QString righe(int n)
{
    QStringList out;
    for (int i = 1; i <= n; ++i)
        out << u"Riga %1"_s.arg(i);
    return out.join(u"\r\n"_s);
}

// The body texts of each page, "text@x,y".
QStringList corpo(const std::vector<Page>& pages)
{
    QStringList out;
    for (const Page& p : pages)
        out << textsIn(p, 0, 50, 300, 265).join(u' ');
    return out;
}

} // namespace

TEST(DocumentLayout, LinesSplitIntoPagesOf38)
{
    const auto pages = [](const QString& testo) {
        return DocumentLayout::layout({u"3/26"_s, QDate(2026, 3, 2), testo}, context());
    };
    // One line without a break: one line on one page, at the first body position.
    EXPECT_EQ(corpo(pages(u"Dichiarazione"_s)), QStringList{u"Dichiarazione@15,55"_s});
    // 38 lines fit one page, the last at 55 + 5 * 37; 39 give a second page with only the last.
    const auto p38 = corpo(pages(righe(38)));
    ASSERT_EQ(p38.size(), 1);
    EXPECT_TRUE(p38[0].endsWith(u"Riga 37@15,235 Riga 38@15,240"_s)) << p38[0].toStdString();
    const auto p39 = corpo(pages(righe(39)));
    ASSERT_EQ(p39.size(), 2);
    EXPECT_TRUE(p39[0].endsWith(u"Riga 38@15,240"_s)) << p39[0].toStdString();
    EXPECT_EQ(p39[1], u"Riga 39@15,55"_s);
    // Long lines are not wrapped, characters are printed as typed.
    const QString lunga = QString(u'W').repeated(400) + u" \u00a0'\"\U0001F600"_s;
    EXPECT_EQ(corpo(pages(lunga)), QStringList{lunga + u"@15,55"_s});
}

TEST(DocumentLayout, RulesHeaderAndFooterOnEveryPage)
{
    const auto pages = DocumentLayout::layout({u"3/26"_s, QDate(2026, 3, 2), righe(50)}, context());
    ASSERT_EQ(pages.size(), 2u);
    for (const Page& p : pages) {
        EXPECT_EQ(PageTexts::rules(p, kX0), (QStringList{u"0,270-203,270"_s, u"0,40-203,40"_s}));
        EXPECT_EQ(textsIn(p, 0, 0, 300, 45), (QStringList{u"FERRO ROSSI@45,10"_s, u"Carpenteria@51,16"_s}));
        EXPECT_EQ(textsIn(p, 0, 266, 300, 300),
                  (QStringList{u"Via Roma 1@%1,272"_s.arg(kX0 + 2), u"P.IVA 0123@%1,277"_s.arg(kX0 + 2)}));
    }
}
