#include "app/demodata.h"
#include "data/database.h"
#include "dbrows.h"
#include "printing/pdfcommand.h"
#include "shell/startup.h"
#include "shelltest.h"

#include <QFileInfo>
#include <QTextStream>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>

namespace {

const QDate kToday(2026, 12, 6);

// A working folder with a database worth keeping and yesterday's good copy.
class DataSafety : public ::testing::Test {
public:
    void SetUp() override
    {
        ASSERT_FALSE(DemoData::fill());
        // On the server the start-up opens the database of its address; there is no file to copy.
        if (TestWorkDir::onServer())
            Startup::useServer(Database::serverUrl());
        else
            ASSERT_FALSE(Database::copyTo(Startup::dailyCopyPath(kToday.addDays(-1))));
        Database::close();
    }
    void TearDown() override { Startup::useServer({}); }
    QString db() const { return dir.path(Database::kRelativePath); }
    void damage(qint64 offset, const QByteArray& bytes) const
    {
        QFile f(db());
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(offset);
        f.write(bytes);
    }
    // What the main window does at start: open, and copy only what opened.
    Startup::OpenOutcome start() const
    {
        const Startup::OpenOutcome r = Startup::openDatabase();
        Startup::copiaGiornaliera(kToday);
        return r;
    }

    TestWorkDir dir;
};

// The first line of what the stock sqlite3 tool prints for `sql` on `file`.
QString sqliteTool(const QString& file, const QString& sql)
{
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {file, sql});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError()).section(u'\n', 0, 0);
}

TEST_F(DataSafety, AnUnusableDatabaseIsReportedAndNothingIsWritten)
{
    SKIP_ON_SERVER("damage to the SQLite file");
    const struct {
        const char* what;
        std::function<void(DataSafety&)> make;
        const char* says;
    } cases[] = {
        {"page of data overwritten",
         [](DataSafety& t) { t.damage(QFileInfo(t.db()).size() / 2 / 4096 * 4096, QByteArray(4096, '\xa5')); },
         "danneggiato"},
        {"cut by one byte", [](DataSafety& t) { QFile(t.db()).resize(QFileInfo(t.db()).size() - 1); }, "danneggiato"},
        // The engine takes such a file for read-only: the user must not hunt for permissions.
        {"header asking for a newer writer", [](DataSafety& t) { t.damage(18, "\x07"); }, "danneggiato"},
        {"missing beside the folder's data", [](DataSafety& t) { QFile::remove(t.db()); }, "non c'è"},
        // Left in place for what follows.
        {"zero bytes", [](DataSafety& t) { QFile(t.db()).resize(0); }, "vuoto"},
    };
    // Held by another program: in use, not damaged, and no copy is made of it meanwhile.
    QProcess holder;
    holder.start(QStringLiteral("sqlite3"), {db()});
    holder.write("BEGIN EXCLUSIVE; DELETE FROM Azienda;\n.print tenuto\n");
    ASSERT_TRUE(holder.waitForReadyRead(5000));
    const Startup::OpenOutcome busy = start();
    EXPECT_TRUE(!busy.ok && busy.message.contains(QStringLiteral("in uso da un altro programma")))
        << busy.message.toStdString();
    EXPECT_FALSE(QFile::exists(Startup::dailyCopyPath(kToday)));
    holder.write("ROLLBACK;\n.quit\n");
    ASSERT_TRUE(holder.waitForFinished(5000));
    Database::close();

    const QString goodCopy = Startup::dailyCopyPath(kToday.addDays(-1));
    const QByteArray pristine = dir.read(Database::kRelativePath);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(db());
        dir.write(Database::kRelativePath, pristine);
        c.make(*this);
        const auto before = snapshot(dir);
        const Startup::OpenOutcome r = start();
        EXPECT_FALSE(r.ok || Database::isOpen());
        for (const QString& named :
             {QString::fromUtf8(c.says), QDir::toNativeSeparators(db()), QFileInfo(goodCopy).fileName()})
            EXPECT_TRUE(r.message.contains(named)) << r.message.toStdString();
        EXPECT_EQ(snapshot(dir), before);
    }
    // A damaged newest copy is passed over for the good one before it; with none the message says so.
    dir.write(QFileInfo(Startup::dailyCopyPath(kToday.addDays(-2))).fileName(), pristine);
    QFile(goodCopy).resize(100000);
    const QString told = start().message;
    EXPECT_TRUE(told.contains(QFileInfo(Startup::dailyCopyPath(kToday.addDays(-2))).fileName()));
    EXPECT_FALSE(told.contains(QFileInfo(goodCopy).fileName()));
    for (const QString& c : Startup::dailyCopies())
        QFile::remove(c);
    EXPECT_TRUE(start().message.contains(QStringLiteral("nessuna copia")));
}

