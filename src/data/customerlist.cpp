#include "data/customerlist.h"

#include "data/database.h"

#include <QSqlError>

DbResult<QList<CustomerEntry>> customerEntries(const QString& sql, const QVariantList& values)
{
    auto q = Database::select(sql, values);
    if (!q)
        return q.error();
    QList<CustomerEntry> out;
    while (q.value().next())
        out.append({q.value().value(0).toLongLong(), q.value().value(1).toString()});
    if (q.value().lastError().isValid())
        return DbError::from(q.value().lastError());
    return out;
}

DbResult<QList<CustomerEntry>> validCustomersByName()
{
    return customerEntries(
        QStringLiteral("SELECT Id, Nome FROM Anagrafica WHERE Valid = 1 ORDER BY sortkey(Nome), Nome, Id"));
}
