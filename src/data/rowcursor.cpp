#include "data/rowcursor.h"

#include "data/database.h"

#include <QSqlError>
#include <algorithm>
#include <sqlite3.h>

namespace {

QDate parseDate(const char* t, int bytes)
{
    if (!t || bytes < 10)
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

} // namespace

DbResult<RowCursor> RowCursor::open(const QString& sql, const QVariantList& values)
{
    RowCursor c;
    sqlite3* db = Database::nativeHandle();
    if (!db) {
        auto q = Database::select(sql, values);
        if (!q)
            return q.error();
        c.m_query = std::make_unique<QSqlQuery>(std::move(q.value()));
        return c;
    }
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &c.m_stmt, nullptr) != SQLITE_OK)
        return Database::nativeError();
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& v = values[i];
        if (v.isNull()) {
            sqlite3_bind_null(c.m_stmt, i + 1);
        } else if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong) {
            sqlite3_bind_int64(c.m_stmt, i + 1, v.toLongLong());
        } else if (v.typeId() == QMetaType::Double) {
            sqlite3_bind_double(c.m_stmt, i + 1, v.toDouble());
        } else {
            const QByteArray s = v.toString().toUtf8();
            sqlite3_bind_text(c.m_stmt, i + 1, s.constData(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
        }
    }
    return c;
}

RowCursor::RowCursor(RowCursor&& other) noexcept
    : m_stmt(std::exchange(other.m_stmt, nullptr)), m_rc(other.m_rc), m_query(std::move(other.m_query))
{
}

RowCursor::~RowCursor()
{
    if (m_stmt)
        sqlite3_finalize(m_stmt);
}

bool RowCursor::next()
{
    if (m_query)
        return m_query->next();
    m_rc = sqlite3_step(m_stmt);
    return m_rc == SQLITE_ROW;
}

DbStatus RowCursor::error() const
{
    if (m_query) {
        if (m_query->lastError().isValid())
            return DbError::from(m_query->lastError());
        return std::nullopt;
    }
    if (m_rc == SQLITE_ROW || m_rc == SQLITE_DONE || m_rc == 0)
        return std::nullopt;
    return Database::nativeError();
}

bool RowCursor::isNull(int column) const
{
    if (m_query)
        return m_query->isNull(column);
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

QString RowCursor::text(int column) const
{
    if (m_query)
        return m_query->value(column).toString();
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column)),
                             sqlite3_column_bytes(m_stmt, column));
}

QString RowCursor::firstLine(int column) const
{
    const auto isBreak = [](auto c) { return c == '\r' || c == '\n'; };
    if (m_query) {
        const QString t = m_query->value(column).toString();
        return t.left(std::find_if(t.begin(), t.end(), isBreak) - t.begin());
    }
    // Only the first line is converted, however long the text.
    const char* t = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    const char* end = t + sqlite3_column_bytes(m_stmt, column);
    return QString::fromUtf8(t, std::find_if(t, end, isBreak) - t);
}

double RowCursor::real(int column) const
{
    if (m_query)
        return m_query->value(column).toDouble();
    return sqlite3_column_double(m_stmt, column);
}

qint64 RowCursor::integer(int column) const
{
    if (m_query)
        return m_query->value(column).toLongLong();
    return sqlite3_column_int64(m_stmt, column);
}

QDate RowCursor::date(int column) const
{
    if (m_query) {
        const QByteArray t = m_query->value(column).toString().toLatin1();
        return parseDate(t.constData(), static_cast<int>(t.size()));
    }
    return parseDate(reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column)),
                     sqlite3_column_bytes(m_stmt, column));
}
