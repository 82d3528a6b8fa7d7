#include "app/demodata.h"
#include "data/database.h"
#include "data/schema.h"
#include "dbrows.h"
#include "dumpcheck.h"
#include "invoices/invoiceledger.h"
#include "printing/pdfcommand.h"
#include "shell/appstate.h"
#include "shell/startup.h"
#include "workdir.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTextStream>
#include <QUuid>
#include <gtest/gtest.h>
#include <map>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QDate kToday(2026, 12, 6);

QByteArray digest(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "(manca)";
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// Every file of the folder's data with its content, to prove that nothing was touched.
std::map<QString, QByteArray> snapshot(const QString& root)
{
    std::map<QString, QByteArray> out;
    const QDir dir(root);
    for (const QString& sub : {QStringLiteral("."), QStringLiteral("Dati")})
        for (const QString& f : QDir(dir.filePath(sub)).entryList(QDir::Files | QDir::Hidden | QDir::System))
            out[sub + u'/' + f] = digest(dir.filePath(sub + u'/' + f));
    return out;
}

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
        invoice = Database::scalar(QStringLiteral("SELECT Num FROM Fatture ORDER BY Data LIMIT 1")).value().toString();
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
    int pdf(const QString& output, QString* err = nullptr) const
    {
        QString text;
        QTextStream stream(&text);
        const int rc = PdfCommand::run({QStringLiteral("fattura"), invoice, QStringLiteral("-o"), output}, stream);
        stream.flush();
        if (err)
            *err = text;
        return rc;
    }

    TestWorkDir dir;
    QString invoice;
};

TEST_F(DataSafety, AnUnusableDatabaseIsReportedAndNothingIsWritten)
{
    SKIP_ON_SERVER("damage to the SQLite file");
    const struct {
        const char* what;
        std::function<void(DataSafety&)> make;
        const char* says;
    } cases[] = {
        {"page of data overwritten",
         [](DataSafety& t) {
             QByteArray noise(4096, 0);
             for (char& c : noise)
                 c = char(QRandomGenerator::global()->bounded(256));
             t.damage(QFileInfo(t.db()).size() / 2 / 4096 * 4096, noise);
         },
         "danneggiato"},
        {"cut by one byte", [](DataSafety& t) { QFile(t.db()).resize(QFileInfo(t.db()).size() - 1); }, "danneggiato"},
        // The engine takes such a file for read-only: the user must not hunt for permissions.
        {"header asking for a newer writer", [](DataSafety& t) { t.damage(18, "\x07"); }, "danneggiato"},
        {"zero bytes", [](DataSafety& t) { QFile(t.db()).resize(0); }, "vuoto"},
        {"missing beside the folder's data", [](DataSafety& t) { QFile::remove(t.db()); }, "non c'è"},
        {"dropped table",
         [](DataSafety& t) {
             Database::open(t.db());
             Database::exec(QStringLiteral("DROP TABLE Ddt"));
             Database::close();
         },
         "non è un database di Corvalisto"},
        {"foreign schema",
         [](DataSafety& t) {
             QFile::remove(t.db());
             QProcess::execute(QStringLiteral("sqlite3"), {t.db(), QStringLiteral("CREATE TABLE Clienti (x)")});
         },
         "non è un database di Corvalisto"},
    };
    const QString goodCopy = Startup::dailyCopyPath(kToday.addDays(-1));
    const QByteArray pristine = dir.read(Database::kRelativePath);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(db());
        dir.write(Database::kRelativePath, pristine);
        c.make(*this);
        const auto before = snapshot(dir.path());
        const Startup::OpenOutcome r = start();
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(Database::isOpen());
        EXPECT_TRUE(r.message.contains(QString::fromUtf8(c.says))) << r.message.toStdString();
        EXPECT_TRUE(r.message.contains(QDir::toNativeSeparators(db())));
        EXPECT_TRUE(r.message.contains(QFileInfo(goodCopy).fileName())) << r.message.toStdString();
        EXPECT_EQ(snapshot(dir.path()), before);
    }
}

