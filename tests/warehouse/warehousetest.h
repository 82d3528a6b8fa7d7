#pragma once

#include "data/database.h"
#include "dbrows.h"
#include "qstringprint.h"
#include "warehouse/warehousestore.h"

using namespace Qt::StringLiterals;

inline Decimal dec(const char* text)
{
    return *Decimal::fromString(QString::fromLatin1(text));
}

inline qint64 addCategory(const QString& nome)
{
    return WarehouseStore::insertCategory(nome).value();
}

inline qint64 addItem(qint64 cat, const QString& des, const char* qta = "1", const QString& um = u"Pz"_s)
{
    return WarehouseStore::addItem({0, cat, des, um, dec(qta)}).value();
}

// A stored quantity as the file's engine prints a REAL ("3.0", "0.1").
inline QString realText(double v)
{
    const QString s = QString::number(v, 'g', 15);
    return s.contains(u'.') || s.contains(u'e') ? s : s + u".0"_s;
}

// Every item by id as "IdArt:Cat:Descrizione:Um:Qta:Valid|...", so one check sees a whole action's effect.
inline QString itemRows()
{
    auto q = Database::select(u"SELECT IdArt, Cat, Descrizione, Um, Qta, Valid FROM Magazzino ORDER BY IdArt"_s);
    if (!q)
        return q.error().text;
    QStringList rows;
    while (q.value().next()) {
        const QSqlQuery& r = q.value();
        rows << QStringList{r.value(0).toString(), r.value(1).toString(),           r.value(2).toString(),
                            r.value(3).toString(), realText(r.value(4).toDouble()), r.value(5).toString()}
                    .join(u':');
    }
    return rows.join(u'|');
}

// Every category by id as "IdCat:Nome:Valid|...".
inline QString categoryRows()
{
    return dbRows(u"SELECT IdCat, Nome, Valid FROM Categorie ORDER BY IdCat"_s)
        .replace(u'|', u':')
        .replace(u'\n', u'|');
}
