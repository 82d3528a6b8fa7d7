#include "shell/zipentry.h"

#include <QtEndian>
#include <zlib.h>

namespace {

constexpr quint32 kEndOfDirectory = 0x06054b50;
constexpr quint32 kDirectoryEntry = 0x02014b50;
constexpr quint32 kLocalHeader = 0x04034b50;
// Nothing the program writes comes near it; a larger member is not ours.
constexpr qint64 kLargest = 256 * 1024 * 1024;

quint16 u16(const QByteArray& b, qint64 at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

quint32 u32(const QByteArray& b, qint64 at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

std::optional<QByteArray> inflated(const QByteArray& zip, qint64 at, qint64 size, qint64 expected)
{
    QByteArray out(expected, Qt::Uninitialized);
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
        return std::nullopt;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zip.constData() + at));
    z.avail_in = static_cast<uInt>(size);
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(expected);
    const int result = inflate(&z, Z_FINISH);
    const qint64 produced = static_cast<qint64>(z.total_out);
    inflateEnd(&z);
    if (result != Z_STREAM_END || produced != expected)
        return std::nullopt;
    return out;
}

} // namespace

namespace ZipEntry {

std::optional<QByteArray> read(const QByteArray& zip, const QString& name)
{
    // The end record lies in the last 22 + 65535 bytes (its comment at most that long).
    qint64 end = -1;
    for (qint64 i = zip.size() - 22; i >= 0 && i >= zip.size() - 22 - 65535; --i)
        if (u32(zip, i) == kEndOfDirectory) {
            end = i;
            break;
        }
    if (end < 0)
        return std::nullopt;
    const int count = u16(zip, end + 10);
    qint64 at = u32(zip, end + 16);
    const QByteArray wanted = name.toUtf8();
    for (int k = 0; k < count; ++k) {
        if (at + 46 > zip.size() || u32(zip, at) != kDirectoryEntry)
            return std::nullopt;
        const int method = u16(zip, at + 10);
        const qint64 packed = u32(zip, at + 20);
        const qint64 size = u32(zip, at + 24);
        const int nameLength = u16(zip, at + 28);
        const int extra = u16(zip, at + 30);
        const int comment = u16(zip, at + 32);
        const qint64 local = u32(zip, at + 42);
        if (at + 46 + nameLength > zip.size())
            return std::nullopt;
        if (zip.mid(at + 46, nameLength) == wanted) {
            if (local + 30 > zip.size() || u32(zip, local) != kLocalHeader || size > kLargest)
                return std::nullopt;
            const qint64 data = local + 30 + u16(zip, local + 26) + u16(zip, local + 28);
            if (data + packed > zip.size())
                return std::nullopt;
            if (method == 0)
                return packed == size ? std::optional(zip.mid(data, size)) : std::nullopt;
            return method == 8 ? inflated(zip, data, packed, size) : std::nullopt;
        }
        at += 46 + nameLength + extra + comment;
    }
    return std::nullopt;
}

} // namespace ZipEntry
