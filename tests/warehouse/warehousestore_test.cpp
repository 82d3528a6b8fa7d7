#include "warehousetest.h"
#include "workdir.h"

#include <gtest/gtest.h>

namespace {

QString descriptions(qint64 cat, const QString& part)
{
    QStringList out;
    const auto rows = WarehouseStore::stockList(cat, part).value();
    for (const auto& r : rows)
        out << r.descrizione;
    return out.join(u',');
}

bool nameInUse(const QString& nome)
{
    return WarehouseStore::categoryNameInUse(nome).value();
}

} // namespace

TEST(WarehouseStore, CategoriesCompareFoldedAndLiterallyAndDeletedNamesAreFree)
{
    TestWorkDir dir;
    const qint64 tub = addCategory(u"TUBOLARI"_s);
    addCategory(u"CITTÀ D'ACCIAIO"_s);
    EXPECT_TRUE(nameInUse(u"città d'acciaio"_s));
    EXPECT_FALSE(nameInUse(u"CITTA D'ACCIAIO"_s) || nameInUse(u"TUBOLAR%"_s) || nameInUse(u"TUBOLAR_"_s));
    ASSERT_FALSE(WarehouseStore::deleteCategory(tub));
    EXPECT_FALSE(nameInUse(u"TUBOLARI"_s));
    addCategory(u"TUBOLARI"_s);
    // Renaming to a name in use is refused.
    EXPECT_EQ(WarehouseStore::renameCategory(3, u"città d'acciaio"_s)->number, DbError::Duplicate);
    EXPECT_EQ(categoryRows(), u"1:TUBOLARI:0|2:CITTÀ D'ACCIAIO:1|3:TUBOLARI:1"_s);
    // Listed as every list is, accents aside.
    addCategory(u"CITTADELLA"_s);
    const auto categories = WarehouseStore::categories();
    QStringList names;
    for (const auto& c : categories.value())
        names << c.nome;
    EXPECT_EQ(names, (QStringList{u"CITTÀ D'ACCIAIO"_s, u"CITTADELLA"_s, u"TUBOLARI"_s}));
}

TEST(WarehouseStore, StockListFiltersLiterallyAndKeepsOrder)
{
    TestWorkDir dir;
    const qint64 b = addCategory(u"B"_s);
    const qint64 a = addCategory(u"A"_s);
    for (const QString& d : {u"vite 100% inox"_s, u"Vite 1000 inox"_s, u"dado_M8"_s, u"dadoXM8"_s})
        addItem(b, d);
    for (const QString& d : {u"Tubo * zincato"_s, u"Tubo dell'acqua"_s, u"Profilo CITTÀ"_s})
        addItem(a, d);
    ASSERT_TRUE(WarehouseStore::deleteItem(addItem(a, u"Tubo eliminato"_s)).value());

    // Category id first (b was created first), then description ignoring case; the list window searches
    // for "_", "*" and accented text.
    const std::tuple<qint64, QString, QString> cases[] = {
        {0, QString(), u"dado_M8,dadoXM8,vite 100% inox,Vite 1000 inox,Profilo CITTÀ,Tubo * zincato,Tubo dell'acqua"_s},
        {a, QString(), u"Profilo CITTÀ,Tubo * zincato,Tubo dell'acqua"_s},
        {0, u"100%"_s, u"vite 100% inox"_s},
        {0, u"dell'"_s, u"Tubo dell'acqua"_s},
        {0, u"VITE"_s, u"vite 100% inox,Vite 1000 inox"_s},
        {a, u"vite"_s, QString()}, // the description filter works inside the category filter
        {0, u"eliminato"_s, QString()},
    };
    for (const auto& [cat, part, expected] : cases)
        EXPECT_EQ(descriptions(cat, part), expected) << cat << part.toStdString();
}

