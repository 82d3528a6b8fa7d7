#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class QIODevice;

// Files the program writes on the user's behalf (PDF and the like) must never land on the
// working folder's data, on a device, or on an unrelated file that happens to bear the name.
namespace OutputFiles {

// Why `path` may not receive a new file of the kind `kindName` whose content starts with
// `signature`; empty when it may. Checks the file that every name of it leads to (links,
// "..", hard links): the database and everything in its folder, the daily copies, the
// settings files, anything but a regular file, an existing file of another kind.
QString refusal(const QString& path, const QByteArray& signature, const QString& kindName);
// The same, where `ours` reads an existing file (opened for reading) and tells whether this
// program wrote it as a file of that kind.
QString refusal(const QString& path, const std::function<bool(QIODevice&)>& ours, const QString& kindName);
// The file that writing to `path` replaces: the target of a symbolic link, else `path`.
QString resolved(const QString& path);

} // namespace OutputFiles
