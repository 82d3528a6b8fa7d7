#pragma once

#include "app/builtinpapers.h"
#include "app/ui/paperwindows.h"
#include "data/database.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <functional>

// Runs this program's benchmarks headless: `prepare` builds their data, `report` prints what the
// table cannot show (ratios against the bare steps), `cleanup` removes the data once the database
// is closed.
inline int runBenchmarks(int argc, char** argv, const std::function<void()>& prepare,
                         const std::function<void()>& report = {}, const std::function<void()>& cleanup = {})
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    BuiltinPapers::install();
    PaperWindows::install();
    prepare();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (report)
        report();
    Database::close();
    if (cleanup)
        cleanup();
    return 0;
}
