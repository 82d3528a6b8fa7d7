#include "printing/fontsubset.h"
#include "printing/pagerenderer.h"

#include <QPainterPath>
#include <QRawFont>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(FontSubset, KeepsTheGlyphsAskedForWithTheirPartsAndNothingElse)
{
    const QRawFont face = QRawFont::fromFont(PageRenderer::qtFont(PrintFont{u"Arial"_s, 10, false}, 10));
    const auto subset = FontSubset::of(face);
    ASSERT_TRUE(subset);
    EXPECT_EQ(subset->postScriptName(), u"LiberationSans"_s);
    const auto glyph = [&face](const QString& letter) { return face.glyphIndexesForString(letter).value(0); };
    const QRawFont cut(subset->file({glyph(u"A"_s), glyph(u"à"_s)}), face.pixelSize());
    ASSERT_TRUE(cut.isValid());
    // "à" is drawn from "a" and the grave accent, so "a" comes along; "B" was not asked for.
    const std::pair<QString, bool> letters[] = {{u"A"_s, true}, {u"à"_s, true}, {u"a"_s, true}, {u"B"_s, false}};
    for (const auto& [letter, kept] : letters) {
        SCOPED_TRACE(letter.toStdString());
        const quint32 g = glyph(letter);
        EXPECT_EQ(cut.pathForGlyph(g).isEmpty(), !kept);
        if (kept) {
            EXPECT_EQ(cut.pathForGlyph(g).boundingRect(), face.pathForGlyph(g).boundingRect());
        }
        EXPECT_EQ(cut.advancesForGlyphIndexes({g}), face.advancesForGlyphIndexes({g}));
    }
}
