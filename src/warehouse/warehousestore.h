#pragma once

#include "data/dberror.h"
#include "shell/decimal.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Every statement of the warehouse: categories (Categorie) and items (Magazzino).
// Names and descriptions compare through fold(), so case and accents do not matter and
// %, _ and * are ordinary characters.
class WarehouseStore {
public:
    struct Category {
        qint64 id = 0;
        QString nome;
    };

    // One line of the stock list.
    struct StockRow {
        qint64 id = 0;
        QString categoria;
        QString descrizione;
        QString um;
        Decimal qta;
    };

    struct Item {
        qint64 id = 0; // 0 = not stored yet
        qint64 cat = 0;
        QString descrizione;
        QString um;
        Decimal qta;
    };

    enum class SaveOutcome { Inserted, Modified, Missing };
    struct Saved {
        SaveOutcome outcome;
        qint64 id; // the row written; 0 when missing
    };

    // Valid categories by name.
    static DbResult<QList<Category>> categories();
    // Whether a valid category already has this name.
    static DbResult<bool> categoryNameInUse(const QString& nome);
    // Adds a valid category and returns its new id. A name a valid category has, even one saved
    // by another seat a moment before, gives DbError::Duplicate; so does renaming to it.
    static DbResult<qint64> insertCategory(const QString& nome);
    static DbStatus renameCategory(qint64 id, const QString& nome);
    // Whether valid items still belong to the category.
    static DbResult<bool> categoryHasValidItems(qint64 id);
    static DbStatus deleteCategory(qint64 id);

    // Valid items with their category, by category id, then description in list order, then id.
    // categoryId 0 = every category; an empty text = no description filter (matched literally,
    // ignoring case).
    static DbResult<QList<StockRow>> stockList(qint64 categoryId, const QString& descriptionPart);
    // The valid item, or nothing when it is missing or deleted.
    static DbResult<std::optional<Item>> validItem(qint64 id);
    // Units of the valid items, neither Null nor empty, in order.
    static DbResult<QStringList> unitsInUse();
    // Whether a valid item other than `exceptId` has this description.
    static DbResult<bool> descriptionInUse(const QString& descrizione, qint64 exceptId);
    // Existing item (id != 0): rewrites it while valid, Missing otherwise. New item: takes over the
    // first deleted row, or adds a row when there is none. A description another valid item has
    // gives DbError::Duplicate.
    static DbResult<Saved> saveItem(const Item& item);
    // Appends a valid row without looking for deleted ones (sample and bulk data, inside the
    // caller's transaction); returns the new id.
    static DbResult<qint64> addItem(const Item& item);
    // Soft delete; false when no such item exists.
    static DbResult<bool> deleteItem(qint64 id);
};
