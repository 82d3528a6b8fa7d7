#include "printing/fontsubset.h"

#include <QtEndian>

#include <algorithm>
#include <map>

namespace {

quint8 byteAt(const QByteArray& t, qsizetype at)
{
    return static_cast<quint8>(t.at(at));
}

quint16 u16(const QByteArray& t, qsizetype at)
{
    return at >= 0 && at + 2 <= t.size() ? static_cast<quint16>(byteAt(t, at) << 8 | byteAt(t, at + 1)) : 0;
}

qint16 s16(const QByteArray& t, qsizetype at)
{
    return static_cast<qint16>(u16(t, at));
}

quint32 u32(const QByteArray& t, qsizetype at)
{
    return at >= 0 && at + 4 <= t.size() ? quint32(u16(t, at)) << 16 | u16(t, at + 2) : 0;
}

void put16(QByteArray& t, quint16 v)
{
    char b[2];
    qToBigEndian(v, b);
    t.append(b, 2);
}

void put32(QByteArray& t, quint32 v)
{
    char b[4];
    qToBigEndian(v, b);
    t.append(b, 4);
}

quint32 checksum(const QByteArray& t)
{
    quint32 sum = 0;
    for (qsizetype i = 0; i < t.size(); i += 4) {
        quint32 word = 0;
        for (int k = 0; k < 4; ++k)
            word = (word << 8) | (i + k < t.size() ? static_cast<quint8>(t[i + k]) : 0);
        sum += word;
    }
    return sum;
}

// The PostScript name (name 6), from the Windows record when there is one.
QString readPostScriptName(const QByteArray& name)
{
    const int count = u16(name, 2);
    const int strings = u16(name, 4);
    QString mac;
    for (int i = 0; i < count; ++i) {
        const qsizetype rec = 6 + 12 * i;
        if (u16(name, rec + 6) != 6)
            continue;
        const int platform = u16(name, rec);
        const int length = u16(name, rec + 8);
        const qsizetype at = strings + u16(name, rec + 10);
        if (at + length > name.size())
            continue;
        if (platform == 3) {
            QString s;
            for (int k = 0; k + 1 < length; k += 2)
                s += QChar(u16(name, at + k));
            return s;
        }
        if (platform == 1)
            mac = QString::fromLatin1(name.constData() + at, length);
    }
    return mac;
}

// Glyph flags of a composite glyph's components.
constexpr quint16 kWordArgs = 0x0001;
constexpr quint16 kScale = 0x0008;
constexpr quint16 kMore = 0x0020;
constexpr quint16 kXYScale = 0x0040;
constexpr quint16 kTwoByTwo = 0x0080;

} // namespace

std::optional<FontSubset> FontSubset::of(const QRawFont& face)
{
    FontSubset s;
    s.m_head = face.fontTable("head");
    s.m_hhea = face.fontTable("hhea");
    s.m_maxp = face.fontTable("maxp");
    s.m_hmtx = face.fontTable("hmtx");
    s.m_loca = face.fontTable("loca");
    s.m_glyf = face.fontTable("glyf");
    if (s.m_head.size() < 54 || s.m_hhea.size() < 36 || s.m_maxp.size() < 6 || s.m_loca.isEmpty() ||
        s.m_glyf.isEmpty() || s.m_hmtx.isEmpty())
        return std::nullopt;
    s.m_unitsPerEm = std::max<int>(16, u16(s.m_head, 18));
    for (int i = 0; i < 4; ++i)
        s.m_box[i] = s16(s.m_head, 36 + 2 * i);
    s.m_longLoca = s16(s.m_head, 50) == 1;
    s.m_glyphCount = u16(s.m_maxp, 4);
    s.m_ascent = s16(s.m_hhea, 4);
    s.m_descent = s16(s.m_hhea, 6);
    s.m_hMetrics = std::max<int>(1, u16(s.m_hhea, 34));
    if (s.m_loca.size() < (s.m_glyphCount + 1) * (s.m_longLoca ? 4 : 2) || s.m_hmtx.size() < 4 * s.m_hMetrics)
        return std::nullopt;
    const QByteArray name = face.fontTable("name");
    s.m_postScriptName = readPostScriptName(name);
    if (s.m_postScriptName.isEmpty())
        s.m_postScriptName = face.familyName();
    // It becomes a PDF name: letters, digits and dashes only.
    s.m_postScriptName.removeIf([](QChar c) { return c.unicode() > 0x7E || !(c.isLetterOrNumber() || c == u'-'); });
    if (s.m_postScriptName.isEmpty())
        s.m_postScriptName = QStringLiteral("Font");
    // Hinting programs and the tables viewers look into; glyph names are left out (post 3).
    for (const char* tag : {"cvt ", "fpgm", "prep", "OS/2"})
        if (QByteArray t = face.fontTable(tag); !t.isEmpty())
            s.m_kept.emplace_back(QByteArray(tag), t);
    if (QByteArray post = face.fontTable("post"); post.size() >= 32) {
        post.truncate(32);
        post[0] = 0;
        post[1] = 3;
        post[2] = 0;
        post[3] = 0;
        s.m_kept.emplace_back(QByteArrayLiteral("post"), post);
    }
    if (!name.isEmpty())
        s.m_kept.emplace_back(QByteArrayLiteral("name"), name);
    return s;
}

