#include "data/customerlist.h"

#include "data/listorder.h"
#include "data/rowcursor.h"

DbResult<QList<CustomerEntry>> customerEntries(const QString& sql, const QVariantList& values)
{
    auto rows = RowCursor::open(sql, values);
    if (!rows)
        return rows.error();
    QList<CustomerEntry> out;
    while (rows.value().next())
        out.append({rows.value().integer(0), rows.value().text(1)});
    if (auto err = rows.value().error())
        return *err;
    ListOrder::sort(out, [](const CustomerEntry& e) { return e.nome; });
    return out;
}

DbResult<QList<CustomerEntry>> validCustomersByName()
{
    return customerEntries(QStringLiteral("SELECT Id, Nome FROM Anagrafica WHERE Valid = 1 ORDER BY Id"));
}
