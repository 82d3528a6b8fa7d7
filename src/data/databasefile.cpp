#include "data/database.h"

#include "data/connectionparts.h"
#include "data/filecopy.h"
#include "data/folderlock.h"
#include "data/runtimeerrors.h"
#include "data/schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sqlite3.h>
#include <sys/file.h>
#include <unistd.h>

// The SQLite file: its connection with the program's functions, its checks and its copies.

#define kConnection ConnectionParts::name()

namespace {

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

void yearFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    if (!t || sqlite3_value_bytes(argv[0]) < 4) {
        sqlite3_result_null(ctx);
        return;
    }
    sqlite3_result_int(ctx, QByteArray(t, 4).toInt());
}

// The leading number of a paper number ("12/24" gives 12), 0 when it has none.
void ordinalFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    if (!t) {
        sqlite3_result_null(ctx);
        return;
    }
    sqlite3_int64 v = 0;
    for (int i = 0; t[i] >= '0' && t[i] <= '9' && i < 18; ++i)
        v = v * 10 + (t[i] - '0');
    sqlite3_result_int64(ctx, v);
}

sqlite3* handleOf(const QSqlDatabase& db)
{
    const QVariant v = db.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(v.data());
}

// The database file read directly by copies; open exactly as long as the connection.
thread_local int g_rawFd = -1;
// Held while the file is open, so that a restore does not put another file in its place.
thread_local std::unique_ptr<FolderLock> g_seat;

// A failed write as the engine reports it: a full medium apart from any other fault.
int writeFailure(int err)
{
    return err == ENOSPC || err == EDQUOT || err == EFBIG ? SQLITE_FULL : SQLITE_IOERR;
}

// True when the first `size` bytes of both files are the same.
bool sameBytes(int a, int b, qint64 size)
{
    constexpr qint64 chunk = 1 << 20;
    QByteArray left(chunk, Qt::Uninitialized);
    QByteArray right(chunk, Qt::Uninitialized);
    for (qint64 at = 0; at < size;) {
        const size_t want = size_t(std::min(chunk, size - at));
        if (::pread(a, left.data(), want, at) != ssize_t(want) || ::pread(b, right.data(), want, at) != ssize_t(want) ||
            std::memcmp(left.constData(), right.constData(), want) != 0)
            return false;
        at += qint64(want);
    }
    return true;
}

int pragmaInt(sqlite3* db, const char* sql)
{
    sqlite3_stmt* stmt = nullptr;
    int value = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
        value = sqlite3_column_int(stmt, 0);
    sqlite3_finalize(stmt);
    return value;
}

// The file's bytes, copied while a read lock keeps every writer out: the same content the
// engine would copy page by page, at the speed of a file copy. SQLITE_NOTFOUND when the file
// cannot be copied this way (a write-ahead log holds part of it).
int rawCopy(sqlite3* db, int to, bool readBack)
{
    if (g_rawFd < 0 || sqlite3_get_autocommit(db) == 0)
        return SQLITE_NOTFOUND;
    int rc = sqlite3_exec(db, "BEGIN; SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        return rc;
    sqlite3_stmt* stmt = nullptr;
    bool wal = false;
    if (sqlite3_prepare_v2(db, "PRAGMA journal_mode", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        wal = qstricmp(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)), "wal") == 0;
    sqlite3_finalize(stmt);
    const qint64 size = qint64(pragmaInt(db, "PRAGMA page_size")) * pragmaInt(db, "PRAGMA page_count");
    if (wal)
        rc = SQLITE_NOTFOUND;
    else if (size <= 0)
        rc = SQLITE_IOERR;
    else if (!FileCopy::copyBytes(g_rawFd, to, size))
        rc = writeFailure(errno);
    else if (readBack && ::fsync(to) != 0)
        rc = writeFailure(errno);
    // Still under the read lock, the database cannot change while its copy is read back.
    else if (readBack && (!sameBytes(g_rawFd, to, size) || ::lseek(to, 0, SEEK_END) != size))
        rc = SQLITE_CORRUPT;
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    return rc;
}

// The engine's page-by-page copy into the file `temp`.
int backupCopy(sqlite3* source, const QString& temp)
{
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
    sqlite3_close(target);
    return rc;
}

// Waits this long for another program's lock before reporting the database in use.
constexpr int kBusyTimeoutMs = 3000;

DbError classify(int rc, const QString& text)
{
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return {Database::InUse, text};
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return {Database::ReadOnly, text};
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
        return {Database::Damaged, text};
    default:
        return {rc, text};
    }
}

