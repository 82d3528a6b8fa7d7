#pragma once

#include "printing/printfont.h"

#include <QColor>
#include <QImage>
#include <QString>

// One thing drawn on a page, in millimetres from the page's top-left corner (before the
// margin, the scroll and the zoom of the view are applied).
struct DrawItem {
    enum class Kind { Text, Line, Rect, Picture };

    Kind kind = Kind::Text;
    // Text: top-left corner. Line: start. Rect and picture: top-left corner.
    double x = 0;
    double y = 0;
    // Line: end. Rect and picture: bottom-right corner.
    double x2 = 0;
    double y2 = 0;
    QString text;
    PrintFont font;
    QColor colour = Qt::black;
    // Line: x2 is held against the margin, which moves it left by as much as it moves x right,
    // so a rule across the sheet stays centred whatever the margin.
    bool endAgainstMargin = false;
    bool filled = false;
    QImage picture;
};
