#pragma once

#include "data/database.h"
#include "medianms.h"
#include "shell/appstate.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <functional>

// What a register window's reload is measured against: its statement stepped through bare
// SQLite, every column read.
namespace RegisterBench {

// A new database in a folder of its own, the program's working folder; the caller deletes it.
inline QTemporaryDir* createDatabase()
{
    auto* dir = new QTemporaryDir;
    app().workDir = dir->path();
    if (auto err = Database::create(app().path(Database::kRelativePath))) {
        std::fprintf(stderr, "database: %s\n", qPrintable(err->text));
        std::exit(1);
    }
    return dir;
}

inline sqlite3* openBare()
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(Database::filePath()).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    return db;
}

inline void bareQuery(sqlite3* db, const char* select, int columns)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, select, -1, &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW)
        for (int c = 0; c < columns; ++c)
            benchmark::DoNotOptimize(sqlite3_column_text(stmt, c));
    sqlite3_finalize(stmt);
}

inline void bare(benchmark::State& state, const char* select, int columns)
{
    sqlite3* db = openBare();
    for (auto _ : state)
        bareQuery(db, select, columns);
    sqlite3_close(db);
}

// The median reload of a window on screen beside the bare statement, as a ratio line.
inline void reportRatio(const char* what, const std::function<void()>& reload, const char* select, int columns)
{
    sqlite3* db = openBare();
    const double bareMs = medianMs([&] { bareQuery(db, select, columns); });
    sqlite3_close(db);
    const double window = medianMs([&] {
        reload();
        QApplication::processEvents();
    });
    std::printf("\n%s: %.2f ms; bare sqlite3: %.2f ms; ratio %.2fx (target: within 2x)\n", what, window, bareMs,
                window / bareMs);
}

} // namespace RegisterBench
