#include "warehouse/warehousestore.h"

#include "data/database.h"
#include "data/distincttexts.h"
#include "data/listorder.h"
#include "data/rowcursor.h"
#include "data/textcolumns.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariantList>
#include <algorithm>
#include <cmath>

namespace {

DbResult<bool> anyRow(const QString& sql, const QVariantList& values)
{
    auto q = Database::select(sql, values);
    if (!q)
        return q.error();
    if (q.value().next())
        return true;
    if (q.value().lastError().isValid())
        return DbError::from(q.value().lastError());
    return false;
}

// A stored quantity as Decimal::fromDouble reads it. Quantities carry at most three decimals, so
// most values are k/1000 exactly as the double nearest to it; below 1e12 no shorter decimal lies
// that close, so the result is the same without the text round trip.
Decimal quantityFromReal(double d)
{
    if (std::fabs(d) < 1e12) {
        const long long thousandths = std::llround(d * 1000.0);
        if (static_cast<double>(thousandths) / 1000.0 == d)
            return Decimal(thousandths).dividedBy(1000, 3);
    }
    return Decimal::fromDouble(d);
}

Decimal quantityFromReal(const QVariant& v)
{
    return v.isNull() ? Decimal() : quantityFromReal(v.toDouble());
}

QString categoryName(const QString& nome)
{
    return TextColumns::fit(nome, TextColumns::Categorie::Nome);
}

QString description(const QString& descrizione)
{
    return TextColumns::fit(descrizione, TextColumns::Magazzino::Descrizione);
}

QString unit(const QString& um)
{
    return TextColumns::fit(um, TextColumns::Magazzino::Um);
}

// The checks run inside the caller's Write transaction, so that no other seat can store the
// same name between the check and the write.
DbStatus refuse(const DbResult<bool>& taken, const QString& what)
{
    if (!taken)
        return taken.error();
    if (taken.value())
        return DbError{DbError::Duplicate, what + QStringLiteral(" già esistente")};
    return std::nullopt;
}

// The column is REAL: SQLite reads the exact decimal text into its nearest double.
QVariant quantityForStorage(const Decimal& qta)
{
    return qta.toString();
}

} // namespace

DbResult<QList<WarehouseStore::Category>> WarehouseStore::categories()
{
    auto q = Database::select(QStringLiteral("SELECT IdCat, Nome FROM Categorie WHERE Valid = 1 ORDER BY IdCat"), {});
    if (!q)
        return q.error();
    QList<Category> out;
    while (q.value().next())
        out.append({q.value().value(0).toLongLong(), q.value().value(1).toString()});
    if (q.value().lastError().isValid())
        return DbError::from(q.value().lastError());
    ListOrder::sort(out, [](const Category& c) { return c.nome; });
    return out;
}

DbResult<bool> WarehouseStore::categoryNameInUse(const QString& nome)
{
    return anyRow(QStringLiteral("SELECT 1 FROM Categorie WHERE Valid = 1 AND fold(Nome) = fold(?) LIMIT 1"),
                  {categoryName(nome)});
}

DbResult<qint64> WarehouseStore::insertCategory(const QString& nome)
{
    Transaction tx(Transaction::Write);
    if (!tx.started())
        return DbError::notStarted();
    if (auto err = refuse(categoryNameInUse(nome), QStringLiteral("Categoria ") + categoryName(nome)))
        return *err;
    auto q = Database::select(QStringLiteral("INSERT INTO Categorie (Nome) VALUES (?) RETURNING IdCat"),
                              {categoryName(nome)});
    if (!q)
        return q.error();
    if (!q.value().next())
        return DbError::from(q.value().lastError());
    const qint64 id = q.value().value(0).toLongLong();
    q.value().finish();
    if (auto err = tx.commit())
        return *err;
    return id;
}

DbStatus WarehouseStore::renameCategory(qint64 id, const QString& nome)
{
    Transaction tx(Transaction::Write);
    if (!tx.started())
        return DbError::notStarted();
    if (auto err = refuse(categoryNameInUse(nome), QStringLiteral("Categoria ") + categoryName(nome)))
        return err;
    if (auto err = Database::exec(QStringLiteral("UPDATE Categorie SET Nome = ? WHERE IdCat = ? AND Valid = 1"),
                                  {categoryName(nome), id}))
        return err;
    return tx.commit();
}

DbResult<bool> WarehouseStore::categoryHasValidItems(qint64 id)
{
    return anyRow(QStringLiteral("SELECT 1 FROM Magazzino WHERE Valid = 1 AND Cat = ? LIMIT 1"), {id});
}

DbStatus WarehouseStore::deleteCategory(qint64 id)
{
    return Database::exec(QStringLiteral("UPDATE Categorie SET Valid = 0 WHERE IdCat = ?"), {id});
}

