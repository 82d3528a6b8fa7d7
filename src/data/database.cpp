#include "data/database.h"

#include "data/filecopy.h"
#include "data/folderlock.h"
#include "data/schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QTextStream>
#include <QUrl>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sqlite3.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Each thread has a connection of its own (the first one the program's, others e.g. a test's
// second seat).
QString connectionName()
{
    static std::atomic<int> threads{0};
    thread_local const QString name = [] {
        const int n = threads++;
        return n == 0 ? QStringLiteral("corvalisto") : QStringLiteral("corvalisto-%1").arg(n);
    }();
    return name;
}
#define kConnection connectionName()

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

void bindAll(QSqlQuery& q, const QVariantList& values)
{
    int i = 0;
    for (const QVariant& v : values)
        q.bindValue(i++, v);
}

// The database file read directly by copies; open exactly as long as the connection.
thread_local int g_rawFd = -1;
// Held while the file is open, so that a restore does not put another file in its place.
thread_local std::unique_ptr<FolderLock> g_seat;
// The address of this thread's server connection, when it is one.
thread_local QString g_serverUrl;

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
    else if (size <= 0 || !FileCopy::copyBytes(g_rawFd, to, size))
        rc = SQLITE_IOERR;
    // Still under the read lock, the database cannot change while its copy is read back.
    else if (readBack && (::fsync(to) != 0 || !sameBytes(g_rawFd, to, size) || ::lseek(to, 0, SEEK_END) != size))
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

// What the file must hold: the tables made by the schema in a scratch database, so that the
// check can never disagree with what a new file gets.
const QMap<QString, QStringList>& expectedColumns()
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