// The first line of what the stock sqlite3 tool prints for `sql` on `file`.
QString sqliteTool(const QString& file, const QString& sql)
{
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {file, sql});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError()).section(u'\n', 0, 0);
}

TEST_F(DataSafety, ATableThatDisagreesWithItsIndexIsRefusedAndTodaysCopyKept)
{
    SKIP_ON_SERVER("damage to the SQLite file");
    // About 1 MB of invoices with their rows and indexes; today's copy made from it while good.
    ASSERT_FALSE(Database::open(db()));
    {
        Transaction tx;
        for (int i = 1; i <= 3000; ++i) {
            const QString num = QStringLiteral("%1/21").arg(i);
            ASSERT_FALSE(Database::exec(
                QStringLiteral("INSERT INTO Fatture (Num, IdAna, Data, Totale, Iva) VALUES (?, 1, '2021-05-03', 10, 22)"),
                {num}));
            for (int r = 1; r <= 3; ++r)
                ASSERT_FALSE(Database::exec(
                    QStringLiteral("INSERT INTO ContFatt (Num, Ord, Descrizione, Qta, Prezzo) VALUES (?, ?, ?, 1, 5)"),
                    {num, r, QStringLiteral("Cancello scorrevole in ferro zincato")}));
        }
        ASSERT_FALSE(tx.commit());
    }
    Database::close();
    ASSERT_GT(QFileInfo(db()).size(), 500000);
    ASSERT_TRUE(start().ok);
    Database::close();
    const QString todaysCopy = Startup::dailyCopyPath(kToday);
    const QByteArray good = digest(todaysCopy);
    ASSERT_NE(good, "(manca)");

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
    ASSERT_NE(sqliteTool(db(), QStringLiteral("PRAGMA integrity_check(1)")), "ok");

    const auto before = snapshot(dir.path());
    const Startup::OpenOutcome r = start();
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains(QStringLiteral("danneggiato"))) << r.message.toStdString();
    EXPECT_EQ(digest(todaysCopy), good);
    EXPECT_EQ(snapshot(dir.path()), before);
    // Nor is the damaged file ever offered as a good copy.
    EXPECT_EQ(Startup::newestGoodCopy(), todaysCopy);
}

TEST_F(DataSafety, ADamagedCopyIsNotOfferedAndAGoodDatabaseReplacesOnlyTheDaysCopy)
{
    SKIP_ON_SERVER("copies of the SQLite file");
    // The newest copy is damaged: the message names the good one before it.
    dir.write(QFileInfo(Startup::dailyCopyPath(kToday.addDays(-2))).fileName(), dir.read(Database::kRelativePath));
    QFile(Startup::dailyCopyPath(kToday.addDays(-1))).resize(100000);
    QFile(db()).resize(0);
    const Startup::OpenOutcome r = start();
    EXPECT_TRUE(r.message.contains(QFileInfo(Startup::dailyCopyPath(kToday.addDays(-2))).fileName()));
    EXPECT_FALSE(r.message.contains(QFileInfo(Startup::dailyCopyPath(kToday.addDays(-1))).fileName()));
    // With no copy at all the message says so instead of naming one.
    for (const QString& c : Startup::dailyCopies())
        QFile::remove(c);
    EXPECT_TRUE(start().message.contains(QStringLiteral("nessuna copia")));
}

TEST_F(DataSafety, InUseAndReadOnlyAreToldApartFromDamage)
{
    SKIP_ON_SERVER("locks and permissions of the SQLite file");
    QProcess holder;
    holder.start(QStringLiteral("sqlite3"), {db()});
    ASSERT_TRUE(holder.waitForStarted());
    holder.write("BEGIN EXCLUSIVE; DELETE FROM Azienda;\n.print tenuto\n");
    ASSERT_TRUE(holder.waitForReadyRead(5000));
    const Startup::OpenOutcome busy = start();
    EXPECT_FALSE(busy.ok);
    EXPECT_TRUE(busy.message.contains(QStringLiteral("in uso da un altro programma"))) << busy.message.toStdString();
    EXPECT_FALSE(QFile::exists(Startup::dailyCopyPath(kToday)));
    holder.write("ROLLBACK;\n.quit\n");
    holder.waitForFinished(5000);

    // Read-only for its owner; root ignores permissions, so the check runs as an ordinary user.
    QFile::setPermissions(db(), QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    int status = 0;
    if (::geteuid() == 0) {
        ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
        ::chmod(QFile::encodeName(dir.path(QStringLiteral("Dati"))).constData(), 0755);
        const pid_t child = ::fork();
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(2);
            const Startup::OpenOutcome r = Startup::openDatabase();
            ::_exit(!r.ok && r.message.contains(QStringLiteral("sola lettura")) ? 0 : 1);
        }
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    } else {
        const Startup::OpenOutcome r = Startup::openDatabase();
        EXPECT_TRUE(r.message.contains(QStringLiteral("sola lettura"))) << r.message.toStdString();
    }
}

