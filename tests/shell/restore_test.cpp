#include "data/database.h"
#include "data/folderlock.h"
#include "dbrows.h"
#include "scripteddialogs.h"
#include "shell/restore.h"
#include "shell/startup.h"
#include "shelltest.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <csignal>
#include <gtest/gtest.h>

namespace {

const QDate kDay(2026, 12, 6);

// A folder whose database says "in uso" and whose daily copy of kDay says "copia"; the database
// is closed, as at a start that found it unusable.
class RestoreTest : public ::testing::Test {
public:
    void SetUp() override
    {
        if (TestWorkDir::onServer())
            GTEST_SKIP() << "the SQLite file and its copies";
        ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Azienda (Riga1) VALUES ('copia')")));
        ASSERT_FALSE(Database::copyTo(Startup::dailyCopyPath(kDay)));
        ASSERT_FALSE(Database::exec(QStringLiteral("UPDATE Azienda SET Riga1 = 'in uso'")));
        Database::close();
        inUse = dir.read(Database::kRelativePath);
    }
    QString db() const { return dir.path(Database::kRelativePath); }
    QString copy() const { return Startup::dailyCopyPath(kDay); }
    // What Dati holds beside the database: the kept files, and any leftover.
    QStringList besideDatabase() const
    {
        QStringList out = QDir(dir.path(QStringLiteral("Dati"))).entryList(QDir::Files | QDir::Hidden);
        out.removeOne(QStringLiteral("Corvalisto.mdb"));
        return out;
    }
    void putBack()
    {
        Database::close();
        for (const QString& f : besideDatabase())
            QFile::remove(dir.path(QStringLiteral("Dati/") + f));
        QFile::remove(db());
        dir.write(Database::kRelativePath, inUse);
    }

    TestWorkDir dir;
    ScriptedDialogs dlg;
    QByteArray inUse;
};

TEST_F(RestoreTest, AtStartAnUnusableDatabaseIsRestoredFromTheNewestGoodCopyAndKept)
{
    const struct {
        const char* what;
        std::function<void(RestoreTest&)> make;
        bool kept;
    } cases[] = {
        {"damaged", [](RestoreTest& t) { QFile(t.db()).resize(QFileInfo(t.db()).size() - 1); }, true},
        {"empty", [](RestoreTest& t) { QFile(t.db()).resize(0); }, true},
        {"missing", [](RestoreTest& t) { QFile::remove(t.db()); }, false},
    };
    // A newer copy that fails the check is passed over.
    dir.write(QFileInfo(Startup::dailyCopyPath(kDay.addDays(1))).fileName(), inUse.left(50000));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        putBack();
        c.make(*this);
        const QByteArray unusable = fileDigest(db());
        const Startup::OpenOutcome opened = Startup::openDatabase();
        ASSERT_FALSE(opened.ok);
        dlg.messages.clear();
        dlg.answer(Dialogs::Answer::Yes);
        ASSERT_TRUE(Restore::offerAtStart(nullptr, opened.message));
        ASSERT_EQ(dlg.messages.size(), 2u);
        EXPECT_EQ(dlg.messages[0].text, opened.message + QStringLiteral("\n\nRipristinare la copia del 06/12/26?"));
        EXPECT_TRUE(dlg.messages[1].text.startsWith(QStringLiteral("Dati ripristinati dalla copia del 06/12/26: ")));
        EXPECT_EQ(dbText(QStringLiteral("SELECT Riga1 FROM Azienda")), "copia");
        struct stat st {};
        EXPECT_TRUE(::stat(QFile::encodeName(db()).constData(), &st) == 0 && (st.st_mode & 0777) == 0600);
        const QStringList kept = besideDatabase();
        ASSERT_EQ(kept.size(), c.kept ? 1 : 0) << kept.join(u' ').toStdString();
        if (c.kept) {
            EXPECT_TRUE(kept[0].startsWith(QStringLiteral("Corvalisto_sostituito_"))) << kept[0].toStdString();
            EXPECT_EQ(fileDigest(dir.path(QStringLiteral("Dati/") + kept[0])), unusable);
            EXPECT_TRUE(dlg.messages[1].text.contains(kept[0]));
        }
    }
    // The day's copy already made is not replaced by the restored data; the next day's holds them.
    putBack();
    const QDate today = QDate::currentDate();
    ASSERT_FALSE(Database::open(db()));
    Restore::dailyCopy(today);
    const QByteArray todays = fileDigest(Startup::dailyCopyPath(today));
    ASSERT_TRUE(Restore::restore(copy()).ok);
    Restore::dailyCopy(today);
    EXPECT_EQ(fileDigest(Startup::dailyCopyPath(today)), todays);
    Restore::dailyCopy(today.addDays(1));
    EXPECT_EQ(fileDigest(Startup::dailyCopyPath(today.addDays(1))), fileDigest(copy()));
}