QStringList column(sqlite3* db, const char* sql, const QString& bound, int* rc)
{
    QStringList out;
    sqlite3_stmt* stmt = nullptr;
    *rc = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    if (*rc == SQLITE_OK) {
        const QByteArray value = bound.toUtf8();
        if (!bound.isNull())
            sqlite3_bind_text(stmt, 1, value.constData(), int(value.size()), SQLITE_TRANSIENT);
        while ((*rc = sqlite3_step(stmt)) == SQLITE_ROW)
            out << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
        if (*rc == SQLITE_DONE)
            *rc = SQLITE_OK;
    }
    sqlite3_finalize(stmt);
    return out;
}

} // namespace

// What the file must hold: the tables made by the schema in a scratch database, so that the
// check can never disagree with what a new file gets.
const QMap<QString, QStringList>& ConnectionParts::expectedColumns()
{
    static const QMap<QString, QStringList> expected = [] {
        QMap<QString, QStringList> out;
        sqlite3* scratch = nullptr;
        sqlite3_open_v2(":memory:", &scratch, SQLITE_OPEN_READWRITE, nullptr);
        for (const QString& sql : Schema::tableStatements())
            sqlite3_exec(scratch, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
        int rc = SQLITE_OK;
        for (const QString& table : Schema::tableNames())
            out[table] = column(scratch, "SELECT name FROM pragma_table_info(?)", table, &rc);
        sqlite3_close(scratch);
        return out;
    }();
    return expected;
}

namespace {

// The engine treats a file whose header asks for a newer writer as read-only, and would have
// the user look for a permission problem that is not there.
DbStatus checkHeader(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray header = file.read(100);
    if (header.size() < 20)
        return std::nullopt;
    for (const int at : {18, 19})
        if (header[at] != 1 && header[at] != 2)
            return DbError{Database::Damaged, QStringLiteral("intestazione del file non valida")};
    return std::nullopt;
}

DbStatus checkHandle(sqlite3* db, const QString& path)
{
    int rc = SQLITE_OK;
    if (auto err = checkHeader(path))
        return err;
    const QStringList tables = column(db, "SELECT name FROM sqlite_master WHERE type = 'table'", QString(), &rc);
    if (rc != SQLITE_OK)
        return classify(rc, QString::fromUtf8(sqlite3_errmsg(db)));
    if (tables.isEmpty())
        return DbError{Database::Empty, QStringLiteral("Il file non contiene tabelle")};
    const auto& expected = ConnectionParts::expectedColumns();
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        const QStringList present = column(db, "SELECT name FROM pragma_table_info(?)", it.key(), &rc);
        if (rc != SQLITE_OK)
            return classify(rc, QString::fromUtf8(sqlite3_errmsg(db)));
        if (present.isEmpty())
            return DbError{Database::Foreign, QStringLiteral("Manca la tabella %1").arg(it.key())};
        for (const QString& c : it.value())
            if (!present.contains(c, Qt::CaseInsensitive))
                return DbError{Database::Foreign,
                               QStringLiteral("Manca la colonna %1 della tabella %2").arg(c, it.key())};
    }
    // The full check: the quick one does not see a table that disagrees with its index, and
    // such a file must never be taken for good, nor copied over a good copy.
    const QStringList verdict = column(db, "PRAGMA integrity_check(1)", QString(), &rc);
    if (rc != SQLITE_OK)
        return classify(rc, QString::fromUtf8(sqlite3_errmsg(db)));
    if (verdict.value(0) != QStringLiteral("ok"))
        return DbError{Database::Damaged, verdict.value(0)};
    // A file cut short can still pass the check when the cut falls in its last page.
    const QStringList pageSize = column(db, "PRAGMA page_size", QString(), &rc);
    const QStringList pageCount = column(db, "PRAGMA page_count", QString(), &rc);
    if (rc != SQLITE_OK)
        return classify(rc, QString::fromUtf8(sqlite3_errmsg(db)));
    const qint64 expectedSize = pageSize.value(0).toLongLong() * pageCount.value(0).toLongLong();
    if (QFileInfo(path).size() != expectedSize)
        return DbError{Database::Damaged, QStringLiteral("La lunghezza del file non corrisponde al suo contenuto")};
    // A newer program may have changed what this one reads or writes.
    if (const int shape = pragmaInt(db, "PRAGMA user_version"); shape > Schema::latest())
        return Schema::newerShape(shape);
    return std::nullopt;
}

// Takes and drops the write lock: tells a file another program holds, or one we cannot write,
// before the user types anything.
DbStatus probeWrite(sqlite3* db)
{
    int rc = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        return classify(rc, QString::fromUtf8(sqlite3_errmsg(db)));
    rc = sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        return classify(rc, QString::fromUtf8(sqlite3_errmsg(db)));
    if (sqlite3_db_readonly(db, "main") == 1)
        return DbError{Database::ReadOnly, QStringLiteral("Il file è in sola lettura")};
    return std::nullopt;
}

// Opens the Qt connection with the fold() function, without reading or checking anything.
DbStatus connect(const QString& path)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!db.open()) {
        const DbError err = DbError::from(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(kConnection);
        return classify(err.number, err.text);
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
    sqlite3_create_function_v2(handle, "year", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, yearFunction, nullptr,
                               nullptr, nullptr);
    sqlite3_create_function_v2(handle, "ordinal", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, ordinalFunction,
                               nullptr, nullptr, nullptr);
    return std::nullopt;
}

} // namespace

