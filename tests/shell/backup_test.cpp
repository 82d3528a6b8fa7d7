#include "data/database.h"
#include "data/runtimeerrors.h"
#include "dumpcheck.h"
#include "shell/backup.h"
#include "shell/backuprun.h"
#include "workdir.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <map>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

QByteArray digest(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "(manca)";
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

QString riga1(const QString& databaseFile)
{
    const QString name = QStringLiteral("lettura");
    QString out;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(databaseFile);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(QStringLiteral("SELECT Riga1 FROM Azienda"), db);
            if (q.next())
                out = q.value(0).toString();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return out;
}

// A working folder with its database and settings, and an empty medium beside it.
class BackupTest : public ::testing::Test {
public:
    void SetUp() override
    {
        dir.write(QStringLiteral("Corvalisto.ini"), "10,\"Margine\"\r\n");
        dir.write(QStringLiteral("Printer.ini"), "\"Stampante\",\"Nome\"\r\n");
        ASSERT_FALSE(
            Database::exec(QStringLiteral("INSERT INTO Azienda (Riga1) VALUES (?)"), {QStringLiteral("nuovo")}));
    }
    void TearDown() override
    {
        Backup::setFolderOption(QString());
        qunsetenv("CORVALISTO_FLOPPY");
    }
    QString onMedium(const QString& name) const { return QDir(medium.path()).filePath(name); }
    QStringList mediumFiles() const
    {
        return QDir(medium.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }

    TestWorkDir dir;
    QTemporaryDir medium;
};

TEST_F(BackupTest, CopiesTheThreeFilesInOrderWithTheirProgress)
{
    std::vector<int> seen;
    BackupRun run(medium.path(), [&](int step, const QString& folder) {
        seen.push_back(step);
        return Backup::copyStep(step, folder);
    });
    std::vector<int> progress{run.progress()};
    while (!run.done()) {
        ASSERT_FALSE(run.copyNext());
        progress.push_back(run.progress());
    }
    EXPECT_EQ(progress, (std::vector<int>{0, 33, 66, 100}));
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
    QStringList expected{"Corvalisto.ini", "Printer.ini",
                         TestWorkDir::onServer() ? "Corvalisto.dump" : "Corvalisto.mdb"};
    expected.sort();
    EXPECT_EQ(mediumFiles(), expected);
    EXPECT_EQ(digest(onMedium("Corvalisto.ini")), digest(dir.path("Corvalisto.ini")));
    EXPECT_EQ(digest(onMedium("Printer.ini")), digest(dir.path("Printer.ini")));
    if (TestWorkDir::onServer()) {
        // The server's dump, restored into a new database, holds what was written.
        const QString url = Database::serverUrl();
        const QString restored = restoreDump(onMedium("Corvalisto.dump"));
        ASSERT_FALSE(restored.startsWith(u'!')) << restored.toStdString();
        ASSERT_FALSE(Database::openServer(restored));
        EXPECT_EQ(Database::scalar(QStringLiteral("SELECT Riga1 FROM Azienda")).value().toString(), "nuovo");
        ASSERT_FALSE(Database::openServer(url));
    } else {
        EXPECT_FALSE(Database::verify(onMedium("Corvalisto.mdb")));
        EXPECT_EQ(riga1(onMedium("Corvalisto.mdb")), "nuovo");
    }
    // The database still open for the program is not disturbed.
    EXPECT_EQ(Database::scalar(QStringLiteral("SELECT Riga1 FROM Azienda")).value().toString(), "nuovo");
}

TEST_F(BackupTest, AFailedFileIsTriedAgainAndTheRunGoesOnFromIt)
{
    std::vector<int> calls;
    int failures = 1;
    BackupRun run(medium.path(), [&](int step, const QString& folder) -> Backup::Outcome {
        calls.push_back(step);
        if (step == 1 && failures-- > 0)
            return Backup::Failure{RuntimeErrors::PermissionDenied, QStringLiteral("Autorizzazione negata")};
        return Backup::copyStep(step, folder);
    });
    EXPECT_FALSE(run.copyNext());
    const Backup::Outcome failed = run.copyNext();
    ASSERT_TRUE(failed);
    EXPECT_EQ(Backup::message(*failed), "Disco protetto");
    EXPECT_EQ(run.nextStep(), 1);
    EXPECT_EQ(run.progress(), 33);
    EXPECT_FALSE(run.copyNext());
    EXPECT_FALSE(run.copyNext());
    EXPECT_TRUE(run.done());
    EXPECT_EQ(calls, (std::vector<int>{0, 1, 1, 2}));
    EXPECT_EQ(mediumFiles().size(), 3);

    // Left after a failure, the run keeps the files copied so far and nothing half-written.
    BackupRun cut(medium.path(), [&](int step, const QString& folder) -> Backup::Outcome {
        if (step == 2)
            return Backup::Failure{RuntimeErrors::DiskFull, RuntimeErrors::text(RuntimeErrors::DiskFull)};
        return Backup::copyStep(step, folder);
    });
    QFile::remove(onMedium(Backup::fileName(2)));
    dir.write(QStringLiteral("Printer.ini"), "\"Altra\",\"Nome\"\r\n");
    EXPECT_FALSE(cut.copyNext());
    EXPECT_FALSE(cut.copyNext());
    EXPECT_EQ(Backup::message(*cut.copyNext()), "Disco pieno");
    EXPECT_EQ(mediumFiles(), (QStringList{"Corvalisto.ini", "Printer.ini"}));
    EXPECT_EQ(digest(onMedium("Printer.ini")), digest(dir.path("Printer.ini")));
}

TEST_F(BackupTest, RealFailuresAreToldAsTheUserKnowsThem)
{
    // A missing source file: its description, and nothing appears on the medium.
    QFile::remove(dir.path("Printer.ini"));
    Backup::Outcome failed = Backup::copyStep(1, medium.path());
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->number, RuntimeErrors::FileNotFound);
    EXPECT_EQ(Backup::message(*failed), "Impossibile trovare il file");
    EXPECT_TRUE(mediumFiles().isEmpty());

    if (TestWorkDir::onServer()) {
        // pg_dump that cannot run: the earlier dump stays whole, and nothing else is left.
        ASSERT_FALSE(Backup::copyStep(2, medium.path()));
        const QByteArray earlier = digest(onMedium("Corvalisto.dump"));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(dir.path("Dati")));
        failed = Backup::copyStep(2, medium.path());
        qputenv("PATH", path);
        ASSERT_TRUE(failed);
        EXPECT_FALSE(Backup::message(*failed).isEmpty());
        EXPECT_EQ(mediumFiles(), QStringList{"Corvalisto.dump"});
        EXPECT_EQ(digest(onMedium("Corvalisto.dump")), earlier);
        QFile::remove(onMedium("Corvalisto.dump"));
    }

    // The medium pulled out.
    const QString gone = onMedium("tolta");
    failed = Backup::copyStep(0, gone);
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->number, RuntimeErrors::DiskNotReady);
    failed = Backup::copyStep(2, gone);
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->number, RuntimeErrors::DiskNotReady);

    // A write-protected medium; root ignores permissions, so it is tried as an ordinary user.
    ASSERT_TRUE(QDir(medium.path()).mkdir("protetto"));
    const QString locked = onMedium("protetto");
    ::chmod(QFile::encodeName(medium.path()).constData(), 0755);
    ::chmod(QFile::encodeName(locked).constData(), 0555);
    auto protectedSteps = [&] {
        int ok = 0;
        for (int step : {0, 2}) {
            const Backup::Outcome f = Backup::copyStep(step, locked);
            ok += f && Backup::message(*f) == QStringLiteral("Disco protetto");
        }
        return ok == 2 && QDir(locked).isEmpty(QDir::Files | QDir::Hidden | QDir::System);
    };
    if (::geteuid() == 0) {
        ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
        ::chmod(QFile::encodeName(dir.path("Dati")).constData(), 0755);
        ::chmod(QFile::encodeName(dir.path(Database::kRelativePath)).constData(), 0644);
        const pid_t child = ::fork();
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(2);
            ::_exit(protectedSteps() ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    } else {
        EXPECT_TRUE(protectedSteps());
    }
}

