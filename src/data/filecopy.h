#pragma once

#include <QString>

// The pieces every safe file replacement is made of: a private temporary beside the target,
// locked while it is written, bytes copied, the folder synced after a rename.
namespace FileCopy {

// A hidden temporary name beside `path` (".NAME.<uuid>.tmp"), the kind that start-up and the
// backup clear when a killed run leaves one behind.
QString temporaryNameFor(const QString& path);
// Creates a new file readable by its owner only and keeps it locked, so that no other program
// removes it as a leftover while it is written; -1 when it cannot (errno says why).
int createLocked(const QString& path);
// Copies the first `size` bytes of `from` to `to`, in the kernel where it can.
bool copyBytes(int from, int to, qint64 size);
// Makes a rename in `folder` last; 0, or the errno of the failure.
int syncFolder(const QString& folder);

} // namespace FileCopy
