#include "data/database.h"
#include "data/schema.h"
#include "dbrows.h"
#include "shell/appstate.h"
#include "shell/companystore.h"
#include "shell/startup.h"
#include "shelltest.h"

#include <QFileInfo>
#include <QImage>
#include <gtest/gtest.h>

namespace {

TEST(Startup, FirstStartFillsTheFolderWithoutOverwritingAndReadsTheSettings)
{
    TestWorkDir dir(false);
    QImage mine(10, 10, QImage::Format_RGB32);
    mine.fill(Qt::red);
    QDir().mkpath(dir.path(QStringLiteral("Img")));
    ASSERT_TRUE(mine.save(dir.path(QStringLiteral("Img/img1.bmp"))));
    const QByteArray own = dir.read(QStringLiteral("Img/img1.bmp"));
    dir.write(QStringLiteral("Corvalisto.ini"), "5.5,\"m\"\r\n#TRUE#,\"l\"\r\n#FALSE#,\"s\"\r\n\"copie\",\"p\"\r\n");
    dir.write(QStringLiteral("Printer.ini"), "\"Ufficio\",\"Stampante Pred.Programma\"\r\n");
    Startup::prepareWorkFolder();
    Startup::loadSettings();
    EXPECT_EQ(dir.read(QStringLiteral("Img/img1.bmp")), own);
    for (const char* shipped : {"Img/img1_2.bmp", "Img/img8.bmp", "Img/img8_2.bmp", "Img/Logo.bmp"})
        EXPECT_FALSE(QImage(dir.path(QString::fromLatin1(shipped))).isNull()) << shipped;
    EXPECT_FALSE(QImage(dir.path(QStringLiteral("Img/Logo.bmp"))).isGrayscale());
    EXPECT_TRUE(QImage(dir.path(QStringLiteral("Img/LogoBN.bmp"))).isGrayscale());
    EXPECT_FLOAT_EQ(app().margineLaterale, 5.5f);
    EXPECT_TRUE(app().logoColori);
    EXPECT_EQ(app().stampantePredefinita, "Ufficio");
}

TEST(Startup, DailyCopyIsNamedByDayAndReplacedTheSameDay)
{
    SKIP_ON_SERVER("the copy of the SQLite file; the server's is a dump");
    TestWorkDir dir;
    const QDate day(2026, 12, 4);
    EXPECT_EQ(QFileInfo(Startup::dailyCopyPath(day)).fileName(), "Corvalisto_04-12-26.mdb");
    // Empty setting: the working folder.
    EXPECT_EQ(QFileInfo(Startup::dailyCopyPath(day)).absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
    QDir().mkpath(dir.path(QStringLiteral("copie")));
    app().percorsoBackup = dir.path(QStringLiteral("copie"));
    ASSERT_FALSE(CompanyStore::save({QStringLiteral("Prima")}));
    EXPECT_EQ(Startup::copiaGiornaliera(day), "");
    ASSERT_FALSE(CompanyStore::save({QStringLiteral("Seconda")}));
    EXPECT_EQ(Startup::copiaGiornaliera(day), "");
    EXPECT_EQ(Startup::copiaGiornaliera(day.addDays(1)), "");
    EXPECT_EQ(QDir(app().percorsoBackup).entryList(QDir::Files),
              (QStringList{"Corvalisto_04-12-26.mdb", "Corvalisto_05-12-26.mdb"}));
    EXPECT_EQ(Startup::newestDailyCopy(), Startup::dailyCopyPath(day.addDays(1)));
    Database::close();
    ASSERT_FALSE(Database::open(Startup::dailyCopyPath(day)));
    EXPECT_EQ(CompanyStore::load().value().value(0), "Seconda");
    // A folder that is missing, a file or the root: the user is told where and why, nothing is written.
    dir.write(QStringLiteral("copie.txt"), "appunti");
    const std::pair<QString, const char*> wrong[] = {{dir.path(QStringLiteral("non/esiste")), "non esiste"},
                                                     {QStringLiteral("copie.txt"), "non è una cartella"},
                                                     {QStringLiteral("/"), "radice del disco"}};
    for (const auto& [setting, why] : wrong) {
        app().percorsoBackup = setting;
        const QString told = Startup::copiaGiornaliera(day.addDays(2));
        EXPECT_TRUE(told.contains(QStringLiteral("non è stata fatta")) && told.contains(QString::fromUtf8(why)) &&
                    told.contains(QDir::toNativeSeparators(Startup::backupFolder())))
            << told.toStdString();
        for (const QString& folder : {dir.path(), dir.path(QStringLiteral("non")), QDir::rootPath()})
            EXPECT_FALSE(QFileInfo::exists(QDir(folder).filePath(QStringLiteral("Corvalisto_06-12-26.mdb"))));
    }
    EXPECT_EQ(dir.read(QStringLiteral("copie.txt")), "appunti");
}

TEST(Startup, AnOlderDatabaseIsCopiedBeforeItChangesShapeAndANewerOneIsRefused)
{
    TestWorkDir dir;
    const QString url = Database::serverUrl();
    Startup::useServer(url);
    // The table the last step makes ("CREATE TABLE IF NOT EXISTS Name (...").
    const QString last = Schema::stepStatements(Schema::latest()).first().section(u' ', 5, 5);
    ASSERT_FALSE(Database::exec(QStringLiteral("DROP TABLE ") + last));
    recordShape(Schema::latest() - 1);
    ASSERT_TRUE(Startup::openDatabase().ok);
    EXPECT_TRUE(hasTable(last));
    // The day's copy holds the database as it was before the step: opening it asks for a step,
    // which is refused here.
    const QDate today = QDate::currentDate();
    const auto refuse = [] { return DbStatus(DbError{1, QStringLiteral("forma precedente")}); };
    const DbStatus older = url.isEmpty() ? Database::open(Startup::dailyCopyPath(today), refuse)
                                         : Database::openServer(restoreDump(Startup::dailyDumpPath(today)), refuse);
    EXPECT_TRUE(older && older->text == QStringLiteral("forma precedente"));
    ASSERT_FALSE(url.isEmpty() ? Database::open(app().path(Database::kRelativePath)) : Database::openServer(url));
    recordShape(Schema::latest() + 1);
    const QString told = Startup::openDatabase().message;
    EXPECT_TRUE(told.contains(QStringLiteral("versione più recente")) &&
                told.contains(QStringLiteral("non lo modifica")))
        << told.toStdString();
    EXPECT_FALSE(Database::isOpen());
    Startup::useServer({});
}

} // namespace
