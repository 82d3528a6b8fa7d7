#pragma once

#include <QString>
#include <QStringList>

// Where SQLite and PostgreSQL differ, for both engines, in one place.
//
// A store writes each SQL text once, in what the two engines share, and uses only these
// functions for what they do differently (each connection has them: registered on SQLite,
// created by `init` on the server):
//   fold(text)     the text case-folded: fold(a) = fold(b) compares ignoring case, accented
//                  letters too
//   sortkey(text)  case-folded and without accents: ORDER BY sortkey(Nome), Nome
//   instr(a, b)    where b starts in a, 0 when absent: a literal search, no LIKE wildcards
//   year(date)     the year of a 'yyyy-mm-dd' text as an integer
//   ordinal(num)   the leading number of a paper number ("12/26" gives 12), 0 when none
// and these rules:
//   - a new key comes from INSERT ... RETURNING <key>, never from lastInsertId();
//   - "insert or replace / ignore" is INSERT ... ON CONFLICT (key) DO UPDATE SET ... / DO NOTHING;
//   - a value is bound with the type of its column (text for a TEXT column, numbers as numbers);
//   - a table a store adds is created through Dialect::table(), written with SQLite's types
//     (INTEGER PRIMARY KEY AUTOINCREMENT, INTEGER, REAL, TEXT; COLLATE NOCASE counts on SQLite only);
//   - Transaction(Transaction::Write) serialises every writer of the database, on both
//     engines: what it reads before writing cannot change until it commits.
namespace Dialect {

enum class Engine { SQLite, PostgreSQL };

// The engine of the open connection (SQLite when none is open).
Engine engine();
bool onServer();

// `sqliteDdl`, a CREATE TABLE written with SQLite's types, as the open engine wants it.
QString table(const QString& sqliteDdl);
QString table(const QString& sqliteDdl, Engine engine);

// A SELECT counting the tables named by its one bound value (1 when present, 0 when not).
QString tableCount();

// A SELECT giving the key the next row of `table` will get: past every key ever given, those
// of deleted rows too (its AUTOINCREMENT column `key`).
QString nextKey(const QString& table, const QString& key);

// The engine's own position of a row, for the one table without a key (Azienda): it follows
// the order rows were added in until they are rewritten.
QString rowKey();

// What opens a Write transaction.
QStringList beginWrite(Engine engine);

// The functions above as the server gets them, created once by `init`.
QStringList serverFunctions();

} // namespace Dialect
