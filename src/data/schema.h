#pragma once

#include "data/dberror.h"

#include <QStringList>

// The ten tables of the database file.
namespace Schema {

QStringList tableNames();
// The CREATE TABLE statements of the ten tables.
QStringList tableStatements();
// Creates the ten tables and their indexes in a new, empty file.
DbStatus create();
// Adds any missing index to a database of this program; tables are never touched.
DbStatus createIndexes();

} // namespace Schema
