#include "data/distincttexts.h"

#include "data/database.h"

#include <QSqlError>
#include <QSqlQuery>

DbResult<QStringList> distinctTexts(const QString& table, const QString& column, const QString& condition)
{
    const QString where = condition.isEmpty() ? QString() : QStringLiteral(" AND (%1)").arg(condition);
    auto q = Database::select(QStringLiteral("SELECT min(%2) FROM %1 WHERE %2 IS NOT NULL AND %2 <> ?%3 "
                                             "GROUP BY fold(%2) ORDER BY sortkey(min(%2)), min(%2)")
                                  .arg(table, column, where),
                              {QString(QLatin1String(""))});
    if (!q)
        return q.error();
    QStringList out;
    while (q.value().next())
        out.append(q.value().value(0).toString());
    if (q.value().lastError().isValid())
        return DbError::from(q.value().lastError());
    return out;
}
