#include "data/database.h"
#include "warehouse/itemcheck.h"
#include "warehouse/warehousedemo.h"
#include "warehouse/warehousestore.h"
#include "workdir.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

Decimal dec(const char* text) {
    return *Decimal::fromString(QString::fromLatin1(text));
}

qint64 addCategory(const QString& nome) {
    const auto id = WarehouseStore::insertCategory(nome);
    EXPECT_TRUE(id.ok());
    return id.ok() ? id.value() : 0;
}

qint64 addItem(qint64 cat, const QString& des, const char* qta = "1",
               const QString& um = QStringLiteral("Pz")) {
    const auto id = WarehouseStore::addItem({0, cat, des, um, dec(qta)});
    EXPECT_TRUE(id.ok());
    return id.ok() ? id.value() : 0;
}

QVariant cell(const QString& sql, std::initializer_list<QVariant> values = {}) {
    const auto v = Database::scalar(sql, values);
    EXPECT_TRUE(v.ok());
    return v.ok() ? v.value() : QVariant();
}

QStringList descriptions(qint64 cat, const QString& part) {
    const auto rows = WarehouseStore::stockList(cat, part);
    EXPECT_TRUE(rows.ok());
    QStringList out;
    if (rows)
        for (const auto& r : rows.value())
            out << r.descrizione;
    return out;
}

} // namespace

TEST(WarehouseStoreCategories, InsertRenameDeleteAndNameChecks) {
    TestWorkDir dir;
    const qint64 tub = addCategory(QStringLiteral("TUBOLARI"));
    const qint64 acc = addCategory(QStringLiteral("CITTÀ D'ACCIAIO"));
    addCategory(QStringLiteral("BULLONERIA"));

    const auto list = WarehouseStore::categories();
    ASSERT_TRUE(list.ok());
    ASSERT_EQ(list->size(), 3);
    EXPECT_EQ(list->at(0).nome, QStringLiteral("BULLONERIA"));
    EXPECT_EQ(list->at(1).nome, QStringLiteral("CITTÀ D'ACCIAIO"));
    EXPECT_EQ(list->at(1).id, acc);

    // Names compare ignoring case, accented letters too, and the apostrophe is plain text.
    EXPECT_TRUE(*WarehouseStore::categoryNameInUse(QStringLiteral("città d'acciaio")));
    EXPECT_FALSE(*WarehouseStore::categoryNameInUse(QStringLiteral("CITTA D'ACCIAIO")));
    EXPECT_FALSE(*WarehouseStore::categoryNameInUse(QStringLiteral("TUBOLAR%")));

    ASSERT_FALSE(WarehouseStore::renameCategory(acc, QStringLiteral("ACCIAI 100%")));
    EXPECT_EQ(cell(QStringLiteral("SELECT Nome FROM Categorie WHERE IdCat = ?"), {acc}).toString(),
              QStringLiteral("ACCIAI 100%"));

    ASSERT_FALSE(WarehouseStore::deleteCategory(tub));
    EXPECT_EQ(cell(QStringLiteral("SELECT Valid FROM Categorie WHERE IdCat = ?"), {tub}).toInt(), 0);
    EXPECT_EQ(WarehouseStore::categories()->size(), 2);
    // A deleted name is free again; its row stays.
    EXPECT_FALSE(*WarehouseStore::categoryNameInUse(QStringLiteral("TUBOLARI")));
    const qint64 again = addCategory(QStringLiteral("TUBOLARI"));
    EXPECT_NE(again, tub);
    EXPECT_EQ(cell(QStringLiteral("SELECT count(*) FROM Categorie")).toInt(), 4);
}

TEST(WarehouseStoreCategories, OnlyValidItemsHoldACategory) {
    TestWorkDir dir;
    const qint64 cat = addCategory(QStringLiteral("LAMIERE"));
    const qint64 other = addCategory(QStringLiteral("VERNICI"));
    const qint64 item = addItem(cat, QStringLiteral("Lamiera 10/10"));
    EXPECT_TRUE(*WarehouseStore::categoryHasValidItems(cat));
    EXPECT_FALSE(*WarehouseStore::categoryHasValidItems(other));
    ASSERT_TRUE(*WarehouseStore::deleteItem(item));
    EXPECT_FALSE(*WarehouseStore::categoryHasValidItems(cat));
}