TEST_F(DataSafety, ANewDatabaseOnlyOnATrueFirstStart)
{
    SKIP_ON_SERVER("the SQLite file of a new folder");
    // Dati holds something else: not a first start.
    QFile::remove(db());
    for (const QString& c : Startup::dailyCopies())
        QFile::remove(c);
    dir.write(QStringLiteral("Dati/Corvalisto.mdb-journal"), "resto");
    EXPECT_FALSE(Startup::openDatabase().ok);
    EXPECT_FALSE(QFile::exists(db()));
    // A daily copy alone says the folder has been used.
    QFile::remove(dir.path(QStringLiteral("Dati/Corvalisto.mdb-journal")));
    dir.write(QStringLiteral("Corvalisto_01-12-26.mdb"), "x");
    EXPECT_FALSE(Startup::openDatabase().ok);
    EXPECT_FALSE(QFile::exists(db()));
    QFile::remove(dir.path(QStringLiteral("Corvalisto_01-12-26.mdb")));
    ASSERT_TRUE(Startup::openDatabase().ok);
    EXPECT_EQ(Database::scalar(QStringLiteral("SELECT group_concat(name, ' ') FROM (SELECT name FROM sqlite_master "
                                              "WHERE type = 'table' AND name NOT LIKE 'sqlite%' ORDER BY name)"))
                  .value()
                  .toString(),
              QStringLiteral("Anagrafica Azienda AziendaBanca Categorie ClientiPagamento CondizioniPagamento ContDdt "
                             "ContFatt Ddt Documenti EFatturaAzienda EFatturaClienti EFatturaFile "
                             "EFatturaImpostazioni EFatturaNatura EFatturaPA EFatturaProgressivo Fatture FattureDdt "
                             "FatturePagamento Magazzino NoteCredito PresentazioniRiba Preventivi RateCondizioni "
                             "Scadenze"));
}

