#include "data/database.h"
#include "scripteddialogs.h"
#include "shell/ui/frmazi.h"
#include "workdir.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

QString riga(int n)
{
    return Database::scalar(QStringLiteral("SELECT Riga%1 FROM Azienda").arg(n)).value().toString();
}

TEST(FrmAzi, FirstUseStartsEmptyAndSavingCreatesTheRecord)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    FrmAzi w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("DATI INTESTAZIONE"));
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
    EXPECT_EQ(riga(1), QStringLiteral("Ferramenta L'Incudine"));
    EXPECT_EQ(riga(3).size(), 100);
    EXPECT_EQ(riga(4).size(), 100); // the box refuses typing beyond 100
    EXPECT_EQ(Database::scalar(QStringLiteral("SELECT Riga2 IS NOT NULL AND Riga2 = '' FROM Azienda")).value().toInt(),
              1);
    EXPECT_TRUE(dlg.messages.empty());
}

TEST(FrmAzi, LoadsTheStoredLinesAndCancelKeepsThem)
{
    TestWorkDir dir;
    ASSERT_FALSE(
        Database::exec(QStringLiteral("INSERT INTO Azienda (Riga1, Riga2, Riga5) VALUES ('Uno', 'Due', NULL)")));
    ScriptedDialogs dlg;
    {
        FrmAzi w;
        EXPECT_EQ(w.TxtRiga(1)->text(), QStringLiteral("Uno"));
        EXPECT_EQ(w.TxtRiga(2)->text(), QStringLiteral("Due"));
        EXPECT_TRUE(w.TxtRiga(5)->text().isEmpty());
        w.TxtRiga(1)->setText(QStringLiteral("Cambiato"));
        w.findChild<QPushButton*>(QStringLiteral("BtnAnnulla"))->click();
        EXPECT_EQ(w.result(), QDialog::Rejected);
    }
    EXPECT_EQ(riga(1), QStringLiteral("Uno"));
    {
        // Clearing line 1: stored as empty text, and the record is found again next time.
        FrmAzi w;
        w.TxtRiga(1)->clear();
        w.findChild<QPushButton*>(QStringLiteral("BtnSalva"))->click();
    }
    FrmAzi again;
    EXPECT_EQ(again.TxtRiga(2)->text(), QStringLiteral("Due"));
    EXPECT_EQ(Database::scalar(QStringLiteral("SELECT count(*) FROM Azienda")).value().toInt(), 1);
}

TEST(FrmAzi, ADatabaseErrorKeepsTheDialogOpen)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    FrmAzi w;
    w.TxtRiga(1)->setText(QStringLiteral("Da non perdere"));
    ASSERT_FALSE(Database::exec(QStringLiteral("DROP TABLE Azienda")));
    w.findChild<QPushButton*>(QStringLiteral("BtnSalva"))->click();
    ASSERT_EQ(dlg.messages.size(), 1u);
    EXPECT_TRUE(dlg.messages[0].title.startsWith(QStringLiteral("Errore ")));
    EXPECT_EQ(dlg.messages[0].icon, Dialogs::Icon::Critical);
    EXPECT_NE(w.result(), QDialog::Accepted);
    EXPECT_EQ(w.TxtRiga(1)->text(), QStringLiteral("Da non perdere"));
}

} // namespace
