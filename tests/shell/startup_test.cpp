#include "data/database.h"
#include "resources/shippedpictures.h"
#include "shell/appstate.h"
#include "shell/companystore.h"
#include "shell/startup.h"
#include "workdir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

TEST(Startup, FirstStartCreatesTheFolderWithoutOverwriting)
{
    TestWorkDir dir(false);
    dir.write(QStringLiteral("Img/img1.bmp"), "mia immagine");
    Startup::prepareWorkFolder();
    EXPECT_TRUE(QFileInfo(dir.path(QStringLiteral("Dati"))).isDir());
    EXPECT_EQ(dir.read(QStringLiteral("Img/img1.bmp")), QByteArray("mia immagine"));
    for (int i = 0; i < 8; ++i)
        for (bool hl : {false, true})
            EXPECT_TRUE(QFile::exists(dir.path(ShippedPictures::buttonFile(i, hl)))) << i;
    EXPECT_EQ(ShippedPictures::buttonFile(7, true), QStringLiteral("Img/img8_2.bmp"));
    EXPECT_TRUE(QFile::exists(dir.path(QStringLiteral("Img/Logo.bmp"))));
    EXPECT_TRUE(QFile::exists(dir.path(QStringLiteral("Img/LogoBN.bmp"))));
}

TEST(Startup, UpdateMarkerStopsOnlyWithoutTheDatabase)
{
    TestWorkDir dir(false);
    EXPECT_FALSE(Startup::updatePending());
    dir.write(Database::kUpdateMarker, "x");
    EXPECT_TRUE(Startup::updatePending());
    dir.write(Database::kRelativePath, "");
    EXPECT_FALSE(Startup::updatePending());
}

TEST(Startup, SettingsAndPdfPrinterAreLoaded)
{
    TestWorkDir dir(false);
    dir.write(QStringLiteral("Corvalisto.ini"), "5.5,\"m\"\r\n#TRUE#,\"l\"\r\n#FALSE#,\"s\"\r\n\"copie\",\"p\"\r\n");
    dir.write(QStringLiteral("Printer.ini"), "\"Ufficio\",\"Stampante Pred.Programma\"\r\n");
    Startup::loadSettings();
    EXPECT_FLOAT_EQ(app().margineLaterale, 5.5f);
    EXPECT_TRUE(app().logoColori);
    EXPECT_EQ(app().stampantePredefinita, QStringLiteral("Ufficio"));
    EXPECT_EQ(app().stampantePdf, QStringLiteral("CutePDF Writer"));
}

TEST(Startup, DailyCopyIsNamedByDayAndReplacedTheSameDay)
{
    TestWorkDir dir;
    const QDate day(2026, 12, 4);
    EXPECT_EQ(QFileInfo(Startup::dailyCopyPath(day)).fileName(), QStringLiteral("Corvalisto_04-12-26.mdb"));
    // Empty setting: the working folder.
    EXPECT_EQ(QFileInfo(Startup::dailyCopyPath(day)).absolutePath(), QFileInfo(dir.path()).absoluteFilePath());

    QDir().mkpath(dir.path(QStringLiteral("copie")));
    app().percorsoBackup = dir.path(QStringLiteral("copie"));
    ASSERT_FALSE(CompanyStore::save({QStringLiteral("Prima")}));
    Startup::copiaGiornaliera(day);
    ASSERT_FALSE(CompanyStore::save({QStringLiteral("Seconda")}));
    Startup::copiaGiornaliera(day);
    Startup::copiaGiornaliera(day.addDays(1));
    const QStringList copies = QDir(dir.path(QStringLiteral("copie"))).entryList(QDir::Files);
    EXPECT_EQ(copies, (QStringList{"Corvalisto_04-12-26.mdb", "Corvalisto_05-12-26.mdb"}));
    EXPECT_EQ(Startup::newestDailyCopy(), Startup::dailyCopyPath(day.addDays(1)));

    Database::close();
    ASSERT_FALSE(Database::open(Startup::dailyCopyPath(day)));
    EXPECT_EQ(CompanyStore::load().value().value(0), QStringLiteral("Seconda"));
}

TEST(Startup, DailyCopyFailsSilently)
{
    TestWorkDir dir;
    app().percorsoBackup = dir.path(QStringLiteral("non/esiste"));
    Startup::copiaGiornaliera(QDate(2026, 1, 1));
    EXPECT_FALSE(QFile::exists(Startup::dailyCopyPath(QDate(2026, 1, 1))));
    EXPECT_TRUE(Startup::newestDailyCopy().isEmpty());
}

TEST(Startup, ADamagedDatabaseNamesTheFileAndTheNewestCopy)
{
    TestWorkDir dir(false);
    dir.write(Database::kRelativePath, QByteArray(4096, 'x'));
    dir.write(QStringLiteral("Corvalisto_01-12-26.mdb"), "");
    dir.write(QStringLiteral("Corvalisto_03-12-26.mdb"), "");
    const Startup::OpenOutcome r = Startup::openDatabase();
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains(QStringLiteral("Corvalisto.mdb")));
    EXPECT_TRUE(r.message.contains(QStringLiteral("Corvalisto_03-12-26.mdb")));
}

TEST(CompanyStore, LoadsAndSavesTheRecordInUse)
{
    TestWorkDir dir;
    EXPECT_EQ(CompanyStore::load().value(), QStringList(5, QString()));
    ASSERT_FALSE(CompanyStore::save({QStringLiteral("Ditta"), QString(), QStringLiteral("Via dell'Olmo")}));
    EXPECT_EQ(Database::scalar(QStringLiteral("SELECT count(*) FROM Azienda")).value().toInt(), 1);
    // Clearing line 1 stores empty text, so the record is still the one in use.
    ASSERT_FALSE(CompanyStore::save({QString(), QStringLiteral("Due")}));
    EXPECT_EQ(Database::scalar(QStringLiteral("SELECT count(*) FROM Azienda WHERE Riga1 = ''")).value().toInt(), 1);
    ASSERT_FALSE(CompanyStore::save({QStringLiteral("Tre")}));
    EXPECT_EQ(Database::scalar(QStringLiteral("SELECT count(*) FROM Azienda")).value().toInt(), 1);
    EXPECT_EQ(CompanyStore::load().value().value(0), QStringLiteral("Tre"));
}

TEST(CompanyStore, SkipsRecordsWithoutTheFirstLine)
{
    TestWorkDir dir;
    ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Azienda (Riga2) VALUES ('vuota')")));
    ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Azienda (Riga1) VALUES ('In uso')")));
    EXPECT_EQ(CompanyStore::load().value().value(0), QStringLiteral("In uso"));
    ASSERT_FALSE(CompanyStore::save({QStringLiteral("Cambiata")}));
    EXPECT_EQ(Database::scalar(QStringLiteral("SELECT Riga2 FROM Azienda WHERE rowid = 1")).value().toString(),
              QStringLiteral("vuota"));
    EXPECT_EQ(Database::scalar(QStringLiteral("SELECT Riga1 FROM Azienda WHERE rowid = 2")).value().toString(),
              QStringLiteral("Cambiata"));
}

} // namespace
