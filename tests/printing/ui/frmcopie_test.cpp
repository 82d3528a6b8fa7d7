#include "printing/ui/frmcopie.h"
#include "scripteddialogs.h"
#include "shell/appstate.h"
#include "workdir.h"

#include <QCheckBox>
#include <QFrame>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

struct Copie {
    TestWorkDir dir{false};
    ScriptedDialogs dlg;
    FrmCopie frm;
    void click(const char* name) { frm.findChild<QPushButton*>(QString::fromLatin1(name))->click(); }
    QCheckBox* chk(int i) { return frm.findChild<QCheckBox*>(QStringLiteral("ChkCopie%1").arg(i)); }
};

} // namespace

TEST(FrmCopie, ConfirmedWithoutChangesGivesTwoCopies)
{
    Copie c;
    EXPECT_EQ(c.frm.windowTitle(), QStringLiteral("Scegliere # COPIE"));
    EXPECT_EQ(c.chk(0)->text(), QStringLiteral("1 COPIA"));
    EXPECT_EQ(c.chk(1)->text(), QStringLiteral("2 COPIE"));
    EXPECT_TRUE(c.chk(1)->isChecked());
    EXPECT_FALSE(c.chk(0)->isChecked());
    c.click("BtnAvanti");
    EXPECT_EQ(app().numeroCopie, 2);
    EXPECT_EQ(c.frm.result(), QDialog::Accepted);
}

TEST(FrmCopie, TheBoxesBehaveAsAPair)
{
    Copie c;
    c.chk(0)->click();
    EXPECT_TRUE(c.chk(0)->isChecked());
    EXPECT_FALSE(c.chk(1)->isChecked());
    EXPECT_FALSE(c.frm.findChild<QFrame*>(QStringLiteral("Shape1"))->isHidden());
    c.click("BtnAvanti");
    EXPECT_EQ(app().numeroCopie, 1);
}

TEST(FrmCopie, CancellingGivesZero)
{
    Copie c;
    c.click("BtnAnnulla");
    EXPECT_EQ(app().numeroCopie, 0);
    EXPECT_EQ(c.frm.result(), QDialog::Rejected);
}

TEST(FrmCopie, ClosingTheWindowIsACancelToo)
{
    Copie c;
    c.frm.reject();
    EXPECT_EQ(app().numeroCopie, 0);
}

TEST(FrmCopie, NeitherBoxCheckedAsksForAChoiceAndStays)
{
    Copie c;
    c.chk(1)->click();
    ASSERT_FALSE(c.chk(1)->isChecked());
    c.click("BtnAvanti");
    ASSERT_EQ(c.dlg.messages.size(), 1u);
    EXPECT_EQ(c.dlg.messages[0].text, QStringLiteral("Selezionare # di COPIE da stampare"));
    EXPECT_EQ(c.dlg.messages[0].title, QString());
    EXPECT_EQ(c.dlg.messages[0].icon, Dialogs::Icon::Exclamation);
    EXPECT_NE(c.frm.result(), QDialog::Accepted);
}
