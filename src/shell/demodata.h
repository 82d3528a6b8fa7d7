#pragma once

#include "data/dberror.h"

#include <QDate>

// Believable sample data for a new, empty working folder.
namespace DemoData {

// True when the folder is new: no settings, no daily copy, nothing in "Dati".
bool folderIsEmpty(const QString& workDir);
// Fills the open database: company header, customers, warehouse.
DbStatus fill();
// Daily copies of a few days before `today`, each holding the papers up to its day, so that the
// restore has something to show. The open database stays open; nothing on the server.
DbStatus writeEarlierCopies(const QDate& today);

} // namespace DemoData
