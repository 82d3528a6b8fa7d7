#pragma once

// What the register benchmarks share: a working folder with a new database and 300 customers,
// the bare statement through SQLite and the ratio line.
#include "data/database.h"
#include "medianms.h"
#include "shell/appstate.h"
#include "shownwindow.h"

#include <QApplication>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <functional>

namespace RegisterBench {

// A new database in a new working folder, with 300 customers in no name order.
inline QTemporaryDir* newDatabase()
{
    auto* dir = new QTemporaryDir;
    app().workDir = dir->path();
    if (auto err = Database::create(app().path(Database::kRelativePath))) {
        std::fprintf(stderr, "database: %s\n", qPrintable(err->text));
        std::exit(1);
    }
    Transaction tx;
    QSqlQuery q(Database::connection());
    q.prepare(QStringLiteral("INSERT INTO Anagrafica (Nome, Ragione) VALUES (?, ?)"));
    for (int i = 0; i < 300; ++i) {
        q.addBindValue(QStringLiteral("CLIENTE %1").arg(i * 7919 % 1000, 3, 10, QLatin1Char('0')));
        q.addBindValue(QStringLiteral("Cliente %1 s.r.l.").arg(i));
        q.exec();
    }
    tx.commit();
    return dir;
}

inline sqlite3* openBare()
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(Database::filePath()).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    return db;
}

// Steps the statement, reading the text of its first `columns` columns.
inline void bareQuery(sqlite3* db, const char* sql, int columns)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW)
        for (int c = 0; c < columns; ++c)
            benchmark::DoNotOptimize(sqlite3_column_text(stmt, c));
    sqlite3_finalize(stmt);
}

// The bare statement as a benchmark of its own.
inline void bare(benchmark::State& state, const char* sql, int columns)
{
    sqlite3* db = openBare();
    for (auto _ : state)
        bareQuery(db, sql, columns);
    sqlite3_close(db);
}

// "<what>: window ms; bare sqlite3: ms; ratio" with the medians of both.
inline void printRatio(const char* what, QWidget& window, const std::function<void()>& reload, const char* sql,
                       int columns)
{
    // The two alternate, so that a machine that speeds up or slows down meanwhile weighs on both alike.
    sqlite3* db = openBare();
    window.show();
    QApplication::processEvents();
    std::vector<double> bareRuns;
    std::vector<double> shownRuns;
    for (int i = 0; i < 21; ++i) {
        bareRuns.push_back(timedMs([db, sql, columns] { bareQuery(db, sql, columns); }));
        shownRuns.push_back(timedMs([&reload] {
            reload();
            QApplication::processEvents();
        }));
    }
    sqlite3_close(db);
    const double bare = median(bareRuns);
    const double shown = median(shownRuns);
    std::printf("\n%s: %.2f ms; bare sqlite3: %.2f ms; ratio %.2fx (target: within 2x)\n", what, shown, bare,
                shown / bare);
}

} // namespace RegisterBench
