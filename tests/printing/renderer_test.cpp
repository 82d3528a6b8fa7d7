#include "pdfprobe.h"
#include "printing/page.h"
#include "printing/pagerenderer.h"
#include "printing/pdfoutput.h"
#include "workdir.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

constexpr double kPt = PdfProbe::kPointsPerMm;

QString write(const TestWorkDir& dir, const std::vector<Page>& pages, const PageView& view = PageView())
{
    const QString file = dir.path(QStringLiteral("out.pdf"));
    QString error;
    EXPECT_TRUE(PdfOutput::write(pages, view, file, &error)) << error.toStdString();
    return file;
}

Page sample()
{
    Page p;
    p.text(20, 30, QStringLiteral("Venti"), PrintFont{QStringLiteral("Arial"), 10, false});
    p.text(100, 150, QStringLiteral("Grande"), PrintFont{QStringLiteral("Arial"), 20, false});
    p.text(100, 170, QStringLiteral("Piccolo"), PrintFont{QStringLiteral("Arial"), 10, false});
    return p;
}

} // namespace

TEST(PageRenderer, TextLandsAtItsMillimetresOnAnA4Page)
{
    TestWorkDir dir(false);
    const QString file = write(dir, {sample()});
    EXPECT_EQ(PdfProbe::pageSize(file), QStringLiteral("595 x 842"));
    const auto words = PdfProbe::words(file);
    const auto* venti = PdfProbe::find(words, QStringLiteral("Venti"));
    ASSERT_NE(venti, nullptr);
    // No page margin shifts the paper: x = 20 mm is 56.69 pt.
    EXPECT_NEAR(venti->xMin, 20 * kPt, 0.6);
    // The text hangs from its top-left corner: the box starts at y and not above it.
    EXPECT_NEAR(venti->yMin, 30 * kPt, 1.0);
    EXPECT_GE(venti->yMin, 30 * kPt - 0.3);
}

TEST(PageRenderer, FontSizesAreNotInflatedAndScaleWithTheZoom)
{
    TestWorkDir dir(false);
    auto words = PdfProbe::words(write(dir, {sample()}));
    const auto* grande = PdfProbe::find(words, QStringLiteral("Grande"));
    const auto* piccolo = PdfProbe::find(words, QStringLiteral("Piccolo"));
    ASSERT_TRUE(grande && piccolo);
    const double h10 = piccolo->yMax - piccolo->yMin;
    // A 10-point line is about 11.5 points tall, not millimetres or pixels blown up.
    EXPECT_GT(h10, 9.0);
    EXPECT_LT(h10, 13.0);
    EXPECT_NEAR((grande->yMax - grande->yMin) / h10, 2.0, 0.1);

    PageView half;
    half.zoom = 0.5f;
    words = PdfProbe::words(write(dir, {sample()}, half));
    const auto* small = PdfProbe::find(words, QStringLiteral("Piccolo"));
    ASSERT_NE(small, nullptr);
    EXPECT_NEAR((small->yMax - small->yMin) / h10, 0.5, 0.05);
}

TEST(PageRenderer, MarginScrollAndZoomFollowThePageTransformation)
{
    TestWorkDir dir(false);
    PageView view;
    view.zoom = 0.78f;
    view.margine = 8;
    view.scorrimento = -20;
    const auto words = PdfProbe::words(write(dir, {sample()}, view));
    const auto* venti = PdfProbe::find(words, QStringLiteral("Venti"));
    ASSERT_NE(venti, nullptr);
    EXPECT_NEAR(venti->xMin, (8 + 20) * 0.78 * kPt, 0.6);
    EXPECT_NEAR(venti->yMin, (-20 + 30) * 0.78 * kPt, 1.0);
}

