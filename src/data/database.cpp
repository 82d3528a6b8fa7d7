#include "data/database.h"

#include "data/connectionparts.h"
#include "data/schema.h"

#include <QDateTime>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <algorithm>
#include <atomic>

#define kConnection ConnectionParts::name()

namespace {

void bindAll(QSqlQuery& q, const QVariantList& values)
{
    int i = 0;
    for (const QVariant& v : values)
        q.bindValue(i++, v);
}

// What the driver sends as NULL: an empty variant, a null text or bytes, an invalid date or time.
bool isNullValue(const QVariant& v)
{
    if (v.isNull())
        return true;
    switch (v.metaType().id()) {
    case QMetaType::QString:
        return v.toString().isNull();
    case QMetaType::QByteArray:
        return v.toByteArray().isNull();
    case QMetaType::QDate:
        return !v.toDate().isValid();
    case QMetaType::QTime:
        return !v.toTime().isValid();
    case QMetaType::QDateTime:
        return !v.toDateTime().isValid();
    default:
        return false;
    }
}

// Qt's PostgreSQL driver runs a statement with values as PREPARE, EXECUTE and DEALLOCATE, three
// round trips, and writes the values into the EXECUTE as the driver's own literals. The same
// literals placed in the statement make it one round trip. Each is quoted, so that the server
// types it from where it stands, as it types a parameter. Empty when `sql` has other markers
// than one ? per value outside quotes: then the statement is prepared as usual.
QString withLiterals(const QString& sql, const QVariantList& values, const QSqlDriver* driver)
{
    QString out;
    out.reserve(sql.size() + 16 * values.size());
    QChar quote;
    qsizetype next = 0;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u':' && i + 1 < sql.size() && sql.at(i + 1) == u':') {
            out += QStringLiteral("::");
            ++i;
            continue;
        } else if (c == u':' || c == u'$') {
            // Named or numbered markers are left to the driver.
            return {};
        } else if (c == u'?') {
            if (next == values.size())
                return {};
            const QVariant& v = values.at(next++);
            QSqlField field(QString(), v.metaType());
            const bool null = isNullValue(v);
            if (null)
                field.clear();
            else
                field.setValue(v);
            const QString literal = driver->formatValue(field);
            if (null || literal.startsWith(u'\'') || literal.startsWith(QStringLiteral("E'")))
                out += literal;
            else if (literal.contains(u'\''))
                return {};
            else
                out += u'\'' + literal + u'\'';
            continue;
        }
        out += c;
    }
    return next == values.size() ? out : QString();
}

// Runs `sql` with `values` on `q`: in one round trip on the server, prepared on the file.
bool run(QSqlQuery& q, const QString& sql, const QVariantList& values)
{
    if (Dialect::onServer()) {
        const QString direct = withLiterals(sql, values, q.driver());
        if (!direct.isEmpty())
            return q.exec(direct);
    }
    if (!q.prepare(sql))
        return false;
    bindAll(q, values);
    return q.exec();
}

} // namespace

namespace ConnectionParts {

DbStatus createFilled(const std::function<DbStatus()>& fill)
{
    if (auto err = Schema::create())
        return err;
    return fill ? fill() : std::nullopt;
}

QString name()
{
    static std::atomic<int> threads{0};
    thread_local const QString name = [] {
        const int n = threads++;
        return n == 0 ? QStringLiteral("corvalisto") : QStringLiteral("corvalisto-%1").arg(n);
    }();
    return name;
}

} // namespace ConnectionParts

