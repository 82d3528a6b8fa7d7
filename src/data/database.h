#pragma once

#include "data/dberror.h"
#include "data/dialect.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <functional>

struct sqlite3;

// The one connection of each thread: to "Dati/Corvalisto.mdb" (an SQLite file), or to a
// PostgreSQL database that several workstations share. Each connection has the functions
// listed in data/dialect.h (fold, sortkey, instr, year, ordinal).
namespace Database {

inline const QString kRelativePath = QStringLiteral("Dati/Corvalisto.mdb");
inline const QString kUpdateMarker = QStringLiteral("Dati/Corvalisto.md");

// Why a file could not be used as the database: the number of the DbError that open() and
// verify() give back, so that start-up can tell the user what to do about it.
enum Problem {
    Missing = 3024,
    Empty = 3049,
    Foreign = 3343,
    Damaged = 3045,
    InUse = 3261,
    ReadOnly = 3051,
    // The server cannot be reached or refuses the login.
    Unreachable = 3151,
    // The server's connection dropped while the program was using it.
    ConnectionLost = 3152,
    // Written by a newer program, in a shape this one does not know.
    Newer = 3041,
};

// The server of this run, "postgresql://user@host:port/name": `option` (--database), else
// $CORVALISTO_DATABASE, else the one line of "Database.ini" in `workDir`; empty for the SQLite
// file. A password is never written there: libpq takes it from ~/.pgpass or $PGPASSWORD.
QString chooseServer(const QString& option, const QString& workDir);
// Whether `url` is a server address this program understands.
bool isServerUrl(const QString& url);
// "database NAME sul server HOST:PORT", for messages.
QString describeServer(const QString& url);
// True when the server's connection has dropped: server stopped, network gone, or ended by an administrator.
bool serverConnectionLost();
// Opens a database of this program on the server after the same checks as open(): Empty when
// it holds no table, Foreign when tables or columns differ, ReadOnly when the user may not
// write, Unreachable when there is no answer, Newer when a newer program wrote it. Then brings it
// to the newest shape (see data/schema.h), `beforeChange` running first.
DbStatus openServer(const QString& url, const std::function<DbStatus()>& beforeChange = {});
// Creates the tables (and whatever `fill` writes) in a server database holding no table at all,
// in one transaction, and leaves it open.
DbStatus initServer(const QString& url, const std::function<DbStatus()>& fill = {});
// The server address of the open connection; empty on the SQLite file.
QString serverUrl();

// Creates a new database with every table (and whatever `fill` writes, in the same transaction)
// under a temporary name, readable by its owner only, and moves it to `filePath` only when no
// file stands there: an existing file is never replaced. The new database is left open.
DbStatus create(const QString& filePath, const std::function<DbStatus()>& fill = {});
// Opens an existing database of this program after checking it (see verify); never creates a
// file. Closes an earlier connection first. Then brings it to the newest shape (see
// data/schema.h), `beforeChange` running before the first step changes anything.
DbStatus open(const QString& filePath, const std::function<DbStatus()>& beforeChange = {});
// Checks the open database: the ten tables with their columns, the engine's full integrity
// check (tables against their indexes included), the file's length and a shape not newer than
// the program's. A failure carries one of the Problem numbers.
DbStatus check();
// The same check on a file that is not open, read-only, e.g. a daily copy.
DbStatus verify(const QString& filePath);
// Removes what runs that were killed left in `folder`: temporary files (databases, copies,
// dumps, settings, pictures) and a new database's journal. Those still being written by a
// running program are left alone.
void removeStaleTemporaries(const QString& folder);
void close();
bool isOpen();
QSqlDatabase connection();
// The engine's own handle, for the few hot paths that read rows without Qt's per-value overhead;
// null on the server.
sqlite3* nativeHandle();
// The last error of the native handle, for code that uses it directly.
DbError nativeError();
QString filePath();

// Runs one statement with its values bound by position.
DbStatus exec(const QString& sql, const QVariantList& values = {});
// Runs `insert` ("INSERT INTO T (A, B) VALUES") once for many rows, each a list of values bound
// by position: a few statements of many rows each, so that the rows cost no round trip each.
DbStatus insertRows(const QString& insert, const QList<QVariantList>& rows);
// Prepares and runs a SELECT with its values bound by position; the query stands before its first row.
DbResult<QSqlQuery> select(const QString& sql, const QVariantList& values = {});
// The first column of the first row, or an invalid QVariant when there is no row.
DbResult<QVariant> scalar(const QString& sql, const QVariantList& values = {});

// Writes a consistent copy of the open database to `destination` (readable by its owner only),
// first under a temporary name, then renamed over any earlier file. A proven copy is read back
// and compared with the database before the rename (the engine checks it when the file cannot
// be copied byte for byte), so a bad copy never replaces a good one.
enum class Copy { Plain, Proven };
DbStatus copyTo(const QString& destination, Copy mode = Copy::Plain);

// The address of a server database as libpq takes it ("host=... port=... dbname=... user=...").
QString libpqConnInfo(const QString& url);

// Case-folding used by fold(); exposed so that logic can compare like the database.
QString fold(const QString& text);
// The key sortkey() orders by.
QString sortKey(const QString& text);

} // namespace Database

// Rolls back unless committed. Guards nest: an inner one is a savepoint of the outer.
// A Write guard takes the write lock at once, so that what it reads before writing cannot be
// changed by another program until it commits.
class Transaction {
public:
    enum Mode { Read, Write };
    explicit Transaction(Mode mode = Read);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool started() const { return m_active; }
    DbStatus commit();

private:
    bool m_active = false;
    QString m_savepoint;
};