DbStatus checkHandle(sqlite3* db, const QString& path)
{
    int rc = SQLITE_OK;
    const QStringList tables = column(db, "SELECT name FROM sqlite_master WHERE type = 'table'", QString(), &rc);
    if (rc != SQLITE_OK)
        return classify(rc, QString::fromUtf8(sqlite3_errmsg(db)));
    if (tables.isEmpty())
        return DbError{Database::Empty, QStringLiteral("Il file non contiene tabelle")};
    const auto& expected = expectedColumns();
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
    const QStringList verdict = column(db, "PRAGMA quick_check(1)", QString(), &rc);
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
        if (auto err = Schema::create())
            return fail(*err);
        if (fill)
            if (auto err = fill())
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

DbStatus open(const QString& path)
{
    close();
    const QFileInfo file(path);
    if (!file.exists())
        return DbError{Missing, QStringLiteral("File non trovato")};
    if (!file.isFile())
        return DbError{Damaged, QStringLiteral("Non è un file regolare")};
    if (file.size() == 0)
        return DbError{Empty, QStringLiteral("Il file è vuoto (0 byte)")};
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
        err = Schema::createIndexes();
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
    if (!file.exists())
        return DbError{Missing, QStringLiteral("File non trovato")};
    if (!file.isFile())
        return DbError{Damaged, QStringLiteral("Non è un file regolare")};
    if (file.size() == 0)
        return DbError{Empty, QStringLiteral("Il file è vuoto (0 byte)")};
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
    static const QRegularExpression name(QStringLiteral(R"(^\..*\.(mdb|dump)\.[0-9a-f]{32}\.tmp$)"));
    const QDir dir(folder);
    for (const QString& f : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!name.match(f).hasMatch())
            continue;
        const QByteArray path = QFile::encodeName(dir.filePath(f));
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        // A copy being written is locked by its writer.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
        ::close(fd);
    }
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
    g_serverUrl.clear();
    // Only now: closing a descriptor of the file drops every lock the process holds on it.
    if (g_rawFd >= 0) {
        ::close(g_rawFd);
        g_rawFd = -1;
    }
    g_seat.reset();
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

QString serverUrl()
{
    return isOpen() ? g_serverUrl : QString();
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
    if (fd < 0)
        return DbError{75, QStringLiteral("Errore di accesso al percorso/file")};
    int rc = rawCopy(source, fd, mode == Copy::Proven);
    bool compared = rc == SQLITE_OK;
    if (rc == SQLITE_NOTFOUND) {
        rc = backupCopy(source, temp);
        compared = false;
    }
    QString message = rc == SQLITE_CORRUPT ? QStringLiteral("La copia scritta non corrisponde al database")
                                           : QString::fromUtf8(sqlite3_errstr(rc));
    if (rc == SQLITE_OK && ::fsync(fd) != 0)
        rc = SQLITE_IOERR;
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

QString chooseServer(const QString& option, const QString& workDir)
{
    if (!option.trimmed().isEmpty())
        return option.trimmed();
    const QString env = qEnvironmentVariable("CORVALISTO_DATABASE").trimmed();
    if (!env.isEmpty())
        return env;
    QFile ini(QDir(workDir).filePath(QStringLiteral("Database.ini")));
    if (!ini.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&ini);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (!line.isEmpty() && !line.startsWith(u'#') && !line.startsWith(u';'))
            return line;
    }
    return {};
}

bool isServerUrl(const QString& url)
{
    const QUrl u(url, QUrl::StrictMode);
    return u.isValid() && (u.scheme() == QStringLiteral("postgresql") || u.scheme() == QStringLiteral("postgres")) &&
           u.password().isEmpty() && u.path().size() > 1;
}

namespace {

QString serverName(const QUrl& u)
{
    return u.path().mid(1);
}

QString serverHost(const QUrl& u)
{
    const QString host = u.host().isEmpty() ? QStringLiteral("localhost") : u.host();
    return u.port() > 0 ? host + u':' + QString::number(u.port()) : host;
}

} // namespace

QString describeServer(const QString& url)
{
    const QUrl u(url);
    return QStringLiteral("database \"%1\" sul server %2").arg(serverName(u), serverHost(u));
}

QString libpqConnInfo(const QString& url)
{
    const QUrl u(url);
    QStringList parts;
    if (!u.host().isEmpty())
        parts << QStringLiteral("host=") + u.host();
    if (u.port() > 0)
        parts << QStringLiteral("port=%1").arg(u.port());
    parts << QStringLiteral("dbname=") + serverName(u);
    if (!u.userName().isEmpty())
        parts << QStringLiteral("user=") + u.userName();
    return parts.join(u' ');
}

namespace {

// Connects to the server without reading anything; a failure names host and database.
DbStatus connectServer(const QString& url)
{
    close();
    if (!isServerUrl(url))
        return DbError{Unreachable, QStringLiteral("Indirizzo del database non valido: \"%1\" (atteso "
                                                   "postgresql://utente@server:porta/nome, senza password)")
                                        .arg(url)};
    const QUrl u(url);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), kConnection);
    if (!db.isValid()) {
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(kConnection);
        return DbError{Unreachable, QStringLiteral("Driver PostgreSQL di Qt non installato (libqt6sql6-psql)")};
    }
    if (!u.host().isEmpty())
        db.setHostName(u.host());
    if (u.port() > 0)
        db.setPort(u.port());
    db.setDatabaseName(serverName(u));
    if (!u.userName().isEmpty())
        db.setUserName(u.userName());
    db.setConnectOptions(QStringLiteral("connect_timeout=5;application_name=Corvalisto"));
    if (!db.open()) {
        const QString text =
            db.lastError().databaseText().trimmed().isEmpty() ? db.lastError().text() : db.lastError().databaseText();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(kConnection);
        return DbError{Unreachable,
                       QStringLiteral("Impossibile collegarsi al %1: %2").arg(describeServer(url), text.trimmed())};
    }
    g_serverUrl = url;
    // Dates and texts as the stores write them, whatever the server's defaults.
    exec(QStringLiteral("SET client_encoding TO 'UTF8'"));
    // The server's notices ("already exists, skipping") are not the user's business.
    exec(QStringLiteral("SET client_min_messages TO warning"));
    return std::nullopt;
}

