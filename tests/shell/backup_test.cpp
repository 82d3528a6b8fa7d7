#include "data/database.h"
#include "data/runtimeerrors.h"
#include "shell/backup.h"
#include "shell/backuprun.h"
#include "shelltest.h"

#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <vector>

namespace {

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
    BackupRun run(medium.path());
    std::vector<int> progress{run.progress()};
    while (!run.done()) {
        ASSERT_FALSE(run.copyNext());
        progress.push_back(run.progress());
    }
    EXPECT_EQ(progress, (std::vector<int>{0, 33, 66, 100}));
    QStringList expected{"Corvalisto.ini", "Printer.ini", Backup::fileName(2)};
    expected.sort();
    EXPECT_EQ(mediumFiles(), expected);
    for (const char* ini : {"Corvalisto.ini", "Printer.ini"})
        EXPECT_EQ(fileDigest(onMedium(ini)), fileDigest(dir.path(ini))) << ini;
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
    }
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
    EXPECT_EQ(run.progress(), 33);
    while (!run.done())
        EXPECT_FALSE(run.copyNext());
    EXPECT_EQ(calls, (std::vector<int>{0, 1, 1, 2}));

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
    EXPECT_EQ(fileDigest(onMedium("Printer.ini")), fileDigest(dir.path("Printer.ini")));
}

TEST_F(BackupTest, TheMediumIsFoundAndAskedForAgainWhenMissing)
{
    bool earlier = true;
    QFile(onMedium("Corvalisto.ini")).open(QIODevice::WriteOnly);
    for (const QString& none : {QString(), onMedium("tolta"), onMedium("Corvalisto.ini")}) {
        const Backup::Outcome f = Backup::checkMedium(none, &earlier);
        EXPECT_TRUE(f && f->number == RuntimeErrors::BadFileName) << none.toStdString();
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
    // clang-format off
    const QList<Backup::Volume> volumes = {{"/", true}, {"/media/bruno/USB", true}, {"/run/media/anna/LENTA", false},
                                           {"/run/media/anna/CHIAVETTA", true}, {"/media/anna/SECONDA", true}};
    const char* users[][2] = {{"anna", "/run/media/anna/CHIAVETTA"}, {"bruno", "/media/bruno/USB"}, {"carla", ""}};
    // clang-format on
    for (const auto& [user, found] : users)
        EXPECT_EQ(Backup::pickRemovable(volumes, user), found) << user;
}

// The program killed while the database goes to the medium: the older backup is still there
// whole, and the next backup clears what the killed one left.
TEST_F(BackupTest, AKillDuringTheDatabaseCopyLeavesTheOlderBackupWhole)
{
    SKIP_ON_SERVER("the copy of the SQLite file; a failing pg_dump is tried with the daily copy");
    ASSERT_FALSE(Backup::copyStep(2, medium.path()));
    const QByteArray older = fileDigest(onMedium("Corvalisto.mdb"));
    // Large enough for the copy to be caught half-way.
    ASSERT_FALSE(Database::exec(QStringLiteral("CREATE TABLE Zavorra (x BLOB)")));
    for (int i = 0; i < 48; ++i)
        ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Zavorra VALUES (randomblob(1048576))")));
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(Backup::copyStep(2, medium.path()) ? 1 : 0);
    bool caught = false; // the copy being written is seen
    for (int i = 0; i < 200000 && !caught; ++i)
        if (!(caught = !mediumFiles().filter(QStringLiteral(".Corvalisto.mdb.")).isEmpty()))
            ::usleep(50);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(caught && WIFSIGNALED(status)) << "the copy ended before it could be caught";
    EXPECT_EQ(fileDigest(onMedium("Corvalisto.mdb")), older);
    ASSERT_FALSE(Backup::copyStep(2, medium.path()));
    EXPECT_EQ(mediumFiles(), QStringList{"Corvalisto.mdb"});
    EXPECT_NE(fileDigest(onMedium("Corvalisto.mdb")), older);
}

} // namespace
