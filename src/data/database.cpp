#include "data/database.h"

#include "data/schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QUuid>
#include <algorithm>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace {

const QString kConnection = QStringLiteral("corvalisto");

template <QString (*Fn)(const QString&)> void textFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* text = static_cast<const char16_t*>(sqlite3_value_text16(argv[0]));
    const int bytes = sqlite3_value_bytes16(argv[0]);
    const QString folded = Fn(QString::fromUtf16(text, bytes / 2));
    sqlite3_result_text16(ctx, folded.utf16(), static_cast<int>(folded.size() * 2), SQLITE_TRANSIENT);
}

sqlite3* handleOf(const QSqlDatabase& db)
{
    const QVariant v = db.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(v.data());
}

// Creates an empty file readable and writable by its owner only; false when it exists or fails.
bool createPrivateFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool syncFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

void bindAll(QSqlQuery& q, const QVariantList& values)
{
    int i = 0;
    for (const QVariant& v : values)
        q.bindValue(i++, v);
}

} // namespace

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

DbStatus open(const QString& path)
{
    close();
    if (!QFileInfo::exists(path)) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        createPrivateFile(path);
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
        db.setDatabaseName(path);
        if (!db.open()) {
            const DbError err = DbError::from(db.lastError());
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(kConnection);
            return err;
        }
        sqlite3* handle = handleOf(db);
        if (!handle) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(kConnection);
            return DbError{1, QStringLiteral("Driver del database non disponibile")};
        }
        sqlite3_create_function_v2(handle, "fold", 1, SQLITE_UTF16 | SQLITE_DETERMINISTIC, nullptr,
                                   textFunction<Database::fold>, nullptr, nullptr, nullptr);
        sqlite3_create_function_v2(handle, "sortkey", 1, SQLITE_UTF16 | SQLITE_DETERMINISTIC, nullptr,
                                   textFunction<Database::sortKey>, nullptr, nullptr, nullptr);
    }
    // Reading the catalogue is what tells a foreign or damaged file from a database.
    if (auto r = scalar(QStringLiteral("SELECT count(*) FROM sqlite_master")); !r) {
        const DbError err = r.error();
        close();
        return err;
    }
    exec(QStringLiteral("PRAGMA foreign_keys = OFF"));
    if (auto err = Schema::create()) {
        close();
        return err;
    }
    return std::nullopt;
}

void close()
{
    if (!QSqlDatabase::contains(kConnection))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(kConnection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(kConnection);
}

bool isOpen()
{
    return QSqlDatabase::contains(kConnection) && QSqlDatabase::database(kConnection, false).isOpen();
}

QSqlDatabase connection()
{
    return QSqlDatabase::database(kConnection, false);
}

sqlite3* nativeHandle()
{
    return isOpen() ? handleOf(connection()) : nullptr;
}

DbError nativeError()
{
    sqlite3* db = nativeHandle();
    if (!db)
        return DbError{3024, QStringLiteral("Database non aperto")};
    return DbError{sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db))};
}

QString filePath()
{
    return connection().databaseName();
}

DbStatus exec(const QString& sql, const QVariantList& values)
{
    QSqlQuery q(connection());
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

DbStatus copyTo(const QString& destination)
{
    sqlite3* source = handleOf(connection());
    if (!source)
        return DbError{1, QStringLiteral("Database non aperto")};
    const QFileInfo dest(destination);
    const QString temp = dest.absolutePath() + QStringLiteral("/.") + dest.fileName() + u'.' +
                         QUuid::createUuid().toString(QUuid::Id128) + QStringLiteral(".tmp");
    if (!createPrivateFile(temp))
        return DbError{75, QStringLiteral("Errore di accesso al percorso/file")};
    sqlite3* target = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(temp).constData(), &target, SQLITE_OPEN_READWRITE, nullptr);
    if (rc == SQLITE_OK) {
        // The copy is written under a temporary name and synced once before the rename,
        // so SQLite's own journal and syncs would only slow it down.
        sqlite3_exec(target, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;", nullptr, nullptr, nullptr);
        sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main");
        if (backup) {
            rc = sqlite3_backup_step(backup, -1);
            sqlite3_backup_finish(backup);
            if (rc == SQLITE_DONE)
                rc = SQLITE_OK;
        } else {
            rc = sqlite3_errcode(target);
        }
    }
    const QString message = QString::fromUtf8(sqlite3_errstr(rc));
    sqlite3_close(target);
    if (rc == SQLITE_OK && !syncFile(temp))
        rc = SQLITE_IOERR;
    if (rc != SQLITE_OK ||
        ::rename(QFile::encodeName(temp).constData(), QFile::encodeName(destination).constData()) != 0) {
        QFile::remove(temp);
        return DbError{rc == SQLITE_OK ? 75 : rc,
                       rc == SQLITE_OK ? QStringLiteral("Errore di accesso al percorso/file") : message};
    }
    return std::nullopt;
}

} // namespace Database

namespace {
// Open guards on the connection; inner ones are savepoints, so a routine that writes in a
// transaction of its own can run inside a caller's.
int g_depth = 0;
} // namespace

Transaction::Transaction()
{
    if (g_depth == 0) {
        m_active = Database::connection().transaction();
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