TEST(DataSafetyFirstStart, WhatAKilledFirstStartLeftDoesNotBlockTheFolder)
{
    SKIP_ON_SERVER("the SQLite file of a new folder");
    const QString temp = QStringLiteral("Dati/.Corvalisto.mdb.0123456789abcdef0123456789abcdef.tmp");
    const QString journal = temp + QStringLiteral("-journal");
    const struct {
        const char* what;
        QStringList files;
        bool locked; // the new database is still being made by a running program
    } cases[] = {
        {"journal alone", {journal}, false},
        {"new database and its journal", {temp, journal}, false},
        {"one being made", {temp, journal}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestWorkDir dir(false);
        for (const QString& f : c.files)
            dir.write(f, QByteArray(4096, 'j'));
        const int fd = ::open(QFile::encodeName(dir.path(temp)).constData(), O_RDONLY);
        if (c.locked) {
            ASSERT_EQ(::flock(fd, LOCK_EX), 0);
        }
        EXPECT_EQ(DemoData::folderIsEmpty(dir.path()), !c.locked);
        const Startup::OpenOutcome r = Startup::openDatabase();
        EXPECT_EQ(r.ok, !c.locked) << r.message.toStdString();
        for (const QString& f : c.files)
            EXPECT_EQ(QFile::exists(dir.path(f)), c.locked) << f.toStdString();
        if (fd >= 0)
            ::close(fd);
        Database::close();
    }
}

TEST_F(DataSafety, StaleTemporaryCopiesGoAndOnesBeingWrittenStay)
{
    SKIP_ON_SERVER("copies of the SQLite file");
    auto temp = [&](const QString& folder, const QString& of) {
        const QString name = QStringLiteral(".%1.%2.tmp").arg(of, QUuid::createUuid().toString(QUuid::Id128));
        dir.write(folder + name, QByteArray(8192, 't'));
        return dir.path(folder + name);
    };
    const QString staleCopy = temp(QString(), QStringLiteral("Corvalisto_05-12-26.mdb"));
    const QString staleNew = temp(QStringLiteral("Dati/"), QStringLiteral("Corvalisto.mdb"));
    const QString staleDump = temp(QString(), QStringLiteral("Corvalisto_05-12-26.dump"));
    const QString busy = temp(QString(), QStringLiteral("Corvalisto_06-12-26.mdb"));
    const int fd = ::open(QFile::encodeName(busy).constData(), O_RDONLY);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    dir.write(QStringLiteral("nota.tmp"), "dell'utente");
    ASSERT_TRUE(start().ok);
    EXPECT_FALSE(QFile::exists(staleCopy));
    EXPECT_FALSE(QFile::exists(staleNew));
    EXPECT_FALSE(QFile::exists(staleDump));
    EXPECT_TRUE(QFile::exists(busy));
    EXPECT_TRUE(QFile::exists(dir.path(QStringLiteral("nota.tmp"))));
    ::close(fd);
}

TEST_F(DataSafety, TheDemoClaimsOnlyANewFolder)
{
    if (TestWorkDir::onServer()) {
        auto counts = [] {
            QStringList out;
            for (const QString& t : Schema::tableNames())
                out << t + u'=' + dbText(QStringLiteral("SELECT count(*) FROM ") + t);
            return out.join(u' ');
        };
        ASSERT_TRUE(Startup::openDatabase().ok);
        const QString before = counts();
        // A server database that holds tables keeps them as they are, and the demo is refused.
        const Startup::OpenOutcome r = Startup::createDatabase(DemoData::fill);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.message.contains(QStringLiteral("contiene già delle tabelle"))) << r.message.toStdString();
        ASSERT_TRUE(Startup::openDatabase().ok);
        EXPECT_EQ(counts(), before);
        // A new, empty one gets the tables and the whole demo.
        Startup::useServer(TestWorkDir::freshServerDatabase());
        const Startup::OpenOutcome made = Startup::createDatabase(DemoData::fill);
        ASSERT_TRUE(made.ok) << made.message.toStdString();
        EXPECT_EQ(counts(), before);
        return;
    }
    EXPECT_FALSE(DemoData::folderIsEmpty(dir.path()));
    TestWorkDir fresh(false);
    EXPECT_TRUE(DemoData::folderIsEmpty(fresh.path()));
    fresh.write(Database::kUpdateMarker, "");
    EXPECT_FALSE(DemoData::folderIsEmpty(fresh.path()));
    // A database placed by another run meanwhile is kept as it is, and the demo is refused.
    QFile::remove(fresh.path(Database::kUpdateMarker));
    fresh.write(Database::kRelativePath, dir.read(Database::kRelativePath));
    const QByteArray before = digest(fresh.path(Database::kRelativePath));
    const Startup::OpenOutcome r = Startup::createDatabase(DemoData::fill);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains(QStringLiteral("esiste già")));
    EXPECT_EQ(digest(fresh.path(Database::kRelativePath)), before);
    EXPECT_EQ(QDir(fresh.path(QStringLiteral("Dati"))).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(DataSafety, PdfOutputNeverReplacesDataDevicesOrOtherFiles)
{
    ASSERT_TRUE(Startup::openDatabase().ok);
    Startup::copiaGiornaliera(kToday);
    // The data that other names may lead to: on the server, the day's dump.
    const QString data = TestWorkDir::onServer() ? Startup::dailyDumpPath(kToday) : db();
    ASSERT_TRUE(QFile::exists(data));
    const QString other = dir.path(QStringLiteral("altro"));
    QDir().mkpath(other);
    QFile::link(data, other + QStringLiteral("/collegamento.pdf"));
    ::link(QFile::encodeName(data).constData(), QFile::encodeName(other + QStringLiteral("/fisso.pdf")).constData());
    ::mkfifo(QFile::encodeName(other + QStringLiteral("/coda")).constData(), 0600);
    dir.write(QStringLiteral("altro/lettera.txt"), "Gentile cliente");
    const QString cases[] = {
        db(),
        other + QStringLiteral("/../Dati/Corvalisto.mdb"),
        other + QStringLiteral("/collegamento.pdf"),
        other + QStringLiteral("/fisso.pdf"),
        dir.path(QStringLiteral("Dati/Corvalisto.mdb-journal")),
        Startup::dailyCopyPath(kToday),
        Startup::dailyCopyPath(kToday.addDays(5)),
        Startup::dailyDumpPath(kToday),
        Startup::dailyDumpPath(kToday.addDays(5)),
        dir.path(QStringLiteral("Corvalisto.ini")),
        other + QStringLiteral("/coda"),
        other,
        other + QStringLiteral("/lettera.txt"),
    };
    const auto before = snapshot(dir.path());
    const QByteArray csv = InvoiceLedger::carica(2026, 0).value().csv();
    QString failed;
    const QByteArray xlsx = InvoiceLedger::carica(2026, 0).value().xlsx(2026, failed);
    ASSERT_FALSE(xlsx.isEmpty()) << failed.toStdString();
    for (const QString& output : cases) {
        SCOPED_TRACE(output.toStdString());
        QString err;
        EXPECT_EQ(pdf(output, &err), 1);
        EXPECT_TRUE(err.contains(QStringLiteral("Impossibile scrivere"))) << err.toStdString();
        EXPECT_FALSE(InvoiceLedger::scriviCsv(csv, output).isEmpty());
        EXPECT_FALSE(InvoiceLedger::scriviXlsx(xlsx, output).isEmpty());
    }
    EXPECT_EQ(snapshot(dir.path()), before);
    EXPECT_EQ(dir.read(QStringLiteral("altro/lettera.txt")), "Gentile cliente");
    EXPECT_TRUE(QFileInfo(other + QStringLiteral("/collegamento.pdf")).isSymLink());
    // A PDF is replaced; the open database is still the file on disk.
    const QString out = other + QStringLiteral("/fattura.pdf");
    ASSERT_EQ(pdf(out), 0);
    ASSERT_EQ(pdf(out), 0);
    EXPECT_TRUE(dir.read(QStringLiteral("altro/fattura.pdf")).startsWith("%PDF-"));
    // An accountant's list replaces only an earlier list, never the PDF.
    EXPECT_TRUE(InvoiceLedger::scriviCsv(csv, other + QStringLiteral("/fatture.csv")).isEmpty());
    EXPECT_TRUE(InvoiceLedger::scriviCsv(csv, other + QStringLiteral("/fatture.csv")).isEmpty());
    EXPECT_TRUE(InvoiceLedger::scriviCsv(csv, out).contains(QStringLiteral("non è un elenco di fatture")));
    EXPECT_EQ(dir.read(QStringLiteral("altro/fatture.csv")), csv);
    if (TestWorkDir::onServer())
        EXPECT_FALSE(dumpContents(data).isEmpty());
    else
        EXPECT_FALSE(Database::check());
}

TEST(DataSafetyCommand, PdfWithAMissingFolderCreatesNothingAndFailsPlainly)
{
    TestWorkDir dir(false);
    const QString missing = dir.path(QStringLiteral("non/esiste"));
    QProcess p;
    p.start(QStringLiteral(CORVALISTO_EXE),
            {QStringLiteral("--dir"), missing, QStringLiteral("pdf"), QStringLiteral("fattura"), QStringLiteral("1/25"),
             QStringLiteral("-o"), dir.path(QStringLiteral("f.pdf"))});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(p.readAllStandardError().contains("non esiste"));
    EXPECT_FALSE(QFileInfo::exists(dir.path(QStringLiteral("non"))));
    EXPECT_FALSE(QFileInfo::exists(dir.path(QStringLiteral("f.pdf"))));
}

} // namespace

