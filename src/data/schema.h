#pragma once

#include "data/dberror.h"

#include <QStringList>

// The ten tables of the database file.
namespace Schema {

QStringList tableNames();
// Creates every missing table and index; existing ones are left as they are.
DbStatus create();

} // namespace Schema
