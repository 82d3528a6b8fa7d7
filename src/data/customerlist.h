#pragma once

#include "data/dberror.h"

#include <QList>
#include <QString>
#include <QVariantList>

// The valid customers by name, as every editor's customer list shows them.
struct CustomerEntry {
    qint64 id;
    QString nome;
};

DbResult<QList<CustomerEntry>> validCustomersByName();
// Reads (id, name) pairs from a SELECT whose first two columns are those, in list order (see
// data/listorder.h); customers of the same name in the order the SELECT gives, best by Id.
DbResult<QList<CustomerEntry>> customerEntries(const QString& sql, const QVariantList& values = {});
