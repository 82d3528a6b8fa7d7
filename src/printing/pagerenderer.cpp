#include "printing/pagerenderer.h"

#include "printing/pdfsheet.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <vector>

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kLineWidthMm = 0.2;
const QColor kBackdrop(0xAA, 0xAA, 0xAA);
constexpr double kSheetWidth = 210;
constexpr double kSheetHeight = 294;

// "Arial Black" has no free metric twin; fontconfig would hand out a regular face for it,
// so its heavy look comes from the Arial stand-in in bold.
bool missingFamily(const QString& family)
{
    static QHash<QString, bool> known;
    auto it = known.find(family);
    if (it == known.end())
        it = known.insert(family, !QFontDatabase::hasFamily(family));
    return *it;
}

// Debian's CJK faces, smallest first; any other face that writes Chinese will do.
const char* const kFallbacks[] = {"WenQuanYi Micro Hei", "WenQuanYi Zen Hei", "Noto Sans CJK SC",
                                  "Droid Sans Fallback"};

// The PDF writers' resolution: measured there, advances are not rounded to screen pixels.
constexpr int kPdfDpi = PdfSheet::kDpi;

const QImage& pdfDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        const int dotsPerMeter = qRound(kPdfDpi / kMmPerInch * 1000);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

// Latin letters, the punctuation and the currency signs (the euro's among them): none joins,
// combines or runs right to left.
bool plainLetter(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 0x20 && u <= 0x24F)
        return !c.isMark();
    return (u >= 0x2010 && u <= 0x2027) || (u >= 0x2030 && u <= 0x205E) || (u >= 0x20A0 && u <= 0x20CF) ||
           u == 0x2122;
}

} // namespace

PageRenderer::PageRenderer(QPainter& painter) : m_painter(&painter), m_device(painter.device())
{
    m_unitX = m_device->logicalDpiX() / kMmPerInch;
    m_unitY = m_device->logicalDpiY() / kMmPerInch;
}

PageRenderer::PageRenderer(PdfSheet& sheet) : m_sheet(&sheet), m_device(&pdfDevice())
{
    m_unitX = m_device->logicalDpiX() / kMmPerInch;
    m_unitY = m_device->logicalDpiY() / kMmPerInch;
}

