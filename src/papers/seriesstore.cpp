#include "papers/seriesstore.h"

#include "data/database.h"
#include "papers/paperseries.h"

#include <QSqlError>
#include <QSqlQuery>
#include <sqlite3.h>

QString SeriesStore::sql(const char* text) const
{
    return QString::fromLatin1(text).replace(QStringLiteral("{T}"), m_table).replace(QStringLiteral("{R}"), m_rows);
}

DbResult<std::optional<long long>> SeriesStore::maxOrdinale(const QString& suffisso) const
{
    const auto v = Database::scalar(sql("SELECT max(CAST(Num AS INTEGER)) FROM {T} WHERE substr(Num, -length(?)) = ?"),
                                    {suffisso, suffisso});
    if (!v)
        return v.error();
    if (v->isNull())
        return std::optional<long long>();
    return std::optional<long long>(v->toLongLong());
}

DbResult<QString> SeriesStore::prossimoNumero(const QString& suffisso) const
{
    const auto max = maxOrdinale(suffisso);
    if (!max)
        return max.error();
    return PaperSeries::prossimoNumero(max.value(), suffisso);
}

DbResult<bool> SeriesStore::exists(const QString& num) const
{
    auto q = Database::select(sql("SELECT 1 FROM {T} WHERE Num = ? LIMIT 1"), {num});
    if (!q)
        return q.error();
    if (q.value().next())
        return true;
    if (q.value().lastError().isValid())
        return DbError::from(q.value().lastError());
    return false;
}

DbResult<QList<long long>> SeriesStore::ordinaliAnno(int anno, const QString& suffisso) const
{
    auto q = Database::select(sql("SELECT CAST(Num AS INTEGER) FROM {T} WHERE Data >= ? AND Data < ? "
                                  "AND substr(Num, -length(?)) = ? ORDER BY CAST(Num AS INTEGER)"),
                              {yearStart(anno), yearEnd(anno), suffisso, suffisso});
    if (!q)
        return q.error();
    QList<long long> out;
    while (q.value().next())
        out.append(q.value().value(0).toLongLong());
    if (q.value().lastError().isValid())
        return DbError::from(q.value().lastError());
    return out;
}

DbResult<QStringList> SeriesStore::numbersOfYear(int anno) const
{
    return texts(sql("SELECT Num FROM {T} WHERE Data >= ? AND Data < ? ORDER BY CAST(Num AS INTEGER), Num"),
                 {yearStart(anno), yearEnd(anno)});
}

DbResult<std::optional<QSqlQuery>> SeriesStore::firstRow(const QString& statement, const QVariantList& values)
{
    auto q = Database::select(statement, values);
    if (!q)
        return q.error();
    if (!q.value().next()) {
        if (q.value().lastError().isValid())
            return DbError::from(q.value().lastError());
        return std::optional<QSqlQuery>();
    }
    return std::optional<QSqlQuery>(std::move(q.value()));
}

DbResult<QStringList> SeriesStore::texts(const QString& statement, const QVariantList& values)
{
    auto q = Database::select(statement, values);
    if (!q)
        return q.error();
    QStringList out;
    while (q.value().next())
        out.append(q.value().value(0).toString());
    if (q.value().lastError().isValid())
        return DbError::from(q.value().lastError());
    return out;
}

DbResult<QList<CustomerEntry>> SeriesStore::customersWithPapers() const
{
    return customerEntries(sql("SELECT DISTINCT P.IdAna, A.Nome FROM {T} P JOIN Anagrafica A "
                               "ON P.IdAna = A.Id ORDER BY sortkey(A.Nome), A.Nome, P.IdAna"));
}

DbStatus SeriesStore::issue(const QString& num, const QString& duplicateText,
                            const std::function<DbStatus()>& write) const
{
    Transaction tx(Transaction::Write);
    if (!tx.started())
        return notStarted();
    const auto taken = exists(num);
    if (!taken)
        return taken.error();
    if (taken.value())
        return DbError{DbError::Duplicate, duplicateText};
    if (auto err = write())
        return err;
    return tx.commit();
}

DbResult<SeriesStore::Outcome> SeriesStore::saveRow(const QString& num, long long ord, const QStringList& columns,
                                                    const QVariantList& values,
                                                    const std::function<DbStatus()>& after) const
{
    Transaction tx;
    if (!tx.started())
        return notStarted();
    const auto found = exists(num);
    if (!found)
        return found.error();
    if (!found.value())
        return Outcome::PaperMissing;
    QString set;
    for (const QString& c : columns)
        set += (set.isEmpty() ? QString() : QStringLiteral(", ")) + c + QStringLiteral(" = ?");
    auto upd = Database::select(sql("UPDATE {R} SET ") + set + QStringLiteral(" WHERE Num = ? AND Ord = ?"),
                                QVariantList(values) << num << ord);
    if (!upd)
        return upd.error();
    if (upd.value().numRowsAffected() == 0) {
        const QString marks = QStringLiteral(", ?").repeated(columns.size());
        if (auto err = Database::exec(sql("INSERT INTO {R} (Num, Ord, ") + columns.join(QStringLiteral(", ")) +
                                          QStringLiteral(") VALUES (?, ?") + marks + u')',
                                      QVariantList{num, ord} + values))
            return *err;
    }
    if (after)
        if (auto err = after())
            return *err;
    if (auto err = tx.commit())
        return *err;
    return Outcome::Done;
}