DbResult<QList<WarehouseStore::StockRow>> WarehouseStore::stockList(qint64 categoryId, const QString& descriptionPart)
{
    // Filtered and put in order here: thousands of items cost no function call per row in the query.
    QString sql = QStringLiteral("SELECT M.Cat, M.Descrizione, M.IdArt, C.Nome, M.Um, M.Qta "
                                 "FROM Magazzino M, Categorie C WHERE M.Valid = 1 AND M.Cat = C.IdCat ");
    QVariantList values;
    if (categoryId != 0) {
        sql += QStringLiteral("AND M.Cat = ? ");
        values << categoryId;
    }
    // In the table's own order, without going through the category index row by row.
    sql += QStringLiteral("ORDER BY M.IdArt");
    auto rows = RowCursor::open(sql, values);
    if (!rows)
        return rows.error();
    RowCursor& r = rows.value();
    const QString part = Database::fold(descriptionPart);
    std::vector<std::pair<qint64, StockRow>> read;
    // Items of the same category share the text of its name.
    QHash<qint64, QString> categorie;
    while (r.next()) {
        QString descrizione = r.text(1);
        if (!part.isEmpty() && !Database::fold(descrizione).contains(part))
            continue;
        const Decimal qta = r.isNull(5) ? Decimal() : quantityFromReal(r.real(5));
        if (qta.isOverflow())
            return DbError::overflow();
        const qint64 cat = r.integer(0);
        auto categoria = categorie.constFind(cat);
        if (categoria == categorie.cend())
            categoria = categorie.insert(cat, r.text(3));
        read.emplace_back(cat, StockRow{r.integer(2), *categoria, std::move(descrizione), r.text(4), qta});
    }
    if (auto err = r.error())
        return *err;
    // By category id, then in list order, ties by IdArt as read.
    std::stable_sort(read.begin(), read.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    ListOrder::sortWithinGroups(
        read, [](const auto& row) { return row.first; }, [](const auto& row) { return row.second.descrizione; });
    QList<StockRow> out;
    out.reserve(static_cast<qsizetype>(read.size()));
    for (auto& row : read)
        out.append(std::move(row.second));
    return out;
}

DbResult<std::optional<WarehouseStore::Item>> WarehouseStore::validItem(qint64 id)
{
    auto r = Database::select(
        QStringLiteral("SELECT IdArt, Cat, Descrizione, Um, Qta FROM Magazzino WHERE Valid = 1 AND IdArt = ?"), {id});
    if (!r)
        return r.error();
    QSqlQuery& q = r.value();
    if (!q.next()) {
        if (q.lastError().isValid())
            return DbError::from(q.lastError());
        return std::optional<Item>();
    }
    const Decimal qta = quantityFromReal(q.value(4));
    if (qta.isOverflow())
        return DbError::overflow();
    return std::optional<Item>(
        Item{q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toString(), q.value(3).toString(), qta});
}

DbResult<QStringList> WarehouseStore::unitsInUse()
{
    return distinctTexts(QStringLiteral("Magazzino"), QStringLiteral("Um"), QStringLiteral("Valid = 1"));
}

DbResult<bool> WarehouseStore::descriptionInUse(const QString& descrizione, qint64 exceptId)
{
    return anyRow(QStringLiteral("SELECT 1 FROM Magazzino WHERE Valid = 1 AND IdArt <> ? "
                                 "AND fold(Descrizione) = fold(?) LIMIT 1"),
                  {exceptId, description(descrizione)});
}

DbResult<WarehouseStore::Saved> WarehouseStore::saveItem(const Item& item)
{
    if (item.qta.isOverflow())
        return DbError::overflow();
    Transaction tx(Transaction::Write);
    if (!tx.started())
        return DbError::notStarted();
    if (auto err = refuse(descriptionInUse(item.descrizione, item.id),
                          QStringLiteral("Articolo '") + item.descrizione.toUpper() + u'\''))
        return *err;
    const QVariant qta = quantityForStorage(item.qta);
    qint64 id = item.id;
    SaveOutcome outcome = SaveOutcome::Modified;
    if (id != 0) {
        auto q = Database::select(QStringLiteral("UPDATE Magazzino SET Cat = ?, Descrizione = ?, Um = ?, Qta = ? "
                                                 "WHERE IdArt = ? AND Valid = 1"),
                                  {item.cat, description(item.descrizione), unit(item.um), qta, id});
        if (!q)
            return q.error();
        if (q.value().numRowsAffected() == 0)
            return Saved{SaveOutcome::Missing, 0};
    } else {
        outcome = SaveOutcome::Inserted;
        auto deleted =
            Database::scalar(QStringLiteral("SELECT IdArt FROM Magazzino WHERE Valid = 0 ORDER BY IdArt LIMIT 1"));
        if (!deleted)
            return deleted.error();
        if (deleted.value().isValid()) {
            id = deleted.value().toLongLong();
            if (auto err =
                    Database::exec(QStringLiteral("UPDATE Magazzino SET Cat = ?, Descrizione = ?, Um = ?, Qta = ?, "
                                                  "Valid = 1 WHERE IdArt = ?"),
                                   {item.cat, description(item.descrizione), unit(item.um), qta, id}))
                return *err;
        } else {
            auto added = addItem(item);
            if (!added)
                return added.error();
            id = added.value();
        }
    }
    if (auto err = tx.commit())
        return *err;
    return Saved{outcome, id};
}

DbResult<qint64> WarehouseStore::addItem(const Item& item)
{
    if (item.qta.isOverflow())
        return DbError::overflow();
    auto q = Database::select(QStringLiteral("INSERT INTO Magazzino (Cat, Descrizione, Um, Qta) VALUES (?, ?, ?, ?) "
                                             "RETURNING IdArt"),
                              {item.cat, description(item.descrizione), unit(item.um), quantityForStorage(item.qta)});
    if (!q)
        return q.error();
    if (!q.value().next())
        return DbError::from(q.value().lastError());
    return q.value().value(0).toLongLong();
}

DbResult<bool> WarehouseStore::deleteItem(qint64 id)
{
    auto q = Database::select(QStringLiteral("UPDATE Magazzino SET Valid = 0 WHERE IdArt = ?"), {id});
    if (!q)
        return q.error();
    return q.value().numRowsAffected() > 0;
}
