#include "app/ui/form1.h"
#include "data/database.h"
#include "dbrows.h"
#include "filedigest.h"
#include "invoices/ui/formregfatt.h"
#include "scripteddialogs.h"
#include "shell/backup.h"
#include "shell/startup.h"
#include "shell/ui/frmazi.h"
#include "workdir.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The main window on a fresh, empty working folder.
class Form1Test : public ::testing::Test {
protected:
    QAction* action(const char* name) const { return w.findChild<QAction*>(QString::fromLatin1(name)); }

    TestWorkDir dir{false};
    ScriptedDialogs dlg;
    Form1 w;
};

// A fresh folder starts and gets its database and the day's copy; an update waiting or a damaged
// database stop the start before anything is written; a daily copy not made is told once.
TEST(Form1, StartsOrSaysWhyNotBeforeWritingAnything)
{
    const struct {
        const char* file; // written before the start, or nullptr
        QByteArray content;
        bool starts;
        Dialogs::Icon icon; // of the one message shown, when there is one
        QString says;
    } cases[] = {
        {nullptr, {}, true, Dialogs::Icon::None, {}},
        {"Dati/Corvalisto.md", "in arrivo", false, Dialogs::Icon::Information,
         "Il programma è in attesa dell'Aggiornamento"},
        {"Dati/Corvalisto.mdb", QByteArray(2048, 'z'), false, Dialogs::Icon::Critical, "Corvalisto.mdb"},
        {"Corvalisto.ini",
         "0,\"Margine laterale stampe\"\r\n#FALSE#,\"Logo a colori\"\r\n#FALSE#,\"Secondario\"\r\n"
         "\"copie/mancanti\",\"Percorso backup\"\r\n",
         true, Dialogs::Icon::Exclamation, "copie/mancanti"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file ? c.file : "nuova");
        TestWorkDir dir(false);
        ScriptedDialogs dlg;
        if (c.file)
            dir.write(QString::fromLatin1(c.file), c.content);
        Form1 w;
        EXPECT_EQ(QList<bool>({w.load(), Database::isOpen(), QFile::exists(dir.path(QStringLiteral("Img/img1.bmp")))}),
                  QList<bool>(3, c.starts));
        EXPECT_EQ(QFile::exists(Startup::dailyCopyPath(QDate::currentDate())), c.starts && c.says.isEmpty());
        EXPECT_EQ(dlg.messages.size(), c.says.isEmpty() ? 0u : 1u);
        for (const auto& m : dlg.messages)
            EXPECT_TRUE(m.icon == c.icon && m.text.contains(c.says)) << m.text.toStdString();
        Database::close();
    }
}

// The header window from the menu: saved, cancelled and cleared, the one header record shows what
// was stored (a box takes 100 characters, an empty box is empty text, never Null) and every title's
// business name line follows it, the fixed one while the header has no first line.
TEST_F(Form1Test, TheHeaderMenuStoresWhatIsTypedAndEveryTitleFollowsIt)
{
    ASSERT_TRUE(w.load());
    const QString fixed = QStringLiteral("Carpenteria metallica e serramenti");
    QString stored;
    const std::pair<QString, const char*> steps[] = {{QStringLiteral("Officina L'Incudine"), "BtnSalva"},
                                                     {QStringLiteral("Cambiato"), "BtnAnnulla"},
                                                     {{}, "BtnSalva"}};
    for (const auto& [typed, button] : steps) {
        SCOPED_TRACE(button);
        dlg.onWindow([&, typed = typed, button = button](QDialog* d) {
            auto* header = qobject_cast<FrmAzi*>(d);
            EXPECT_EQ(header->TxtRiga(1)->text(), stored);
            header->TxtRiga(1)->setText(typed);
            header->TxtRiga(4)->setText(QString(120, u'y'));
            d->findChild<QPushButton*>(QString::fromLatin1(button))->click();
            return d->result();
        });
        action("mnuDatiInt")->trigger();
        if (QByteArrayView(button) == "BtnSalva")
            stored = typed;
        EXPECT_EQ(
            dbRows(QStringLiteral("SELECT Riga1, length(Riga4), Riga2, (SELECT count(*) FROM Azienda) FROM Azienda")),
            stored + QStringLiteral("|100||1"));
        const QString line = stored.isEmpty() ? fixed : stored;
        EXPECT_EQ((QStringList{w.windowTitle(), w.findChild<QLabel*>(QStringLiteral("LblInt2"))->text(),
                               FormRegFatt().windowTitle()}),
                  (QStringList{"CORVALISTO - " + line, line, "FATTURE - " + line}));
    }
    // A database error is told and keeps the header window open with what was typed.
    FrmAzi header;
    header.TxtRiga(1)->setText(QStringLiteral("Da non perdere"));
    ASSERT_FALSE(Database::exec(QStringLiteral("DROP TABLE Azienda")));
    header.findChild<QPushButton*>(QStringLiteral("BtnSalva"))->click();
    EXPECT_EQ(dlg.messages.size(), 1u);
    EXPECT_TRUE(header.result() != QDialog::Accepted && header.TxtRiga(1)->text() == "Da non perdere");
}

