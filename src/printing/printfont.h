#pragma once

#include <QString>

// A font as the layouts name it: family, size in points before zoom, weight.
struct PrintFont {
    QString family = QStringLiteral("Arial");
    double size = 10;
    bool bold = false;

    bool operator==(const PrintFont&) const = default;
};
