#include "app/ui/form1.h"
#include "data/database.h"
#include "dbrows.h"
#include "invoices/ui/formregfatt.h"
#include "scripteddialogs.h"
#include "shell/appstate.h"
#include "shell/startup.h"
#include "shell/ui/frmazi.h"
#include "workdir.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

QString riga(int n)
{
    return dbText(QStringLiteral("SELECT Riga%1 FROM Azienda").arg(n));
}

TEST(FrmAzi, SavesLoadsCancelsClearsLine1AndStaysOpenOnADatabaseError)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    {
        FrmAzi w;
        EXPECT_EQ(w.windowTitle(), "DATI INTESTAZIONE");
        for (int i = 1; i <= 5; ++i) {
            EXPECT_TRUE(w.TxtRiga(i)->text().isEmpty());
            EXPECT_EQ(w.TxtRiga(i)->objectName(), QStringLiteral("TxtRiga%1").arg(i));
            EXPECT_EQ(w.TxtRiga(i)->accessibleName(), QStringLiteral("Riga %1").arg(i));
        }
        w.TxtRiga(1)->setText(QStringLiteral("Ferramenta L'Incudine"));
        w.TxtRiga(3)->setText(QString(100, u'x'));
        w.TxtRiga(4)->setText(QString(120, u'y'));
        w.findChild<QPushButton*>(QStringLiteral("BtnSalva"))->click();
        EXPECT_EQ(w.result(), QDialog::Accepted);
    }
    EXPECT_EQ(riga(1), "Ferramenta L'Incudine");
    EXPECT_EQ(riga(3).size(), 100);
    EXPECT_EQ(riga(4).size(), 100); // the box refuses typing beyond 100
    // An empty box is empty text, never Null.
    EXPECT_EQ(dbText(QStringLiteral("SELECT count(*) FROM Azienda WHERE Riga2 = ''")), "1");
    {
        FrmAzi w;
        EXPECT_EQ(w.TxtRiga(1)->text(), "Ferramenta L'Incudine");
        EXPECT_EQ(w.TxtRiga(4)->text(), QString(100, u'y'));
        w.TxtRiga(1)->setText(QStringLiteral("Cambiato"));
        w.findChild<QPushButton*>(QStringLiteral("BtnAnnulla"))->click();
        EXPECT_EQ(w.result(), QDialog::Rejected);
    }
    EXPECT_EQ(riga(1), "Ferramenta L'Incudine");
    {
        // Clearing line 1: stored as empty text, and the record is found again next time.
        FrmAzi w;
        w.TxtRiga(1)->clear();
        w.findChild<QPushButton*>(QStringLiteral("BtnSalva"))->click();
    }
    FrmAzi w;
    EXPECT_EQ(w.TxtRiga(4)->text(), QString(100, u'y'));
    EXPECT_EQ(Database::scalar(QStringLiteral("SELECT count(*) FROM Azienda")).value().toInt(), 1);
    EXPECT_TRUE(dlg.messages.empty());
    // A database error shows "Errore N" and keeps the dialog and what was typed.
    w.TxtRiga(1)->setText(QStringLiteral("Da non perdere"));
    ASSERT_FALSE(Database::exec(QStringLiteral("DROP TABLE Azienda")));
    w.findChild<QPushButton*>(QStringLiteral("BtnSalva"))->click();
    ASSERT_EQ(dlg.messages.size(), 1u);
    EXPECT_TRUE(dlg.messages[0].title.startsWith(QStringLiteral("Errore ")));
    EXPECT_EQ(dlg.messages[0].icon, Dialogs::Icon::Critical);
    EXPECT_NE(w.result(), QDialog::Accepted);
    EXPECT_EQ(w.TxtRiga(1)->text(), "Da non perdere");
}

