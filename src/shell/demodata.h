#pragma once

#include "data/dberror.h"

// Believable sample data for a new, empty working folder.
namespace DemoData {

// False with a message when the folder already holds data.
bool folderIsEmpty(const QString& workDir);
// Fills the open database: company header, customers, warehouse.
DbStatus fill();

} // namespace DemoData