TEST(WarehouseStoreItems, StockListFiltersLiterallyAndKeepsOrder) {
    TestWorkDir dir;
    const qint64 b = addCategory(QStringLiteral("B"));
    const qint64 a = addCategory(QStringLiteral("A"));
    addItem(b, QStringLiteral("vite 100% inox"));
    addItem(b, QStringLiteral("Vite 1000 inox"));
    addItem(b, QStringLiteral("dado_M8"));
    addItem(b, QStringLiteral("dadoXM8"));
    addItem(a, QStringLiteral("Tubo * zincato"));
    addItem(a, QStringLiteral("Tubo dell'acqua"));
    addItem(a, QStringLiteral("Profilo CITTÀ"));
    const qint64 gone = addItem(a, QStringLiteral("Tubo eliminato"));
    ASSERT_TRUE(*WarehouseStore::deleteItem(gone));

    // Category id first (b was created first), then description ignoring case.
    EXPECT_EQ(descriptions(0, QString()),
              QStringList({"dado_M8", "dadoXM8", "vite 100% inox", "Vite 1000 inox", "Profilo CITTÀ",
                           "Tubo * zincato", "Tubo dell'acqua"}));
    EXPECT_EQ(descriptions(a, QString()),
              QStringList({"Profilo CITTÀ", "Tubo * zincato", "Tubo dell'acqua"}));

    EXPECT_EQ(descriptions(0, QStringLiteral("100%")), QStringList({"vite 100% inox"}));
    EXPECT_EQ(descriptions(0, QStringLiteral("_")), QStringList({"dado_M8"}));
    EXPECT_EQ(descriptions(0, QStringLiteral("*")), QStringList({"Tubo * zincato"}));
    EXPECT_EQ(descriptions(0, QStringLiteral("dell'")), QStringList({"Tubo dell'acqua"}));
    EXPECT_EQ(descriptions(0, QStringLiteral("città")), QStringList({"Profilo CITTÀ"}));
    EXPECT_EQ(descriptions(0, QStringLiteral("VITE")), QStringList({"vite 100% inox", "Vite 1000 inox"}));
    // The description filter works inside the category filter.
    EXPECT_TRUE(descriptions(a, QStringLiteral("vite")).isEmpty());
    EXPECT_TRUE(descriptions(0, QStringLiteral("eliminato")).isEmpty());
}

TEST(WarehouseStoreItems, QuantitiesRoundTripExactly) {
    TestWorkDir dir;
    const qint64 cat = addCategory(QStringLiteral("C"));
    const qint64 id = addItem(cat, QStringLiteral("Piatto"), "12.1");
    addItem(cat, QStringLiteral("Tondo"), "0.001");
    addItem(cat, QStringLiteral("Trave"), "999999999999.999");
    addItem(cat, QStringLiteral("Vite"), "-3");
    EXPECT_EQ(cell(QStringLiteral("SELECT typeof(Qta) FROM Magazzino WHERE IdArt = ?"), {id}).toString(),
              QStringLiteral("real"));
    const auto rows = WarehouseStore::stockList(cat, QString());
    ASSERT_TRUE(rows.ok());
    ASSERT_EQ(rows->size(), 4);
    EXPECT_EQ(rows->at(0).qta, dec("12.1"));
    EXPECT_EQ(rows->at(1).qta, dec("0.001"));
    EXPECT_EQ(rows->at(2).qta, dec("999999999999.999"));
    EXPECT_EQ(rows->at(3).qta, dec("-3"));
    const auto item = WarehouseStore::validItem(id);
    ASSERT_TRUE(item.ok() && item->has_value());
    EXPECT_EQ((*item.value()).qta, dec("12.1"));
}

TEST(WarehouseStoreItems, StoredRealsReadAsTheirShortestDecimal) {
    TestWorkDir dir;
    const qint64 cat = addCategory(QStringLiteral("C"));
    const QList<double> values = {0.1,  0.2 + 0.1, 1.0 / 3.0, 12.1,     -0.005, 1e-7,   123456789.123,
                                  5e11, 2.675,     -7.25,     1e12 + 1, 1e15,   0.0005, 999999999999.999};
    for (double v : values)
        ASSERT_FALSE(Database::exec(
            QStringLiteral("INSERT INTO Magazzino (Cat, Descrizione, Um, Qta) VALUES (?, ?, 'Pz', ?)"),
            {cat, QString::number(v, 'g', 17), v}));
    const auto rows = WarehouseStore::stockList(cat, QString());
    ASSERT_TRUE(rows.ok());
    ASSERT_EQ(rows->size(), values.size());
    for (const auto& r : rows.value()) {
        const double v = r.descrizione.toDouble();
        EXPECT_EQ(r.qta, Decimal::fromDouble(v)) << r.descrizione.toStdString();
    }
}

