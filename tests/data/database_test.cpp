#include "data/database.h"
#include "data/schema.h"
#include "shell/appstate.h"
#include "workdir.h"

#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

QStringList tablesInFile()
{
    QStringList names;
    auto q = Database::select(
        QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%' ORDER BY name"));
    while (q.value().next())
        names << q.value().value(0).toString();
    return names;
}

TEST(Database, CreatesTheTenTablesPrivately)
{
    TestWorkDir dir;
    QStringList expected = Schema::tableNames();
    expected.sort();
    EXPECT_EQ(expected.size(), 10);
    EXPECT_EQ(tablesInFile(), expected);
    const auto perms = QFile::permissions(dir.path(Database::kRelativePath));
    EXPECT_TRUE(perms & QFileDevice::ReadOwner);
    EXPECT_FALSE(perms & (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteOther));

    // Defaults and the accented column are as the windows expect them.
    ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Anagrafica (Nome, Città) VALUES (?, ?)"),
                                {QStringLiteral("L'OFFICINA"), QStringLiteral("Forlì")}));
    auto row = Database::select(QStringLiteral("SELECT Id, Valid, Città FROM Anagrafica"));
    ASSERT_TRUE(row.value().next());
    EXPECT_EQ(row.value().value(0).toInt(), 1);
    EXPECT_EQ(row.value().value(1).toInt(), 1);
    EXPECT_EQ(row.value().value(2).toString(), QStringLiteral("Forlì"));
}

TEST(Database, ReopeningKeepsDataAndTheStockToolReadsIt)
{
    TestWorkDir dir;
    ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Azienda (Riga1) VALUES (?)"), {QStringLiteral("Ditta")}));
    Database::close();
    ASSERT_FALSE(Database::open(dir.path(Database::kRelativePath)));
    EXPECT_EQ(Database::scalar(QStringLiteral("SELECT Riga1 FROM Azienda")).value().toString(),
              QStringLiteral("Ditta"));

    QProcess sqlite;
    sqlite.start(QStringLiteral("sqlite3"), {dir.path(Database::kRelativePath), QStringLiteral(".schema Anagrafica")});
    ASSERT_TRUE(sqlite.waitForFinished(5000));
    EXPECT_TRUE(sqlite.readAllStandardOutput().contains("Città")) << "sqlite3 could not read the schema";
}

TEST(Database, ComparesAccentedTextWithoutCaseAndSearchesLiterally)
{
    TestWorkDir dir;
    for (const char* name : {"CITTÀ SRL", "100% FERRO", "A_B", "ROSSI"})
        ASSERT_FALSE(
            Database::exec(QStringLiteral("INSERT INTO Anagrafica (Nome) VALUES (?)"), {QString::fromUtf8(name)}));
    auto count = [](const QString& sql, const QString& value) {
        return Database::scalar(sql, {value}).value().toInt();
    };
    const QString eq = QStringLiteral("SELECT count(*) FROM Anagrafica WHERE fold(Nome) = fold(?)");
    const QString contains = QStringLiteral("SELECT count(*) FROM Anagrafica WHERE instr(fold(Nome), fold(?)) > 0");
    EXPECT_EQ(count(eq, QStringLiteral("città srl")), 1);
    EXPECT_EQ(count(contains, QStringLiteral("%")), 1);
    EXPECT_EQ(count(contains, QStringLiteral("_")), 1);
    EXPECT_EQ(count(contains, QStringLiteral("*")), 0);
    EXPECT_EQ(count(contains, QStringLiteral("ossi")), 1);
}

TEST(Database, PaperNumbersSortByTheirValueAndYearsComeFromDates)
{
    TestWorkDir dir;
    for (const char* n : {"9/26", "10/26", "2/26"})
        ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Fatture (Num, Data) VALUES (?, '2026-03-01')"),
                                    {QString::fromLatin1(n)}));
    auto q = Database::select(QStringLiteral("SELECT Num FROM Fatture WHERE CAST(strftime('%Y', Data) AS INTEGER) = ? "
                                             "ORDER BY CAST(Num AS INTEGER) DESC"),
                              {2026});
    QStringList order;
    while (q.value().next())
        order << q.value().value(0).toString();
    EXPECT_EQ(order, (QStringList{"10/26", "9/26", "2/26"}));
}

