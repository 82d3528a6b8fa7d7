#include "app/ui/form1.h"
#include "data/database.h"
#include "data/runtimeerrors.h"
#include "scripteddialogs.h"
#include "shell/backup.h"
#include "shell/ui/frmbackup.h"
#include "workdir.h"

#include <QAction>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
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

// Every file of a folder with its content.
QByteArray folderState(const QString& folder)
{
    QByteArray all;
    for (const QString& f : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name)) {
        QFile file(QDir(folder).filePath(f));
        file.open(QIODevice::ReadOnly);
        all += f.toUtf8() + QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
    }
    return all;
}

class FrmBackupTest : public ::testing::Test {
protected:
    FrmBackupTest()
    {
        dir.write(QStringLiteral("Corvalisto.ini"), "10,\"Margine\"\r\n");
        dir.write(QStringLiteral("Printer.ini"), "\"Stampante\",\"Nome\"\r\n");
    }
    ~FrmBackupTest() override { Backup::setFolderOption(QString()); }

    // What a whole backup leaves on the medium, by name; the database is a dump on the server.
    static QStringList threeFiles()
    {
        QStringList files{"Corvalisto.ini", "Printer.ini", Backup::fileName(2)};
        files.sort();
        return files;
    }
    QStringList mediumFiles() const
    {
        return QDir(medium.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
    QAction* menuItem() const { return main.findChild<QAction*>(QStringLiteral("mnuBackupFloppy")); }

    TestWorkDir dir;
    QTemporaryDir medium;
    ScriptedDialogs dlg;
    Form1 main;
};

TEST_F(FrmBackupTest, ShowsTheProgressOfEachFileAndReportsSuccess)
{
    std::vector<int> barBefore;
    QString titleBefore;
    FrmBackup* w = nullptr;
    FrmBackup window(nullptr, medium.path(), [&](int step, const QString& folder) {
        barBefore.push_back(w->PBar1()->value());
        titleBefore = w->windowTitle();
        return Backup::copyStep(step, folder);
    });
    w = &window;
    EXPECT_EQ(window.windowTitle(), "");
    EXPECT_EQ(window.PBar1()->value(), 0);
    EXPECT_EQ(window.PBar1()->maximum(), 100);
    EXPECT_EQ(window.findChild<QTimer*>(QStringLiteral("Timer1"))->interval(), 500);
    int barAtSuccess = -1;
    dlg.whileShown = [&](const QString&) { barAtSuccess = window.PBar1()->value(); };
    EXPECT_EQ(showUntilClosed(&window), QDialog::Accepted);
    EXPECT_EQ(barBefore, (std::vector<int>{0, 33, 66}));
    EXPECT_EQ(titleBefore, "Backup in corso...");
    EXPECT_EQ(barAtSuccess, 100);
    ASSERT_EQ(dlg.messages.size(), 1u);
    EXPECT_EQ(dlg.messages[0].text, "BACKUP eseguito con successo");
    EXPECT_EQ(dlg.messages[0].title, "");
    EXPECT_EQ(dlg.messages[0].icon, Dialogs::Icon::Exclamation);
    EXPECT_EQ(dlg.messages[0].buttons, Dialogs::Buttons::Ok);
    EXPECT_EQ(mediumFiles(), threeFiles());
}

// A write-protected medium: OK after removing the protection goes on from the failed file;
// Cancel closes, keeping the files already copied.
TEST_F(FrmBackupTest, RetryGoesOnFromTheFailedFileAndCancelKeepsWhatWasCopied)
{
    for (Dialogs::Answer answer : {Dialogs::Answer::Ok, Dialogs::Answer::Cancel}) {
        SCOPED_TRACE(answer == Dialogs::Answer::Ok ? "OK" : "Annulla");
        for (const QString& f : mediumFiles())
            QFile::remove(QDir(medium.path()).filePath(f));
        dlg.messages.clear();
        std::vector<int> calls;
        bool protectedMedium = true;
        FrmBackup window(nullptr, medium.path(), [&](int step, const QString& folder) -> Backup::Outcome {
            calls.push_back(step);
            if (step == 2 && protectedMedium) {
                protectedMedium = false;
                return Backup::Failure{RuntimeErrors::PermissionDenied,
                                       RuntimeErrors::text(RuntimeErrors::PermissionDenied)};
            }
            return Backup::copyStep(step, folder);
        });
        dlg.answer(answer);
        const int result = showUntilClosed(&window);
        ASSERT_GE(dlg.messages.size(), 1u);
        EXPECT_EQ(dlg.messages[0].text, "Disco protetto");
        EXPECT_EQ(dlg.messages[0].title, "Corvalisto");
        EXPECT_EQ(dlg.messages[0].icon, Dialogs::Icon::Exclamation);
        EXPECT_EQ(dlg.messages[0].buttons, Dialogs::Buttons::OkCancel);
        if (answer == Dialogs::Answer::Ok) {
            EXPECT_EQ(result, QDialog::Accepted);
            EXPECT_EQ(calls, (std::vector<int>{0, 1, 2, 2}));
            EXPECT_EQ(dlg.lastText(), "BACKUP eseguito con successo");
            EXPECT_EQ(window.PBar1()->value(), 100);
            EXPECT_EQ(mediumFiles(), threeFiles());
        } else {
            EXPECT_EQ(result, QDialog::Rejected);
            EXPECT_EQ(calls, (std::vector<int>{0, 1, 2}));
            EXPECT_EQ(dlg.messages.size(), 1u);
            EXPECT_EQ(window.PBar1()->value(), 66);
            EXPECT_EQ(mediumFiles(), (QStringList{"Corvalisto.ini", "Printer.ini"}));
        }
    }
}

TEST_F(FrmBackupTest, TheMenuAsksForTheMediumAndForLeaveToOverwrite)
{
    ASSERT_TRUE(menuItem());
    EXPECT_TRUE(menuItem()->isEnabled());
    EXPECT_EQ(menuItem()->text(), "&Esegui su floppy");
    const QString insert = QStringLiteral("Inserire un FLOPPY nel drive A:");

    // Cancel at once: nothing copied, no window.
    Backup::setFolderOption(medium.path());
    dlg.answer(Dialogs::Answer::Cancel);
    menuItem()->trigger();
    EXPECT_EQ(dlg.texts(), QStringList{insert});
    EXPECT_EQ(dlg.messages[0].title, "Backup");
    EXPECT_EQ(dlg.messages[0].icon, Dialogs::Icon::Information);
    EXPECT_EQ(dlg.messages[0].buttons, Dialogs::Buttons::OkCancel);
    EXPECT_TRUE(dlg.windowsShown.isEmpty());
    EXPECT_TRUE(mediumFiles().isEmpty());

    // No medium: asked again until one is there, then the backup runs.
    dlg.messages.clear();
    const QString later = QDir(medium.path()).filePath(QStringLiteral("chiavetta"));
    Backup::setFolderOption(later);
    int asked = 0;
    dlg.whileShown = [&](const QString& text) {
        if (text == insert && ++asked == 3)
            QDir().mkpath(later);
    };
    dlg.onWindow(showUntilClosed);
    menuItem()->trigger();
    EXPECT_EQ(dlg.texts(), (QStringList{insert, insert, insert, "BACKUP eseguito con successo"}));
    EXPECT_EQ(dlg.windowsShown, QStringList{"FrmBackup"});
    EXPECT_EQ(QDir(later).entryList(QDir::Files), threeFiles());

    // ... and the prompt comes back until the user cancels.
    dlg.messages.clear();
    dlg.whileShown = nullptr;
    Backup::setFolderOption(QDir(medium.path()).filePath(QStringLiteral("mai")));
    for (auto a : {Dialogs::Answer::Ok, Dialogs::Answer::Ok, Dialogs::Answer::Cancel})
        dlg.answer(a);
    menuItem()->trigger();
    EXPECT_EQ(dlg.texts(), (QStringList{insert, insert, insert}));
    EXPECT_EQ(dlg.windowsShown.size(), 1);

    // An earlier backup: "No" leaves the medium as it was, "Yes" replaces it.
    Backup::setFolderOption(later);
    ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Azienda (Riga1) VALUES (?)"), {QStringLiteral("nuova")}));
    const QByteArray before = folderState(later);
    for (auto a : {Dialogs::Answer::Ok, Dialogs::Answer::No})
        dlg.answer(a);
    dlg.messages.clear();
    menuItem()->trigger();
    ASSERT_EQ(dlg.messages.size(), 2u);
    EXPECT_EQ(dlg.messages[1].text, "Si vuole sovrascriverlo ?");
    EXPECT_EQ(dlg.messages[1].title, "Sul questo floppy esiste già un BACKUP");
    EXPECT_EQ(dlg.messages[1].icon, Dialogs::Icon::Question);
    EXPECT_EQ(dlg.messages[1].buttons, Dialogs::Buttons::YesNo);
    EXPECT_EQ(dlg.windowsShown.size(), 1);
    EXPECT_EQ(folderState(later), before);

    for (auto a : {Dialogs::Answer::Ok, Dialogs::Answer::Yes})
        dlg.answer(a);
    dlg.onWindow(showUntilClosed);
    menuItem()->trigger();
    EXPECT_EQ(dlg.windowsShown.size(), 2);
    EXPECT_EQ(dlg.lastText(), "BACKUP eseguito con successo");
    EXPECT_NE(folderState(later), before);
    EXPECT_TRUE(dlg.allAnswersUsed());

    // Any other error looking at the medium is shown and ends the backup.
    const QString odd = QDir(medium.path()).filePath(QStringLiteral("strana"));
    ASSERT_TRUE(QDir().mkpath(odd));
    ASSERT_TRUE(QFile::link(Backup::fileName(2), QDir(odd).filePath(Backup::fileName(2))));
    Backup::setFolderOption(odd);
    dlg.messages.clear();
    menuItem()->trigger();
    ASSERT_EQ(dlg.messages.size(), 2u);
    EXPECT_EQ(dlg.messages[1].title, "Errore 75");
    EXPECT_EQ(dlg.messages[1].icon, Dialogs::Icon::Critical);
    EXPECT_EQ(dlg.messages[1].buttons, Dialogs::Buttons::Ok);
    EXPECT_EQ(dlg.windowsShown.size(), 2);
}

} // namespace
