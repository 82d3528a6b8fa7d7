#pragma once

#include "medianms.h"

#include <QApplication>
#include <QTableView>
#include <benchmark/benchmark.h>

#include <functional>

// A window's action timed with the window on screen, the events it posts handled each time.
namespace ShownWindow {

// As a benchmark; the rows of its list "FGrid" are reported.
inline void run(benchmark::State& state, QWidget& window, const std::function<void()>& action)
{
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        action();
        QApplication::processEvents();
    }
    if (const auto* grid = window.findChild<QTableView*>(QStringLiteral("FGrid")))
        state.counters["rows"] = grid->model()->rowCount();
}

// The median of a few runs, in milliseconds.
inline double medianShownMs(QWidget& window, const std::function<void()>& action)
{
    window.show();
    QApplication::processEvents();
    return medianMs([&action] {
        action();
        QApplication::processEvents();
    });
}

} // namespace ShownWindow