TEST(PageRenderer, LayoutFontNamesFindTheirMetricTwinsAndAreEmbedded)
{
    TestWorkDir dir(false);
    Page p;
    p.text(10, 10, QStringLiteral("Sans"), PrintFont{QStringLiteral("Arial"), 10, false});
    p.text(10, 20, QStringLiteral("Grassetto"), PrintFont{QStringLiteral("Arial"), 10, true});
    p.text(10, 30, QStringLiteral("Serif"), PrintFont{QStringLiteral("Times New Roman"), 14, false});
    p.text(10, 40, QStringLiteral("Nero"), PrintFont{QStringLiteral("Arial Black"), 11, false});
    const QString file = write(dir, {p});
    const auto fonts = PdfProbe::fonts(file);
    QStringList names;
    for (const auto& f : fonts) {
        names << f.name.section(QLatin1Char('+'), -1);
        EXPECT_TRUE(f.embedded) << f.name.toStdString();
    }
    EXPECT_TRUE(names.contains(QStringLiteral("LiberationSans"))) << names.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(names.contains(QStringLiteral("LiberationSans-Bold"))) << names.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(names.contains(QStringLiteral("LiberationSerif"))) << names.join(QLatin1Char(' ')).toStdString();
    // Nothing falls back to an unrelated face.
    EXPECT_EQ(fonts.size(), 3u) << names.join(QLatin1Char(' ')).toStdString();
}

TEST(PageRenderer, ArialBlackIsHeavyEvenWithoutItsOwnFace)
{
    const QFont f = PageRenderer::qtFont(PrintFont{QStringLiteral("Arial Black"), 11, false}, 1.0);
    EXPECT_GE(f.weight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(f.pointSizeF(), 11.0);
    const QFont zoomed = PageRenderer::qtFont(PrintFont{QStringLiteral("Arial"), 16, false}, 0.78);
    EXPECT_NEAR(zoomed.pointSizeF(), 16 * 0.78, 1e-6);
    EXPECT_EQ(zoomed.weight(), QFont::Normal);
}

TEST(PageRenderer, EveryPageOfAPaperIsWritten)
{
    TestWorkDir dir(false);
    std::vector<Page> pages(3);
    for (int i = 0; i < 3; ++i)
        pages[i].text(10, 10, QStringLiteral("Pagina%1").arg(i + 1));
    const QString file = write(dir, pages);
    EXPECT_EQ(PdfProbe::pages(file), 3);
    const auto words = PdfProbe::words(file);
    ASSERT_NE(PdfProbe::find(words, QStringLiteral("Pagina3")), nullptr);
    EXPECT_EQ(PdfProbe::find(words, QStringLiteral("Pagina3"))->page, 3);
}

TEST(PageRenderer, ShapesAndPicturesAreDrawnWhereTheySay)
{
    // 1 device unit per 0.1 mm keeps the arithmetic readable.
    QImage image(2100, 2970, QImage::Format_RGB32);
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    image.fill(Qt::white);
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    Page p;
    p.rect(10, 10, 50, 30, true, Qt::blue);
    p.rect(60, 10, 100, 30, false);
    p.line(10, 100, 200, 100);
    p.picture(120, 150, 30, 30, red);
    {
        QPainter painter(&image);
        PageRenderer(painter).draw(p, PageView());
    }
    EXPECT_EQ(image.pixelColor(300, 200), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(800, 200), QColor(Qt::white));
    EXPECT_NE(image.pixelColor(600, 200), QColor(Qt::white));
    EXPECT_NE(image.pixelColor(1000, 1000), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(1000, 1050), QColor(Qt::white));
    // The picture is stretched over 30 x 30 mm from (5, 8).
    EXPECT_EQ(image.pixelColor(1490, 1790), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(1510, 1790), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(1190, 1490), QColor(Qt::white));
}

TEST(PageRenderer, PreviewShowsTheSheetOnAGreyDeskAtItsZoom)
{
    QImage image(2100, 2970, QImage::Format_RGB32);
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    image.fill(Qt::green);
    PageView view;
    view.preview = true;
    view.zoom = 0.5f;
    view.scorrimento = -100;
    {
        QPainter painter(&image);
        PageRenderer(painter).draw(Page(), view);
    }
    // The sheet is 105 x 147 mm at zoom 0.5 and does not scroll; the desk covers 210 x 294 mm.
    EXPECT_EQ(image.pixelColor(500, 700), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(1200, 700), QColor(0xAA, 0xAA, 0xAA));
    EXPECT_EQ(image.pixelColor(500, 1600), QColor(0xAA, 0xAA, 0xAA));
    EXPECT_EQ(image.pixelColor(2000, 2900), QColor(0xAA, 0xAA, 0xAA));
    // The sheet's border.
    EXPECT_EQ(image.pixelColor(1050, 700).lightness() < 100, true);
}