TEST_F(BackupTest, AFullMediumIsDiscoPienoAndTheEarlierBackupStaysWhole)
{
    BackupRun earlier(medium.path());
    while (!earlier.done())
        ASSERT_FALSE(earlier.copyNext());
    std::map<QString, QByteArray> before;
    for (const QString& f : mediumFiles())
        before[f] = digest(onMedium(f));
    // No file may grow past its first byte, as on a medium with no room left. pg_dump would
    // inherit the limit and say so in its own words, so on the server the dump is left out.
    const std::vector<int> steps = TestWorkDir::onServer() ? std::vector<int>{0, 1} : std::vector<int>{0, 1, 2};
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit full{1, 1};
        ::setrlimit(RLIMIT_FSIZE, &full);
        int wrong = 0;
        for (int step : steps) {
            const Backup::Outcome f = Backup::copyStep(step, medium.path());
            if (!f || f->number != RuntimeErrors::DiskFull || Backup::message(*f) != QStringLiteral("Disco pieno"))
                wrong |= 1 << step;
        }
        ::_exit(wrong);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "steps not told as \"Disco pieno\" (bit mask)";
    std::map<QString, QByteArray> after;
    for (const QString& f : mediumFiles())
        after[f] = digest(onMedium(f));
    EXPECT_EQ(after, before);
}

