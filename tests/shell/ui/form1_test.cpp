#include "data/database.h"
#include "scripteddialogs.h"
#include "shell/appstate.h"
#include "shell/startup.h"
#include "shell/ui/form1.h"
#include "shell/ui/frmazi.h"
#include "workdir.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

void moveOver(QWidget* w)
{
    QMouseEvent e(QEvent::MouseMove, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

TEST(Form1, StartsOnAnEmptyFolder)
{
    TestWorkDir dir(false);
    ScriptedDialogs dlg;
    Form1 w;
    ASSERT_TRUE(w.load());
    EXPECT_TRUE(dlg.messages.empty());
    EXPECT_TRUE(Database::isOpen());
    EXPECT_TRUE(QFile::exists(dir.path(QStringLiteral("Dati/Corvalisto.mdb"))));
    EXPECT_TRUE(QFile::exists(Startup::dailyCopyPath(QDate::currentDate())));
    EXPECT_EQ(app().stampantePdf, QStringLiteral("CutePDF Writer"));
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("LabelVers"))->text(), QStringLiteral("Versione 1.0.0"));
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("LblInt0"))->text(), QStringLiteral("CORVALISTO"));
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("LblInt1"))->text(), QStringLiteral("LAVORAZIONI IN FERRO"));
    EXPECT_EQ(w.Btn(4)->text(), QStringLiteral("&ESCI"));
    EXPECT_EQ(w.Btn(6)->toolTip(), QStringLiteral("CREA NUOVO"));
    EXPECT_EQ(w.Btn(7)->toolTip(), QStringLiteral("ARCHIVIO"));
    EXPECT_EQ(w.Btn(0)->accessibleName(), QStringLiteral("ANAGRAFICA"));
    EXPECT_EQ(w.Btn(2)->accessibleName(), QStringLiteral("D.D.T."));
    EXPECT_EQ(w.Btn(4)->accessibleName(), QStringLiteral("ESCI"));
    EXPECT_EQ(w.Btn(6)->accessibleName(), QStringLiteral("CREA NUOVO"));
    EXPECT_TRUE(w.windowTitle().startsWith(QStringLiteral("CORVALISTO - ")));
}

TEST(Form1, UpdateInProgressEndsBeforeTheWindowAndCreatesNothing)
{
    TestWorkDir dir(false);
    dir.write(QStringLiteral("Dati/Corvalisto.md"), "in arrivo");
    ScriptedDialogs dlg;
    Form1 w;
    EXPECT_FALSE(w.load());
    ASSERT_EQ(dlg.messages.size(), 1u);
    EXPECT_EQ(dlg.messages[0].text, QStringLiteral("Il programma è in attesa dell'Aggiornamento"));
    EXPECT_EQ(dlg.messages[0].title, QStringLiteral("Impossibile aprire il programma"));
    EXPECT_EQ(dlg.messages[0].icon, Dialogs::Icon::Information);
    EXPECT_FALSE(QFile::exists(dir.path(QStringLiteral("Dati/Corvalisto.mdb"))));
    EXPECT_FALSE(QFile::exists(dir.path(QStringLiteral("Img/img1.bmp"))));
    EXPECT_FALSE(Database::isOpen());
}

TEST(Form1, DamagedDatabaseIsReportedNotCopied)
{
    TestWorkDir dir(false);
    dir.write(QStringLiteral("Dati/Corvalisto.mdb"), QByteArray(2048, 'z'));
    ScriptedDialogs dlg;
    Form1 w;
    EXPECT_FALSE(w.load());
    ASSERT_EQ(dlg.messages.size(), 1u);
    EXPECT_EQ(dlg.messages[0].icon, Dialogs::Icon::Critical);
    EXPECT_TRUE(dlg.messages[0].text.contains(QStringLiteral("Corvalisto.mdb")));
    EXPECT_FALSE(QFile::exists(Startup::dailyCopyPath(QDate::currentDate())));
}

TEST(Form1, LogoMenuRewritesTheSettingsAtOnce)
{
    TestWorkDir dir(false);
    dir.write(QStringLiteral("Corvalisto.ini"), "10,\"Margine laterale stampe\"\r\n#FALSE#,\"Logo a colori\"\r\n"
                                                "#TRUE#,\"Secondario\"\r\n\"\",\"Percorso backup\"\r\n");
    const QByteArray before = dir.read(QStringLiteral("Corvalisto.ini"));
    ScriptedDialogs dlg;
    Form1 w;
    ASSERT_TRUE(w.load());
    auto* item = w.findChild<QAction*>(QStringLiteral("mnuColLogo"));
    ASSERT_TRUE(item);
    EXPECT_FALSE(item->isChecked());
    item->trigger();
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(app().logoColori);
    EXPECT_EQ(dir.read(QStringLiteral("Corvalisto.ini")),
              QByteArray("10,\"Margine laterale stampe\"\r\n#TRUE#,\"Logo a colori\"\r\n"
                         "#TRUE#,\"Secondario\"\r\n\"\",\"Percorso backup\"\r\n"));
    item->trigger();
    EXPECT_EQ(dir.read(QStringLiteral("Corvalisto.ini")), before);
}

