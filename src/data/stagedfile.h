#pragma once

#include <QByteArray>
#include <QString>

// A file written whole under a temporary name beside its place, made durable, and only then
// given its name: a run killed half-way leaves a temporary the next start removes
// (Database::removeStaleTemporaries), never a cut file under the real name.
namespace StagedFile {

// ".NAME.<32 hex digits>.tmp" beside `path`.
QString temporaryNameFor(const QString& path);

enum class Place {
    Replace,      // over an earlier file of that name
    KeepExisting, // never over one, even one another program placed a moment ago (EEXIST)
};
// Writes `content` as the file `path`, readable by its owner (and by others when `shared`).
// 0, or the system's error number.
int write(const QString& path, const QByteArray& content, Place place, bool shared = true);

} // namespace StagedFile
