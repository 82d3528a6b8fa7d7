#include "app/ui/form1.h"
#include "data/database.h"
#include "dbrows.h"
#include "filedigest.h"
#include "scripteddialogs.h"
#include "shell/appstate.h"
#include "shell/backup.h"
#include "shell/companystore.h"
#include "shell/startup.h"
#include "shell/ui/frmripristino.h"
#include "usergestures.h"
#include "workdir.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

const QDate kDay(2026, 12, 5);

// Daily copies of 6 (damaged), 5 and 3 December; the database in use holds one customer more.
class FrmRipristinoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (TestWorkDir::onServer())
            GTEST_SKIP() << "the SQLite file and its copies";
        dir.write(QStringLiteral("Corvalisto.ini"), "10,\"Margine laterale stampe\"\r\n");
        const auto business = [](const QString& line) { ASSERT_FALSE(CompanyStore::save({line})); };
        // A removed customer is not counted.
        ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Anagrafica (Nome, Valid) VALUES ('Tolto', 0)")));
        ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Anagrafica (Nome) VALUES ('Rossi')")));
        business(QStringLiteral("Copia del 3"));
        ASSERT_FALSE(Database::copyTo(Startup::dailyCopyPath(kDay.addDays(-2))));
        business(QStringLiteral("Copia del 5"));
        ASSERT_FALSE(Database::copyTo(Startup::dailyCopyPath(kDay)));
        ASSERT_FALSE(Database::copyTo(Startup::dailyCopyPath(kDay.addDays(1))));
        QFile(Startup::dailyCopyPath(kDay.addDays(1))).resize(20000);
        ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Anagrafica (Nome) VALUES ('Bianchi')")));
        business(QStringLiteral("In uso"));
        inUse = fileDigest(dir.path(Database::kRelativePath));
    }
    void TearDown() override { Backup::setFolderOption(QString()); }

    // The menu item, with `row` of the list chosen and "Ripristina" pressed.
    void restoreRow(int row)
    {
        dlg.onWindow([row](QDialog* d) {
            Gesture::click(d->findChild<QListWidget*>(QStringLiteral("LstCopie")), row, 0);
            d->findChild<QPushButton*>(QStringLiteral("BtnRipristina"))->click();
            return d->result();
        });
        main.findChild<QAction*>(QStringLiteral("mnuBackupRipristina"))->trigger();
    }
    QStringList kept() const
    {
        return QDir(dir.path(QStringLiteral("Dati"))).entryList({QStringLiteral("Corvalisto_sostituito_*")});
    }

    TestWorkDir dir;
    ScriptedDialogs dlg;
    Form1 main;
    QByteArray inUse;
};

TEST_F(FrmRipristinoTest, ListsTheDailyCopiesNewestFirstTheUnusableOnesNotSelectable)
{
    FrmRipristino w;
    QStringList texts;
    for (int i = 0; i < w.LstCopie()->count(); ++i)
        texts << w.LstCopie()->item(i)->text();
    EXPECT_TRUE(texts.value(0).startsWith(QStringLiteral("Copia giornaliera del 06/12/26 - non utilizzabile (")));
    EXPECT_EQ(texts.mid(1), (QStringList{"Copia giornaliera del 05/12/26", "Copia giornaliera del 03/12/26",
                                         "Backup sul floppy (chiavetta)"}));
    EXPECT_FALSE(w.LstCopie()->item(0)->flags() & (Qt::ItemIsEnabled | Qt::ItemIsSelectable));
    // Nothing is chosen for the user; an unusable copy cannot be.
    w.findChild<QPushButton*>(QStringLiteral("BtnRipristina"))->click();
    Gesture::click(w.LstCopie(), 0, 0);
    w.findChild<QPushButton*>(QStringLiteral("BtnRipristina"))->click();
    EXPECT_EQ(dlg.texts(), QStringList(2, QStringLiteral("Scegliere la copia da ripristinare.")));
}

TEST_F(FrmRipristinoTest, TheMenuRestoresTheChosenCopyOnlyWhenTheUserSaysYes)
{
    // No first: nothing changes and the window stays open for another choice.
    dlg.answer(Dialogs::Answer::No);
    restoreRow(2);
    ASSERT_EQ(dlg.messages.size(), 1u);
    const QString question = dlg.messages[0].text;
    EXPECT_TRUE(question.startsWith(QStringLiteral("Ripristinare la copia del 03/12/26?")) &&
                question.contains(QStringLiteral("Nella copia: 1 cliente, 0 fatture, 0 DDT.")) &&
                question.contains(QStringLiteral("Nel database in uso: 2 clienti, 0 fatture, 0 DDT.")))
        << question.toStdString();
    EXPECT_EQ(fileDigest(dir.path(Database::kRelativePath)), inUse);
    EXPECT_TRUE(kept().isEmpty());

    dlg.messages.clear();
    dlg.answer(Dialogs::Answer::Yes);
    restoreRow(2);
    ASSERT_EQ(dlg.messages.size(), 2u);
    EXPECT_TRUE(dlg.messages[1].text.startsWith(QStringLiteral(
        "Dati ripristinati dalla copia del 03/12/26: le modifiche successive a quel giorno non ci sono.")));
    // The program goes on with the restored data, and the main window shows them.
    EXPECT_EQ(dbText(QStringLiteral("SELECT count(*) FROM Anagrafica WHERE Valid = 1")), "1");
    EXPECT_TRUE(main.windowTitle().endsWith(QStringLiteral("Copia del 3"))) << main.windowTitle().toStdString();
    ASSERT_EQ(kept().size(), 1);
    EXPECT_EQ(fileDigest(dir.path(QStringLiteral("Dati/") + kept()[0])), inUse);
}

TEST_F(FrmRipristinoTest, FromTheMediumTheSettingsComeBackOnlyWhenAskedFor)
{
    Backup::setFolderOption(dir.path(QStringLiteral("chiavetta")));
    const QByteArray mediumIni = "7,\"Margine laterale stampe\"\r\n#TRUE#,\"Logo a colori\"\r\n";
    dir.write(QStringLiteral("chiavetta/Corvalisto.ini"), mediumIni);
    QFile::copy(Startup::dailyCopyPath(kDay.addDays(-2)), dir.path(QStringLiteral("chiavetta/Corvalisto.mdb")));
    const QByteArray ownIni = dir.read(QStringLiteral("Corvalisto.ini"));
    for (const bool settings : {false, true}) {
        SCOPED_TRACE(settings);
        app().margineLaterale = 10;
        app().logoColori = false;
        dlg.messages.clear();
        dlg.answer(Dialogs::Answer::Ok);  // the medium is in
        dlg.answer(Dialogs::Answer::Yes); // restore
        dlg.answer(settings ? Dialogs::Answer::Yes : Dialogs::Answer::No);
        restoreRow(3);
        ASSERT_EQ(dlg.messages.size(), 4u);
        EXPECT_TRUE(dlg.messages[2].text.contains(QStringLiteral("impostazioni")));
        EXPECT_EQ(dbText(QStringLiteral("SELECT Riga1 FROM Azienda")), "Copia del 3");
        EXPECT_EQ(dir.read(QStringLiteral("Corvalisto.ini")), settings ? mediumIni : ownIni);
        EXPECT_FLOAT_EQ(app().margineLaterale, settings ? 7.0f : 10.0f);
        EXPECT_EQ(main.findChild<QAction*>(QStringLiteral("mnuColLogo"))->isChecked(), settings);
    }
}

} // namespace
