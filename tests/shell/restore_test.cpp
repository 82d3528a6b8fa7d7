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
const QString kRestored =
    QStringLiteral("Dati ripristinati dalla copia del 06/12/26: le modifiche successive a quel giorno non ci sono.");

void setRiga1(const QString& text)
{
    ASSERT_FALSE(Database::exec(QStringLiteral("DELETE FROM Azienda")));
    ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Azienda (Riga1) VALUES (?)"), {text}));
}

// A folder whose database says "in uso" and whose daily copy of kDay says "copia"; the database
// is closed, as at a start that found it unusable.
class RestoreTest : public ::testing::Test {
public:
    void SetUp() override
    {
        if (TestWorkDir::onServer())
            GTEST_SKIP() << "the SQLite file and its copies";
        setRiga1(QStringLiteral("copia"));
        ASSERT_FALSE(Database::copyTo(Startup::dailyCopyPath(kDay)));
        setRiga1(QStringLiteral("in uso"));
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
        {"foreign",
         [](RestoreTest& t) {
             ASSERT_FALSE(Database::open(t.db()));
             ASSERT_FALSE(Database::exec(QStringLiteral("DROP TABLE Ddt")));
             Database::close();
         },
         true},
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
        EXPECT_TRUE(dlg.messages[1].text.startsWith(kRestored)) << dlg.messages[1].text.toStdString();
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
}

// No, nothing to offer, or a copy that fails its check: the database stays as it was.
TEST_F(RestoreTest, NoOrNothingToOfferChangesNothing)
{
    const QByteArray good = dir.read(QFileInfo(copy()).fileName());
    for (const bool removeCopies : {false, true}) {
        SCOPED_TRACE(removeCopies ? "no good copy" : "the user says No");
        QFile(db()).resize(100);
        if (removeCopies)
            QFile(copy()).resize(100);
        const auto before = snapshot(dir);
        const Startup::OpenOutcome opened = Startup::openDatabase();
        dlg.messages.clear();
        dlg.answer(Dialogs::Answer::No);
        EXPECT_FALSE(Restore::offerAtStart(nullptr, opened.message));
        ASSERT_EQ(dlg.messages.size(), 1u);
        EXPECT_EQ(dlg.messages[0].buttons, removeCopies ? Dialogs::Buttons::Ok : Dialogs::Buttons::YesNo);
        EXPECT_FALSE(Database::isOpen());
        EXPECT_EQ(snapshot(dir), before);
    }

    putBack();
    ASSERT_FALSE(Database::open(db()));
    dir.write(QFileInfo(copy()).fileName(), good.left(good.size() - 1));
    const Restore::Outcome r = Restore::restore(copy());
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains(QStringLiteral("non è integra"))) << r.message.toStdString();
    // The database in use is open again, untouched.
    EXPECT_EQ(dbText(QStringLiteral("SELECT Riga1 FROM Azienda")), "in uso");
    EXPECT_EQ(dir.read(Database::kRelativePath), inUse);
    EXPECT_TRUE(besideDatabase().isEmpty());

    // At start the copy is checked again after the question: damaged meanwhile, it is refused.
    putBack();
    dir.write(QFileInfo(copy()).fileName(), good);
    QFile(db()).resize(0);
    dlg.whileShown = [&](const QString&) { QFile(copy()).resize(good.size() / 2); };
    EXPECT_FALSE(Restore::offerAtStart(nullptr, Startup::openDatabase().message));
    EXPECT_TRUE(dlg.lastText().contains(QStringLiteral("non è integra")));
    EXPECT_EQ(QFileInfo(db()).size(), 0);
    EXPECT_TRUE(besideDatabase().isEmpty());
}

TEST_F(RestoreTest, AnotherProgramOnTheDatabaseStopsTheRestore)
{
    ASSERT_FALSE(Database::open(db()));
    // What every program holds while the database is open.
    const FolderLock other(dir.path(QStringLiteral("Dati")), FolderLock::Shared);
    ASSERT_TRUE(other.held());
    const Restore::Outcome r = Restore::restore(copy());
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains(QStringLiteral("aperto da un altro programma"))) << r.message.toStdString();
    EXPECT_EQ(dir.read(Database::kRelativePath), inUse);
    EXPECT_TRUE(besideDatabase().isEmpty());
    EXPECT_TRUE(Database::isOpen());
}

TEST_F(RestoreTest, TheDaysCopyIsNotReplacedByARestore)
{
    const QDate today = QDate::currentDate();
    ASSERT_FALSE(Database::open(db()));
    Restore::dailyCopy(today);
    const QByteArray todays = fileDigest(Startup::dailyCopyPath(today));
    ASSERT_TRUE(Restore::restore(copy()).ok);
    Restore::dailyCopy(today);
    EXPECT_EQ(fileDigest(Startup::dailyCopyPath(today)), todays);
    // The next day's copy holds the restored data.
    Restore::dailyCopy(today.addDays(1));
    EXPECT_EQ(fileDigest(Startup::dailyCopyPath(today.addDays(1))), fileDigest(copy()));
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
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_EQ(fileDigest(db()), restored);

    int kills = 0;
    std::map<QString, int> outcomes;
    for (int round = 0; round < 200 && kills < 40; ++round) {
        putBack();
        const pid_t child = runChild();
        // Up to twice the measured time: on a busy machine a restore can take longer than the first one,
        // and a kill that comes too late is simply not counted.
        ::usleep(useconds_t(QRandomGenerator::global()->bounded(2 * whole)));
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        if (!WIFSIGNALED(status))
            continue;
        ++kills;
        const QByteArray now = fileDigest(db());
        ASSERT_TRUE(now == old || now == restored) << "round " << round;
        ++outcomes[now == old ? QStringLiteral("old") : QStringLiteral("restored")];
        for (const QString& f : besideDatabase())
            EXPECT_TRUE(!f.startsWith(QStringLiteral("Corvalisto_sostituito_")) ||
                        fileDigest(dir.path(QStringLiteral("Dati/") + f)) == old)
                << f.toStdString();
        const Startup::OpenOutcome next = Startup::openDatabase(Startup::Creation::Never);
        ASSERT_TRUE(next.ok) << next.message.toStdString();
        for (const QString& f : besideDatabase())
            EXPECT_TRUE(f.startsWith(QStringLiteral("Corvalisto_sostituito_"))) << "left over: " << f.toStdString();
    }
    EXPECT_GE(kills, 30);
    // The moments fell on both sides of the rename.
    EXPECT_GT(outcomes[QStringLiteral("old")], 0);
    EXPECT_GT(outcomes[QStringLiteral("restored")], 0);
}

TEST(RestoreServer, TheServerExplainsThePgRestoreStepsInstead)
{
    TestWorkDir dir(false);
    ScriptedDialogs dlg;
    Startup::useServer(QStringLiteral("postgresql://officina@server:5433/corvalisto"));
    EXPECT_FALSE(Restore::offerAtStart(nullptr, QStringLiteral("Il database è vuoto.")));
    Startup::useServer({});
    ASSERT_EQ(dlg.messages.size(), 1u);
    const QString text = dlg.messages[0].text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("Il database è vuoto.\n\n")));
    for (const char* step : {"pg_restore -h server -p 5433 -U officina -d corvalisto_ripristino",
                             "createdb -h server -p 5433 -U officina corvalisto_ripristino",
                             "--clean --if-exists -d corvalisto", "README"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(step))) << step << "\n" << text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.path(Database::kRelativePath)));
}

} // namespace
