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

// What exec does with the window: shows it and waits until it closes itself.
int showUntilClosed(QDialog* d)
{
    QSignalSpy closed(d, &QDialog::finished);
    d->show();
    EXPECT_TRUE(closed.wait(10000));
    return d->result();
}

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
    const struct {
        const char* what;
        std::optional<Dialogs::Answer> answer; // to "Disco protetto", when the medium is protected
        int result;
        std::vector<int> bars; // before each step
        int lastBar;
        QStringList files;
    } cases[] = {
        {"a whole backup", std::nullopt, QDialog::Accepted, {0, 33, 66}, 100, all},
        {"OK", Dialogs::Answer::Ok, QDialog::Accepted, {0, 33, 66, 66}, 100, all},
        {"Annulla", Dialogs::Answer::Cancel, QDialog::Rejected, {0, 33, 66}, 66, {"Corvalisto.ini", "Printer.ini"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir medium;
        dlg.messages.clear();
        bool protectedMedium = c.answer.has_value();
        std::vector<int> bars;
        QString title;
        FrmBackup* w = nullptr;
        FrmBackup window(nullptr, medium.path(), [&](int step, const QString& folder) -> Backup::Outcome {
            bars.push_back(w->PBar1()->value());
            title = w->windowTitle();
            if (step == 2 && protectedMedium) {
                protectedMedium = false;
                return Backup::Failure{RuntimeErrors::PermissionDenied,
                                       RuntimeErrors::text(RuntimeErrors::PermissionDenied)};
            }
            return Backup::copyStep(step, folder);
        });
        w = &window;
        EXPECT_EQ(window.windowTitle(), "");
        int barAtSuccess = -1;
        dlg.whileShown = [&](const QString&) { barAtSuccess = window.PBar1()->value(); };
        if (c.answer)
            dlg.answer(*c.answer);
        EXPECT_EQ(showUntilClosed(&window), c.result);
        EXPECT_EQ(bars, c.bars);
        EXPECT_EQ(title, "Backup in corso...");
        EXPECT_EQ(window.PBar1()->value(), c.lastBar);
        EXPECT_EQ(QDir(medium.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), c.files);
        if (c.answer) {
            ASSERT_GE(dlg.messages.size(), 1u);
            EXPECT_EQ(dlg.messages[0].text, "Disco protetto");
            EXPECT_EQ(dlg.messages[0].title, "Corvalisto");
            EXPECT_EQ(dlg.messages[0].buttons, Dialogs::Buttons::OkCancel);
        }
        if (c.result == QDialog::Accepted) {
            EXPECT_EQ(dlg.lastText(), "BACKUP eseguito con successo");
            EXPECT_EQ(dlg.messages.back().icon, Dialogs::Icon::Exclamation);
            EXPECT_EQ(barAtSuccess, 100);
        } else {
            EXPECT_EQ(dlg.messages.size(), 1u);
        }
    }
}

} // namespace
