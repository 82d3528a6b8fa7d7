#include "data/database.h"

#include "data/connectionparts.h"

#include <QSqlDriver>
#include <QSqlError>
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

} // namespace

namespace ConnectionParts {

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
    if (!q.prepare(sql))
        return DbError::from(q.lastError());
    bindAll(q, values);
    if (!q.exec())
        return DbError::from(q.lastError());
    return std::nullopt;
}

DbResult<QSqlQuery> select(const QString& sql, const QVariantList& values)
{
    QSqlQuery q(connection());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        return DbError::from(q.lastError());
    bindAll(q, values);
    if (!q.exec())
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
        return DbError{3246, QStringLiteral("Transazione non avviata")};
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
