#pragma once

#include "printing/drawitem.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <vector>

// One page of a paper as a list of drawing items in millimetres. The current font is the
// one later texts take unless they name their own, as a print job's font would.
class Page {
public:
    void setFont(const PrintFont& font) { m_font = font; }
    const PrintFont& font() const { return m_font; }

    void text(double x, double y, const QString& text, const QColor& colour = Qt::black);
    void text(double x, double y, const QString& text, const PrintFont& font, const QColor& colour = Qt::black);
    void line(double x1, double y1, double x2, double y2, const QColor& colour = Qt::black);
    // A rule across at y from x1 to `right`, its right end held against the margin.
    void ruleAcross(double x1, double y, double right);
    // Corners (x1, y1) and (x2, y2); a filled rectangle is filled with its colour.
    void rect(double x1, double y1, double x2, double y2, bool filled, const QColor& colour = Qt::black);
    // The picture stretched to w x h millimetres.
    void picture(double x, double y, double w, double h, const QImage& image);

    const std::vector<DrawItem>& items() const { return m_items; }
    // The texts of the page in drawing order, for look-ups.
    const DrawItem* findText(const QString& text) const;

private:
    std::vector<DrawItem> m_items;
    PrintFont m_font;
};