DbResult<QStringList> serverColumn(const QString& sql, const QVariantList& values = {})
{
    auto q = select(sql, values);
    if (!q)
        return q.error();
    QStringList out;
    while (q.value().next())
        out << q.value().value(0).toString();
    return out;
}

DbStatus checkServer()
{
    const auto tables = serverColumn(
        QStringLiteral("SELECT table_name FROM information_schema.tables WHERE table_schema = current_schema()"));
    if (!tables)
        return tables.error();
    if (tables->isEmpty())
        return DbError{Empty, QStringLiteral("Il database non contiene tabelle")};
    const auto& expected = expectedColumns();
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        const auto present = serverColumn(QStringLiteral("SELECT column_name FROM information_schema.columns "
                                                         "WHERE table_schema = current_schema() AND table_name = ?"),
                                          {it.key().toLower()});
        if (!present)
            return present.error();
        if (present->isEmpty())
            return DbError{Foreign, QStringLiteral("Manca la tabella %1").arg(it.key())};
        for (const QString& c : it.value())
            if (!present->contains(c, Qt::CaseInsensitive))
                return DbError{Foreign, QStringLiteral("Manca la colonna %1 della tabella %2").arg(c, it.key())};
    }
    const auto functions = scalar(QStringLiteral("SELECT count(DISTINCT proname) FROM pg_proc WHERE pronamespace = "
                                                 "to_regnamespace(current_schema())::oid AND proname IN "
                                                 "('fold', 'sortkey', 'instr', 'year', 'ordinal')"));
    if (!functions)
        return functions.error();
    if (functions->toInt() != 5)
        return DbError{Foreign, QStringLiteral("Mancano le funzioni del programma")};
    for (const QString& t : Schema::tableNames()) {
        const auto writable =
            scalar(QStringLiteral("SELECT has_table_privilege(?, 'SELECT, INSERT, UPDATE, DELETE')"), {t.toLower()});
        if (!writable)
            return writable.error();
        if (!writable->toBool())
            return DbError{ReadOnly, QStringLiteral("L'utente non può scrivere nella tabella %1").arg(t)};
    }
    return std::nullopt;
}

} // namespace

DbStatus openServer(const QString& url)
{
    if (auto err = connectServer(url))
        return err;
    // `init` made the indexes with the tables; a file may come from an older program instead.
    DbStatus err = checkServer();
    if (err) {
        close();
        return err;
    }
    return std::nullopt;
}

DbStatus initServer(const QString& url, const std::function<DbStatus()>& fill)
{
    if (auto err = connectServer(url))
        return err;
    auto fail = [](const DbError& e) {
        close();
        return e;
    };
    // Whatever the database holds, even one table not ours, is left alone.
    const auto taken = scalar(QStringLiteral("SELECT count(*) FROM pg_class c JOIN pg_namespace n ON n.oid = "
                                             "c.relnamespace WHERE n.nspname = current_schema() AND c.relkind IN "
                                             "('r', 'v', 'm', 'p', 'f')"));
    if (!taken)
        return fail(taken.error());
    if (taken->toLongLong() != 0)
        return fail(DbError{EEXIST, QStringLiteral("Il %1 contiene già delle tabelle").arg(describeServer(url))});
    {
        Transaction tx(Transaction::Write);
        if (!tx.started())
            return fail(DbError{3246, QStringLiteral("Transazione non avviata")});
        for (const QString& sql : Dialect::serverFunctions())
            if (auto err = exec(sql))
                return fail(*err);
        if (auto err = Schema::create())
            return fail(*err);
        if (fill)
            if (auto err = fill())
                return fail(*err);
        if (auto err = tx.commit())
            return fail(*err);
    }
    return std::nullopt;
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
