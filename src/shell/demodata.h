#pragma once

#include "data/dberror.h"

// Believable sample data for a new, empty working folder.
namespace DemoData {

// True when the folder is new: no settings, no daily copy, nothing in "Dati" once what killed
// runs left there is removed.
bool folderIsEmpty(const QString& workDir);
// Fills the open database: company header, customers, warehouse.
DbStatus fill();

} // namespace DemoData