TEST(WarehouseStoreItems, NewItemTakesOverTheFirstDeletedRow) {
    TestWorkDir dir;
    const qint64 cat = addCategory(QStringLiteral("C"));
    const qint64 first = addItem(cat, QStringLiteral("uno"));
    const qint64 second = addItem(cat, QStringLiteral("due"));
    const qint64 third = addItem(cat, QStringLiteral("tre"));
    ASSERT_TRUE(*WarehouseStore::deleteItem(third));
    ASSERT_TRUE(*WarehouseStore::deleteItem(second));

    auto saved =
        WarehouseStore::saveItem({0, cat, QStringLiteral("quattro"), QStringLiteral("m"), dec("2.5")});
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(saved->outcome, WarehouseStore::SaveOutcome::Inserted);
    EXPECT_EQ(saved->id, second);
    auto r = Database::select(
        QStringLiteral("SELECT Cat, Descrizione, Um, Qta, Valid FROM Magazzino WHERE IdArt = ?"), {second});
    ASSERT_TRUE(r.ok());
    QSqlQuery& q = r.value();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(1).toString(), QStringLiteral("quattro"));
    EXPECT_EQ(q.value(2).toString(), QStringLiteral("m"));
    EXPECT_EQ(Decimal::fromDouble(q.value(3).toDouble()), dec("2.5"));
    EXPECT_EQ(q.value(4).toInt(), 1);

    saved = WarehouseStore::saveItem({0, cat, QStringLiteral("cinque"), QStringLiteral("m"), dec("1")});
    EXPECT_EQ(saved->id, third);
    // No deleted rows left: a new row.
    saved = WarehouseStore::saveItem({0, cat, QStringLiteral("sei"), QStringLiteral("m"), dec("1")});
    EXPECT_GT(saved->id, third);
    EXPECT_EQ(cell(QStringLiteral("SELECT count(*) FROM Magazzino")).toInt(), 4);
    EXPECT_EQ(cell(QStringLiteral("SELECT Descrizione FROM Magazzino WHERE IdArt = ?"), {first}).toString(),
              QStringLiteral("uno"));
}

TEST(WarehouseStoreItems, ChangingAnItemRewritesOnlyAValidRow) {
    TestWorkDir dir;
    const qint64 cat = addCategory(QStringLiteral("C"));
    const qint64 id = addItem(cat, QStringLiteral("uno"));
    auto saved =
        WarehouseStore::saveItem({id, cat, QStringLiteral("uno bis"), QStringLiteral("kg"), dec("7.25")});
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(saved->outcome, WarehouseStore::SaveOutcome::Modified);
    EXPECT_EQ(
        cell(QStringLiteral("SELECT Descrizione || '|' || Um || '|' || Qta FROM Magazzino WHERE IdArt = ?"),
             {id})
            .toString(),
        QStringLiteral("uno bis|kg|7.25"));

    ASSERT_TRUE(*WarehouseStore::deleteItem(id));
    saved = WarehouseStore::saveItem({id, cat, QStringLiteral("fantasma"), QStringLiteral("kg"), dec("1")});
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(saved->outcome, WarehouseStore::SaveOutcome::Missing);
    EXPECT_EQ(cell(QStringLiteral("SELECT Descrizione FROM Magazzino WHERE IdArt = ?"), {id}).toString(),
              QStringLiteral("uno bis"));
    EXPECT_FALSE(WarehouseStore::validItem(id)->has_value());
    EXPECT_FALSE(*WarehouseStore::deleteItem(id + 100));
}

TEST(WarehouseStoreItems, IdsBeyondSixteenBitsWork) {
    TestWorkDir dir;
    const qint64 cat = addCategory(QStringLiteral("C"));
    ASSERT_FALSE(Database::exec(QStringLiteral("INSERT INTO Magazzino (IdArt, Cat, Descrizione, Um, Qta) "
                                               "VALUES (32768, ?, 'grande', 'Pz', 3)"),
                                {cat}));
    const auto item = WarehouseStore::validItem(32768);
    ASSERT_TRUE(item.ok() && item->has_value());
    EXPECT_EQ((*item.value()).descrizione, QStringLiteral("grande"));
    const auto next =
        WarehouseStore::saveItem({0, cat, QStringLiteral("dopo"), QStringLiteral("Pz"), dec("1")});
    EXPECT_EQ(next->id, 32769);
}