TEST(Form1, MenusCarryTheirItems)
{
    TestWorkDir dir(false);
    ScriptedDialogs dlg;
    Form1 w;
    ASSERT_TRUE(w.load());
    const std::pair<const char*, const char*> items[] = {{"mnuDatiInt", "&Dati INTESTAZIONE"},
                                                         {"mnuCategorie", "&Categorie"},
                                                         {"mnuStampanti", "&Stampanti"},
                                                         {"mnuColLogo", "&LOGO a colori"},
                                                         {"mnuEditFatt", "&Cambia intestazione Fatture"},
                                                         {"mnuBackupFloppy", "&Esegui su floppy"}};
    for (const auto& [name, text] : items) {
        auto* a = w.findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_TRUE(a) << name;
        EXPECT_EQ(a->text(), QString::fromUtf8(text));
    }
    EXPECT_EQ(w.findChild<QMenu*>(QStringLiteral("mnuConfig"))->title(), QStringLiteral("&Impostazioni"));
    EXPECT_EQ(w.findChild<QMenu*>(QStringLiteral("mnuUtil"))->title(), QStringLiteral("&Utility"));
    EXPECT_EQ(w.findChild<QMenu*>(QStringLiteral("mnuBackup"))->title(), QStringLiteral("&Backup"));
}

TEST(Form1, ButtonsLightUpUnderTheMouseAndGoBackOnTheSurface)
{
    TestWorkDir dir(false);
    ScriptedDialogs dlg;
    Form1 w;
    ASSERT_TRUE(w.load());
    moveOver(w.Btn(3));
    moveOver(w.Btn(4));
    EXPECT_TRUE(w.isHighlighted(3));
    EXPECT_TRUE(w.isHighlighted(4));
    EXPECT_FALSE(w.isHighlighted(0));
    EXPECT_TRUE(w.Btn(3)->styleSheet().contains(QStringLiteral("#e0e0e0")));
    moveOver(w.centralWidget());
    for (int i = 0; i < 8; ++i)
        EXPECT_FALSE(w.isHighlighted(i)) << i;
    EXPECT_TRUE(w.Btn(3)->styleSheet().contains(QStringLiteral("#c0c0c0")));
}

TEST(Form1, ButtonsOpenTheirWindowsModally)
{
    TestWorkDir dir(false);
    ScriptedDialogs dlg;
    Form1 w;
    ASSERT_TRUE(w.load());
    w.Btn(0)->click();
    w.Btn(1)->click();
    w.Btn(3)->click();
    w.findChild<QAction*>(QStringLiteral("mnuCategorie"))->trigger();
    w.findChild<QAction*>(QStringLiteral("mnuStampanti"))->trigger();
    w.findChild<QAction*>(QStringLiteral("mnuEditFatt"))->trigger();
    EXPECT_EQ(dlg.windowsShown,
              (QStringList{"FormAna", "FormMag", "FormFatt", "FrmImpCat", "FrmPrinters", "FrmEditFatt"}));
}

TEST(Form1, HeaderMenuOpensTheDialogModally)
{
    TestWorkDir dir(false);
    ScriptedDialogs dlg;
    Form1 w;
    ASSERT_TRUE(w.load());
    bool seen = false;
    dlg.onWindow([&](QDialog* d) {
        seen = qobject_cast<FrmAzi*>(d) != nullptr;
        d->findChild<QLineEdit*>(QStringLiteral("TxtRiga1"))->setText(QStringLiteral("Officina"));
        d->findChild<QPushButton*>(QStringLiteral("BtnSalva"))->click();
        return d->result();
    });
    w.findChild<QAction*>(QStringLiteral("mnuDatiInt"))->trigger();
    EXPECT_TRUE(seen);
    EXPECT_EQ(dlg.windowsShown, QStringList{QStringLiteral("FrmAzi")});
    EXPECT_EQ(Database::scalar(QStringLiteral("SELECT Riga1 FROM Azienda")).value().toString(),
              QStringLiteral("Officina"));
}

} // namespace
