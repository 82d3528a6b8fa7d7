#include "printing/layoutregistry.h"
#include "printing/pagefurniture.h"
#include "printing/ui/formstampa.h"
#include "printing/ui/formstampafatt.h"
#include "scripteddialogs.h"
#include "shell/appstate.h"
#include "usergestures.h"
#include "workdir.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A command to a preview: a button's objectName, "L" / "R" for that mouse button pressed on the sheet or
// "D" for a double click there (one press, one move); then the zoom and the scroll it must leave.
using Step = std::tuple<const char*, float, float>;

template <class Window, class Scroll> void play(Window& window, Scroll scrolled, std::initializer_list<Step> steps)
{
    int n = 0;
    for (const auto& [command, zoom, scroll] : steps) {
        SCOPED_TRACE(::testing::Message() << "step " << ++n << " " << command);
        const std::string_view mouse = command;
        if (mouse == "D")
            Gesture::doubleClick(window.template findChild<QWidget*>(u"Foglio"_s));
        else if (mouse == "L" || mouse == "R")
            QTest::mouseClick(window.template findChild<QWidget*>(u"Foglio"_s),
                              mouse == "L" ? Qt::LeftButton : Qt::RightButton);
        else
            window.template findChild<QPushButton*>(QLatin1String(command))->click();
        EXPECT_EQ(window.Zoom(), zoom);
        EXPECT_FLOAT_EQ(scrolled(), scroll);
    }
}

} // namespace

TEST(FormStampaFatt, OpensOnTheLastPageAndFollowsItsCommands)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    LayoutRegistry::add(u"ProvaAnteprima"_s, {[](const std::any& data, const LayoutContext& ctx) {
                            return std::vector<Page>(std::any_cast<int>(data), PageFurniture::headedPage(ctx));
                        }});
    app().margineLaterale = 6;
    app().stampaDiretta = true;
    const FormStampaFatt printed(u"ProvaAnteprima"_s, 3);
    EXPECT_EQ(std::tuple(printed.Zoom(), printed.Margine()), std::tuple(1.0f, 6.0f));
    // A kind without layout shows an empty window.
    FormStampaFatt none(u"Nessuno"_s, std::any());
    EXPECT_EQ(none.pagine(), 0);
    none.findChild<QPushButton*>(u"BtnDown"_s)->click();
    none.grab();
    EXPECT_TRUE(dlg.messages.empty());

    app().stampaDiretta = false;
    FormStampaFatt form(u"ProvaAnteprima"_s, 3);
    const auto* label = form.findChild<QLabel*>(u"LblPagina"_s);
    EXPECT_EQ(form.windowTitle(), u"Anteprima di stampa"_s);
    EXPECT_EQ(std::tuple(form.Zoom(), form.Margine(), form.Scorrimento(), form.pagine(), form.pagina()),
              std::tuple(0.78f, 0.0f, 0.0f, 3, 2));
    EXPECT_EQ(label->text(), u"Pagina 3 di 3"_s);
    // Down moves once and Up returns; the zoom cycles 0.78, 0.49, 1 back at the top, and at 0.49 Down does
    // nothing; the left button toggles the scroll, the right one zooms; at 0.49 a click never scrolls.
    const float down = -150 * 0.78f;
    // clang-format off
    play(form, [&] { return form.Scorrimento(); },
         {{"BtnDown", 0.78f, down}, {"BtnDown", 0.78f, down}, {"BtnUp", 0.78f, 0}, {"BtnDown", 0.78f, down},
          {"BtnZoom", 0.49f, 0}, {"BtnDown", 0.49f, 0}, {"BtnZoom", 1.0f, 0}, {"BtnZoom", 0.78f, 0},
          {"L", 0.78f, down}, {"L", 0.78f, 0}, {"D", 0.78f, down}, {"R", 0.49f, 0}, {"L", 0.49f, 0}});
    // clang-format on

    auto* prec = form.findChild<QPushButton*>(u"BtnPagPrec"_s);
    auto* succ = form.findChild<QPushButton*>(u"BtnPagSucc"_s);
    EXPECT_FALSE(succ->isEnabled());
    prec->click();
    prec->click();
    form.paginaPrecedente();
    EXPECT_EQ(std::tuple(form.pagina(), prec->isEnabled()), std::tuple(0, false));
    succ->click();
    EXPECT_EQ(std::tuple(form.pagina(), label->text()), std::tuple(1, u"Pagina 2 di 3"_s));
}

TEST(FormStampa, OpensAt049OnTheCustomerSheetOnlyAndFollowsItsCommands)
{
    TestWorkDir dir(false);
    CustomerSheetData d;
    d.nome = u"VERDI"_s;
    app().tipoDocumento = u"Fattura"_s;
    EXPECT_TRUE(FormStampa(d).pages().empty());
    app().tipoDocumento = u"Anagrafica"_s;
    app().stampaDiretta = true;
    EXPECT_EQ(FormStampa(d).Zoom(), 1.0f);
    app().stampaDiretta = false;
    FormStampa form(d);
    EXPECT_EQ(std::tuple(form.Zoom(), form.Inizio()), std::tuple(0.49f, 1.0f));
    ASSERT_EQ(form.pages().size(), 1u);
    EXPECT_NE(form.pages()[0].findText(u"VERDI"_s), nullptr);
    // No scrolling at 0.49; the zoom button switches to 0.68 and back to 0.49 at the top; the right button
    // cycles 0.49, 1, 0.68 from the top.
    // clang-format off
    play(form, [&] { return form.Inizio(); },
         {{"L", 0.49f, 1}, {"BtnZoom", 0.68f, 1}, {"L", 0.68f, -150 * 0.68f}, {"BtnZoom", 0.49f, 1},
          {"R", 1.0f, 1}, {"D", 1.0f, -150}, {"R", 0.68f, 1}, {"R", 0.49f, 1}, {"L", 0.49f, 1}});
    // clang-format on
}
