#include "printing/ui/frmprinters.h"
#include "scripteddialogs.h"
#include "shell/appstate.h"
#include "shell/settingsfiles.h"
#include "workdir.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

struct Printers {
    TestWorkDir dir{false};
    ScriptedDialogs dlg;
    std::unique_ptr<FrmPrinters> frm;
    explicit Printers(const QString& current)
    {
        app().stampantePdf = QStringLiteral("CutePDF Writer");
        app().stampantePredefinita = current;
        frm = std::make_unique<FrmPrinters>();
    }
    QComboBox* combo() { return frm->findChild<QComboBox*>(QStringLiteral("ComboPrinter")); }
    void click(const char* name) { frm->findChild<QPushButton*>(QString::fromLatin1(name))->click(); }
};

} // namespace

TEST(FrmPrinters, ListsThePrintersWithOursAndShowsTheCurrentChoice)
{
    Printers p(QStringLiteral("Ufficio"));
    EXPECT_EQ(p.frm->windowTitle(), QStringLiteral("Impostazione STAMPANTE"));
    EXPECT_EQ(p.frm->findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("Stampante PREDEFINITA del programma"));
    EXPECT_GE(p.combo()->findText(QStringLiteral("CutePDF Writer")), 0);
    EXPECT_EQ(p.combo()->currentText(), QStringLiteral("Ufficio"));
}

TEST(FrmPrinters, OkStoresTheChoiceInPrinterIni)
{
    Printers p(QStringLiteral("Ufficio"));
    p.combo()->setCurrentIndex(p.combo()->findText(QStringLiteral("CutePDF Writer")));
    p.click("BtnOk");
    EXPECT_EQ(app().stampantePredefinita, QStringLiteral("CutePDF Writer"));
    EXPECT_TRUE(p.dir.read(SettingsFiles::kPrinterFile).contains("CutePDF Writer"));
    app().stampantePredefinita.clear();
    SettingsFiles::printerIni(QStringLiteral("carica"));
    EXPECT_EQ(app().stampantePredefinita, QStringLiteral("CutePDF Writer"));
}

TEST(FrmPrinters, TypedNameIsStoredUnchecked)
{
    Printers p(QStringLiteral("Ufficio"));
    p.combo()->setEditText(QString());
    p.click("BtnOk");
    EXPECT_EQ(app().stampantePredefinita, QString());
}

TEST(FrmPrinters, CancelChangesNothing)
{
    Printers p(QStringLiteral("Ufficio"));
    p.combo()->setCurrentIndex(p.combo()->findText(QStringLiteral("CutePDF Writer")));
    p.click("BtnAnnulla");
    EXPECT_EQ(app().stampantePredefinita, QStringLiteral("Ufficio"));
    EXPECT_TRUE(p.dir.read(SettingsFiles::kPrinterFile).isEmpty());
}
