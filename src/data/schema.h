#pragma once

#include "data/dberror.h"

#include <QStringList>
#include <functional>

// The history of the database's shape: numbered steps, applied in order when a database is
// opened, each in one transaction, the same on both engines. The number of the last step
// applied is kept in the database itself (PRAGMA user_version on the file, the one row of
// VersioneSchema on the server); a database of the original program, or of this one before the
// history was kept, has none and counts as 0.
namespace Schema {

// The number of the newest shape this program knows.
int latest();
// The statements of step `number` (1 to latest()), CREATE TABLE written with SQLite's types.
QStringList stepStatements(int number);

// The ten tables every database of the program has, from the first step.
QStringList tableNames();
// The CREATE TABLE statements of the ten tables.
QStringList tableStatements();
// Every table of the newest shape.
QStringList ownTables();

// Applies every step to a new, empty database, inside the caller's transaction.
DbStatus create();
// The shape the open database records; 0 when it records none.
DbResult<int> version();
// Brings the open database, already checked, to the newest shape; a newer one is refused
// (Database::Newer) untouched. `beforeChange` runs once before the first step writes anything
// (it writes the day's copy); when it fails nothing is changed.
DbStatus upgrade(const std::function<DbStatus()>& beforeChange = {});
// The refusal of a database whose shape `found` is newer than the program's.
DbError newerShape(int found);

} // namespace Schema
