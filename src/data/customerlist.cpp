#include "data/customerlist.h"

#include "data/database.h"

DbResult<QList<CustomerEntry>> validCustomersByName()
{
    auto q = Database::select(QStringLiteral("SELECT Id, Nome FROM Anagrafica WHERE Valid = 1 ORDER BY Nome"));
    if (!q)
        return q.error();
    QList<CustomerEntry> out;
    while (q.value().next())
        out.append({q.value().value(0).toLongLong(), q.value().value(1).toString()});
    return out;
}
