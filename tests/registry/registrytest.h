#pragma once

#include "data/database.h"
#include "dbrows.h"
#include "registry/customerstore.h"

using namespace Qt::StringLiterals;

// Adds a valid customer with only a name; returns its code.
inline qint64 addCustomer(const QString& nome)
{
    Customer c;
    c.nome = nome;
    return CustomerStore::insert(c).value();
}

// Every row of Anagrafica by code as "Id:Nome:Valid|...", so one check sees the whole effect of an action.
inline QString customerRows()
{
    return dbText(u"SELECT group_concat(Id || ':' || Nome || ':' || Valid, '|') FROM "
                  "(SELECT * FROM Anagrafica ORDER BY Id)"_s);
}
