#include "data/database.h"
#include "data/schema.h"
#include "workdir.h"

#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

void run(const QString& sql, const QVariantList& values = {})
{
    EXPECT_FALSE(Database::exec(sql, values)) << sql.toStdString();
}

// The first column of every row, as text.
QStringList column(const QString& sql, const QVariantList& values = {})
{
    QStringList out;
    auto q = Database::select(sql, values);
    while (q.value().next())
        out << q.value().value(0).toString();
    return out;
}

TEST(Database, CreatesTheTenTablesPrivatelyWithTheirDefaults)
{
    TestWorkDir dir;
    QStringList expected = Schema::tableNames();
    expected.sort();
    EXPECT_EQ(expected.size(), 10);
    EXPECT_EQ(column("SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%' ORDER BY name"),
              expected);
    const auto perms = QFile::permissions(dir.path(Database::kRelativePath));
    EXPECT_TRUE(perms & QFileDevice::ReadOwner);
    EXPECT_FALSE(perms & (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteOther));
    run("INSERT INTO Anagrafica (Nome, Città) VALUES (?, ?)", {"L'OFFICINA", "Forlì"});
    EXPECT_EQ(column("SELECT Id || ' ' || Valid || ' ' || Città FROM Anagrafica"), QStringList{"1 1 Forlì"});
    // Keys grow past 16 bits.
    run("INSERT INTO Anagrafica (Id, Nome) VALUES (32767, 'X')");
    run("INSERT INTO Anagrafica (Nome) VALUES ('Y')");
    EXPECT_EQ(Database::scalar("SELECT max(Id) FROM Anagrafica").value().toLongLong(), 32768);
}

TEST(Database, FoldsAccentsAndCaseSearchesLiterallyAndSortsPaperNumbersByValue)
{
    TestWorkDir dir;
    for (const char* name : {"CITTÀ SRL", "100% FERRO", "A_B", "ROSSI"})
        run("INSERT INTO Anagrafica (Nome) VALUES (?)", {QString::fromUtf8(name)});
    EXPECT_EQ(column("SELECT Nome FROM Anagrafica WHERE fold(Nome) = fold(?)", {"città srl"}),
              QStringList{"CITTÀ SRL"});
    const std::pair<const char*, QStringList> searches[] = {
        {"%", {"100% FERRO"}}, {"_", {"A_B"}}, {"*", {}}, {"ossi", {"ROSSI"}}};
    for (const auto& [text, found] : searches)
        EXPECT_EQ(column("SELECT Nome FROM Anagrafica WHERE instr(fold(Nome), fold(?)) > 0", {text}), found) << text;

    for (const char* n : {"9/26", "10/26", "2/26"})
        run("INSERT INTO Fatture (Num, Data) VALUES (?, '2026-03-01')", {n});
    EXPECT_EQ(column("SELECT Num FROM Fatture WHERE CAST(strftime('%Y', Data) AS INTEGER) = ? "
                     "ORDER BY CAST(Num AS INTEGER) DESC",
                     {2026}),
              (QStringList{"10/26", "9/26", "2/26"}));
}

TEST(Database, TransactionsRollBackUnlessCommittedAndNestAsSavepoints)
{
    TestWorkDir dir;
    auto insert = [](const char* num) { run("INSERT INTO Documenti (Num) VALUES (?)", {num}); };
    {
        Transaction outer;
        insert("1/26");
        {
            Transaction dropped;
            ASSERT_TRUE(dropped.started());
            insert("2/26");
        }
        {
            Transaction kept;
            insert("3/26");
            EXPECT_FALSE(kept.commit());
        }
        EXPECT_FALSE(outer.commit());
    }
    {
        // A dropped guard takes its committed inner part with it.
        Transaction dropped;
        ASSERT_TRUE(dropped.started());
        Transaction inner;
        insert("4/26");
        EXPECT_FALSE(inner.commit());
    }
    EXPECT_EQ(column("SELECT Num FROM Documenti ORDER BY Num"), (QStringList{"1/26", "3/26"}));
}

TEST(Database, ReopensCopiesConsistentlyAndPrivatelyAndReportsErrors)
{
    TestWorkDir dir;
    const auto err = Database::exec(QStringLiteral("INSERT INTO Nessuna VALUES (1)"));
    ASSERT_TRUE(err);
    EXPECT_NE(err->number, 0);
    EXPECT_TRUE(err->text.contains(QStringLiteral("Nessuna")));
    EXPECT_TRUE(err->title().startsWith(QStringLiteral("Errore ")));
    run("INSERT INTO Azienda (Riga1) VALUES ('Copia')");
    const QString target = dir.path(QStringLiteral("copia.mdb"));
    ASSERT_FALSE(Database::copyTo(target));
    ASSERT_FALSE(Database::copyTo(target)); // a second copy replaces the first
    EXPECT_FALSE(QFile::permissions(target) & (QFileDevice::ReadGroup | QFileDevice::ReadOther));
    EXPECT_TRUE(Database::copyTo(dir.path(QStringLiteral("manca/copia.mdb"))));
    for (const QString& file : {dir.path(Database::kRelativePath), target}) {
        Database::close();
        ASSERT_FALSE(Database::open(file));
        EXPECT_EQ(column("SELECT Riga1 FROM Azienda"), QStringList{"Copia"});
        QProcess sqlite;
        sqlite.start(QStringLiteral("sqlite3"), {file, QStringLiteral(".schema Anagrafica")});
        ASSERT_TRUE(sqlite.waitForFinished(5000));
        EXPECT_TRUE(sqlite.readAllStandardOutput().contains("Città")) << "sqlite3 cannot read " << file.toStdString();
    }
    // A foreign file is refused and leaves no database open.
    Database::close();
    dir.write(QStringLiteral("altro.mdb"), QByteArray("questo non è un database, ma un testo qualunque").repeated(20));
    EXPECT_TRUE(Database::open(dir.path(QStringLiteral("altro.mdb"))));
    EXPECT_FALSE(Database::isOpen());
}

} // namespace
