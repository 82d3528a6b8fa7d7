#pragma once

#include "data/dberror.h"

#include <QList>

// Sample customers for a demonstration working folder.
namespace RegistryDemo {

// Adds about twenty customers in one transaction; nothing is added on failure.
DbStatus fill();
// The first `n` valid customers' ids, for the papers of a demonstration.
DbResult<QList<qint64>> primiClienti(int n);

} // namespace RegistryDemo
