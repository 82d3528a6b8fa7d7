#include "printing/ui/formstampa.h"
#include "shell/appstate.h"
#include "workdir.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace {

struct Sheet {
    TestWorkDir dir{false};
    std::unique_ptr<FormStampa> form;
    explicit Sheet(bool diretta = false, const QString& tipo = QStringLiteral("Anagrafica"))
    {
        app().tipoDocumento = tipo;
        app().stampaDiretta = diretta;
        CustomerSheetData d;
        d.nome = QStringLiteral("VERDI");
        form = std::make_unique<FormStampa>(d);
    }
    void zoom() { form->findChild<QPushButton*>(QStringLiteral("BtnZoom"))->click(); }
};

} // namespace

TEST(FormStampa, PreviewOpensAt049AtTheTopAndPrintAt1)
{
    Sheet s;
    EXPECT_EQ(s.form->windowTitle(), QStringLiteral("Anteprima di stampa"));
    EXPECT_EQ(s.form->Zoom(), 0.49f);
    EXPECT_EQ(s.form->Inizio(), 1.0f);
    ASSERT_EQ(s.form->pages().size(), 1u);
    EXPECT_NE(s.form->pages()[0].findText(QStringLiteral("VERDI")), nullptr);
    Sheet printed(true);
    EXPECT_EQ(printed.form->Zoom(), 1.0f);
}

TEST(FormStampa, OnlyTheCustomerKindIsDrawn)
{
    Sheet s(false, QStringLiteral("Fattura"));
    EXPECT_TRUE(s.form->pages().empty());
}

TEST(FormStampa, ZoomButtonSwitchesBetween068And049)
{
    Sheet s;
    s.zoom();
    EXPECT_EQ(s.form->Zoom(), 0.68f);
    s.form->mouseButton(Qt::LeftButton);
    EXPECT_FLOAT_EQ(s.form->Inizio(), -150 * 0.68f);
    // Going to 0.68 keeps the scroll; going back to 0.49 returns to the top.
    s.zoom();
    EXPECT_EQ(s.form->Zoom(), 0.49f);
    EXPECT_EQ(s.form->Inizio(), 1.0f);
}

TEST(FormStampa, RightButtonCyclesTheZoomFromTheTop)
{
    Sheet s;
    s.form->mouseButton(Qt::RightButton);
    EXPECT_EQ(s.form->Zoom(), 1.0f);
    s.form->mouseButton(Qt::LeftButton);
    EXPECT_FLOAT_EQ(s.form->Inizio(), -150.0f);
    s.form->mouseButton(Qt::RightButton);
    EXPECT_EQ(s.form->Zoom(), 0.68f);
    EXPECT_EQ(s.form->Inizio(), 1.0f);
    s.form->mouseButton(Qt::RightButton);
    EXPECT_EQ(s.form->Zoom(), 0.49f);
}

TEST(FormStampa, NoScrollingAt049)
{
    Sheet s;
    s.form->mouseButton(Qt::LeftButton);
    EXPECT_EQ(s.form->Inizio(), 1.0f);
    s.form->mouseButton(Qt::RightButton);
    s.form->mouseButton(Qt::LeftButton);
    s.form->mouseButton(Qt::LeftButton);
    EXPECT_EQ(s.form->Inizio(), 1.0f);
}
