#pragma once

#include "data/database.h"
#include "dbrows.h"
#include "qstringprint.h"
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
    return dbRows(u"SELECT Id, Nome, Valid FROM Anagrafica ORDER BY Id"_s).replace(u'|', u':').replace(u'\n', u'|');
}
