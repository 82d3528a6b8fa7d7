#include "../printing/pdfprobe.h"
#include "documents/documentlayout.h"
#include "documents/documentpaper.h"
#include "documenttest.h"
#include "pagetexts.h"
#include "printing/layoutregistry.h"
#include "printing/paperlayout.h"
#include "printing/pdfcommand.h"
#include "workdir.h"

#include <QFile>
#include <QTextStream>

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
    // A text ending with a break prints an empty last line: 38 breaks still make a second page.
    EXPECT_EQ(pages(righe(38) + u"\r\n"_s).size(), 2u);
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
    EXPECT_EQ(PageTexts::fonts(pages[1]).first(), u"Arial 10: P.IVA 0123|Via Roma 1"_s);
    EXPECT_TRUE(PageTexts::fonts(pages[1]).last().startsWith(u"Times New Roman 12: Riga 39|Riga 40"_s));
}

TEST(DocumentLayout, PdfCommandWritesTheStoredDocument)
{
    TestWorkDir dir;
    registraDoc(u"3/26"_s, QDate(2026, 3, 2), righe(39));
    QString errors;
    QTextStream err(&errors);
    const QString out = dir.path(u"doc.pdf"_s);
    ASSERT_EQ(PdfCommand::run({u"documento"_s, u"3/26"_s, u"-o"_s, out}, err), 0) << errors.toStdString();
    EXPECT_EQ(LayoutRegistry::fileName(DocumentPaper::kTipo, std::any(Documento{u"3/26"_s, {}, {}})),
              u"Documento_3-26.pdf"_s);
    EXPECT_EQ(PdfProbe::pages(out), 2);
    const auto words = PdfProbe::words(out);
    EXPECT_NE(PdfProbe::find(words, u"Riga"_s, 2), nullptr);
    EXPECT_EQ(PdfCommand::run({u"documento"_s, u"4/26"_s, u"-o"_s, dir.path(u"no.pdf"_s)}, err), 1);
    err.flush();
    EXPECT_TRUE(errors.contains(u"Documento \"4/26\" non trovato."_s)) << errors.toStdString();
}