namespace ConnectionParts {

void closeFile()
{
    if (g_rawFd >= 0) {
        ::close(g_rawFd);
        g_rawFd = -1;
    }
    g_seat.reset();
}

} // namespace ConnectionParts

namespace Database {

DbStatus create(const QString& path, const std::function<DbStatus()>& fill)
{
    close();
    const QFileInfo target(path);
    if (target.exists() || target.isSymLink())
        return DbError{EEXIST, QStringLiteral("Il file \"%1\" esiste già").arg(QDir::toNativeSeparators(path))};
    QDir().mkpath(target.absolutePath());
    const QString temp = FileCopy::temporaryNameFor(path);
    const int fd = FileCopy::createLocked(temp);
    if (fd < 0)
        return DbError{75, QStringLiteral("Errore di accesso al percorso/file")};
    auto fail = [&](const DbError& err) {
        close();
        QFile::remove(temp);
        ::close(fd);
        return err;
    };
    if (auto err = connect(temp))
        return fail(*err);
    {
        Transaction tx;
        if (auto err = ConnectionParts::createFilled(fill))
            return fail(*err);
        if (auto err = tx.commit())
            return fail(*err);
    }
    close();
    if (::fsync(fd) != 0)
        return fail(DbError{75, QStringLiteral("Errore di accesso al percorso/file")});
    // link() never replaces: if another program made the database meanwhile, its file stays.
    if (::link(QFile::encodeName(temp).constData(), QFile::encodeName(path).constData()) != 0) {
        const int error = errno;
        return fail(
            error == EEXIST
                ? DbError{EEXIST, QStringLiteral("Il file \"%1\" esiste già").arg(QDir::toNativeSeparators(path))}
                : DbError{75, QString::fromLocal8Bit(strerror(error))});
    }
    QFile::remove(temp);
    ::close(fd);
    return open(path);
}

namespace {

// What is wrong with the file before the engine reads it: missing, not a file, empty.
DbStatus fileProblem(const QFileInfo& file)
{
    if (!file.exists())
        return DbError{Missing, QStringLiteral("File non trovato")};
    if (!file.isFile())
        return DbError{Damaged, QStringLiteral("Non è un file regolare")};
    if (file.size() == 0)
        return DbError{Empty, QStringLiteral("Il file è vuoto (0 byte)")};
    return std::nullopt;
}

} // namespace

DbStatus open(const QString& path, const std::function<DbStatus()>& beforeChange)
{
    close();
    const QFileInfo file(path);
    if (auto err = fileProblem(file))
        return err;
    if (::access(QFile::encodeName(path).constData(), R_OK | W_OK) != 0 ||
        ::access(QFile::encodeName(file.absolutePath()).constData(), W_OK | X_OK) != 0)
        return DbError{ReadOnly, QStringLiteral("Il file o la sua cartella sono in sola lettura")};
    auto seat = std::make_unique<FolderLock>(file.absolutePath(), FolderLock::Shared, kBusyTimeoutMs);
    if (seat->refused())
        return DbError{InUse, QStringLiteral("Un altro programma sta ripristinando il database")};
    if (auto err = connect(path))
        return err;
    g_seat = std::move(seat);
    g_rawFd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    DbStatus err = check();
    if (!err)
        err = probeWrite(nativeHandle());
    if (!err)
        err = Schema::upgrade(beforeChange);
    if (err) {
        close();
        return err;
    }
    return std::nullopt;
}

DbStatus check()
{
    sqlite3* handle = nativeHandle();
    if (!handle)
        return DbError{3024, QStringLiteral("Database non aperto")};
    return checkHandle(handle, filePath());
}

DbStatus verify(const QString& path)
{
    const QFileInfo file(path);
    if (auto err = fileProblem(file))
        return err;
    sqlite3* handle = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &handle, SQLITE_OPEN_READONLY, nullptr);
    DbStatus err;
    if (rc != SQLITE_OK) {
        err = classify(rc, handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QString::fromUtf8(sqlite3_errstr(rc)));
    } else {
        sqlite3_busy_timeout(handle, kBusyTimeoutMs);
        err = checkHandle(handle, path);
    }
    sqlite3_close(handle);
    return err;
}

