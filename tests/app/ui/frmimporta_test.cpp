#include "app/ui/frmimporta.h"
#include "dbrows.h"
#include "qstringprint.h"
#include "scripteddialogs.h"
#include "workdir.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// A No does nothing; the import fills a bar per table with its count readable beside it, and its
// report is saved.
TEST(FrmImporta, ImportsWithABarPerTableAndSavesTheReport)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    FrmImporta w;
    dlg.chooseFile(QStringLiteral(CORVALISTO_SOURCE_DIR "/tests/data/import/corvalisto4.mdb"));
    w.BtnScegli()->click();
    dlg.answer(Dialogs::Answer::No);
    w.BtnImporta()->click();
    EXPECT_EQ(dbText("SELECT count(*) FROM Fatture"), QStringLiteral("0"));

    w.BtnImporta()->click();
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Archivio importato con successo"));
    EXPECT_EQ(dbText("SELECT count(*) FROM ContFatt"), QStringLiteral("2837"));
    EXPECT_EQ(QStringList({QString::number(w.PBar(4)->value()), QString::number(w.PBar(4)->maximum()),
                           w.findChild<QLabel*>(QStringLiteral("LblRighe4"))->text()}),
              QStringList({"2837", "2837", "2837 di 2837"}));
    const QString report = w.TxtResoconto()->toPlainText();
    EXPECT_TRUE(report.contains(QStringLiteral("ContFatt: 2837 righe lette, 2837 scritte"))) << report.toStdString();

    dlg.chooseFile(dir.path(QStringLiteral("resoconto.txt")));
    w.BtnSalva()->click();
    EXPECT_EQ(QString::fromUtf8(dir.read(QStringLiteral("resoconto.txt"))), report);
    EXPECT_EQ(dlg.lastText(), QStringLiteral("Resoconto salvato con successo"));
}

} // namespace