TEST_F(BackupTest, TheMediumIsFoundAndAskedForAgainWhenMissing)
{
    bool earlier = true;
    for (const QString& none : {QString(), onMedium("tolta"), onMedium("Corvalisto.ini")}) {
        QFile(onMedium("Corvalisto.ini")).open(QIODevice::WriteOnly);
        const Backup::Outcome f = Backup::checkMedium(none, &earlier);
        ASSERT_TRUE(f) << none.toStdString();
        EXPECT_EQ(f->number, RuntimeErrors::BadFileName);
    }
    EXPECT_FALSE(Backup::checkMedium(medium.path(), &earlier));
    EXPECT_FALSE(earlier);
    QFile(onMedium(Backup::fileName(2))).open(QIODevice::WriteOnly);
    EXPECT_FALSE(Backup::checkMedium(medium.path(), &earlier));
    EXPECT_TRUE(earlier);

    // --floppy, then the environment, then a medium mounted for the user.
    qputenv("CORVALISTO_FLOPPY", "/dal/ambiente");
    Backup::setFolderOption(QStringLiteral("/dalla/riga"));
    EXPECT_EQ(Backup::targetFolder(), "/dalla/riga");
    Backup::setFolderOption(QString());
    EXPECT_EQ(Backup::targetFolder(), "/dal/ambiente");

    const QList<Backup::Volume> volumes = {{"/", true},
                                           {"/media/anna", true},
                                           {"/media/bruno/USB", true},
                                           {"/run/media/anna/LENTA", false},
                                           {"/run/media/anna/CHIAVETTA", true},
                                           {"/media/anna/SECONDA", true}};
    EXPECT_EQ(Backup::pickRemovable(volumes, "anna"), "/run/media/anna/CHIAVETTA");
    EXPECT_EQ(Backup::pickRemovable(volumes, "bruno"), "/media/bruno/USB");
    EXPECT_EQ(Backup::pickRemovable(volumes, "carla"), "");
    EXPECT_EQ(Backup::pickRemovable(volumes, ""), "");
}

// The program killed while the database goes to the medium: the older backup is still there
// whole, and the next backup clears what the killed one left.
TEST_F(BackupTest, AKillDuringTheDatabaseCopyLeavesTheOlderBackupWhole)
{
    SKIP_ON_SERVER("the copy of the SQLite file; a failing pg_dump is tried with the daily copy");
    ASSERT_FALSE(Backup::copyStep(2, medium.path()));
    const QByteArray older = digest(onMedium("Corvalisto.mdb"));
    ASSERT_FALSE(Database::exec(QStringLiteral("UPDATE Azienda SET Riga1 = ?"), {QStringLiteral("dopo")}));
    // Large enough for the copy to be caught half-way.
    ASSERT_FALSE(Database::exec(QStringLiteral("CREATE TABLE Zavorra (x BLOB)")));
    for (int i = 0; i < 48; ++i)
        ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Zavorra VALUES (randomblob(1048576))")));

    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(Backup::copyStep(2, medium.path()) ? 1 : 0);
    bool caught = false;
    for (int i = 0; i < 200000 && !caught; ++i) {
        for (const QString& f : mediumFiles())
            caught = caught || f.startsWith(QLatin1String(".Corvalisto.mdb.")); // the copy being written
        if (caught)
            ::kill(child, SIGKILL);
        else
            ::usleep(50);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(caught) << "the copy ended before it could be caught";
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(digest(onMedium("Corvalisto.mdb")), older);
    EXPECT_FALSE(Database::verify(onMedium("Corvalisto.mdb")));
    EXPECT_EQ(riga1(onMedium("Corvalisto.mdb")), "nuovo");

    ASSERT_FALSE(Backup::copyStep(2, medium.path()));
    EXPECT_EQ(mediumFiles(), QStringList{"Corvalisto.mdb"});
    EXPECT_EQ(riga1(onMedium("Corvalisto.mdb")), "dopo");
}

} // namespace