QString PageRenderer::familyFor(const QString& family)
{
    if (!missingFamily(family))
        return family;
    if (family.compare(QStringLiteral("Arial Black"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Sans");
    // The installed face the system gives for the name (Liberation Sans for Arial): named
    // outright, so that a fallback family beside it is not taken for the whole text.
    static QHash<QString, QString> twins;
    auto it = twins.find(family);
    if (it == twins.end())
        it = twins.insert(family, QFontInfo(QFont(family)).family());
    return *it;
}

QString PageRenderer::fallbackFamily()
{
    static const QString family = [] {
        for (const char* name : kFallbacks)
            if (QFontDatabase::hasFamily(QString::fromLatin1(name)))
                return QString::fromLatin1(name);
        for (const QString& f : QFontDatabase::families(QFontDatabase::SimplifiedChinese))
            if (QFontDatabase::isScalable(f) && !QFontDatabase::isPrivateFamily(f))
                return f;
        return QString();
    }();
    return family;
}

double PageRenderer::textWidth(const QString& text, const PrintFont& font)
{
    const QImage& device = pdfDevice();
    // Few fonts, and a register measures the same dates, names and cut attempts over and over.
    struct Measured {
        PrintFont font;
        QFontMetricsF metrics;
        QHash<QString, double> widths;
    };
    static std::vector<Measured> cache;
    auto it = std::find_if(cache.begin(), cache.end(), [&](const Measured& m) { return m.font == font; });
    if (it == cache.end())
        it = cache.insert(cache.end(), {font, QFontMetricsF(qtFont(font, 1), &device), {}});
    if (const auto known = it->widths.constFind(text); known != it->widths.cend())
        return *known;
    constexpr qsizetype kMaxRemembered = 100000;
    if (it->widths.size() >= kMaxRemembered)
        it->widths.clear();
    const double mm = it->metrics.horizontalAdvance(text) / device.logicalDpiX() * kMmPerInch;
    it->widths.insert(text, mm);
    return mm;
}

QFont PageRenderer::qtFont(const PrintFont& font, double zoom)
{
    const bool black = font.family.compare(QStringLiteral("Arial Black"), Qt::CaseInsensitive) == 0;
    QStringList families{familyFor(font.family)};
    if (const QString fallback = fallbackFamily(); !fallback.isEmpty())
        families << fallback;
    QFont f;
    f.setFamilies(families);
    f.setPointSizeF(font.size * zoom);
    f.setWeight(black ? QFont::Black : (font.bold ? QFont::Bold : QFont::Normal));
    f.setItalic(false);
    f.setUnderline(false);
    return f;
}

PageRenderer::Metrics& PageRenderer::metrics(const PrintFont& font, double zoom)
{
    // A page uses a handful of fonts.
    for (const auto& m : m_fonts)
        if (m->zoom == zoom && m->printFont == font)
            return *m;
    auto m = std::make_unique<Metrics>();
    m->printFont = font;
    m->zoom = zoom;
    m->font = qtFont(font, zoom);
    m->ascent = QFontMetricsF(m->font, m_device).ascent();
    m->raw = QRawFont::fromFont(QFont(m->font, m_device));
    m_fonts.push_back(std::move(m));
    return *m_fonts.back();
}

void PageRenderer::draw(const Page& page, const PageView& view)
{
    if (m_sheet) {
        // The sheet is white and has no desk around it.
        m_sheet->newPage();
        for (const DrawItem& item : page.items())
            drawItem(item, view);
        return;
    }
    m_painter->save();
    m_painter->setRenderHint(QPainter::Antialiasing, true);
    if (view.preview)
        backdrop(view);
    for (const DrawItem& item : page.items())
        drawItem(item, view);
    if (view.preview)
        border(view);
    m_painter->restore();
}

void PageRenderer::drawItem(const DrawItem& item, const PageView& view)
{
    switch (item.kind) {
    case DrawItem::Kind::Text: {
        Metrics& m = metrics(item.font, view.zoom);
        const QPointF at(dx(item.x, view), dy(item.y, view) + m.ascent);
        if (drawPlain(m, at, item.text, item.colour))
            break;
        if (m_sheet) {
            m_unsupported = m_unsupported || !item.text.isEmpty();
            break;
        }
        m_painter->setPen(item.colour);
        m_painter->setFont(m.font);
        m_painter->drawText(at, item.text);
        break;
    }
    case DrawItem::Kind::Line:
    case DrawItem::Kind::Rect: {
        QPen pen(item.colour);
        pen.setWidthF(std::max(1.0, kLineWidthMm * view.zoom * m_unitX));
        const QPointF a(dx(item.x, view), dy(item.y, view));
        const QPointF b(dx(item.x2, view, item.endAgainstMargin), dy(item.y2, view));
        if (m_sheet) {
            if (item.kind == DrawItem::Kind::Line)
                m_sheet->line(a, b, pen.widthF(), item.colour);
            else if (item.filled)
                m_sheet->fill(QRectF(a, b).normalized().adjusted(-pen.widthF(), -pen.widthF(), pen.widthF(),
                                                                 pen.widthF()),
                              item.colour);
            else
                m_sheet->outline(QRectF(a, b).normalized(), pen.widthF(), item.colour);
        } else if (item.kind == DrawItem::Kind::Line) {
            m_painter->setPen(pen);
            m_painter->drawLine(a, b);
        } else if (item.filled) {
            // Covers the whole stroke of an outline drawn on its edges, as a fill over a
            // one-pixel outline does; otherwise half of the stroke would show through.
            const double w = pen.widthF();
            m_painter->fillRect(QRectF(a, b).normalized().adjusted(-w, -w, w, w), item.colour);
        } else {
            m_painter->setPen(pen);
            m_painter->setBrush(Qt::NoBrush);
            m_painter->drawRect(QRectF(a, b).normalized());
        }
        break;
    }
    case DrawItem::Kind::Picture: {
        if (item.picture.isNull())
            break;
        const QRectF r(QPointF(dx(item.x, view), dy(item.y, view)), QPointF(dx(item.x2, view), dy(item.y2, view)));
        if (m_sheet)
            m_sheet->picture(r, item.picture);
        else
            m_painter->drawImage(r, item.picture);
        break;
    }
    }
}

const PageRenderer::Run& PageRenderer::run(Metrics& m, const QString& text)
{
    if (const auto known = m.runs.constFind(text); known != m.runs.cend())
        return *known;
    constexpr qsizetype kMaxRemembered = 50000;
    if (m.runs.size() >= kMaxRemembered)
        m.runs.clear();
    Run r;
    const bool plain = m.raw.isValid() && std::all_of(text.begin(), text.end(), plainLetter);
    if (plain)
        r.glyphs = m.raw.glyphIndexesForString(text);
    if (r.glyphs.size() != text.size() || r.glyphs.contains(0u)) {
        r.glyphs.clear();
    } else {
        const QList<QPointF> advances = m.raw.advancesForGlyphIndexes(r.glyphs, QRawFont::KernedAdvances);
        r.positions.reserve(r.glyphs.size());
        QPointF pen;
        for (const QPointF& a : advances) {
            r.positions.append(pen);
            pen += a;
        }
    }
    return *m.runs.insert(text, r);
}

// Text of plain letters the face has, drawn glyph by glyph at its advances; false when the text needs
// the text engine (letters from the fallback face, marks that combine, right-to-left scripts).
bool PageRenderer::drawPlain(Metrics& m, const QPointF& at, const QString& text, const QColor& colour)
{
    if (text.isEmpty())
        return false;
    const Run& r = run(m, text);
    if (r.glyphs.isEmpty())
        return false;
    if (m_sheet)
        return m_sheet->glyphs(m.raw, at, r.glyphs, r.positions, text, colour);
    QGlyphRun glyphRun;
    glyphRun.setRawFont(m.raw);
    glyphRun.setGlyphIndexes(r.glyphs);
    glyphRun.setPositions(r.positions);
    m_painter->setPen(colour);
    m_painter->drawGlyphRun(at, glyphRun);
    return true;
}

// The grey desk is not zoomed; the white sheet and its border are, and neither scrolls.
void PageRenderer::backdrop(const PageView& view)
{
    m_painter->fillRect(QRectF(0, 0, kSheetWidth * m_unitX, kSheetHeight * m_unitY), kBackdrop);
    m_painter->fillRect(QRectF(0, 0, kSheetWidth * view.zoom * m_unitX, kSheetHeight * view.zoom * m_unitY), Qt::white);
}

void PageRenderer::border(const PageView& view)
{
    m_painter->setPen(QPen(Qt::black, 1));
    m_painter->setBrush(Qt::NoBrush);
    m_painter->drawRect(QRectF(0, 0, kSheetWidth * view.zoom * m_unitX, kSheetHeight * view.zoom * m_unitY));
}
