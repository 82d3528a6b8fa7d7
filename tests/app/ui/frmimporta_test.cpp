#include "app/ui/frmimporta.h"
#include "dbrows.h"
#include "qstringprint.h"
#include "scripteddialogs.h"
#include "workdir.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

QString fixture(const char* name)
{
    return QStringLiteral(CORVALISTO_SOURCE_DIR "/tests/data/import/") + QString::fromUtf8(name);
}

// A refusal is shown and explained in the report; a No does nothing; the import fills a bar per
// table, and its report is saved.
TEST(FrmImporta, ImportsWithABarPerTableAndSavesTheReport)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    FrmImporta w;
    EXPECT_FALSE(w.BtnImporta()->isEnabled());
    dlg.chooseFile(fixture("nocolumn.mdb"));
    w.BtnScegli()->click();
    w.BtnImporta()->click();
    EXPECT_EQ(dlg.messages.back().icon, Dialogs::Icon::Exclamation);
    EXPECT_TRUE(dlg.lastText().contains(QStringLiteral("nulla è stato importato")));
    EXPECT_TRUE(
        w.TxtResoconto()->toPlainText().contains(QStringLiteral("Nella tabella Fatture manca la colonna Pagata.")));

    dlg.chooseFile(fixture("corvalisto4.mdb"));
    w.BtnScegli()->click();
    EXPECT_EQ(w.TxtFile()->text(), fixture("corvalisto4.mdb"));
    dlg.answer(Dialogs::Answer::No);
    w.BtnImporta()->click();
    EXPECT_EQ(dbText("SELECT count(*) FROM Fatture"), QStringLiteral("0"));

    w.BtnImporta()->click();
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Archivio importato con successo"));
    EXPECT_EQ(dbText("SELECT count(*) FROM ContFatt"), QStringLiteral("2837"));
    // Every bar full, its count readable beside it.
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
    const QString report = w.TxtResoconto()->toPlainText();
    EXPECT_TRUE(report.contains(QStringLiteral("ContFatt: 2837 righe lette, 2837 scritte"))) << report.toStdString();
    EXPECT_FALSE(w.BtnImporta()->isEnabled());

    dlg.chooseFile(dir.path(QStringLiteral("resoconto.txt")));
    w.BtnSalva()->click();
    EXPECT_EQ(QString::fromUtf8(dir.read(QStringLiteral("resoconto.txt"))), report);
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Resoconto salvato con successo"));
}

} // namespace
