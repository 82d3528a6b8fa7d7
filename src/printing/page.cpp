#include "printing/page.h"

void Page::text(double x, double y, const QString& text, const QColor& colour)
{
    this->text(x, y, text, m_font, colour);
}

void Page::text(double x, double y, const QString& text, const PrintFont& font, const QColor& colour)
{
    DrawItem item;
    item.kind = DrawItem::Kind::Text;
    item.x = x;
    item.y = y;
    item.text = text;
    item.font = font;
    item.colour = colour;
    m_items.push_back(std::move(item));
}

void Page::line(double x1, double y1, double x2, double y2, const QColor& colour)
{
    DrawItem item;
    item.kind = DrawItem::Kind::Line;
    item.x = x1;
    item.y = y1;
    item.x2 = x2;
    item.y2 = y2;
    item.colour = colour;
    m_items.push_back(std::move(item));
}

void Page::ruleAcross(double x1, double y, double right)
{
    line(x1, y, right, y);
    m_items.back().endAgainstMargin = true;
}

void Page::rect(double x1, double y1, double x2, double y2, bool filled, const QColor& colour)
{
    DrawItem item;
    item.kind = DrawItem::Kind::Rect;
    item.x = x1;
    item.y = y1;
    item.x2 = x2;
    item.y2 = y2;
    item.filled = filled;
    item.colour = colour;
    m_items.push_back(std::move(item));
}

void Page::picture(double x, double y, double w, double h, const QImage& image)
{
    DrawItem item;
    item.kind = DrawItem::Kind::Picture;
    item.x = x;
    item.y = y;
    item.x2 = x + w;
    item.y2 = y + h;
    item.picture = image;
    m_items.push_back(std::move(item));
}

const DrawItem* Page::findText(const QString& text) const
{
    for (const DrawItem& item : m_items)
        if (item.kind == DrawItem::Kind::Text && item.text == text)
            return &item;
    return nullptr;
}
