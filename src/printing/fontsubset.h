#pragma once

#include <QByteArray>
#include <QRawFont>
#include <QSet>
#include <QString>

#include <optional>
#include <vector>

// A TrueType face cut down to the glyphs a document uses, for embedding in a PDF. Glyph numbers
// are kept, so the document can address glyphs by their number in the face.
class FontSubset {
public:
    // Empty when the face has no TrueType outlines (CFF faces, bitmap faces).
    static std::optional<FontSubset> of(const QRawFont& face);

    QString postScriptName() const { return m_postScriptName; }
    int unitsPerEm() const { return m_unitsPerEm; }
    // In the face's units.
    int advance(quint32 glyph) const;
    int ascent() const { return m_ascent; }
    int descent() const { return m_descent; }
    const int* box() const { return m_box; }

    // The face holding the glyphs asked for, the parts of composite ones and the empty glyph 0;
    // every other glyph is left without outline.
    QByteArray file(const QSet<quint32>& glyphs) const;

private:
    QByteArray m_head, m_hhea, m_maxp, m_hmtx, m_loca, m_glyf;
    std::vector<std::pair<QByteArray, QByteArray>> m_kept; // tag and table copied as they are
    QString m_postScriptName;
    int m_unitsPerEm = 1000;
    int m_glyphCount = 0;
    int m_hMetrics = 0;
    bool m_longLoca = false;
    int m_ascent = 0;
    int m_descent = 0;
    int m_box[4] = {0, 0, 0, 0};

    quint32 glyphStart(quint32 glyph) const;
};
