#include "app/ui/form1.h"
#include "app/ui/frmimporta.h"
#include "data/database.h"
#include "dbrows.h"
#include "qstringprint.h"
#include "scripteddialogs.h"
#include "workdir.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

QString fixture(const char* name)
{
    return QStringLiteral(CORVALISTO_SOURCE_DIR "/tests/data/import/") + QString::fromUtf8(name);
}

TEST(FrmImporta, ImportsWithABarPerTableAndSavesTheReport)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    FrmImporta w;
    EXPECT_FALSE(w.BtnImporta()->isEnabled());
    dlg.chooseFile(fixture("corvalisto4.mdb"));
    w.BtnScegli()->click();
    EXPECT_EQ(w.TxtFile()->text(), fixture("corvalisto4.mdb"));
    ASSERT_TRUE(w.BtnImporta()->isEnabled());

    // No: nothing happens.
    dlg.answer(Dialogs::Answer::No);
    w.BtnImporta()->click();
    EXPECT_EQ(dbText("SELECT count(*) FROM Fatture"), QStringLiteral("0"));

    w.BtnImporta()->click();
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Archivio importato con successo"));
    EXPECT_EQ(dbText("SELECT count(*) FROM ContFatt"), QStringLiteral("2837"));
    // Every bar full, its count readable beside it; the empty-table case has none here.
    const struct {
        int index;
        int rows;
    } bars[] = {{0, 38}, {4, 2837}, {9, 1}};
    for (const auto& b : bars) {
        EXPECT_EQ(w.PBar(b.index)->value(), b.rows) << b.index;
        EXPECT_EQ(w.PBar(b.index)->maximum(), b.rows) << b.index;
        EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("LblRighe%1").arg(b.index))->text(),
                  QStringLiteral("%1 di %1").arg(b.rows));
    }
    EXPECT_EQ(w.PBar(4)->accessibleName(), QStringLiteral("ContFatt"));
    const QString report = w.TxtResoconto()->toPlainText();
    EXPECT_TRUE(report.contains(QStringLiteral("ContFatt: 2837 righe lette, 2837 scritte"))) << report.toStdString();
    EXPECT_FALSE(w.BtnImporta()->isEnabled());

    dlg.chooseFile(dir.path(QStringLiteral("resoconto.txt")));
    w.BtnSalva()->click();
    EXPECT_EQ(QString::fromUtf8(dir.read(QStringLiteral("resoconto.txt"))), report);
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Resoconto salvato con successo"));
}

TEST(FrmImporta, ARefusalIsShownAndExplainedInTheReport)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    FrmImporta w;
    dlg.chooseFile(fixture("nocolumn.mdb"));
    w.BtnScegli()->click();
    w.BtnImporta()->click();
    ASSERT_FALSE(dlg.messages.empty());
    EXPECT_EQ(dlg.messages.back().icon, Dialogs::Icon::Exclamation);
    EXPECT_TRUE(dlg.lastText().contains(QStringLiteral("nulla è stato importato")));
    EXPECT_TRUE(
        w.TxtResoconto()->toPlainText().contains(QStringLiteral("Nella tabella Fatture manca la colonna Pagata.")));
    EXPECT_TRUE(w.BtnImporta()->isEnabled());
    EXPECT_EQ(dbText("SELECT count(*) FROM Anagrafica"), QStringLiteral("0"));
}

TEST(FrmImporta, TheMenuEntryIsThereOnlyWhileTheDatabaseIsEmpty)
{
    TestWorkDir dir{false};
    ScriptedDialogs dlg;
    Form1 main;
    ASSERT_TRUE(main.load());
    auto* entry = main.findChild<QAction*>(QStringLiteral("mnuImporta"));
    auto* menu = main.findChild<QMenu*>(QStringLiteral("mnuUtil"));
    ASSERT_TRUE(entry && menu);
    EXPECT_EQ(entry->text(), QStringLiteral("&Importa archivio precedente…"));
    const struct {
        const char* before; // statement run before the menu opens, or nullptr
        bool enabled;
    } steps[] = {{nullptr, true}, {"INSERT INTO Magazzino (Descrizione) VALUES ('Vite')", false}};
    for (const auto& s : steps) {
        if (s.before)
            ASSERT_FALSE(Database::exec(QString::fromUtf8(s.before)));
        emit menu->aboutToShow();
        EXPECT_EQ(entry->isEnabled(), s.enabled) << (s.before ? s.before : "vuoto");
    }
    dlg.onWindow([](QDialog* d) { return d->objectName() == QStringLiteral("FrmImporta") ? 1 : 0; });
    entry->setEnabled(true);
    entry->trigger();
    EXPECT_EQ(dlg.windowsShown, QStringList{"FrmImporta"});
}

} // namespace