// Every table of an SQLite file with its count and the sum of each number column, read apart
// from the program's own report: "Tabella n Colonna=somma ...", one a line.
QStringList fileFigures(const QString& file, QStringList* numberColumns)
{
    QStringList out;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("cifre"));
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        EXPECT_TRUE(db.open());
        QSqlQuery tables(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE "
                                        "'sqlite_%' ORDER BY name"),
                         db);
        while (tables.next()) {
            const QString t = tables.value(0).toString();
            QStringList numbers;
            QSqlQuery info(QStringLiteral("SELECT name FROM pragma_table_info('%1') WHERE type IN ('REAL', "
                                          "'INTEGER')")
                               .arg(t),
                           db);
            while (info.next())
                numbers << info.value(0).toString();
            QString sql = QStringLiteral("SELECT count(*)");
            for (const QString& c : numbers)
                sql += QStringLiteral(", sum(%1)").arg(c);
            QSqlQuery q(sql + QStringLiteral(" FROM ") + t, db);
            EXPECT_TRUE(q.next()) << t.toStdString();
            QString line = t.toLower() + u' ' + q.value(0).toString();
            for (int i = 0; i < numbers.size(); ++i)
                line += u' ' + numbers[i] + u'=' + QString::number(q.value(i + 1).toDouble(), 'f', 4);
            out << line;
            numberColumns->append(t + u':' + numbers.join(u','));
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("cifre"));
    return out;
}