TEST(WarehouseStoreItems, DescriptionsAndUnitsInUse) {
    TestWorkDir dir;
    const qint64 cat = addCategory(QStringLiteral("C"));
    const qint64 id = addItem(cat, QStringLiteral("Staffa città 50% l'una"), "1", QStringLiteral("m"));
    addItem(cat, QStringLiteral("Staffa_x"), "1", QStringLiteral("kg"));
    const qint64 gone = addItem(cat, QStringLiteral("Vecchia"), "1", QStringLiteral("l"));
    addItem(cat, QStringLiteral("Senza unità"), "1", QString());
    ASSERT_TRUE(*WarehouseStore::deleteItem(gone));

    EXPECT_TRUE(*WarehouseStore::descriptionInUse(QStringLiteral("STAFFA CITTÀ 50% L'UNA"), 0));
    EXPECT_FALSE(*WarehouseStore::descriptionInUse(QStringLiteral("Staffa città 50% l'una"), id));
    EXPECT_FALSE(*WarehouseStore::descriptionInUse(QStringLiteral("Staffa%"), 0));
    EXPECT_FALSE(*WarehouseStore::descriptionInUse(QStringLiteral("Staffa_X "), 0));
    EXPECT_FALSE(*WarehouseStore::descriptionInUse(QStringLiteral("Vecchia"), 0));

    EXPECT_EQ(*WarehouseStore::unitsInUse(), QStringList({"kg", "m"}));
}

TEST(ItemCheck, ReportsTheFirstFailureInOrder) {
    TestWorkDir dir;
    const qint64 cat = addCategory(QStringLiteral("C"));
    const qint64 id = addItem(cat, QStringLiteral("Esistente"));
    using F = ItemCheck::Failure;
    auto check = [](ItemCheck::Draft d) { return ItemCheck::check(d).value(); };
    EXPECT_EQ(check({0, 0, "", "", ""}), F::NoCategory);
    EXPECT_EQ(check({0, cat, "  ", "", ""}), F::NoDescription);
    EXPECT_EQ(check({0, cat, "esistente", "", ""}), F::DuplicateDescription);
    EXPECT_EQ(check({id, cat, "esistente", "", ""}), F::NoUnit);
    EXPECT_EQ(check({0, cat, "Nuovo", " ", "1"}), F::NoUnit);
    EXPECT_EQ(check({0, cat, "Nuovo", "Pz", ""}), F::NoQuantity);
    EXPECT_EQ(check({0, cat, "Nuovo", "Pz", "0"}), F::None);
}

TEST(WarehouseDemo, FillsCategoriesAndItemsOrNothing) {
    {
        TestWorkDir dir;
        ASSERT_FALSE(WarehouseDemo::fill());
        EXPECT_EQ(cell(QStringLiteral("SELECT count(*) FROM Categorie WHERE Valid = 1")).toInt(), 5);
        const int items = cell(QStringLiteral("SELECT count(*) FROM Magazzino WHERE Valid = 1")).toInt();
        EXPECT_GE(items, 35);
        EXPECT_EQ(cell(QStringLiteral("SELECT count(DISTINCT fold(Descrizione)) FROM Magazzino")).toInt(),
                  items);
        EXPECT_EQ(cell(QStringLiteral("SELECT count(*) FROM Magazzino M JOIN Categorie C ON M.Cat = C.IdCat"))
                      .toInt(),
                  items);
        EXPECT_EQ(cell(QStringLiteral("SELECT count(*) FROM Magazzino WHERE Um IS NULL OR Um = ''")).toInt(),
                  0);
        const auto rows = WarehouseStore::stockList(0, QStringLiteral("30x30x2"));
        ASSERT_EQ(rows->size(), 1);
        EXPECT_EQ(rows->at(0).qta, dec("240.5"));
    }
    {
        TestWorkDir dir;
        ASSERT_FALSE(Database::exec(QStringLiteral("DROP TABLE Magazzino")));
        EXPECT_TRUE(WarehouseDemo::fill().has_value());
        EXPECT_EQ(cell(QStringLiteral("SELECT count(*) FROM Categorie")).toInt(), 0);
    }
}