TEST(WarehouseStore, QuantitiesRoundTripExactlyAndRealsReadAsTheirShortestDecimal)
{
    TestWorkDir dir;
    const qint64 cat = addCategory(u"C"_s);
    for (const char* q : {"12.1", "0.001", "999999999999.999", "-3"})
        addItem(cat, QString::fromLatin1(q), q);
    // Rows written by other programs hold whatever double they computed.
    for (double v : {0.1, 0.2 + 0.1, 1.0 / 3.0, -0.005, 1e-7, 123456789.123, 5e11, 2.675, 1e12 + 1, 1e15, 0.0005})
        ASSERT_FALSE(Database::exec(u"INSERT INTO Magazzino (Cat, Descrizione, Um, Qta) VALUES (?, ?, 'Pz', ?)"_s,
                                    {cat, QString::number(v, 'g', 17), v}));
    const auto rows = WarehouseStore::stockList(cat, QString()).value();
    ASSERT_EQ(rows.size(), 15);
    for (const auto& r : rows)
        EXPECT_EQ(r.qta,
                  r.id <= 4 ? *Decimal::fromString(r.descrizione) : Decimal::fromDouble(r.descrizione.toDouble()))
            << r.descrizione.toStdString();
    EXPECT_EQ(WarehouseStore::validItem(1).value()->qta, dec("12.1"));
    // Past the Decimal range a quantity is an overflow (run-time error 6), never 0.
    Database::exec(u"UPDATE Magazzino SET Qta = 1e21 WHERE IdArt = 1"_s);
    EXPECT_EQ(WarehouseStore::validItem(1).error().number, 6);
    EXPECT_EQ(WarehouseStore::stockList(cat, QString()).error().number, 6);
    EXPECT_EQ(WarehouseStore::saveItem({1, cat, u"x"_s, u"m"_s, dec("1e20") * dec("10")}).error().number, 6);
}

TEST(WarehouseStore, NewItemsTakeOverDeletedRowsAndOnlyValidItemsAreRewritten)
{
    TestWorkDir dir;
    const qint64 cat = addCategory(u"C"_s);
    for (const QString& d : {u"uno"_s, u"due"_s, u"tre"_s})
        addItem(cat, d);
    ASSERT_TRUE(WarehouseStore::deleteItem(3).value() && WarehouseStore::deleteItem(2).value());
    QList<qint64> ids;
    for (const QString& d : {u"quattro"_s, u"cinque"_s, u"sei"_s}) {
        const auto saved = WarehouseStore::saveItem({0, cat, d, u"m"_s, dec("2.5")}).value();
        EXPECT_EQ(saved.outcome, WarehouseStore::SaveOutcome::Inserted);
        ids << saved.id;
    }
    EXPECT_EQ(ids, QList<qint64>({2, 3, 4}));

    auto saved = WarehouseStore::saveItem({1, cat, u"uno bis"_s, u"kg"_s, dec("7.25")}).value();
    EXPECT_EQ(saved.outcome, WarehouseStore::SaveOutcome::Modified);
    ASSERT_TRUE(WarehouseStore::deleteItem(4).value());
    saved = WarehouseStore::saveItem({4, cat, u"fantasma"_s, u"kg"_s, dec("1")}).value();
    EXPECT_EQ(saved.outcome, WarehouseStore::SaveOutcome::Missing);
    EXPECT_FALSE(WarehouseStore::validItem(4).value().has_value());
    EXPECT_FALSE(WarehouseStore::deleteItem(104).value());
    // Nor may an item take another's description, matched literally and whatever its case; its own is no other's.
    const auto inUse = [](const QString& d, qint64 except) {
        return WarehouseStore::descriptionInUse(d, except).value();
    };
    EXPECT_TRUE(inUse(u"QUATTRO"_s, 0));
    EXPECT_FALSE(inUse(u"quattr_"_s, 0) || inUse(u"sei"_s, 0) || inUse(u"Quattro"_s, 2));
    EXPECT_EQ(WarehouseStore::saveItem({1, cat, u"CINQUE"_s, u"m"_s, dec("2")}).error().number, DbError::Duplicate);
    EXPECT_EQ(itemRows(), u"1:1:uno bis:kg:7.25:1|2:1:quattro:m:2.5:1|3:1:cinque:m:2.5:1|4:1:sei:m:2.5:0"_s);
}
