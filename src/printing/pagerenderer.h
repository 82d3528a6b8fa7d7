#pragma once

#include "printing/page.h"
#include "printing/pageview.h"

#include <QFont>
#include <QHash>
#include <QRawFont>
#include <QString>

#include <memory>
#include <vector>

class PdfSheet;
class QPainter;

// Draws pages on any painter. The painter stays unscaled: millimetres are turned into the
// device's own units here, so point sizes are not inflated by a scale.
class PageRenderer {
public:
    explicit PageRenderer(QPainter& painter);
    // Straight into a PDF; texts that need the full text engine are not drawn and make unsupported() true.
    explicit PageRenderer(PdfSheet& sheet);

    bool unsupported() const { return m_unsupported; }

    // The page with the preview furniture when the view is a preview.
    void draw(const Page& page, const PageView& view);

    // The font a layout's family, size and weight become at that zoom; a family missing on the
    // system is replaced by its metric-compatible stand-in, and letters none of them has (Chinese,
    // for one) come from the fallback family.
    static QFont qtFont(const PrintFont& font, double zoom);
    // The family actually asked of the system for a layout's family name.
    static QString familyFor(const QString& family);
    // The installed family that draws the scripts the layouts' fonts lack; empty when there is none,
    // and such letters are then left to whatever the system finds.
    static QString fallbackFamily();
    // Millimetres the text takes on paper at zoom 1, with the metrics of the font the PDF embeds.
    static double textWidth(const QString& text, const PrintFont& font);

private:
    // A text laid out glyph by glyph; no glyphs when it needs the text engine.
    struct Run {
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };
    struct Metrics {
        PrintFont printFont;
        double zoom = 1;
        QFont font;
        double ascent = 0;
        // The same face at the device's resolution: Latin text is laid out from it directly, which
        // spares the text engine's shaping on every one of a register's thousands of cells.
        QRawFont raw;
        // A register repeats its dates, names and marks on every page.
        QHash<QString, Run> runs;
    };
    Metrics& metrics(const PrintFont& font, double zoom);
    void drawItem(const DrawItem& item, const PageView& view);
    const Run& run(Metrics& m, const QString& text);
    bool drawPlain(Metrics& m, const QPointF& at, const QString& text, const QColor& colour);
    void backdrop(const PageView& view);
    void border(const PageView& view);
    double dx(double mm, const PageView& view, bool againstMargin = false) const
    {
        return view.x(mm, againstMargin) * m_unitX;
    }
    double dy(double mm, const PageView& view) const { return (view.scorrimento + mm) * view.zoom * m_unitY; }

    QPainter* m_painter = nullptr;
    PdfSheet* m_sheet = nullptr;
    const QPaintDevice* m_device = nullptr;
    double m_unitX;
    double m_unitY;
    bool m_unsupported = false;
    std::vector<std::unique_ptr<Metrics>> m_fonts;
};