TEST_F(DataSafety, ATableThatDisagreesWithItsIndexIsRefusedAndTodaysCopyKept)
{
    SKIP_ON_SERVER("damage to the SQLite file");
    // About 1 MB of invoices with their rows and indexes; today's copy made from it while good.
    ASSERT_FALSE(Database::open(db()));
    ASSERT_FALSE(Database::exec(QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
        "INSERT INTO Fatture (Num, IdAna, Data, Totale, Iva) SELECT i || '/21', 1, '2021-05-03', 10, 22 FROM n")));
    ASSERT_FALSE(Database::exec(QStringLiteral(
        "INSERT INTO ContFatt (Num, Ord, Descrizione, Qta, Prezzo) SELECT Num, o.value, 'Cancello scorrevole in "
        "ferro zincato', 1, 5 FROM Fatture, (SELECT 1 AS value UNION ALL SELECT 2 UNION ALL SELECT 3) AS o WHERE Num "
        "LIKE '%/21'")));
    Database::close();
    ASSERT_TRUE(start().ok);
    Database::close();
    const QString todaysCopy = Startup::dailyCopyPath(kToday);
    ASSERT_TRUE(QFile::exists(todaysCopy));

    // One bit of an invoice number in a leaf of the index on Fatture.Num: the pages stay well
    // formed, so only the full check sees the row the index no longer finds.
    const int leaf = sqliteTool(db(), QStringLiteral("SELECT pageno FROM dbstat WHERE name = 'FattureNum' AND "
                                                     "pagetype = 'leaf' LIMIT 1"))
                         .toInt();
    ASSERT_GT(leaf, 1);
    const qint64 pageStart = qint64(leaf - 1) * 4096;
    const QByteArray page = dir.read(Database::kRelativePath).mid(pageStart, 4096);
    const qsizetype key = page.lastIndexOf("/21");
    ASSERT_GT(key, 0);
    damage(pageStart + key - 1, QByteArray(1, char(page[key - 1] ^ 1)));
    ASSERT_EQ(sqliteTool(db(), QStringLiteral("PRAGMA quick_check(1)")), "ok");

    const auto before = snapshot(dir);
    const Startup::OpenOutcome r = start();
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains(QStringLiteral("danneggiato"))) << r.message.toStdString();
    EXPECT_EQ(snapshot(dir), before);
    // Nor is the damaged file ever offered as a good copy.
    EXPECT_EQ(Startup::newestGoodCopy(), todaysCopy);
}

