// The import of the original program's Access file, checked against the JSON each fixture was
// made from (tests/data/import/make_fixtures.py), on the file and on the server.
#include "app/accessimport.h"
#include "data/database.h"
#include "data/dialect.h"
#include "dbrows.h"
#include "papers/seriesstore.h"
#include "qstringprint.h"
#include "workdir.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <QSqlRecord>
#include <charconv>
#include <cmath>
#include <gtest/gtest.h>

namespace {

QString fixture(const char* name)
{
    return QStringLiteral(CORVALISTO_SOURCE_DIR "/tests/data/import/") + QString::fromUtf8(name);
}

// A single written by the old program, as it showed it.
QString shownSingle(double jsonValue)
{
    char text[32];
    const auto r = std::to_chars(text, text + sizeof text, static_cast<float>(jsonValue));
    return Decimal::fromString(QString::fromLatin1(text, r.ptr - text))->toString();
}

// What the JSON value of a column should have become in the database, as text ("-" for Null): a
// date without its time, a time with its seconds only when it has some.
QString expected(const QJsonValue& v, const QString& type, const QString& column)
{
    const QString s = v.toString();
    if (v.isNull())
        return QStringLiteral("-");
    if (type == QStringLiteral("single"))
        return shownSingle(v.toDouble());
    if (type == QStringLiteral("datetime"))
        return column != QStringLiteral("OraRit") ? s.left(10) : s.endsWith(QStringLiteral(":00")) ? s.left(5) : s;
    return v.isDouble() ? QString::number(v.toInteger()) : s;
}

// What the database holds, with reals through the Decimal the stores read them with.
QStringList stored(const QString& table, const QJsonArray& columns)
{
    QStringList names;
    for (const QJsonValue& c : columns)
        names << c.toObject().value(QStringLiteral("name")).toString();
    auto q = Database::select(
        QStringLiteral("SELECT %1 FROM %2 ORDER BY %3").arg(names.join(QStringLiteral(", ")), table, Dialect::rowId()));
    EXPECT_TRUE(q.ok()) << table.toStdString();
    QStringList out;
    while (q.ok() && q.value().next()) {
        QStringList fields;
        for (int i = 0; i < names.size(); ++i) {
            const QVariant v = q.value().value(i);
            const QString type = columns[i].toObject().value(QStringLiteral("type")).toString();
            fields << (v.isNull()                         ? QStringLiteral("-")
                       : type == QStringLiteral("single") ? Decimal::fromDouble(v.toDouble()).toString()
                                                          : v.toString());
        }
        out << fields.join(u'|');
    }
    return out;
}

// Every value of either format arrives as the old program showed it, with the report's counts and
// sums; rows the program's rules would refuse are listed and stored as they are; key counters and
// every yearly series continue where the old file left off.
TEST(AccessImport, EveryValueArrivesAndKeysAndSeriesGoOnWhereTheOldFileLeftOff)
{
    QFile json(fixture("corvalisto4.json"));
    ASSERT_TRUE(json.open(QIODevice::ReadOnly));
    const QJsonArray tables = QJsonDocument::fromJson(json.readAll())["tables"].toArray();
    for (const char* file : {"corvalisto4.mdb", "corvalisto3.mdb"}) {
        SCOPED_TRACE(file);
        TestWorkDir dir;
        const AccessImport::Outcome out = AccessImport::run(fixture(file));
        ASSERT_TRUE(out.ok) << AccessImport::reportText(out).toStdString();
        ASSERT_EQ(out.report.tables.size(), tables.size());
        for (int t = 0; t < tables.size(); ++t) {
            const QString name = tables[t][QStringLiteral("name")].toString();
            SCOPED_TRACE(name.toStdString());
            const QJsonArray columns = tables[t][QStringLiteral("columns")].toArray();
            const QJsonArray rows = tables[t][QStringLiteral("rows")].toArray();
            QStringList want;
            std::map<QString, Decimal> sums;
            for (const QJsonValue& row : rows) {
                QStringList fields;
                for (int c = 0; c < columns.size(); ++c) {
                    const QString type = columns[c][QStringLiteral("type")].toString();
                    const QString column = columns[c][QStringLiteral("name")].toString();
                    fields << expected(row[c], type, column);
                    if (type == QStringLiteral("single") && !row[c].isNull())
                        sums[column] += *Decimal::fromString(shownSingle(row[c].toDouble()));
                }
                want << fields.join(u'|');
            }
            EXPECT_EQ(stored(name, columns), want);
            const AccessImport::TableReport& r = out.report.tables[t];
            EXPECT_EQ(QStringList({r.table, QString::number(r.read), QString::number(r.written)}),
                      QStringList({name, QString::number(rows.size()), QString::number(rows.size())}));
            ASSERT_EQ(r.sums.size(), int(sums.size()));
            for (const AccessImport::Sum& s : r.sums)
                EXPECT_EQ(s.read.toString() + u'|' + s.written.toString(),
                          sums[s.column].toString() + u'|' + sums[s.column].toString())
                    << s.column.toStdString();
        }

        const char* const awkward[] = {
            "Anagrafica Id=41: Nome di 60 caratteri (al massimo 50)",
            "Anagrafica Id=42: Nome \"ROSSI 007\" uguale a quello di Anagrafica Id=7, anch'esso valido",
            "ContFatt Num=999/24 Ord=1: la testata 999/24 non esiste in Fatture",
            "Fatture Num=A12: numero non nella forma N/AA",
            "Ddt Num=5/24: il cliente 10 non esiste",
            "Preventivi Num=2/25: numero ripetuto",
        };
        for (const char* w : awkward)
            EXPECT_TRUE(out.report.warnings.contains(QString::fromUtf8(w))) << w;
        // A name exactly as long as the column is not one of them, nor documents sharing a number.
        for (const QString& w : out.report.warnings)
            EXPECT_FALSE(w.startsWith(QStringLiteral("Anagrafica Id=1:")) || w.startsWith(QStringLiteral("Documenti")))
                << w.toStdString();
        const char* keys[][3] = {{"Anagrafica", "Id", "43"}, {"Categorie", "IdCat", "6"}, {"Magazzino", "IdArt", "61"}};
        for (const auto& [table, key, next] : keys)
            EXPECT_EQ(dbText(Dialect::nextKey(QString::fromUtf8(table), QString::fromUtf8(key))),
                      QString::fromUtf8(next))
                << table;
        // A new customer really gets it.
        EXPECT_EQ(dbText("INSERT INTO Anagrafica (Nome) VALUES ('NUOVO') RETURNING Id"), QStringLiteral("43"));
        // Every yearly series goes on from its highest number in the old file.
        const char* series[][3] = {{"Fatture", "/23", "102/23"},   {"Fatture", "/24", "106/24"},
                                   {"Fatture", "/25", "95/25"},    {"Ddt", "/24", "41/24"},
                                   {"Preventivi", "/25", "21/25"}, {"Documenti", "/24", "11/24"}};
        for (const auto& [table, suffix, next] : series)
            EXPECT_EQ(SeriesStore(table).prossimoNumero(QString::fromUtf8(suffix)).value(), QString::fromUtf8(next))
                << table;
    }
}

// A file that is not the old program's, damaged or unstorable, a database already holding data or a
// row failing in the middle: a clear message, and the database as it was.
TEST(AccessImport, RefusesWithAClearMessageAndWritesNothing)
{
    const auto counts = [] {
        QStringList out{dbText(Dialect::nextKey(QStringLiteral("Anagrafica"), QStringLiteral("Id")))};
        for (const QString& t : AccessImport::tableNames())
            out << t + u'=' + dbText(QStringLiteral("SELECT count(*) FROM ") + t);
        return out;
    };
    const struct {
        const char* file;
        const char* message;
        const char* problem; // one of the problems named, or nullptr
        std::function<void()> before = {};
    } cases[] = {
        {"corvalisto4.json", "non è un database Access", nullptr},
        {"damaged.mdb", "è danneggiato: le tabelle ContFatt", nullptr},
        {"nocolumn.mdb", "non ha le tabelle del programma precedente",
         "Nella tabella Fatture manca la colonna Pagata."},
        {"notable.mdb", "non ha le tabelle del programma precedente", "Manca la tabella Documenti."},
        {"unstorable.mdb", "non possono essere memorizzate", "Anagrafica Id=2: chiave ripetuta"},
        {"unstorable.mdb", "non possono essere memorizzate", "Fatture Num=2/24: Totale non è un numero memorizzabile"},
        {"corvalisto4.mdb", "solo in un database vuoto", nullptr,
         [] { ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Categorie (Nome) VALUES ('VARIE')"))); }},
        {"corvalisto4.mdb", "disco pieno|ContFatt Num=7/24", nullptr,
         [] { failInserts(QStringLiteral("ContFatt"), QStringLiteral("NEW.Num = '7/24' AND NEW.Ord > 5")); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + c.message);
        TestWorkDir dir;
        if (c.before)
            c.before();
        const QStringList before = counts();
        const AccessImport::Outcome out = AccessImport::run(fixture(c.file));
        EXPECT_FALSE(out.ok);
        for (const QString& part : QString::fromUtf8(c.message).split(u'|'))
            EXPECT_TRUE(out.message.contains(part)) << out.message.toStdString();
        EXPECT_TRUE(!c.problem || out.problems.contains(QString::fromUtf8(c.problem)))
            << out.problems.join(u'\n').toStdString();
        EXPECT_EQ(counts(), before);
    }
}

// Singles become the decimal the old program showed; dates count days from the end of 1899.
TEST(AccessImport, SinglesAndDatesBecomeWhatTheOldProgramShowed)
{
    const std::pair<float, const char*> singles[] = {{12.2f, "12.2"},         {0.1f, "0.1"},
                                                     {-3.25f, "-3.25"},       {1234.567f, "1234.567"},
                                                     {0.333f, "0.333"},       {16777217.0f, "16777216"},
                                                     {15911.91f, "15911.91"}, {1e-7f, "0.0000001"}};
    for (const auto& [value, shown] : singles)
        EXPECT_EQ(AccessImport::fromSingle(value).toString(), QString::fromLatin1(shown)) << shown;
    EXPECT_TRUE(AccessImport::fromSingle(3.4e38f).isOverflow());
    // Empty: not a date.
    const std::pair<double, const char*> dates[] = {{0, "1899-12-30T00:00:00"},
                                                    {45292, "2024-01-01T00:00:00"},
                                                    {45292.75, "2024-01-01T18:00:00"},
                                                    {-1.25, "1899-12-29T06:00:00"},
                                                    {0.999999999, "1899-12-31T00:00:00"},
                                                    {2958465, "9999-12-31T00:00:00"},
                                                    {2958466, ""},
                                                    {NAN, ""}};
    for (const auto& [value, at] : dates)
        EXPECT_EQ(AccessImport::fromAccessDate(value).toString(Qt::ISODate), QString::fromLatin1(at)) << value;
}

} // namespace