// The same figures from the open server database.
QStringList serverFigures(const QStringList& numberColumns)
{
    QStringList out;
    // The server records its shape in a table; the file in its header.
    const QStringList tables = dbRows(QStringLiteral("SELECT table_name FROM information_schema.tables WHERE "
                                                     "table_schema = current_schema() AND table_name <> "
                                                     "'versioneschema' ORDER BY table_name"))
                                   .split(u'\n');
    for (const QString& t : tables) {
        QStringList numbers;
        for (const QString& c : numberColumns)
            if (c.section(u':', 0, 0).toLower() == t)
                numbers = c.section(u':', 1).split(u',', Qt::SkipEmptyParts);
        QString sql = QStringLiteral("SELECT count(*)");
        for (const QString& c : numbers)
            sql += QStringLiteral(", sum(%1)").arg(c);
        auto selected = Database::select(sql + QStringLiteral(" FROM ") + t);
        if (!selected) {
            ADD_FAILURE() << t.toStdString() << ": " << selected.error().text.toStdString();
            continue;
        }
        QSqlQuery q = std::move(selected.value());
        EXPECT_TRUE(q.next()) << t.toStdString();
        QString line = t + u' ' + q.value(0).toString();
        for (int i = 0; i < numbers.size(); ++i)
            line += u' ' + numbers[i] + u'=' + QString::number(q.value(i + 1).toDouble(), 'f', 4);
        out << line;
    }
    return out;
}

TEST(DemoMigration, TheDemoDatabaseReachesTheServerWithEveryCountAndSum)
{
    if (!TestWorkDir::onServer())
        GTEST_SKIP() << "needs a server to copy to";
    TestWorkDir dir(false);
    const QString file = dir.path(Database::kRelativePath);
    ASSERT_FALSE(Database::create(file, DemoData::fill));
    Database::close();
    QStringList numberColumns;
    const QStringList before = fileFigures(file, &numberColumns);
    ASSERT_GT(before.size(), 9);

    const QString url = TestWorkDir::freshServerDatabase();
    QProcess p;
    p.start(QStringLiteral(CORVALISTO_EXE),
            {QStringLiteral("--dir"), dir.path(), QStringLiteral("migrate"), QStringLiteral("--to"), url});
    ASSERT_TRUE(p.waitForFinished(120000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_TRUE(p.readAllStandardOutput().contains("Conteggi e somme verificati"));

    ASSERT_FALSE(Database::openServer(url));
    EXPECT_EQ(serverFigures(numberColumns), before);
    Database::close();
}