TEST(Database, KeysGrowPast16Bits)
{
    TestWorkDir dir;
    ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Anagrafica (Id, Nome) VALUES (32767, 'X')")));
    ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Anagrafica (Nome) VALUES ('Y')")));
    EXPECT_EQ(Database::scalar(QStringLiteral("SELECT max(Id) FROM Anagrafica")).value().toLongLong(), 32768);
}

TEST(Database, TransactionRollsBackUnlessCommitted)
{
    TestWorkDir dir;
    {
        Transaction tx;
        ASSERT_TRUE(tx.started());
        ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Documenti (Num) VALUES ('1/26')")));
    }
    EXPECT_EQ(Database::scalar(QStringLiteral("SELECT count(*) FROM Documenti")).value().toInt(), 0);
    {
        Transaction tx;
        ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Documenti (Num) VALUES ('1/26')")));
        EXPECT_FALSE(tx.commit());
    }
    EXPECT_EQ(Database::scalar(QStringLiteral("SELECT count(*) FROM Documenti")).value().toInt(), 1);
}

TEST(Database, NestedTransactionsRollBackTheirOwnPartOnly)
{
    TestWorkDir dir;
    {
        Transaction outer;
        ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Documenti (Num) VALUES ('1/26')")));
        {
            Transaction inner;
            ASSERT_TRUE(inner.started());
            ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Documenti (Num) VALUES ('2/26')")));
        }
        {
            Transaction inner;
            ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Documenti (Num) VALUES ('3/26')")));
            EXPECT_FALSE(inner.commit());
        }
        EXPECT_FALSE(outer.commit());
    }
    auto q = Database::select(QStringLiteral("SELECT Num FROM Documenti ORDER BY Num"));
    QStringList nums;
    while (q.value().next())
        nums << q.value().value(0).toString();
    EXPECT_EQ(nums, (QStringList{"1/26", "3/26"}));
    {
        // An outer guard that is dropped takes its committed inner part with it.
        Transaction outer;
        Transaction inner;
        ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Documenti (Num) VALUES ('4/26')")));
        EXPECT_FALSE(inner.commit());
    }
    EXPECT_EQ(Database::scalar(QStringLiteral("SELECT count(*) FROM Documenti")).value().toInt(), 2);
}

TEST(Database, ErrorsCarryANumberAndText)
{
    TestWorkDir dir;
    const auto err = Database::exec(QStringLiteral("INSERT INTO Nessuna VALUES (1)"));
    ASSERT_TRUE(err);
    EXPECT_NE(err->number, 0);
    EXPECT_TRUE(err->text.contains(QStringLiteral("Nessuna")));
    EXPECT_TRUE(err->title().startsWith(QStringLiteral("Errore ")));
}

TEST(Database, RefusesAForeignFile)
{
    TestWorkDir dir(false);
    dir.write(Database::kRelativePath,
              QByteArray("questo non è un database, ma un testo qualunque lungo abbastanza").repeated(20));
    const auto err = Database::open(dir.path(Database::kRelativePath));
    ASSERT_TRUE(err);
    EXPECT_FALSE(Database::isOpen());
}

TEST(Database, CopyIsConsistentAndPrivate)
{
    TestWorkDir dir;
    ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Azienda (Riga1) VALUES ('Copia')")));
    const QString target = dir.path(QStringLiteral("copia.mdb"));
    ASSERT_FALSE(Database::copyTo(target));
    ASSERT_FALSE(Database::copyTo(target)); // a second copy replaces the first
    EXPECT_FALSE(QFile::permissions(target) & (QFileDevice::ReadGroup | QFileDevice::ReadOther));
    Database::close();
    ASSERT_FALSE(Database::open(target));
    EXPECT_EQ(Database::scalar(QStringLiteral("SELECT Riga1 FROM Azienda")).value().toString(),
              QStringLiteral("Copia"));
    EXPECT_TRUE(Database::copyTo(dir.path(QStringLiteral("manca/copia.mdb"))));
}

} // namespace
