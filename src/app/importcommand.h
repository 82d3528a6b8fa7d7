#pragma once

#include <QString>

class QTextStream;

// `migrate --from OLD.mdb`: imports the original program's Access database into the database of
// this run (the folder's, made as on a first start when missing, or the server's).
namespace ImportCommand {

// 0 when imported, 1 with the reason (and nothing written) otherwise.
int run(const QString& accessFile, QTextStream& out, QTextStream& err);

} // namespace ImportCommand
