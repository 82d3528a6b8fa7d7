#include "shell/companystore.h"

#include "data/database.h"
#include "data/textcolumns.h"

#include <QSqlQuery>

namespace {

// The record in use: the first with a first line. The table has no key: rows are told apart
// by the engine's own row name.
QString inUse()
{
    return QStringLiteral("SELECT %1, Riga1, Riga2, Riga3, Riga4, Riga5 FROM Azienda "
                          "WHERE Riga1 IS NOT NULL ORDER BY %1 LIMIT 1")
        .arg(Dialect::rowKey());
}

// An empty box stores empty text, never Null: Null would hide the record in use.
QVariant line(const QStringList& lines, int i)
{
    const QString text = i < lines.size() ? TextColumns::fit(lines[i], TextColumns::Azienda::Riga) : QString();
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}

} // namespace

namespace CompanyStore {

DbResult<QStringList> load()
{
    auto q = Database::select(inUse());
    if (!q)
        return q.error();
    QStringList lines;
    const bool found = q.value().next();
    for (int i = 0; i < kLines; ++i)
        lines << (found ? q.value().value(i + 1).toString() : QString());
    return lines;
}

DbStatus save(const QStringList& lines)
{
    // The row found is the one updated: no other seat writes in between.
    Transaction t(Transaction::Write);
    auto q = Database::select(inUse());
    if (!q)
        return q.error();
    const QVariantList values{line(lines, 0), line(lines, 1), line(lines, 2), line(lines, 3), line(lines, 4)};
    const DbStatus s =
        q.value().next()
            ? Database::exec(QStringLiteral("UPDATE Azienda SET Riga1 = ?, Riga2 = ?, Riga3 = ?, Riga4 = ?, Riga5 = ? "
                                            "WHERE %1 = ?")
                                 .arg(Dialect::rowKey()),
                             values + QVariantList{q.value().value(0)})
            : Database::exec(
                  QStringLiteral("INSERT INTO Azienda (Riga1, Riga2, Riga3, Riga4, Riga5) VALUES (?, ?, ?, ?, ?)"),
                  values);
    return s ? s : t.commit();
}

QString businessLine()
{
    const auto lines = load();
    const QString first = lines && !lines->isEmpty() ? lines->first().trimmed() : QString();
    return first.isEmpty() ? kBusinessLine : first;
}

QString windowTitle(const QString& head)
{
    return head + QStringLiteral(" - ") + businessLine();
}

} // namespace CompanyStore
