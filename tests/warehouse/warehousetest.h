#pragma once

#include "data/database.h"
#include "dbrows.h"
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

// Every item by id as "IdArt:Cat:Descrizione:Um:Qta:Valid|...", so one check sees a whole action's effect.
inline QString itemRows()
{
    return dbText(u"SELECT group_concat(IdArt || ':' || Cat || ':' || Descrizione || ':' || Um || ':' || Qta || "
                  "':' || Valid, '|') FROM (SELECT * FROM Magazzino ORDER BY IdArt)"_s);
}