DbResult<SeriesStore::Outcome> SeriesStore::deleteRow(const QString& num, long long ord,
                                                      const std::function<DbStatus()>& after) const
{
    Transaction tx;
    if (!tx.started())
        return notStarted();
    auto del = Database::select(sql("DELETE FROM {R} WHERE Num = ? AND Ord = ?"), {num, ord});
    if (!del)
        return del.error();
    if (del.value().numRowsAffected() == 0)
        return Outcome::RowMissing;
    const auto found = exists(num);
    if (!found)
        return found.error();
    if (!found.value())
        return Outcome::PaperMissing;
    if (after)
        if (auto err = after())
            return *err;
    if (auto err = tx.commit())
        return *err;
    return Outcome::Done;
}

DbResult<SeriesStore::Outcome> SeriesStore::cancel(const QString& num) const
{
    Transaction tx(Transaction::Write);
    if (!tx.started())
        return notStarted();
    const auto found = exists(num);
    if (!found)
        return found.error();
    if (!found.value())
        return Outcome::PaperMissing;
    const auto max = maxOrdinale(num.right(3));
    if (!max)
        return max.error();
    if (max.value() && *max.value() > PaperSeries::ordinale(num))
        return Outcome::NotLast;
    if (!m_rows.isEmpty())
        if (auto err = Database::exec(sql("DELETE FROM {R} WHERE Num = ?"), {num}))
            return *err;
    if (auto err = Database::exec(sql("DELETE FROM {T} WHERE Num = ?"), {num}))
        return *err;
    if (auto err = tx.commit())
        return *err;
    return Outcome::Done;
}

DbResult<sqlite3_stmt*> SeriesStore::registro(const QByteArray& selectFrom, int anno, qint64 idAna,
                                              const QByteArray& orderBy) const
{
    // A year may hold thousands of papers: they are read straight from the engine.
    sqlite3* db = Database::nativeHandle();
    if (!db)
        return DbError{3024, QStringLiteral("Database non aperto")};
    QByteArray text = selectFrom + " WHERE P.Data >= ?1 AND P.Data < ?2 ";
    if (idAna != 0)
        text += "AND P.IdAna = ?3 ";
    text += "ORDER BY " + orderBy;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &stmt, nullptr) != SQLITE_OK)
        return Database::nativeError();
    const QByteArray from = yearStart(anno).toLatin1();
    const QByteArray to = yearEnd(anno).toLatin1();
    sqlite3_bind_text(stmt, 1, from.constData(), static_cast<int>(from.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(stmt, 2, to.constData(), static_cast<int>(to.size()), SQLITE_TRANSIENT);
    if (idAna != 0)
        sqlite3_bind_int64(stmt, 3, idAna);
    return stmt;
}

DbStatus SeriesStore::leggi(sqlite3_stmt* stmt, const std::function<void(sqlite3_stmt*)>& read)
{
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
        read(stmt);
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        return Database::nativeError();
    return std::nullopt;
}

QString SeriesStore::text(sqlite3_stmt* stmt, int column)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)),
                             sqlite3_column_bytes(stmt, column));
}

QDate SeriesStore::date(sqlite3_stmt* stmt, int column)
{
    const char* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
    if (!t || sqlite3_column_bytes(stmt, column) < 10)
        return QDate();
    const auto num = [t](int from, int n) {
        int v = 0;
        for (int i = from; i < from + n; ++i) {
            if (t[i] < '0' || t[i] > '9')
                return -1;
            v = v * 10 + (t[i] - '0');
        }
        return v;
    };
    return QDate(num(0, 4), num(5, 2), num(8, 2));
}

QString SeriesStore::yearStart(int anno)
{
    return QStringLiteral("%1-01-01").arg(anno, 4, 10, QLatin1Char('0'));
}

Decimal SeriesStore::fromReal(const QVariant& v)
{
    return v.isNull() ? Decimal() : Decimal::fromDouble(v.toDouble());
}

DbStatus SeriesStore::outOfRange(std::initializer_list<Decimal> values)
{
    for (const Decimal& d : values)
        if (d.isOverflow())
            return DbError::overflow();
    return std::nullopt;
}

DbError SeriesStore::notStarted()
{
    return DbError{3246, QStringLiteral("Transazione non avviata")};
}
