#include "app/demodata.h"
#include "data/database.h"
#include "data/schema.h"
#include "dbrows.h"
#include "resources/shippedpictures.h"
#include "shell/appstate.h"
#include "shell/companystore.h"
#include "shell/settingsfiles.h"
#include "shell/startup.h"
#include "shelltest.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <gtest/gtest.h>

namespace {

int count(const char* from)
{
    return Database::scalar(QStringLiteral("SELECT count(*) FROM ") + QString::fromLatin1(from)).value().toInt();
}

QByteArray bmpOf(const QImage& image)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    image.save(&out, "BMP");
    return out.data();
}

TEST(Startup, FirstStartFillsTheFolderWithoutOverwritingAndReadsTheSettings)
{
    TestWorkDir dir(false);
    // An update waiting counts only while there is no database.
    EXPECT_FALSE(Startup::updatePending());
    dir.write(Database::kUpdateMarker, "x");
    EXPECT_TRUE(Startup::updatePending());
    dir.write(Database::kRelativePath, QByteArray(4096, 'x'));
    EXPECT_FALSE(Startup::updatePending());
    QFile::remove(dir.path(Database::kUpdateMarker));
    QFile::remove(dir.path(Database::kRelativePath));
    QImage mine(10, 10, QImage::Format_RGB32);
    mine.fill(Qt::red);
    dir.write(QStringLiteral("Img/img1.bmp"), bmpOf(mine));
    dir.write(QStringLiteral("Corvalisto.ini"), "5.5,\"m\"\r\n#TRUE#,\"l\"\r\n#FALSE#,\"s\"\r\n\"copie\",\"p\"\r\n");
    dir.write(QStringLiteral("Printer.ini"), "\"Ufficio\",\"Stampante Pred.Programma\"\r\n");
    Startup::prepareWorkFolder();
    Startup::loadSettings();
    EXPECT_EQ(dir.read(QStringLiteral("Img/img1.bmp")), bmpOf(mine));
    for (const char* shipped : {"Img/img1_2.bmp", "Img/img8.bmp", "Img/img8_2.bmp", "Img/Logo.bmp"})
        EXPECT_FALSE(QImage(dir.path(QString::fromLatin1(shipped))).isNull()) << shipped;
    EXPECT_FALSE(QImage(dir.path(QStringLiteral("Img/Logo.bmp"))).isGrayscale());
    EXPECT_TRUE(QImage(dir.path(QStringLiteral("Img/LogoBN.bmp"))).isGrayscale());
    EXPECT_FLOAT_EQ(app().margineLaterale, 5.5f);
    EXPECT_TRUE(app().logoColori);
    EXPECT_EQ(app().stampantePredefinita, "Ufficio");
    EXPECT_EQ(app().stampantePdf, "CutePDF Writer");
}

TEST(Startup, ShippedPicturesCutOrEmptiedByAKillAreWrittenAgainWhole)
{
    TestWorkDir dir(false);
    Startup::prepareWorkFolder();
    const QByteArray whole = dir.read(QStringLiteral("Img/img3_2.bmp"));
    ASSERT_EQ(QImage::fromData(whole).size(), ShippedPictures::button(2, true).size());
    const struct {
        const char* what;
        QByteArray content;
    } cases[] = {
        {"emptied", QByteArray()},
        {"cut in half", whole.left(whole.size() / 2)},
        {"not a picture", "GIF89a?"},
    };
    const QString stale = QStringLiteral("Img/.img3_2.bmp.0123456789abcdef0123456789abcdef.tmp");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dir.write(QStringLiteral("Img/img3_2.bmp"), c.content);
        dir.write(stale, c.content);
        Startup::prepareWorkFolder();
        EXPECT_EQ(dir.read(QStringLiteral("Img/img3_2.bmp")), whole);
        EXPECT_FALSE(QFile::exists(dir.path(stale)));
    }
}

TEST(Startup, MissingSettingsFilesAreWrittenWithTheValuesInUse)
{
    TestWorkDir dir(false);
    const QByteArray mine("\"Ufficio\",\"Stampante Pred.Programma\"\r\n");
    for (bool printerThere : {false, true}) {
        SCOPED_TRACE(printerThere);
        QFile::remove(dir.path(QStringLiteral("Corvalisto.ini")));
        QFile::remove(dir.path(QStringLiteral("Printer.ini")));
        if (printerThere)
            dir.write(QStringLiteral("Printer.ini"), mine);
        // What a run killed while saving a setting left.
        const QString half = QStringLiteral(".Corvalisto.ini.0123456789abcdef0123456789abcdef.tmp");
        dir.write(half, "0,\"Marg");
        app() = AppState();
        app().workDir = dir.path();
        Startup::loadSettings();
        Startup::prepareWorkFolder();
        EXPECT_EQ(dir.read(QStringLiteral("Corvalisto.ini")),
                  "0,\"Margine laterale stampe\"\r\n#FALSE#,\"Logo a colori\"\r\n#FALSE#,\"Secondario\"\r\n"
                  "\"\",\"Percorso backup\"\r\n");
        EXPECT_EQ(dir.read(QStringLiteral("Printer.ini")),
                  printerThere ? mine : QByteArray("\"\",\"Stampante Pred.Programma\"\r\n"));
        EXPECT_FALSE(QFile::exists(dir.path(half)));
    }
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
}

