#pragma once

// How a page is placed on a surface: drawn x = (margine + x) * zoom, drawn y =
// (scorrimento + y) * zoom, font sizes * zoom; the preview adds the grey backdrop, the white
// sheet and its border.
struct PageView {
    float zoom = 1.0f;
    float margine = 0;
    float scorrimento = 0;
    bool preview = false;

    // Drawn millimetres of a page's x; an end held against the margin moves the other way.
    double x(double mm, bool againstMargin = false) const
    {
        return (againstMargin ? mm - margine : margine + mm) * zoom;
    }
};
