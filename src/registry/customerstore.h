#pragma once

#include "data/dberror.h"
#include "registry/customer.h"

#include <QString>
#include <QStringList>
#include <optional>

// Every read and write of the customer registry (table Anagrafica). Names are matched
// literally and case-insensitively, accented letters included; deleting is a soft delete.
class CustomerStore {
public:
    // Valid customer names by name, whatever their case and accents; `initials` keeps only names
    // whose first letter is one of its characters, accented or not (empty: every name).
    static DbResult<QStringList> names(const QString& initials = QString());

    // The valid customer of that name (an exact match preferred), or nothing.
    static DbResult<std::optional<Customer>> findValid(const QString& nome);

    // The code the next new customer will receive.
    static DbResult<qint64> nextId();

    // Whether another valid customer (not `exceptId`) already has the name.
    static DbResult<bool> nameTaken(const QString& nome, qint64 exceptId);

    // Adds a valid customer and returns the code it received. A name another valid customer
    // has, even one saved by another seat a moment before, gives DbError::Duplicate.
    static DbResult<qint64> insert(const Customer& c);

    // Rewrites the valid customer with c.id; false when there is none. A name another valid
    // customer has gives DbError::Duplicate.
    static DbResult<bool> update(const Customer& c);

    // Marks the valid customer of that name as deleted; false when there is none.
    static DbResult<bool> remove(const QString& nome);
};
