#include "pagetexts.h"
#include "quotes/quotelayout.h"
#include "quotetest.h"

using PageTexts::textsIn;

namespace {

QuoteData data(const QString& des, const QString& cli1 = u"Condominio Aurora"_s)
{
    return {u"12/09"_s, u"05/03/09"_s, cli1, cli1.isEmpty() ? QString() : u"Via Po 3"_s, 7, des};
}

std::vector<Page> pages(const QuoteData& d)
{
    LayoutContext ctx;
    ctx.intestazione = {u"FERRO ROSSI"_s, u"Carpenteria"_s, u"Via Roma 1"_s, u"Tel. 0543"_s, u"P.IVA 0123"_s};
    const CustomerFields cliente{u"Rossi Srl"_s, u"Officine"_s, u"0999"_s, u"Via Verdi 2"_s,
                                 u"40100"_s,     u"Bologna"_s,  u"BO"_s,   u"CF"_s};
    return QuoteLayout::disegna(d, cliente, ctx);
}

// The body lines of a page, empty ones included, as "text@y".
QStringList corpo(const Page& page)
{
    QStringList out;
    for (const DrawItem& i : page.items())
        if (i.kind == DrawItem::Kind::Text && i.x == 20 && i.y >= 115)
            out << i.text + u'@' + QString::number(i.y);
    return out;
}

} // namespace

TEST(QuoteLayout, TheLetterHead)
{
    const auto p = pages(data(u"Testo"_s));
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(textsIn(p[0], 0, 0, 210, 110),
              QStringList({u"FERRO ROSSI@45,10"_s, u"Carpenteria@51,16"_s, u"Via Roma 1@44,23"_s, u"Tel. 0543@46,28"_s,
                           u"P.IVA 0123@43,33"_s, u"Valmera  05/03/2009@30,59"_s,
                           u"lì  ......................................................@10,63"_s,
                           u"Condominio Aurora@117,59"_s, u"Via Po 3@117,64.5"_s}));
    // Without typed lines, the registry customer's address.
    EXPECT_EQ(textsIn(pages(data(u"Testo"_s, {}))[0], 110, 45, 210, 85),
              QStringList({u"Rossi Srl@117,53.5"_s, u"Officine@117,59"_s, u"Via Verdi 2@117,65.5"_s,
                           u"40100 Bologna (BO)@117,71"_s}));
}

TEST(QuoteLayout, ThirtyOneLinesAPageTheLastOnTheLastPage)
{
    QStringList righe;
    for (int i = 1; i <= 32; ++i)
        righe << u"Riga %1"_s.arg(i);
    EXPECT_EQ(pages(data(righe.mid(0, 31).join(u"\r\n"_s))).size(), 1u);
    const auto due = pages(data(righe.join(u"\r\n"_s)));
    ASSERT_EQ(due.size(), 2u);
    EXPECT_EQ(corpo(due[0]).size(), 31);
    EXPECT_EQ(corpo(due[0]).back(), u"Riga 31@265"_s);
    EXPECT_EQ(corpo(due[1]), QStringList{u"Riga 32@115"_s});
    // Every page is a whole letter.
    EXPECT_EQ(textsIn(due[1], 0, 50, 210, 70).first(), u"Valmera  05/03/2009@30,59"_s);
    // A text ending with a line break prints an empty last line; no wrapping of long lines.
    const QString lunga(300, u'x');
    EXPECT_EQ(corpo(pages(data(u"A\r\n"_s + lunga + u"\r\n"_s))[0]),
              QStringList({u"A@115"_s, lunga + u"@120"_s, u"@125"_s}));
}
