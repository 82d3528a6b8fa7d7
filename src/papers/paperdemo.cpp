#include "papers/paperdemo.h"

#include "data/database.h"

#include <QSqlQuery>
#include <algorithm>

namespace PaperDemo {

DbResult<QList<qint64>> clienti(int count)
{
    auto q = Database::select(QStringLiteral("SELECT Id FROM Anagrafica WHERE Valid = 1 ORDER BY Id LIMIT ?"), {count});
    if (!q)
        return q.error();
    QList<qint64> out;
    while (q.value().next())
        out.append(q.value().value(0).toLongLong());
    return out;
}

QDate data(const QDate& first, int index, int count, const QDate& last)
{
    const qint64 span = std::max<qint64>(0, first.daysTo(last));
    return span == 0 ? last : first.addDays(span * index / std::max(1, count));
}

} // namespace PaperDemo
