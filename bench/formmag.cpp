// Filling the stock list with 20,000 items, beside the same SELECT through the bare SQLite library.
#include "warehouse/ui/formmag.h"
#include "data/database.h"
#include "shell/appstate.h"
#include "warehouse/warehousestore.h"

#include <QApplication>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

constexpr int kItems = 20000;

const char* const kStockSelect = "SELECT M.IdArt, C.Nome, M.Descrizione, M.Um, M.Qta "
                                 "FROM Magazzino M, Categorie C WHERE M.Valid = 1 AND M.Cat = C.IdCat "
                                 "ORDER BY M.Cat, fold(M.Descrizione), M.IdArt";

QTemporaryDir* g_dir = nullptr;

bool fillDatabase()
{
    app().workDir = g_dir->path();
    if (auto err = Database::create(app().path(Database::kRelativePath))) {
        fprintf(stderr, "open: %s\n", qPrintable(err->text));
        return false;
    }
    Transaction tx;
    const char* names[] = {"TUBOLARI", "LAMIERE", "PROFILATI", "BULLONERIA", "VERNICI"};
    const char* kinds[] = {"Tubolare quadro", "Lamiera nera", "Angolare a L", "Bullone TE zincato", "Smalto RAL"};
    const char* units[] = {"m", "Pz", "m", "Pz", "l"};
    qint64 ids[5];
    for (int c = 0; c < 5; ++c)
        ids[c] = WarehouseStore::insertCategory(QString::fromLatin1(names[c])).value();
    for (int i = 0; i < kItems; ++i) {
        const int c = i % 5;
        WarehouseStore::Item item;
        item.cat = ids[c];
        item.descrizione = QStringLiteral("%1 %2x%3 mm articolo n. %4")
                               .arg(QString::fromLatin1(kinds[c]))
                               .arg(10 + i % 90)
                               .arg(1 + i % 7)
                               .arg(i);
        item.um = QString::fromLatin1(units[c]);
        item.qta =
            (i % 3 == 0) ? *Decimal::fromString(QStringLiteral("%1.%2").arg(i % 500).arg(i % 10)) : Decimal(i % 900);
        if (!WarehouseStore::addItem(item))
            return false;
    }
    return !tx.commit();
}

void foldFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* text = static_cast<const char16_t*>(sqlite3_value_text16(argv[0]));
    const QString folded = Database::fold(QString::fromUtf16(text, sqlite3_value_bytes16(argv[0]) / 2));
    sqlite3_result_text16(ctx, folded.utf16(), static_cast<int>(folded.size() * 2), SQLITE_TRANSIENT);
}

// The same statement on its own connection, reading every column of every row.
void BM_BareSqlite(benchmark::State& state)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(app().path(Database::kRelativePath)).constData(), &db, SQLITE_OPEN_READONLY,
                    nullptr);
    sqlite3_create_function_v2(db, "fold", 1, SQLITE_UTF16 | SQLITE_DETERMINISTIC, nullptr, foldFunction, nullptr,
                               nullptr, nullptr);
    int rows = 0;
    for (auto _ : state) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, kStockSelect, -1, &stmt, nullptr);
        rows = 0;
        std::size_t bytes = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            bytes += static_cast<std::size_t>(sqlite3_column_int64(stmt, 0));
            for (int c = 1; c <= 3; ++c) {
                benchmark::DoNotOptimize(sqlite3_column_text(stmt, c));
                bytes += static_cast<std::size_t>(sqlite3_column_bytes(stmt, c));
            }
            benchmark::DoNotOptimize(sqlite3_column_double(stmt, 4));
            ++rows;
        }
        sqlite3_finalize(stmt);
        benchmark::DoNotOptimize(bytes);
    }
    sqlite3_close(db);
    state.counters["rows"] = rows;
}

// The storage call the window makes, without the grid.
void BM_StockListQuery(benchmark::State& state)
{
    qsizetype rows = 0;
    for (auto _ : state)
        rows = WarehouseStore::stockList(0, QString())->size();
    state.counters["rows"] = static_cast<double>(rows);
}

// The window's own refill: query, 20,000 grid rows, count label.
void BM_FormMagFill(benchmark::State& state)
{
    FormMag w;
    w.show();
    QApplication::processEvents();
    auto* grid = w.findChild<QTableWidget*>(QStringLiteral("FGrid"));
    for (auto _ : state)
        w.riempiGriglia();
    state.counters["rows"] = grid->rowCount();
}

// The first fill of an empty grid, which makes every cell's item.
void BM_FormMagFirstFill(benchmark::State& state)
{
    FormMag w;
    w.show();
    QApplication::processEvents();
    auto* grid = w.findChild<QTableWidget*>(QStringLiteral("FGrid"));
    for (auto _ : state) {
        state.PauseTiming();
        grid->setRowCount(0);
        state.ResumeTiming();
        w.riempiGriglia();
    }
    state.counters["rows"] = grid->rowCount();
}

BENCHMARK(BM_BareSqlite)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_StockListQuery)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_FormMagFill)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_FormMagFirstFill)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Prints the two means and their ratio after the runs.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            const double ms = r.GetAdjustedRealTime();
            if (r.benchmark_name().find("Bare") != std::string::npos)
                m_bare = ms;
            else if (r.benchmark_name().find("FormMagFirstFill") != std::string::npos)
                m_first = ms;
            else if (r.benchmark_name().find("FormMagFill") != std::string::npos)
                m_fill = ms;
        }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        if (m_bare <= 0)
            return;
        printf("\nbare SQLite %.1f ms (target for the window: within 2x)\n", m_bare);
        if (m_fill > 0)
            printf("FormMag refill %.1f ms, ratio %.2fx\n", m_fill, m_fill / m_bare);
        if (m_first > 0)
            printf("FormMag first fill %.1f ms, ratio %.2fx\n", m_first, m_first / m_bare);
    }

private:
    double m_bare = 0;
    double m_fill = 0;
    double m_first = 0;
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    if (!fillDatabase())
        return 1;
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    Database::close();
    return 0;
}
