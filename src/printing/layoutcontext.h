#pragma once

#include <QImage>
#include <QStringList>

class QWidget;

// What every layout prints besides its own data: the company header lines, the logo and its
// colour choice, and the window that owns any message a layout has to show.
struct LayoutContext {
    QStringList intestazione{QString(), QString(), QString(), QString(), QString()};
    bool logoColori = false;
    QImage logo;
    QWidget* parent = nullptr;

    QString riga(int n) const { return n >= 1 && n <= intestazione.size() ? intestazione[n - 1] : QString(); }
};
