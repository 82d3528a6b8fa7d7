#include "data/runtimeerrors.h"
#include "scripteddialogs.h"
#include "shell/backup.h"
#include "shell/ui/frmbackup.h"
#include "workdir.h"

#include <QDir>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The window copies file after file with its bar; a write-protected medium asks: OK after
// removing the protection goes on from the failed file, Cancel closes keeping what was copied.
TEST(FrmBackup, ShowsTheProgressRetriesTheFailedFileOrKeepsWhatWasCopied)
{
    TestWorkDir dir;
    ScriptedDialogs dlg;
    dir.write(QStringLiteral("Corvalisto.ini"), "10,\"Margine\"\r\n");
    dir.write(QStringLiteral("Printer.ini"), "\"Stampante\",\"Nome\"\r\n");
    QStringList all{"Corvalisto.ini", "Printer.ini", Backup::fileName(2)};
    all.sort();
    const QString done = QStringLiteral("BACKUP eseguito con successo");
    const struct {
        const char* what;
        std::optional<Dialogs::Answer> answer; // to "Disco protetto", when the medium is protected
        int result;
        std::vector<int> bars; // before each step
        int lastBar;
        QStringList files, told;
    } cases[] = {
        // clang-format off
        {"a whole backup", std::nullopt, QDialog::Accepted, {0, 33, 66}, 100, all, {done}},
        {"OK", Dialogs::Answer::Ok, QDialog::Accepted, {0, 33, 66, 66}, 100, all, {"Disco protetto", done}},
        {"Annulla", Dialogs::Answer::Cancel, QDialog::Rejected, {0, 33, 66}, 66, {"Corvalisto.ini", "Printer.ini"},
         {"Disco protetto"}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir medium;
        dlg.messages.clear();
        bool protectedMedium = c.answer.has_value();
        std::vector<int> bars;
        FrmBackup* w = nullptr;
        FrmBackup window(nullptr, medium.path(), [&](int step, const QString& folder) -> Backup::Outcome {
            bars.push_back(w->PBar1()->value());
            if (step == 2 && std::exchange(protectedMedium, false))
                return Backup::Failure{RuntimeErrors::PermissionDenied,
                                       RuntimeErrors::text(RuntimeErrors::PermissionDenied)};
            return Backup::copyStep(step, folder);
        });
        w = &window;
        if (c.answer)
            dlg.answer(*c.answer);
        // What exec does with the window: shows it and waits until it closes itself.
        QSignalSpy closed(&window, &QDialog::finished);
        window.show();
        ASSERT_TRUE(closed.wait(10000));
        EXPECT_EQ(window.result(), c.result);
        EXPECT_EQ(bars, c.bars);
        EXPECT_EQ(window.PBar1()->value(), c.lastBar);
        EXPECT_EQ(QDir(medium.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), c.files);
        EXPECT_EQ(dlg.texts(), c.told);
    }
}

} // namespace