// The main window on a fresh, empty working folder.
class Form1Test : public ::testing::Test {
protected:
    QAction* action(const char* name) const { return w.findChild<QAction*>(QString::fromLatin1(name)); }
    bool exists(const char* relative) const { return QFile::exists(dir.path(QString::fromLatin1(relative))); }
    void moveOver(QWidget* target)
    {
        QMouseEvent e(QEvent::MouseMove, QPointF(2, 2), target->mapToGlobal(QPointF(2, 2)), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(target, &e);
    }

    TestWorkDir dir{false};
    ScriptedDialogs dlg;
    Form1 w;
};

TEST_F(Form1Test, StartsOnAnEmptyFolder)
{
    ASSERT_TRUE(w.load());
    EXPECT_TRUE(dlg.messages.empty());
    EXPECT_TRUE(Database::isOpen());
    EXPECT_TRUE(exists("Dati/Corvalisto.mdb"));
    EXPECT_TRUE(QFile::exists(Startup::dailyCopyPath(QDate::currentDate())));
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("LabelVers"))->text(), "Versione " CORVALISTO_VERSION);
    // A button is named by its caption ("&ESCI") without "&", a picture button by its tooltip.
    EXPECT_EQ(w.Btn(4)->accessibleName(), "ESCI");
    EXPECT_EQ(w.Btn(6)->accessibleName(), "CREA NUOVO");
    EXPECT_EQ(w.findChild<QPushButton*>(QStringLiteral("BtnScadenzario"))->accessibleName(), "SCADENZARIO");
}

TEST_F(Form1Test, UpdateInProgressEndsBeforeTheWindowAndCreatesNothing)
{
    dir.write(QStringLiteral("Dati/Corvalisto.md"), "in arrivo");
    EXPECT_FALSE(w.load());
    ASSERT_EQ(dlg.messages.size(), 1u);
    EXPECT_EQ(dlg.messages[0].text, "Il programma è in attesa dell'Aggiornamento");
    EXPECT_EQ(dlg.messages[0].title, "Impossibile aprire il programma");
    EXPECT_EQ(dlg.messages[0].icon, Dialogs::Icon::Information);
    EXPECT_FALSE(exists("Dati/Corvalisto.mdb") || exists("Img/img1.bmp") || Database::isOpen());
}

TEST_F(Form1Test, DamagedDatabaseIsReportedNotCopied)
{
    dir.write(QStringLiteral("Dati/Corvalisto.mdb"), QByteArray(2048, 'z'));
    EXPECT_FALSE(w.load());
    ASSERT_EQ(dlg.messages.size(), 1u);
    EXPECT_EQ(dlg.messages[0].icon, Dialogs::Icon::Critical);
    EXPECT_TRUE(dlg.messages[0].text.contains(QStringLiteral("Corvalisto.mdb")));
    EXPECT_FALSE(QFile::exists(Startup::dailyCopyPath(QDate::currentDate())));
}

TEST_F(Form1Test, ADailyCopyNotMadeIsToldOnceAndTheProgramGoesOn)
{
    dir.write(QStringLiteral("Corvalisto.ini"),
              "0,\"Margine laterale stampe\"\r\n#FALSE#,\"Logo a colori\"\r\n#FALSE#,\"Secondario\"\r\n"
              "\"copie/mancanti\",\"Percorso backup\"\r\n");
    ASSERT_TRUE(w.load());
    ASSERT_EQ(dlg.messages.size(), 1u);
    EXPECT_EQ(dlg.messages[0].icon, Dialogs::Icon::Exclamation);
    EXPECT_TRUE(dlg.messages[0].text.contains(QDir::toNativeSeparators(dir.path(QStringLiteral("copie/mancanti")))))
        << dlg.messages[0].text.toStdString();
    EXPECT_TRUE(Database::isOpen());
    EXPECT_FALSE(exists("copie"));
}

