#include "app/demodata.h"
#include "data/database.h"
#include "data/schema.h"
#include "dbrows.h"
#include "dumpcheck.h"
#include "resources/shippedpictures.h"
#include "shell/appstate.h"
#include "shell/companystore.h"
#include "shell/settingsfiles.h"
#include "shell/startup.h"
#include "workdir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <gtest/gtest.h>

namespace {

int count(const char* from)
{
    return Database::scalar(QStringLiteral("SELECT count(*) FROM ") + QString::fromLatin1(from)).value().toInt();
}

TEST(Startup, FirstStartFillsTheFolderWithoutOverwritingAndReadsTheSettings)
{
    TestWorkDir dir(false);
    dir.write(QStringLiteral("Img/img1.bmp"), "mia immagine");
    dir.write(QStringLiteral("Corvalisto.ini"), "5.5,\"m\"\r\n#TRUE#,\"l\"\r\n#FALSE#,\"s\"\r\n\"copie\",\"p\"\r\n");
    dir.write(QStringLiteral("Printer.ini"), "\"Ufficio\",\"Stampante Pred.Programma\"\r\n");
    Startup::prepareWorkFolder();
    Startup::loadSettings();
    EXPECT_EQ(dir.read(QStringLiteral("Img/img1.bmp")), QByteArray("mia immagine"));
    for (int i = 0; i < 8; ++i)
        for (bool hl : {false, true})
            EXPECT_TRUE(QFile::exists(dir.path(ShippedPictures::buttonFile(i, hl)))) << i;
    EXPECT_EQ(ShippedPictures::buttonFile(7, true), "Img/img8_2.bmp");
    for (const char* logo : {"Img/Logo.bmp", "Img/LogoBN.bmp"})
        EXPECT_TRUE(QFile::exists(dir.path(QString::fromLatin1(logo)))) << logo;
    EXPECT_FLOAT_EQ(app().margineLaterale, 5.5f);
    EXPECT_TRUE(app().logoColori);
    EXPECT_EQ(app().stampantePredefinita, "Ufficio");
    EXPECT_EQ(app().stampantePdf, "CutePDF Writer");
}

TEST(Startup, DailyCopyIsNamedByDayReplacedTheSameDayAndFailsSilently)
{
    SKIP_ON_SERVER("the copy of the SQLite file; the server's is a dump");
    TestWorkDir dir;
    const QDate day(2026, 12, 4);
    EXPECT_EQ(QFileInfo(Startup::dailyCopyPath(day)).fileName(), "Corvalisto_04-12-26.mdb");
    // Empty setting: the working folder.
    EXPECT_EQ(QFileInfo(Startup::dailyCopyPath(day)).absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
    app().percorsoBackup = dir.path(QStringLiteral("non/esiste"));
    Startup::copiaGiornaliera(day);
    EXPECT_FALSE(QFile::exists(Startup::dailyCopyPath(day)));
    EXPECT_TRUE(Startup::newestDailyCopy().isEmpty());

    QDir().mkpath(dir.path(QStringLiteral("copie")));
    app().percorsoBackup = dir.path(QStringLiteral("copie"));
    ASSERT_FALSE(CompanyStore::save({QStringLiteral("Prima")}));
    Startup::copiaGiornaliera(day);
    ASSERT_FALSE(CompanyStore::save({QStringLiteral("Seconda")}));
    Startup::copiaGiornaliera(day);
    Startup::copiaGiornaliera(day.addDays(1));
    EXPECT_EQ(QDir(app().percorsoBackup).entryList(QDir::Files),
              (QStringList{"Corvalisto_04-12-26.mdb", "Corvalisto_05-12-26.mdb"}));
    EXPECT_EQ(Startup::newestDailyCopy(), Startup::dailyCopyPath(day.addDays(1)));
    Database::close();
    ASSERT_FALSE(Database::open(Startup::dailyCopyPath(day)));
    EXPECT_EQ(CompanyStore::load().value().value(0), "Seconda");
}

// Every table with its number of rows, "Tabella=n" one a line.
QString tableCounts()
{
    QStringList out;
    for (const QString& t : Schema::tableNames())
        out << t + u'=' + QString::number(count(t.toLatin1().constData()));
    return out.join(u'\n');
}

TEST(Startup, TheServersDailyCopyIsADumpWrittenOnceADayAndNeverHalf)
{
    if (!TestWorkDir::onServer())
        GTEST_SKIP() << "needs the server";
    TestWorkDir dir;
    const QDate day(2026, 12, 6);
    QDir().mkpath(dir.path(QStringLiteral("copie")));
    app().percorsoBackup = QStringLiteral("copie");
    EXPECT_EQ(Startup::dailyDumpPath(day), dir.path(QStringLiteral("copie/Corvalisto_06-12-26.dump")));
    ASSERT_FALSE(DemoData::fill());
    const QString url = Database::serverUrl();
    const QString before = tableCounts();
    auto files = [&] {
        return QDir(dir.path(QStringLiteral("copie"))).entryList(QDir::Files | QDir::Hidden | QDir::System);
    };

    // What a start does: open, then the day's copy.
    Startup::useServer(url);
    ASSERT_TRUE(Startup::openDatabase().ok);
    Startup::copiaGiornaliera(day);
    ASSERT_EQ(files(), QStringList{"Corvalisto_06-12-26.dump"});
    const QString dump = Startup::dailyDumpPath(day);
    EXPECT_TRUE(dumpContents(dump).contains(QStringLiteral("TABLE DATA public fatture")))
        << dumpContents(dump).toStdString();
    EXPECT_EQ(QFileInfo(dump).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup), 0);

    // A second seat the same day leaves the first one's copy as it is.
    const QByteArray first = dir.read(QStringLiteral("copie/Corvalisto_06-12-26.dump"));
    ASSERT_FALSE(CompanyStore::save({QStringLiteral("Dopo")}));
    ASSERT_TRUE(Startup::openDatabase().ok);
    Startup::copiaGiornaliera(day);
    EXPECT_EQ(dir.read(QStringLiteral("copie/Corvalisto_06-12-26.dump")), first);
    EXPECT_EQ(files().size(), 1);

    // pg_dump missing, failing half-way or refused by the server: no file, not even half of one,
    // and the program goes on with its database.
    const QByteArray path = qgetenv("PATH");
    const QString bin = dir.path(QStringLiteral("bin"));
    QDir().mkpath(bin);
    qputenv("PATH", QFile::encodeName(bin));
    Startup::copiaGiornaliera(day.addDays(1));
    dir.write(QStringLiteral("bin/pg_dump"),
              "#!/bin/sh\necho \"$@\" > \"${0%/*}/argomenti\"\n"
              "for a; do case \"$a\" in --file=*) printf 'PGDMP mezza' > \"${a#--file=}\";; esac; done\nexit 1\n");
    QFile::setPermissions(dir.path(QStringLiteral("bin/pg_dump")), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    Startup::copiaGiornaliera(day.addDays(2));
    qputenv("PATH", path);
    qputenv("PGOPTIONS", "-c statement_timeout=nessuno");
    Startup::copiaGiornaliera(day.addDays(3));
    qunsetenv("PGOPTIONS");
    EXPECT_EQ(files().size(), 1) << files().join(u' ').toStdString();
    EXPECT_EQ(CompanyStore::load().value().value(0), "Dopo");
    // The server's address reaches pg_dump without a password.
    const QString args = QString::fromUtf8(dir.read(QStringLiteral("bin/argomenti")));
    EXPECT_TRUE(args.contains(QStringLiteral("dbname=")) && args.contains(QStringLiteral("--no-password")))
        << args.toStdString();
    EXPECT_FALSE(args.contains(QStringLiteral("password="))) << args.toStdString();

    // Restored into a new database, the copy is the database as it was at the start.
    const QString restored = restoreDump(dump);
    ASSERT_FALSE(restored.startsWith(u'!')) << restored.toStdString();
    ASSERT_FALSE(Database::openServer(restored));
    EXPECT_EQ(tableCounts(), before);
    EXPECT_NE(CompanyStore::load().value().value(0), "Dopo");
    Database::close();
    Startup::useServer({});
}

TEST(Startup, AnOlderDatabaseIsCopiedBeforeItChangesShapeAndANewerOneIsRefused)
{
    TestWorkDir dir;
    const QString url = Database::serverUrl();
    Startup::useServer(url);
    const QString file = app().path(Database::kRelativePath);
    ASSERT_FALSE(Database::exec(QStringLiteral("DROP TABLE FattureDdt")));
    recordShape(Schema::latest() - 1);
    ASSERT_TRUE(Startup::openDatabase().ok);
    EXPECT_TRUE(hasTable(QStringLiteral("FattureDdt")));
    // The day's copy holds the database as it was before the step.
    const QDate today = QDate::currentDate();
    if (url.isEmpty()) {
        Database::close();
        // Opening it asks for a step, which is refused here: the copy stays as it is.
        const DbStatus older = Database::open(Startup::dailyCopyPath(today), [] {
            return DbStatus(DbError{1, QStringLiteral("forma precedente")});
        });
        ASSERT_TRUE(older);
        EXPECT_EQ(older->text, QStringLiteral("forma precedente"));
        ASSERT_FALSE(Database::open(file));
    } else {
        const QString dump = dumpContents(Startup::dailyDumpPath(today));
        EXPECT_TRUE(dump.contains(QStringLiteral("TABLE public fatture "))) << dump.toStdString();
        EXPECT_FALSE(dump.contains(QStringLiteral("fattureddt"))) << dump.toStdString();
    }

    recordShape(Schema::latest() + 1);
    const QString where = url.isEmpty() ? QStringLiteral("Il database \"%1\"").arg(QDir::toNativeSeparators(file))
                                        : QStringLiteral("Il ") + Database::describeServer(url);
    EXPECT_EQ(Startup::openDatabase().message,
              where + QStringLiteral(" è stato scritto da una versione più recente di Corvalisto (il database è alla "
                                     "versione %1, questo programma conosce fino alla versione %2): il programma non "
                                     "lo usa e non lo modifica.\n\nInstallare la versione più recente del programma.")
                          .arg(Schema::latest() + 1)
                          .arg(Schema::latest()));
    EXPECT_FALSE(Database::isOpen());
    Startup::useServer({});
}

TEST(Startup, UpdateMarkerCountsOnlyWithoutTheDatabase)
{
    TestWorkDir dir(false);
    EXPECT_FALSE(Startup::updatePending());
    dir.write(Database::kUpdateMarker, "x");
    EXPECT_TRUE(Startup::updatePending());
    dir.write(Database::kRelativePath, QByteArray(4096, 'x'));
    EXPECT_FALSE(Startup::updatePending());
}

// Clearing line 1 and finding the record again is checked through the company window.
TEST(CompanyStore, ARecordWithoutLine1IsNotTheOneInUse)
{
    TestWorkDir dir;
    ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Azienda (Riga2) VALUES ('vuota')")));
    ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Azienda (Riga1) VALUES ('In uso')")));
    EXPECT_EQ(CompanyStore::load().value().value(0), "In uso");
    ASSERT_FALSE(CompanyStore::save({QStringLiteral("Cambiata")}));
    EXPECT_EQ(count("Azienda WHERE Riga1 IS NULL AND Riga2 = 'vuota'"), 1);
    EXPECT_EQ(dbRows(QStringLiteral("SELECT Riga1 FROM Azienda WHERE Riga1 IS NOT NULL")), "Cambiata");
}

const QString kIni = QStringLiteral("Corvalisto.ini");
const QString kSalva = QStringLiteral("salva");
const QString kCarica = QStringLiteral("carica");

TEST(SettingsFiles, WritesTheExactFormatInAnItalianLocaleAndReadsItBack)
{
    TestWorkDir dir(false);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    app().margineLaterale = 7.3f;
    app().logoColori = true;
    app().percorsoBackup = QStringLiteral("/srv/copie");
    app().stampantePredefinita = QStringLiteral("HP LaserJet, ufficio");
    SettingsFiles::ini(kSalva);
    SettingsFiles::printerIni(kSalva);
    EXPECT_EQ(dir.read(kIni), QByteArray("7.3,\"Margine laterale stampe\"\r\n#TRUE#,\"Logo a colori\"\r\n"
                                         "#FALSE#,\"Secondario\"\r\n\"/srv/copie\",\"Percorso backup\"\r\n"));
    EXPECT_EQ(dir.read(QStringLiteral("Printer.ini")),
              QByteArray("\"HP LaserJet, ufficio\",\"Stampante Pred.Programma\"\r\n"));
    app() = AppState();
    app().workDir = dir.path();
    SettingsFiles::ini(kCarica);
    SettingsFiles::printerIni(kCarica);
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(app().margineLaterale, 7.3f);
    EXPECT_TRUE(app().logoColori);
    EXPECT_FALSE(app().secondario);
    EXPECT_EQ(app().percorsoBackup, "/srv/copie");
    EXPECT_EQ(app().stampantePredefinita, "HP LaserJet, ufficio"); // the comma does not end the name
    // An unwritable folder is silent.
    app().workDir = dir.path(QStringLiteral("non/esiste"));
    SettingsFiles::ini(kSalva);
    SettingsFiles::printerIni(kSalva);
    EXPECT_TRUE(dir.read(QStringLiteral("non/esiste/Corvalisto.ini")).isEmpty());
}

TEST(SettingsFiles, OddFilesKeepWhatWasReadBeforeTheError)
{
    TestWorkDir dir(false);
    // Three lines: the backup folder stays as it was.
    app().percorsoBackup = QStringLiteral("prima");
    dir.write(kIni, "7,\"Margine\"\r\n#TRUE#,\"Logo\"\r\n#TRUE#,\"Secondaro\"\r\n");
    SettingsFiles::ini(kCarica);
    EXPECT_FLOAT_EQ(app().margineLaterale, 7);
    EXPECT_TRUE(app().logoColori && app().secondario);
    EXPECT_EQ(app().percorsoBackup, "prima");
    // Swapped lines: values go by position, so the third value is not a Boolean and reading stops.
    app().secondario = false;
    dir.write(kIni, "3,\"Margine\"\r\n#FALSE#,\"Secondario\"\r\n\"/x\",\"Percorso backup\"\r\n#TRUE#,\"Logo\"\r\n");
    SettingsFiles::ini(kCarica);
    EXPECT_FLOAT_EQ(app().margineLaterale, 3);
    EXPECT_FALSE(app().logoColori || app().secondario);
    EXPECT_EQ(app().percorsoBackup, "prima");
    // Garbage and a missing file change nothing.
    dir.write(kIni, "\x01\x02garbage\r\nzz");
    SettingsFiles::ini(kCarica);
    EXPECT_FLOAT_EQ(app().margineLaterale, 3);
    app().stampantePredefinita = QStringLiteral("Precedente");
    SettingsFiles::printerIni(kCarica);
    EXPECT_EQ(app().stampantePredefinita, "Precedente");
}

} // namespace
