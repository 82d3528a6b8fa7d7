#include "data/distincttexts.h"

#include "data/database.h"
#include "data/listorder.h"
#include "data/rowcursor.h"

#include <QHash>

DbResult<QStringList> distinctTexts(const QString& table, const QString& column, const QString& condition)
{
    // Texts differing in case are told apart here, not by a function called for every row.
    const QString where = condition.isEmpty() ? QString() : QStringLiteral(" AND (%1)").arg(condition);
    auto rows = RowCursor::open(
        QStringLiteral("SELECT DISTINCT %2 FROM %1 WHERE %2 IS NOT NULL AND %2 <> ?%3").arg(table, column, where),
        {QString(QLatin1String(""))});
    if (!rows)
        return rows.error();
    QHash<QString, QString> byFolded;
    while (rows.value().next()) {
        QString text = rows.value().text(0);
        QString& shown = byFolded[Database::fold(text)];
        if (shown.isNull() || text < shown)
            shown = std::move(text);
    }
    if (auto err = rows.value().error())
        return *err;
    QStringList out = byFolded.values();
    ListOrder::sort(out, [](const QString& t) { return t; });
    return out;
}