int FontSubset::advance(quint32 glyph) const
{
    const int metric = static_cast<int>(std::min<quint32>(glyph, static_cast<quint32>(m_hMetrics - 1)));
    return u16(m_hmtx, 4 * metric);
}

quint32 FontSubset::glyphStart(quint32 glyph) const
{
    return m_longLoca ? u32(m_loca, 4 * glyph) : 2u * u16(m_loca, 2 * glyph);
}

QByteArray FontSubset::file(const QSet<quint32>& asked) const
{
    // Composite glyphs draw other glyphs: those come along.
    QSet<quint32> keep = asked;
    keep.insert(0);
    std::vector<quint32> todo(keep.begin(), keep.end());
    while (!todo.empty()) {
        const quint32 g = todo.back();
        todo.pop_back();
        if (g >= static_cast<quint32>(m_glyphCount))
            continue;
        const quint32 start = glyphStart(g);
        const quint32 end = glyphStart(g + 1);
        if (end <= start || end > static_cast<quint32>(m_glyf.size()) || s16(m_glyf, start) >= 0)
            continue;
        qsizetype at = start + 10;
        quint16 flags = kMore;
        while ((flags & kMore) && at + 4 <= end) {
            flags = u16(m_glyf, at);
            const quint32 part = u16(m_glyf, at + 2);
            at += 4 + ((flags & kWordArgs) ? 4 : 2);
            at += (flags & kScale) ? 2 : (flags & kXYScale) ? 4 : (flags & kTwoByTwo) ? 8 : 0;
            if (!keep.contains(part)) {
                keep.insert(part);
                todo.push_back(part);
            }
        }
    }

    QByteArray glyf;
    QByteArray loca;
    for (quint32 g = 0; g < static_cast<quint32>(m_glyphCount); ++g) {
        put32(loca, static_cast<quint32>(glyf.size()));
        if (!keep.contains(g))
            continue;
        const quint32 start = glyphStart(g);
        const quint32 end = std::min<quint32>(glyphStart(g + 1), static_cast<quint32>(m_glyf.size()));
        if (end > start) {
            glyf.append(m_glyf.constData() + start, end - start);
            while (glyf.size() % 4)
                glyf.append('\0');
        }
    }
    put32(loca, static_cast<quint32>(glyf.size()));

    QByteArray head = m_head;
    std::fill(head.begin() + 8, head.begin() + 12, '\0'); // the whole file's checksum is not worked out
    head[50] = 0;
    head[51] = 1; // long offsets

    std::map<QByteArray, QByteArray> tables{{"head", head},   {"hhea", m_hhea}, {"maxp", m_maxp},
                                            {"hmtx", m_hmtx}, {"loca", loca},   {"glyf", glyf}};
    for (const auto& [tag, table] : m_kept)
        tables.emplace(tag, table);

    const auto count = static_cast<quint16>(tables.size());
    quint16 power = 1;
    quint16 selector = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++selector;
    }
    QByteArray out;
    put32(out, 0x00010000);
    put16(out, count);
    put16(out, power * 16);
    put16(out, selector);
    put16(out, count * 16 - power * 16);
    quint32 offset = 12 + 16 * count;
    for (const auto& [tag, table] : tables) {
        out.append(tag.constData(), 4);
        put32(out, checksum(table));
        put32(out, offset);
        put32(out, static_cast<quint32>(table.size()));
        offset += (static_cast<quint32>(table.size()) + 3) & ~3u;
    }
    for (const auto& [tag, table] : tables) {
        out.append(table);
        while (out.size() % 4)
            out.append('\0');
    }
    return out;
}