namespace Database {

QString fold(const QString& text)
{
    return text.toCaseFolded();
}

QString sortKey(const QString& text)
{
    // Most names are plain ASCII: no decomposition needed.
    if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; }))
        return text.toLower();
    QString bare = text.normalized(QString::NormalizationForm_D);
    bare.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    return bare.toCaseFolded();
}
void close()
{
    if (QSqlDatabase::contains(kConnection)) {
        {
            QSqlDatabase db = QSqlDatabase::database(kConnection, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(kConnection);
    }
    ConnectionParts::forgetServer();
    // Only now: closing a descriptor of the file drops every lock the process holds on it.
    ConnectionParts::closeFile();
}

bool isOpen()
{
    return QSqlDatabase::contains(kConnection) && QSqlDatabase::database(kConnection, false).isOpen();
}

QSqlDatabase connection()
{
    return QSqlDatabase::database(kConnection, false);
}
DbStatus exec(const QString& sql, const QVariantList& values)
{
    QSqlQuery q(connection());
    // The server prepares only queries: BEGIN, SAVEPOINT or CREATE run as they are.
    if (values.isEmpty()) {
        if (!q.exec(sql))
            return DbError::from(q.lastError());
        return std::nullopt;
    }
    if (!run(q, sql, values))
        return DbError::from(q.lastError());
    return std::nullopt;
}

DbStatus insertRows(const QString& insert, const QList<QVariantList>& rows)
{
    // Well within the engines' limits on the values of one statement.
    constexpr qsizetype kRowsAtOnce = 200;
    for (qsizetype from = 0; from < rows.size(); from += kRowsAtOnce) {
        QString sql = insert;
        QVariantList values;
        const qsizetype to = std::min(rows.size(), from + kRowsAtOnce);
        for (qsizetype r = from; r < to; ++r) {
            QStringList marks(rows[r].size(), QStringLiteral("?"));
            sql += (r == from ? QStringLiteral(" (") : QStringLiteral(", (")) + marks.join(QStringLiteral(", ")) + u')';
            values += rows[r];
        }
        if (auto err = exec(sql, values))
            return err;
    }
    return std::nullopt;
}

DbResult<QSqlQuery> select(const QString& sql, const QVariantList& values)
{
    QSqlQuery q(connection());
    q.setForwardOnly(true);
    if (!run(q, sql, values))
        return DbError::from(q.lastError());
    return q;
}

DbResult<QVariant> scalar(const QString& sql, const QVariantList& values)
{
    auto r = select(sql, values);
    if (!r)
        return r.error();
    QSqlQuery& q = r.value();
    if (!q.next()) {
        if (q.lastError().isValid())
            return DbError::from(q.lastError());
        return QVariant();
    }
    return q.value(0);
}
} // namespace Database

namespace {
// Open guards on the connection; inner ones are savepoints, so a routine that writes in a
// transaction of its own can run inside a caller's.
thread_local int g_depth = 0;
} // namespace

Transaction::Transaction(Mode mode)
{
    if (g_depth == 0) {
        // The driver's own commit() and rollback() end a transaction begun by hand as well.
        if (mode == Write) {
            const QStringList begin = Dialect::beginWrite(Dialect::engine());
            m_active = !Database::exec(begin.first());
            for (qsizetype i = 1; m_active && i < begin.size(); ++i)
                if (Database::exec(begin[i])) {
                    Database::connection().rollback();
                    m_active = false;
                }
        } else {
            m_active = Database::connection().transaction();
        }
    } else {
        m_savepoint = QStringLiteral("sp%1").arg(g_depth);
        m_active = !Database::exec(QStringLiteral("SAVEPOINT ") + m_savepoint);
    }
    if (m_active)
        ++g_depth;
}

Transaction::~Transaction()
{
    if (!m_active)
        return;
    --g_depth;
    if (m_savepoint.isEmpty()) {
        Database::connection().rollback();
    } else {
        Database::exec(QStringLiteral("ROLLBACK TO ") + m_savepoint);
        Database::exec(QStringLiteral("RELEASE ") + m_savepoint);
    }
}

DbStatus Transaction::commit()
{
    if (!m_active)
        return DbError::notStarted();
    m_active = false;
    --g_depth;
    if (!m_savepoint.isEmpty())
        return Database::exec(QStringLiteral("RELEASE ") + m_savepoint);
    QSqlDatabase db = Database::connection();
    if (!db.commit()) {
        const DbError err = DbError::from(db.lastError());
        db.rollback();
        return err;
    }
    return std::nullopt;
}
