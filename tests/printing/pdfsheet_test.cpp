#include "printing/fontsubset.h"
#include "printing/page.h"
#include "printing/pagerenderer.h"
#include "printing/pdfsheet.h"

#include <QPainterPath>
#include <QRawFont>
#include <QRegularExpression>
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

// What readers stricter than poppler insist on: every object where the cross-reference table says,
// every stream as long as its dictionary says, and the page tree counting the pages.
TEST(PdfSheet, ObjectsSitWhereTheTableSaysAndStreamsAreAsLongAsTheySay)
{
    QImage logo(8, 8, QImage::Format_ARGB32);
    logo.fill(Qt::transparent);
    Page first;
    first.text(10, 10, u"Fattura n° 12/2026 — € 1.234,56"_s);
    first.line(10, 20, 200, 20);
    first.picture(10, 30, 20, 20, logo);
    Page second;
    second.rect(10, 10, 50, 30, true, Qt::blue);
    second.text(10, 40, u"Città"_s, PrintFont{u"Times New Roman"_s, 12, true});
    PdfSheet sheet(u"Prova"_s);
    PageRenderer renderer(sheet);
    for (const Page* p : {&first, &second, &first})
        renderer.draw(*p, PageView());
    ASSERT_FALSE(renderer.unsupported());
    const QByteArray pdf = sheet.finish();

    const qsizetype tail = pdf.lastIndexOf("startxref\n");
    ASSERT_GT(tail, 0);
    const qsizetype xref = pdf.mid(tail + 10).split('\n').value(0).toLongLong();
    ASSERT_TRUE(pdf.mid(xref).startsWith("xref\n0 "));
    const QList<QByteArray> table = pdf.mid(xref).split('\n');
    const int count = table.value(1).split(' ').value(1).toInt();
    ASSERT_GT(count, 10);
    for (int i = 1; i < count; ++i) {
        const QByteArray entry = table.value(2 + i);
        ASSERT_EQ(entry.size(), 19) << i; // and the line feed: 20 bytes an entry
        EXPECT_TRUE(pdf.mid(entry.left(10).toLongLong()).startsWith(QByteArray::number(i) + " 0 obj\n")) << i;
    }
    static const QRegularExpression stream(u"/Length (\\d+)[^>]*>>\nstream\n"_s);
    const QString latin = QString::fromLatin1(pdf);
    int streams = 0;
    for (auto it = stream.globalMatch(latin); it.hasNext(); ++streams) {
        const auto m = it.next();
        EXPECT_EQ(latin.mid(m.capturedEnd() + m.captured(1).toInt(), 10), u"\nendstream"_s) << m.captured(0).toStdString();
    }
    // Three pages, two faces of four objects' worth and one picture with its mask.
    EXPECT_GE(streams, 3 + 2 * 2 + 2);
    EXPECT_TRUE(pdf.contains("/Type /Pages /Kids [") && pdf.contains("/Count 3 >>"));
}
