#pragma once

#include "data/dberror.h"

#include <QList>
#include <QString>

// The valid customers by name, as every editor's customer list shows them.
struct CustomerEntry {
    qint64 id;
    QString nome;
};

DbResult<QList<CustomerEntry>> validCustomersByName();