// Another program on the database, or a copy that fails its check (also when damaged while the
// question was up): refused, and the database in use stays as it was.
TEST_F(RestoreTest, AnotherProgramOnTheDatabaseOrADamagedCopyStopsTheRestore)
{
    ASSERT_FALSE(Database::open(db()));
    {
        // What every program holds while the database is open.
        const FolderLock other(dir.path(QStringLiteral("Dati")), FolderLock::Shared);
        ASSERT_TRUE(other.held());
        const Restore::Outcome r = Restore::restore(copy());
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.message.contains(QStringLiteral("aperto da un altro programma"))) << r.message.toStdString();
    }
    EXPECT_EQ(dir.read(Database::kRelativePath), inUse);
    EXPECT_TRUE(besideDatabase().isEmpty());
    EXPECT_TRUE(Database::isOpen());

    const QByteArray good = dir.read(QFileInfo(copy()).fileName());
    dir.write(QFileInfo(copy()).fileName(), good.left(good.size() - 1));
    const Restore::Outcome r = Restore::restore(copy());
    EXPECT_TRUE(!r.ok && r.message.contains(QStringLiteral("non è integra"))) << r.message.toStdString();
    EXPECT_EQ(dbText(QStringLiteral("SELECT Riga1 FROM Azienda")), "in uso");
    EXPECT_EQ(dir.read(Database::kRelativePath), inUse);
    EXPECT_TRUE(besideDatabase().isEmpty());

    putBack();
    dir.write(QFileInfo(copy()).fileName(), good);
    QFile(db()).resize(0);
    dlg.whileShown = [&](const QString&) { QFile(copy()).resize(good.size() / 2); };
    EXPECT_FALSE(Restore::offerAtStart(nullptr, Startup::openDatabase().message));
    EXPECT_TRUE(dlg.lastText().contains(QStringLiteral("non è integra")));
    EXPECT_EQ(QFileInfo(db()).size(), 0);
    EXPECT_TRUE(besideDatabase().isEmpty());
}

// kill -9 at random moments of a restore: the database's name holds the old file or the
// restored one, whole; a kept file is the old one, whole; the next start opens and clears.
TEST_F(RestoreTest, KilledAtAnyMomentItLeavesOneWholeDatabase)
{
    // Large enough for a restore to last long enough to be caught at every step.
    ASSERT_FALSE(Database::open(copy()));
    ASSERT_FALSE(Database::exec(QStringLiteral("CREATE TABLE Zavorra (x BLOB)")));
    for (int i = 0; i < 8; ++i)
        ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Zavorra VALUES (randomblob(1048576))")));
    Database::close();
    const QByteArray restored = fileDigest(copy());
    const QByteArray old = fileDigest(db());
    auto runChild = [&] {
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(Restore::restore(copy()).ok ? 0 : 1);
        return child;
    };
    QElapsedTimer clock;
    clock.start();
    int status = 0;
    ::waitpid(runChild(), &status, 0);
    const qint64 whole = clock.nsecsElapsed() / 1000;
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0 && fileDigest(db()) == restored);

    int kills = 0;
    int sides[2] = {}; // kills that left the old file, the restored one
    // The moments follow the machine's pace: a busy machine restores slower than the first run, so
    // the span grows while every kill lands before the rename and shrinks when one comes too late.
    qint64 span = 2 * whole;
    for (int round = 0; round < 300 && (kills < 40 || !sides[0] || !sides[1]); ++round) {
        putBack();
        const pid_t child = runChild();
        ::usleep(useconds_t(QRandomGenerator::global()->bounded(span)));
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        if (!WIFSIGNALED(status)) {
            span = span * 9 / 10 + 1;
            continue;
        }
        ++kills;
        const QByteArray now = fileDigest(db());
        ASSERT_TRUE(now == old || now == restored) << "round " << round;
        ++sides[now == restored];
        if (now == old)
            span = span * 21 / 20;
        for (const QString& f : besideDatabase())
            EXPECT_TRUE(!f.startsWith(QStringLiteral("Corvalisto_sostituito_")) ||
                        fileDigest(dir.path(QStringLiteral("Dati/") + f)) == old)
                << f.toStdString();
        const Startup::OpenOutcome next = Startup::openDatabase(Startup::Creation::Never);
        ASSERT_TRUE(next.ok) << next.message.toStdString();
        for (const QString& f : besideDatabase())
            EXPECT_TRUE(f.startsWith(QStringLiteral("Corvalisto_sostituito_"))) << "left over: " << f.toStdString();
    }
    // The moments fell on both sides of the rename.
    EXPECT_TRUE(kills >= 30 && sides[0] > 0 && sides[1] > 0) << kills << " " << sides[0] << " " << sides[1];
}

} // namespace