// Only a folder without data gets a new database; what a killed first start left does not count,
// unless the program making it still runs.
TEST(DataSafetyFirstStart, OnlyATrueFirstStartMakesADatabase)
{
    SKIP_ON_SERVER("the SQLite file of a new folder");
    const QString temp = QStringLiteral("Dati/.Corvalisto.mdb.0123456789abcdef0123456789abcdef.tmp");
    const QString journal = temp + QStringLiteral("-journal");
    const struct {
        const char* what;
        QStringList files;
        bool locked; // the new database is still being made by a running program
        bool starts;
    } cases[] = {
        {"nothing", {}, false, true},
        {"the database's journal", {QStringLiteral("Dati/Corvalisto.mdb-journal")}, false, false},
        {"a daily copy", {QStringLiteral("Corvalisto_01-12-26.mdb")}, false, false},
        {"killed: new database and its journal", {temp, journal}, false, true},
        {"one being made", {temp, journal}, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestWorkDir dir(false);
        for (const QString& f : c.files)
            dir.write(f, QByteArray(4096, 'j'));
        const int fd = ::open(QFile::encodeName(dir.path(temp)).constData(), O_RDONLY);
        ASSERT_TRUE(!c.locked || ::flock(fd, LOCK_EX) == 0);
        const Startup::OpenOutcome r = Startup::openDatabase();
        EXPECT_EQ(r.ok && hasTable(QStringLiteral("Scadenze")), c.starts) << r.message.toStdString();
        EXPECT_EQ(QFile::exists(dir.path(Database::kRelativePath)), c.starts);
        for (const QString& f : c.files)
            EXPECT_EQ(QFile::exists(dir.path(f)), !c.starts) << f.toStdString();
        if (fd >= 0)
            ::close(fd);
        Database::close();
    }
}

TEST_F(DataSafety, PdfOutputNeverReplacesDataDevicesOrOtherFiles)
{
    ASSERT_TRUE(Startup::openDatabase().ok);
    Startup::copiaGiornaliera(kToday);
    const QString invoice = dbText(QStringLiteral("SELECT Num FROM Fatture ORDER BY Data LIMIT 1"));
    // The data that other names may lead to: on the server, the day's dump.
    const QString data = TestWorkDir::onServer() ? Startup::dailyDumpPath(kToday) : db();
    ASSERT_TRUE(QFile::exists(data));
    QFile::link(data, dir.path(QStringLiteral("collegamento.pdf")));
    ::link(QFile::encodeName(data).constData(), QFile::encodeName(dir.path(QStringLiteral("fisso.pdf"))).constData());
    ::mkfifo(QFile::encodeName(dir.path(QStringLiteral("coda"))).constData(), 0600);
    dir.write(QStringLiteral("lettera.txt"), "Gentile cliente");
    const auto pdf = [&](const QString& output) {
        QString text;
        QTextStream stream(&text);
        const int rc = PdfCommand::run({QStringLiteral("fattura"), invoice, QStringLiteral("-o"), output}, stream);
        stream.flush();
        return rc == 0 ? QString() : text;
    };
    const auto before = snapshot(dir);
    for (const QString& output :
         {db(), dir.path(QStringLiteral("Dati/../Dati/Corvalisto.mdb")), dir.path(QStringLiteral("collegamento.pdf")),
          dir.path(QStringLiteral("fisso.pdf")), db() + QStringLiteral("-journal"), Startup::dailyCopyPath(kToday),
          Startup::dailyCopyPath(kToday.addDays(5)), Startup::dailyDumpPath(kToday),
          Startup::dailyDumpPath(kToday.addDays(5)), dir.path(QStringLiteral("Corvalisto.ini")),
          dir.path(QStringLiteral("coda")), dir.path(), dir.path(QStringLiteral("lettera.txt"))})
        EXPECT_TRUE(pdf(output).contains(QStringLiteral("Impossibile scrivere"))) << output.toStdString();
    EXPECT_EQ(snapshot(dir), before);
    EXPECT_TRUE(QFileInfo(dir.path(QStringLiteral("collegamento.pdf"))).isSymLink());
    // A PDF is written where nothing else is.
    ASSERT_EQ(pdf(dir.path(QStringLiteral("fattura.pdf"))), "");
    EXPECT_TRUE(dir.read(QStringLiteral("fattura.pdf")).startsWith("%PDF-"));
    EXPECT_TRUE(TestWorkDir::onServer() || !Database::check());
}

} // namespace