TEST(Startup, ADailyCopyThatCannotBeMadeIsToldWithWhereAndWhyAndNothingIsWrittenElsewhere)
{
    TestWorkDir dir;
    const QDate day(1999, 1, 7);
    dir.write(QStringLiteral("copie.txt"), "appunti");
    const struct {
        QString setting;
        const char* why;
    } cases[] = {
        {dir.path(QStringLiteral("non/esiste")), "non esiste"},
        {QStringLiteral("copie.txt"), "non è una cartella"},
        {QStringLiteral("/dev/null"), "non è una cartella"},
        {QStringLiteral("/"), "radice del disco"},
    };
    const QString name = QStringLiteral("Corvalisto_07-01-99.") + (TestWorkDir::onServer() ? "dump" : "mdb");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setting.toStdString());
        app().percorsoBackup = c.setting;
        const QString told = Startup::copiaGiornaliera(day);
        EXPECT_TRUE(told.contains(QStringLiteral("non è stata fatta")) && told.contains(QString::fromUtf8(c.why)) &&
                    told.contains(QDir::toNativeSeparators(Startup::backupFolder())))
            << told.toStdString();
        for (const QString& folder : {dir.path(), dir.path(QStringLiteral("non")), QDir::rootPath()})
            EXPECT_FALSE(QFileInfo::exists(QDir(folder).filePath(name))) << folder.toStdString();
        QFile::remove(QDir::root().filePath(name));
    }
    EXPECT_EQ(dir.read(QStringLiteral("copie.txt")), "appunti");
    EXPECT_TRUE(Database::isOpen());
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
    ASSERT_FALSE(DemoData::fill());
    const QString url = Database::serverUrl();
    const QString before = tableCounts();
    auto files = [&] {
        return QDir(dir.path(QStringLiteral("copie"))).entryList(QDir::Files | QDir::Hidden | QDir::System);
    };

    // What a start does: open, then the day's copy.
    Startup::useServer(url);
    ASSERT_TRUE(Startup::openDatabase().ok);
    EXPECT_EQ(Startup::copiaGiornaliera(day), "");
    ASSERT_EQ(files(), QStringList{"Corvalisto_06-12-26.dump"});
    const QString dump = Startup::dailyDumpPath(day);
    EXPECT_TRUE(dumpContents(dump).contains(QStringLiteral("TABLE DATA public fatture")))
        << dumpContents(dump).toStdString();
    EXPECT_EQ(QFileInfo(dump).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup), 0);

    // A second seat the same day leaves the first one's copy as it is.
    const QByteArray first = dir.read(QStringLiteral("copie/Corvalisto_06-12-26.dump"));
    ASSERT_FALSE(CompanyStore::save({QStringLiteral("Dopo")}));
    ASSERT_TRUE(Startup::openDatabase().ok);
    EXPECT_EQ(Startup::copiaGiornaliera(day), "");
    EXPECT_EQ(dir.read(QStringLiteral("copie/Corvalisto_06-12-26.dump")), first);
    EXPECT_EQ(files().size(), 1);

    // pg_dump failing half-way: no file, not even half of one, the user is told, and the program
    // goes on with its database.
    const QByteArray path = qgetenv("PATH");
    QDir().mkpath(dir.path(QStringLiteral("bin")));
    qputenv("PATH", QFile::encodeName(dir.path(QStringLiteral("bin"))));
    dir.write(QStringLiteral("bin/pg_dump"),
              "#!/bin/sh\necho \"$@\" > \"${0%/pg_dump}/argomenti\"\n"
              "for a; do case \"$a\" in --file=*) printf 'PGDMP mezza' > \"${a#--file=}\";; esac; done\nexit 1\n");
    QFile::setPermissions(dir.path(QStringLiteral("bin/pg_dump")), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_TRUE(Startup::copiaGiornaliera(day.addDays(1)).contains(QStringLiteral("non è stata fatta")));
    qputenv("PATH", path);
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
    // The table the last step makes ("CREATE TABLE IF NOT EXISTS Name (...").
    const QString last = Schema::stepStatements(Schema::latest()).first().section(u' ', 5, 5);
    ASSERT_FALSE(Database::exec(QStringLiteral("DROP TABLE ") + last));
    recordShape(Schema::latest() - 1);
    ASSERT_TRUE(Startup::openDatabase().ok);
    EXPECT_TRUE(hasTable(last));
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
        EXPECT_FALSE(dump.contains(QStringLiteral("TABLE public ") + last.toLower() + u' ')) << dump.toStdString();
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

TEST(SettingsFiles, WritesTheExactFormatInAnItalianLocaleAndReadsWhatItCan)
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
    app().workDir = dir.path();
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
    QFile::remove(dir.path(QStringLiteral("Printer.ini")));
    SettingsFiles::printerIni(kCarica);
    EXPECT_EQ(app().stampantePredefinita, "Precedente");
}

} // namespace
