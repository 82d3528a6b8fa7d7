#include "data/database.h"
#include "data/dialect.h"
#include "data/schema.h"
#include "dbrows.h"
#include "shell/appstate.h"
#include "workdir.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

// The rows every shape can hold, one table per step: what an upgrade must keep.
struct Sample {
    int step;
    const char* insert;
    const char* read;
};
const Sample kSamples[] = {
    {1, "INSERT INTO Anagrafica (Nome, Città) VALUES ('ROSSI', 'Forlì')",
     "SELECT Id, Nome, Città, Valid FROM Anagrafica"},
    {1, "INSERT INTO Fatture (Num, IdAna, Data, Totale, Iva) VALUES ('1/26', 1, '2026-01-05', 122.5, 22)",
     "SELECT Num, IdAna, Data, Totale, Iva FROM Fatture"},
    {2, "INSERT INTO EFatturaNatura (Num, Natura) VALUES ('1/26', 'N2.1')", "SELECT Num, Natura FROM EFatturaNatura"},
    {3, "INSERT INTO FattureDdt (NumDdt, NumFattura) VALUES ('4/26', '1/26')",
     "SELECT NumDdt, NumFattura FROM FattureDdt"},
    {4, "INSERT INTO EFatturaFile (Num, Progressivo) VALUES ('1/26', 7)", "SELECT Num, Progressivo FROM EFatturaFile"},
};

void run(const QString& sql)
{
    const DbStatus err = Database::exec(sql);
    EXPECT_FALSE(err) << sql.toStdString() << ": " << (err ? err->text.toStdString() : std::string());
}

// Turns the open database of the test into one of an earlier shape: only the tables of `steps`
// (the first without its indexes, as the original program made it), `recorded` as its number,
// and the sample rows their tables take.
void makeShape(const QList<int>& steps, int recorded)
{
    for (const QString& t : Schema::ownTables())
        run(QStringLiteral("DROP TABLE ") + t);
    for (int step : steps)
        for (const QString& sql : Schema::stepStatements(step))
            if (sql.startsWith(QStringLiteral("CREATE TABLE")))
                run(Dialect::table(sql));
    for (const Sample& s : kSamples)
        if (steps.contains(s.step))
            run(QString::fromUtf8(s.insert));
    recordShape(recorded);
}

QString sampleRows(const QList<int>& steps)
{
    QString out;
    for (const Sample& s : kSamples)
        if (steps.contains(s.step))
            out += dbRows(QString::fromUtf8(s.read)) + u'\n';
    return out;
}

// Reopens the test's database (`url` on the server) as start-up does, counting the calls made
// before a step.
DbStatus reopen(const QString& url, int* calls, DbStatus answer = std::nullopt)
{
    Database::close();
    const auto before = [=]() -> DbStatus {
        ++*calls;
        return answer;
    };
    return url.isEmpty() ? Database::open(app().path(Database::kRelativePath), before)
                         : Database::openServer(url, before);
}

} // namespace

TEST(SchemaHistory, EveryEarlierShapeReachesTheNewestWithItsRowsAfterOneCall)
{
    struct Shape {
        const char* what;
        QList<int> steps;
        int recorded;
    };
    QList<Shape> shapes = {
        {"the original program's ten tables", {1}, 0},
        // Before the history was kept each store made its tables at first use, in any order.
        {"unrecorded, with the e-invoice tables", {1, 2}, 0},
        {"unrecorded, with the DDT links", {1, 3}, 0},
        {"unrecorded, with every table", {1, 2, 3}, 0},
    };
    for (int n = 1; n < Schema::latest(); ++n) {
        QList<int> steps;
        for (int s = 1; s <= n; ++s)
            steps << s;
        shapes.append({"recorded", steps, n});
    }
    TestWorkDir dir;
    const QString url = Database::serverUrl();
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(std::string(shape.what) + " at " + std::to_string(shape.recorded));
        makeShape(shape.steps, shape.recorded);
        const QString rows = sampleRows(shape.steps);
        int calls = 0;
        const DbStatus err = reopen(url, &calls);
        ASSERT_FALSE(err) << err->text.toStdString();
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(Schema::version().value(), Schema::latest());
        for (const QString& t : Schema::ownTables())
            EXPECT_TRUE(hasTable(t)) << t.toStdString();
        EXPECT_EQ(sampleRows(shape.steps), rows);
        // Keys go on past the rows kept.
        EXPECT_EQ(dbText(QStringLiteral("INSERT INTO Anagrafica (Nome) VALUES ('BIANCHI') RETURNING Id")),
                  QStringLiteral("2"));
        // At the newest shape nothing more is done: the shipped payment terms are there once.
        ASSERT_FALSE(reopen(url, &calls));
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(dbText(QStringLiteral("SELECT count(*) || ' ' || count(DISTINCT Descrizione) FROM "
                                        "CondizioniPagamento")),
                  QStringLiteral("11 11"));
    }
}

TEST(SchemaHistory, NoStepIsTakenWhenTheCopyBeforeItFails)
{
    TestWorkDir dir;
    const QString url = Database::serverUrl();
    makeShape({1}, 0);
    const QString before = sampleRows({1});
    int calls = 0;
    for (int attempt = 1; attempt <= 2; ++attempt) {
        const DbStatus err = reopen(url, &calls, DbError{75, QStringLiteral("disco pieno")});
        ASSERT_TRUE(err);
        EXPECT_EQ(err->text, QStringLiteral("disco pieno"));
        EXPECT_FALSE(Database::isOpen());
        // Asked again: the refused opening left the old shape.
        EXPECT_EQ(calls, attempt);
    }
    ASSERT_FALSE(reopen(url, &calls));
    EXPECT_EQ(sampleRows({1}), before);
    EXPECT_EQ(Schema::version().value(), Schema::latest());
}

TEST(SchemaHistory, ANewerShapeIsRefusedUntouched)
{
    TestWorkDir dir;
    const QString url = Database::serverUrl();
    recordShape(Schema::latest() + 1);
    const QString file = app().path(Database::kRelativePath);
    Database::close();
    const QByteArray bytes = url.isEmpty() ? dir.read(Database::kRelativePath) : QByteArray();
    int calls = 0;
    const auto before = [&calls]() -> DbStatus {
        ++calls;
        return std::nullopt;
    };
    const DbStatus err = url.isEmpty() ? Database::open(file, before) : Database::openServer(url, before);
    ASSERT_TRUE(err);
    EXPECT_EQ(err->number, Database::Newer);
    EXPECT_EQ(err->text, QStringLiteral("il database è alla versione %1, questo programma conosce fino alla "
                                        "versione %2")
                             .arg(Schema::latest() + 1)
                             .arg(Schema::latest()));
    EXPECT_EQ(calls, 0);
    EXPECT_FALSE(Database::isOpen());
    if (url.isEmpty()) {
        EXPECT_EQ(dir.read(Database::kRelativePath), bytes);
        // Nor is it taken for a good copy to start again from.
        ASSERT_TRUE(Database::verify(file));
        EXPECT_EQ(Database::verify(file)->number, Database::Newer);
    }
}
