#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include "data/dberror.h"

#include <functional>

// What the file's and the server's sides of Database share, inside the data folder only.
namespace ConnectionParts {

// The name of this thread's connection: each thread has one of its own (the first one the
// program's, others e.g. a test's second seat).
QString name();
// The columns each of the ten tables must have, as the schema makes them.
const QMap<QString, QStringList>& expectedColumns();
// Forget what the file's and the server's sides keep about the closed connection.
void closeFile();
void forgetServer();
// Inside the caller's transaction: every table of the newest shape, then what `fill` writes.
DbStatus createFilled(const std::function<DbStatus()>& fill);

} // namespace ConnectionParts
