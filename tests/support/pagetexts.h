#pragma once

#include "printing/page.h"
#include "qstringprint.h"

#include <QString>
#include <QStringList>
#include <map>
#include <vector>

// A drawn page read back as text, so a layout test compares whole parts of it in one check.
namespace PageTexts {

// The texts drawn inside a box of the page as "text@x,y", in drawing order; empty texts print
// nothing and are left out.
inline QStringList textsIn(const Page& page, double x0, double y0, double x1, double y1)
{
    QStringList out;
    for (const DrawItem& item : page.items())
        if (item.kind == DrawItem::Kind::Text && !item.text.isEmpty() && item.x >= x0 && item.x <= x1 && item.y >= y0 &&
            item.y <= y1)
            out << QStringLiteral("%1@%2,%3").arg(item.text).arg(item.x, 0, 'g', 10).arg(item.y, 0, 'g', 10);
    return out;
}

// Every printed text under its font, "Arial 8 B: A|B", fonts and texts sorted.
inline QStringList fonts(const Page& page)
{
    std::map<QString, QStringList> byFont;
    for (const DrawItem& i : page.items())
        if (i.kind == DrawItem::Kind::Text && !i.text.isEmpty())
            byFont[QStringLiteral("%1 %2%3")
                       .arg(i.font.family)
                       .arg(i.font.size)
                       .arg(i.font.bold ? QStringLiteral(" B") : QString())]
                << i.text;
    QStringList out;
    for (auto& [font, texts] : byFont) {
        texts.sort();
        out << font + QStringLiteral(": ") + texts.join(u'|');
    }
    return out;
}

// The lines (or, with `kind`, the rectangles) as "x1,y1-x2,y2" from the left edge x0, sorted;
// an end held against the margin reads "R".
inline QStringList rules(const Page& page, double x0, DrawItem::Kind kind = DrawItem::Kind::Line)
{
    QStringList out;
    for (const DrawItem& i : page.items())
        if (i.kind == kind)
            out << QStringLiteral("%1,%2-%3,%4")
                       .arg(i.x - x0)
                       .arg(i.y)
                       .arg(i.endAgainstMargin ? QStringLiteral("R") : QString::number(i.x2 - x0))
                       .arg(i.y2);
    out.sort();
    return out;
}

// Builds the expected rules of a page: lines across at some heights, lines down at some places.
struct ExpectedRules {
    QStringList list;
    ExpectedRules& across(double from, const QString& to, std::initializer_list<double> ys)
    {
        for (double y : ys)
            list << QStringLiteral("%1,%2-%3,%2").arg(from).arg(y).arg(to);
        return *this;
    }
    ExpectedRules& across(double from, double to, std::initializer_list<double> ys)
    {
        return across(from, QString::number(to), ys);
    }
    ExpectedRules& down(std::initializer_list<double> xs, double from, double to)
    {
        for (double x : xs)
            list << QStringLiteral("%1,%2-%1,%3").arg(x).arg(from).arg(to);
        return *this;
    }
    QStringList sorted() const
    {
        QStringList s = list;
        s.sort();
        return s;
    }
};

// A register's lines from `top` down, page after page: the texts drawn side by side at one height
// joined by "|", empty cells included.
inline QStringList registerLines(const std::vector<Page>& pages, double top)
{
    QStringList out;
    for (const Page& page : pages) {
        double y = -1;
        for (const DrawItem& i : page.items()) {
            if (i.kind != DrawItem::Kind::Text || i.y < top)
                continue;
            if (i.y == y)
                out.last() += u'|' + i.text;
            else
                out << i.text;
            y = i.y;
        }
    }
    return out;
}

} // namespace PageTexts
