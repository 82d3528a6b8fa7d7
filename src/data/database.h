#pragma once

#include "data/dberror.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>

struct sqlite3;

// The one connection to "Dati/Corvalisto.mdb" (an SQLite file).
//
// Each connection gets the SQL function fold(text): the text case-folded for every
// letter, accented ones too, so that fold(a) = fold(b) compares as the user expects and
// instr(fold(a), fold(b)) searches literally, without LIKE wildcards; and sortkey(text): the
// text case-folded without its accents, the order of every list of names ("ÈLITE" among the E's).
namespace Database {

inline const QString kRelativePath = QStringLiteral("Dati/Corvalisto.mdb");
inline const QString kUpdateMarker = QStringLiteral("Dati/Corvalisto.md");

// Opens (creating when missing, readable by its owner only) and checks the file,
// creates any missing table. Closes an earlier connection first.
DbStatus open(const QString& filePath);
void close();
bool isOpen();
QSqlDatabase connection();
// The engine's own handle, for the few hot paths that read rows without Qt's per-value overhead.
sqlite3* nativeHandle();
// The last error of the native handle, for code that uses it directly.
DbError nativeError();
QString filePath();

// Runs one statement with its values bound by position.
DbStatus exec(const QString& sql, const QVariantList& values = {});
// Prepares and runs a SELECT with its values bound by position; the query stands before its first row.
DbResult<QSqlQuery> select(const QString& sql, const QVariantList& values = {});
// The first column of the first row, or an invalid QVariant when there is no row.
DbResult<QVariant> scalar(const QString& sql, const QVariantList& values = {});

// Writes a consistent copy of the open database to `destination` (readable by its owner only),
// first under a temporary name, then renamed over any earlier file.
DbStatus copyTo(const QString& destination);

// Case-folding used by fold(); exposed so that logic can compare like the database.
QString fold(const QString& text);
// The key sortkey() orders by.
QString sortKey(const QString& text);

} // namespace Database

// Rolls back unless committed. Guards nest: an inner one is a savepoint of the outer.
class Transaction {
public:
    Transaction();
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool started() const { return m_active; }
    DbStatus commit();

private:
    bool m_active = false;
    QString m_savepoint;
};
