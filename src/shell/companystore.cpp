#include "shell/companystore.h"

#include "data/database.h"
#include "data/textcolumns.h"

#include <QSqlQuery>

namespace {

// The record in use: the first one with a first line.
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
    auto q = Database::select(inUse());
    if (!q)
        return q.error();
    if (q.value().next()) {
        const QVariant row = q.value().value(0);
        return Database::exec(QStringLiteral("UPDATE Azienda SET Riga1 = ?, Riga2 = ?, Riga3 = ?, Riga4 = ?, Riga5 = ? "
                                             "WHERE %1 = ?")
                                  .arg(Dialect::rowKey()),
                              {line(lines, 0), line(lines, 1), line(lines, 2), line(lines, 3), line(lines, 4), row});
    }
    return Database::exec(
        QStringLiteral("INSERT INTO Azienda (Riga1, Riga2, Riga3, Riga4, Riga5) VALUES (?, ?, ?, ?, ?)"),
        {line(lines, 0), line(lines, 1), line(lines, 2), line(lines, 3), line(lines, 4)});
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