// What exec does with the backup window: shows it and waits until it closes itself.
int showUntilClosed(QDialog* d)
{
    QSignalSpy closed(d, &QDialog::finished);
    d->show();
    EXPECT_TRUE(closed.wait(10000));
    return d->result();
}

// The floppy is asked for until it is there or the user cancels; an earlier backup on it is
// replaced only when the user says Yes. On the server a restore is the administrator's.
TEST_F(Form1Test, TheBackupMenuAsksForTheMediumAndForLeaveToOverwrite)
{
    ASSERT_TRUE(w.load());
    const QString insert = QStringLiteral("Inserire un FLOPPY nel drive A:");
    QTemporaryDir medium;
    const QString later = QDir(medium.path()).filePath(QStringLiteral("chiavetta"));
    Backup::setFolderOption(later);
    int asked = 0;
    dlg.whileShown = [&](const QString& text) {
        if (text == insert && ++asked == 3)
            QDir().mkpath(later);
    };
    dlg.onWindow(showUntilClosed);
    action("mnuBackupFloppy")->trigger();
    EXPECT_EQ(dlg.texts(), (QStringList{insert, insert, insert, "BACKUP eseguito con successo"}));

    // An earlier backup: "No" leaves the medium as it was, "Yes" replaces it; Cancel at the prompt
    // does nothing more.
    ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Azienda (Riga1) VALUES (?)"), {QStringLiteral("nuova")}));
    const auto database = [&] { return fileDigest(QDir(later).filePath(Backup::fileName(2))); };
    const QByteArray first = database();
    dlg.whileShown = nullptr;
    dlg.messages.clear();
    using A = Dialogs::Answer;
    for (auto a : {A::Ok, A::No, A::Ok, A::Yes, A::Ok, A::Cancel})
        dlg.answer(a);
    dlg.onWindow(showUntilClosed);
    for (const bool replaced : {false, true, true}) {
        action("mnuBackupFloppy")->trigger();
        EXPECT_EQ(database() != first, replaced);
    }
    EXPECT_EQ(dlg.messages[1].text, "Si vuole sovrascriverlo ?");
    EXPECT_EQ(dlg.windowsShown, (QStringList{"FrmBackup", "FrmBackup"}));
    EXPECT_TRUE(dlg.allAnswersUsed());
    Backup::setFolderOption(QString());
    if (TestWorkDir::onServer()) {
        TestWorkDir onServer; // the program on the server's database
        action("mnuBackupRipristina")->trigger();
        EXPECT_EQ(dlg.windowsShown.size(), 2);
        EXPECT_TRUE(dlg.lastText().contains(QStringLiteral("pg_restore"))) << dlg.lastText().toStdString();
    }
}

} // namespace
