#pragma once

#include "data/dberror.h"

#include <QString>
#include <QStringList>

// The texts of `column` in `table` (both the program's own names), each once whatever its case,
// in the order of every list: case and accents aside. Empty and Null texts are left out;
// `condition` ("Valid = 1") narrows the rows. Of texts differing in case only, the one first by
// its characters is shown.
DbResult<QStringList> distinctTexts(const QString& table, const QString& column, const QString& condition = {});