TEST_F(Form1Test, LogoMenuRewritesTheSettingsAtOnce)
{
    const QByteArray before("10,\"Margine laterale stampe\"\r\n#FALSE#,\"Logo a colori\"\r\n"
                            "#TRUE#,\"Secondario\"\r\n\"\",\"Percorso backup\"\r\n");
    dir.write(QStringLiteral("Corvalisto.ini"), before);
    ASSERT_TRUE(w.load());
    QAction* item = action("mnuColLogo");
    ASSERT_TRUE(item);
    EXPECT_FALSE(item->isChecked());
    item->trigger();
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(app().logoColori);
    EXPECT_EQ(dir.read(QStringLiteral("Corvalisto.ini")), QByteArray(before).replace("#FALSE#", "#TRUE#"));
    item->trigger();
    EXPECT_EQ(dir.read(QStringLiteral("Corvalisto.ini")), before);
}

TEST_F(Form1Test, ButtonsLightUpUnderTheMouseAndGoBackOnTheSurface)
{
    ASSERT_TRUE(w.load());
    moveOver(w.Btn(3));
    moveOver(w.Btn(4));
    EXPECT_TRUE(w.isHighlighted(3) && w.isHighlighted(4));
    EXPECT_FALSE(w.isHighlighted(0));
    EXPECT_TRUE(w.Btn(3)->styleSheet().contains(QStringLiteral("#e0e0e0")));
    moveOver(w.centralWidget());
    for (int i = 0; i < 8; ++i)
        EXPECT_FALSE(w.isHighlighted(i)) << i;
    EXPECT_TRUE(w.Btn(3)->styleSheet().contains(QStringLiteral("#c0c0c0")));
}

TEST_F(Form1Test, ButtonsAndMenusOpenTheirWindowsModally)
{
    ASSERT_TRUE(w.load());
    // The business name line, the same in every title: the fixed one until the header has a first line.
    const auto businessLine = [this] {
        FormRegFatt editor;
        return QStringList{w.windowTitle(), w.findChild<QLabel*>(QStringLiteral("LblInt2"))->text(),
                           editor.windowTitle()};
    };
    const QString fixed = QStringLiteral("Carpenteria metallica e serramenti");
    EXPECT_EQ(businessLine(), (QStringList{"CORVALISTO - " + fixed, fixed, "FATTURE - " + fixed}));
    // The header dialog saves what is typed in it.
    dlg.onWindow([](QDialog* d) {
        EXPECT_TRUE(qobject_cast<FrmAzi*>(d));
        d->findChild<QLineEdit*>(QStringLiteral("TxtRiga1"))->setText(QStringLiteral("Officina"));
        d->findChild<QPushButton*>(QStringLiteral("BtnSalva"))->click();
        return d->result();
    });
    action("mnuDatiInt")->trigger();
    EXPECT_EQ(Database::scalar(QStringLiteral("SELECT Riga1 FROM Azienda")).value().toString(), "Officina");
    EXPECT_EQ(businessLine(), (QStringList{"CORVALISTO - Officina", "Officina", "FATTURE - Officina"}));
    QStringList titles;
    for (int i = 0; i < 3; ++i)
        dlg.onWindow([&titles](QDialog* d) { return titles << d->windowTitle(), 0; });
    for (int i : {0, 1, 3})
        w.Btn(i)->click();
    EXPECT_EQ(titles, (QStringList{"ANAGRAFICA", "MAGAZZINO - Officina", "FATTURE - Officina"}));
    const char* items[][2] = {{"mnuCondizioni", "Condizioni di &pagamento"},
                              {"mnuBancaRiba", "&Banca per le Ri.Ba."},
                              {"mnuCategorie", "&Categorie"},
                              {"mnuStampanti", "&Stampanti"},
                              {"mnuEditFatt", "&Cambia intestazione Fatture"}};
    for (const auto& [name, caption] : items) {
        ASSERT_TRUE(action(name)) << name;
        EXPECT_EQ(action(name)->text(), caption);
        action(name)->trigger();
    }
    w.findChild<QPushButton*>(QStringLiteral("BtnScadenzario"))->click();
    EXPECT_EQ(dlg.windowsShown, (QStringList{"FrmAzi", "FormAna", "FormMag", "FormFatt", "FrmCondizioni",
                                             "FrmBancaRiba", "FrmImpCat", "FrmPrinters", "FrmEditFatt",
                                             "FrmScadenzario"}));
}

} // namespace
