#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// One member of a zip archive (an .xlsx is one), read back to check what the program wrote.
namespace ZipEntry {

// The uncompressed content of the member `name` of the archive `zip` (stored or deflated);
// nothing when the archive holds no such member or is not a readable zip.
std::optional<QByteArray> read(const QByteArray& zip, const QString& name);

} // namespace ZipEntry
