#include "shell/companystore.h"

#include "data/database.h"
#include "data/textcolumns.h"

#include <QSqlQuery>

namespace {

// The record in use, as a subquery giving its row.
QString inUseRow()
{
    return QStringLiteral("SELECT %1 FROM Azienda WHERE Riga1 IS NOT NULL ORDER BY %1 LIMIT 1").arg(Dialect::rowId());
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
    auto q = Database::select(QStringLiteral("SELECT Riga1, Riga2, Riga3, Riga4, Riga5 FROM Azienda WHERE %1 = (%2)")
                                  .arg(Dialect::rowId(), inUseRow()));
    if (!q)
        return q.error();
    QStringList lines;
    const bool found = q.value().next();
    for (int i = 0; i < kLines; ++i)
        lines << (found ? q.value().value(i).toString() : QString());
    return lines;
}

DbStatus save(const QStringList& lines)
{
    // Two seats saving at once must not both add a record.
    Transaction tx(Transaction::Write);
    const auto inUse = Database::scalar(QStringLiteral("SELECT count(*) FROM Azienda WHERE Riga1 IS NOT NULL"));
    if (!inUse)
        return inUse.error();
    const QVariantList values = {line(lines, 0), line(lines, 1), line(lines, 2), line(lines, 3), line(lines, 4)};
    const DbStatus written =
        inUse->toLongLong() > 0
            ? Database::exec(QStringLiteral("UPDATE Azienda SET Riga1 = ?, Riga2 = ?, Riga3 = ?, Riga4 = ?, Riga5 = ? "
                                            "WHERE %1 = (%2)")
                                 .arg(Dialect::rowId(), inUseRow()),
                             values)
            : Database::exec(
                  QStringLiteral("INSERT INTO Azienda (Riga1, Riga2, Riga3, Riga4, Riga5) VALUES (?, ?, ?, ?, ?)"),
                  values);
    if (written)
        return written;
    return tx.commit();
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