void removeStaleTemporaries(const QString& folder)
{
    // The temporaries of databases, copies, dumps, settings and pictures, and the journal the
    // engine keeps beside a new database while it is filled. The second ".tmp" suffix is left
    // by earlier versions, which staged the database copy twice.
    static const QRegularExpression name(QStringLiteral(
        R"(^(\..+\.(mdb|dump|ini|bmp)\.[0-9a-f]{32}\.tmp(\.[0-9a-f]{32}\.tmp)?)(-journal|-wal|-shm)?$)"));
    const QDir dir(folder);
    QStringList companions;
    for (const QString& f : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const auto m = name.match(f);
        if (!m.hasMatch())
            continue;
        if (!m.captured(4).isEmpty()) {
            companions << f;
            continue;
        }
        const QByteArray path = QFile::encodeName(dir.filePath(f));
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        // A file being written is locked by its writer.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
        ::close(fd);
    }
    // A journal goes with its database: only once that is gone, or was never there.
    for (const QString& f : companions) {
        const QString owner = name.match(f).captured(1);
        if (!QFileInfo::exists(dir.filePath(owner)))
            ::unlink(QFile::encodeName(dir.filePath(f)).constData());
    }
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
DbStatus copyTo(const QString& destination, Copy mode)
{
    sqlite3* source = handleOf(connection());
    if (!source)
        return DbError{1, QStringLiteral("Database non aperto")};
    const QString canonical = QFileInfo(destination).canonicalFilePath();
    if (!canonical.isEmpty() && canonical == QFileInfo(filePath()).canonicalFilePath())
        return DbError{75, QStringLiteral("La copia non può sostituire il database stesso")};
    const QString temp = FileCopy::temporaryNameFor(destination);
    const int fd = FileCopy::createLocked(temp);
    if (fd < 0) {
        const int rc = writeFailure(errno);
        return rc == SQLITE_FULL ? DbError{rc, RuntimeErrors::text(RuntimeErrors::DiskFull)}
                                 : DbError{75, QStringLiteral("Errore di accesso al percorso/file")};
    }
    int rc = rawCopy(source, fd, mode == Copy::Proven);
    bool compared = rc == SQLITE_OK;
    if (rc == SQLITE_NOTFOUND) {
        rc = backupCopy(source, temp);
        compared = false;
    }
    if (rc == SQLITE_OK && ::fsync(fd) != 0)
        rc = writeFailure(errno);
    QString message;
    switch (rc & 0xff) {
    case SQLITE_FULL:
        message = RuntimeErrors::text(RuntimeErrors::DiskFull);
        break;
    case SQLITE_IOERR:
        message = QStringLiteral("Errore di I/O su periferica");
        break;
    case SQLITE_CORRUPT:
        message = QStringLiteral("La copia scritta non corrisponde al database");
        break;
    default:
        message = QString::fromUtf8(sqlite3_errstr(rc));
    }
    // A page copy cannot be compared byte for byte: the engine checks it instead.
    if (rc == SQLITE_OK && mode == Copy::Proven && !compared) {
        if (const DbStatus bad = verify(temp)) {
            rc = SQLITE_CORRUPT;
            message = bad->text;
        }
    }
    if (rc != SQLITE_OK ||
        ::rename(QFile::encodeName(temp).constData(), QFile::encodeName(destination).constData()) != 0) {
        QFile::remove(temp);
        ::close(fd);
        return DbError{rc == SQLITE_OK ? 75 : rc,
                       rc == SQLITE_OK ? QStringLiteral("Errore di accesso al percorso/file") : message};
    }
    ::close(fd);
    return std::nullopt;
}
} // namespace Database
