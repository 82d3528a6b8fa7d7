#include "papers/seriesstore.h"

#include "data/database.h"
#include "papers/paperseries.h"

#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

// Num ends with the suffix bound three times.
#define SUFFIX_IS                                                                                                      \
    "length(Num) >= length(CAST(? AS TEXT)) AND substr(Num, length(Num) - length(CAST(? AS TEXT)) + 1) = ?"

QString SeriesStore::sql(const char* text) const
{
    return QString::fromLatin1(text).replace(QStringLiteral("{T}"), m_table).replace(QStringLiteral("{R}"), m_rows);
}

DbResult<std::optional<long long>> SeriesStore::maxOrdinale(const QString& suffisso) const
{
    const auto v =
        Database::scalar(sql("SELECT max(ordinal(Num)) FROM {T} WHERE " SUFFIX_IS), {suffisso, suffisso, suffisso});
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
    return ordinali(sql("SELECT ordinal(Num) FROM {T} WHERE Data >= ? AND Data < ? "
                        "AND " SUFFIX_IS " ORDER BY ordinal(Num)"),
                    {yearStart(anno), yearEnd(anno), suffisso, suffisso, suffisso});
}

DbResult<QList<long long>> SeriesStore::ordinaliSerie(const QString& suffisso) const
{
    return ordinali(sql("SELECT ordinal(Num) FROM {T} WHERE " SUFFIX_IS " ORDER BY ordinal(Num)"),
                    {suffisso, suffisso, suffisso});
}

DbResult<QList<long long>> SeriesStore::ordinali(const QString& statement, const QVariantList& values)
{
    auto q = Database::select(statement, values);
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
    return texts(sql("SELECT Num FROM {T} WHERE Data >= ? AND Data < ? ORDER BY ordinal(Num), Num"),
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
    // The server sorts a DISTINCT only by what it selects.
    return customerEntries(sql("SELECT IdAna, Nome FROM (SELECT DISTINCT P.IdAna AS IdAna, A.Nome AS Nome FROM {T} P "
                               "JOIN Anagrafica A ON P.IdAna = A.Id) C ORDER BY IdAna"));
}

DbStatus SeriesStore::issue(const QString& num, const QString& duplicateText,
                            const std::function<DbStatus()>& write) const
{
    Transaction tx(Transaction::Write);
    if (!tx.started())
        return DbError::notStarted();
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
        return DbError::notStarted();
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
        return DbError::notStarted();
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
        return DbError::notStarted();
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

DbResult<RowCursor> SeriesStore::registro(const QString& selectFrom, int anno, qint64 idAna,
                                          const QString& orderBy) const
{
    QString text = selectFrom + QStringLiteral(" WHERE P.Data >= ? AND P.Data < ? ");
    QVariantList values{yearStart(anno), yearEnd(anno)};
    if (idAna != 0) {
        text += QStringLiteral("AND P.IdAna = ? ");
        values << idAna;
    }
    if (!orderBy.isEmpty())
        text += QStringLiteral("ORDER BY ") + orderBy;
    return RowCursor::open(text, values);
}

std::vector<qsizetype> SeriesStore::highestFirstPositions(const std::vector<QString>& nums)
{
    // As ordinal() in SQL: up to 18 leading digits.
    const auto ordinal = [](const QString& num) {
        long long v = 0;
        for (qsizetype i = 0; i < num.size() && i < 18 && num[i] >= u'0' && num[i] <= u'9'; ++i)
            v = v * 10 + (num[i].unicode() - u'0');
        return v;
    };
    std::vector<std::pair<long long, qsizetype>> keyed;
    keyed.reserve(nums.size());
    for (std::size_t i = 0; i < nums.size(); ++i)
        keyed.emplace_back(ordinal(nums[i]), static_cast<qsizetype>(i));
    std::sort(keyed.begin(), keyed.end(), [&nums](const auto& a, const auto& b) {
        if (a.first != b.first)
            return a.first > b.first;
        if (const int c = nums[a.second].compare(nums[b.second]))
            return c > 0;
        return a.second < b.second;
    });
    std::vector<qsizetype> out;
    out.reserve(keyed.size());
    for (const auto& k : keyed)
        out.push_back(k.second);
    return out;
}

DbStatus SeriesStore::leggi(RowCursor& rows, const std::function<void(const RowCursor&)>& read)
{
    while (rows.next())
        read(rows);
    return rows.error();
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
