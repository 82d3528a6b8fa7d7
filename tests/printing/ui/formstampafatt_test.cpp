#include "printing/layoutregistry.h"
#include "printing/pagefurniture.h"
#include "printing/ui/formstampafatt.h"
#include "scripteddialogs.h"
#include "shell/appstate.h"
#include "workdir.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Prova {
    int pagine = 3;
};

struct Preview {
    TestWorkDir dir;
    ScriptedDialogs dlg;
    Preview(bool diretta = false, int pagine = 3)
    {
        LayoutRegistry::add(QStringLiteral("ProvaAnteprima"),
                            {[](const std::any& data, const LayoutContext& ctx) {
                                 std::vector<Page> pages;
                                 for (int i = 0; i < std::any_cast<const Prova&>(data).pagine; ++i) {
                                     pages.push_back(PageFurniture::headedPage(ctx));
                                     pages.back().text(20, 50, QStringLiteral("Pagina %1").arg(i + 1));
                                 }
                                 return pages;
                             },
                             true, true});
        app().margineLaterale = 6;
        app().stampaDiretta = diretta;
        form = std::make_unique<FormStampaFatt>(QStringLiteral("ProvaAnteprima"), std::any(Prova{pagine}));
    }
    void click(const char* name) { form->findChild<QPushButton*>(QString::fromLatin1(name))->click(); }
    std::unique_ptr<FormStampaFatt> form;
};

} // namespace

TEST(FormStampaFatt, PreviewOpensAt078WithoutMarginOnTheLastPage)
{
    Preview p;
    EXPECT_EQ(p.form->windowTitle(), QStringLiteral("Anteprima di stampa"));
    EXPECT_EQ(p.form->Zoom(), 0.78f);
    EXPECT_EQ(p.form->Margine(), 0.0f);
    EXPECT_EQ(p.form->Scorrimento(), 0.0f);
    EXPECT_EQ(p.form->pagine(), 3);
    EXPECT_EQ(p.form->pagina(), 2);
    EXPECT_EQ(p.form->findChild<QLabel*>(QStringLiteral("LblPagina"))->text(), QStringLiteral("Pagina 3 di 3"));
    EXPECT_EQ(p.form->findChild<QPushButton*>(QStringLiteral("BtnChiudi"))->text(), QStringLiteral("&Chiudi"));
}

TEST(FormStampaFatt, DrawnForPrintingItIsFullSizeWithTheMargin)
{
    Preview p(true);
    EXPECT_EQ(p.form->Zoom(), 1.0f);
    EXPECT_EQ(p.form->Margine(), 6.0f);
}

TEST(FormStampaFatt, ZoomCyclesAndReturnsToTheTop)
{
    Preview p;
    p.click("BtnDown");
    ASSERT_NE(p.form->Scorrimento(), 0.0f);
    p.click("BtnZoom");
    EXPECT_EQ(p.form->Zoom(), 0.49f);
    EXPECT_EQ(p.form->Scorrimento(), 0.0f);
    p.click("BtnZoom");
    EXPECT_EQ(p.form->Zoom(), 1.0f);
    p.click("BtnZoom");
    EXPECT_EQ(p.form->Zoom(), 0.78f);
}

TEST(FormStampaFatt, DownMovesOnceAndUpReturns)
{
    Preview p;
    p.click("BtnDown");
    EXPECT_FLOAT_EQ(p.form->Scorrimento(), -150 * 0.78f);
    p.click("BtnDown");
    EXPECT_FLOAT_EQ(p.form->Scorrimento(), -150 * 0.78f);
    p.click("BtnUp");
    EXPECT_EQ(p.form->Scorrimento(), 0.0f);
}

TEST(FormStampaFatt, DownAtTheSmallestZoomDoesNothing)
{
    Preview p;
    p.click("BtnZoom");
    ASSERT_EQ(p.form->Zoom(), 0.49f);
    p.click("BtnDown");
    EXPECT_EQ(p.form->Scorrimento(), 0.0f);
}

TEST(FormStampaFatt, MouseButtonsZoomOrToggleTheScroll)
{
    Preview p;
    p.form->resize(600, 800);
    QWidget* canvas = p.form->findChild<QWidget*>(QStringLiteral("Foglio"));
    ASSERT_NE(canvas, nullptr);
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_FLOAT_EQ(p.form->Scorrimento(), -150 * 0.78f);
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(p.form->Scorrimento(), 0.0f);
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(50, 50));
    QTest::mouseClick(canvas, Qt::RightButton, {}, QPoint(50, 50));
    EXPECT_EQ(p.form->Zoom(), 0.49f);
    EXPECT_EQ(p.form->Scorrimento(), 0.0f);
    // At 0.49 a click never scrolls.
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(p.form->Scorrimento(), 0.0f);
    p.form->mouseButton(Qt::MiddleButton);
    EXPECT_EQ(p.form->Scorrimento(), 0.0f);
}

TEST(FormStampaFatt, PagesCanBeBrowsedWithinTheirBounds)
{
    Preview p;
    auto* prec = p.form->findChild<QPushButton*>(QStringLiteral("BtnPagPrec"));
    auto* succ = p.form->findChild<QPushButton*>(QStringLiteral("BtnPagSucc"));
    EXPECT_FALSE(succ->isEnabled());
    prec->click();
    prec->click();
    EXPECT_EQ(p.form->pagina(), 0);
    EXPECT_FALSE(prec->isEnabled());
    p.form->paginaPrecedente();
    EXPECT_EQ(p.form->pagina(), 0);
    succ->click();
    EXPECT_EQ(p.form->pagina(), 1);
    EXPECT_EQ(p.form->findChild<QLabel*>(QStringLiteral("LblPagina"))->text(), QStringLiteral("Pagina 2 di 3"));
}

TEST(FormStampaFatt, AKindWithoutLayoutShowsAnEmptyWindow)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    FormStampaFatt form(QStringLiteral("Nessuno"), std::any());
    EXPECT_EQ(form.pagine(), 0);
    form.findChild<QPushButton*>(QStringLiteral("BtnDown"))->click();
    form.grab();
    EXPECT_TRUE(dlg.messages.empty());
}
