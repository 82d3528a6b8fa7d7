#pragma once

#include "data/dberror.h"

#include <QList>
#include <QString>
#include <QStringList>

class QTextStream;

// Copies the SQLite database of a folder into an empty PostgreSQL database: every table (the
// program's and those its stores added), their rows, keys and key counters, in one transaction
// that commits only when the copy's row counts and the sums of its REAL columns equal the
// source's. On any failure the server database stays empty.
namespace Migration {

struct TableFigures {
    QString table;
    long long rows = 0;
    // "Column=sum" for every REAL column, as both sides gave it.
    QStringList sums;
};

// Makes the key counter of `table` (its AUTOINCREMENT column `key`) give keys past `last`.
DbStatus continueCounter(const QString& table, const QString& key, long long last);

DbResult<QList<TableFigures>> copy(const QString& sqliteFile, const QString& url);
// The migrate command: copies and prints the figures; 0 when done, 1 with a message otherwise.
int run(const QString& sqliteFile, const QString& url, QTextStream& out, QTextStream& err);

} // namespace Migration
