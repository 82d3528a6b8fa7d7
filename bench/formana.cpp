// Filling the customer list with 20,000 customers, beside the same SELECT through bare SQLite.
#include "registry/ui/formana.h"
#include "benchmain.h"
#include "data/database.h"
#include "medianms.h"
#include "registry/customerstore.h"
#include "shell/appstate.h"

#include <QApplication>
#include <QFile>
#include <QListView>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>

namespace {

constexpr int kCustomers = 20000;
const char* const kSelect = "SELECT Nome FROM Anagrafica WHERE Valid = 1 ORDER BY Nome";

const char* const kSurnames[] = {"ROSSI",    "BIANCHI",  "ESPOSITO", "FERRARI",   "ROMANO",  "COLOMBO",
                                 "RICCI",    "MARINO",   "GRECO",    "BRUNO",     "GALLO",   "CONTI",
                                 "DE LUCA",  "D'ANGELO", "COSTA",    "GIORDANO",  "MANCINI", "RIZZO",
                                 "LOMBARDI", "MORETTI",  "ZANETTI",  "PELLEGRINI"};
const char* const kKinds[] = {"CARPENTERIA", "OFFICINA", "SERRAMENTI", "EDILIZIA", "IMPIANTI", "FERRAMENTA"};

QTemporaryDir* workDir = nullptr;

void fillDatabase()
{
    workDir = new QTemporaryDir;
    app().workDir = workDir->path();
    if (auto err = Database::create(app().path(Database::kRelativePath))) {
        std::fprintf(stderr, "database: %s\n", qPrintable(err->text));
        std::exit(1);
    }
    Transaction tx;
    QSqlQuery q(Database::connection());
    q.prepare(QStringLiteral("INSERT INTO Anagrafica (Nome, Ragione, Città, Valid) VALUES (?, ?, ?, ?)"));
    for (int i = 0; i < kCustomers; ++i) {
        QString nome = QString::fromUtf8(kKinds[i % std::size(kKinds)]) + u' ' +
                       QString::fromUtf8(kSurnames[(i / 7) % std::size(kSurnames)]) + u' ' +
                       QString::number(i * 7919 % 100003);
        // Names as people type them: some in lower case, some with accents, so that the list's
        // order is not the order of the characters.
        if (i % 3 == 1)
            nome = nome.toLower();
        if (i % 10 == 3)
            nome.replace(u'E', QStringLiteral("È"));
        q.addBindValue(nome);
        q.addBindValue(nome.toLower());
        q.addBindValue(QStringLiteral("Forlì"));
        // One in twenty is deleted, so the Valid filter has work to do.
        q.addBindValue(i % 20 == 0 ? 0 : 1);
        q.exec();
    }
    tx.commit();
}

// Reads every row of the list's SELECT with the sqlite3 library alone.
void BM_BareSqlite(benchmark::State& state)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(Database::filePath()).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    size_t bytes = 0;
    int rows = 0;
    for (auto _ : state) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, kSelect, -1, &stmt, nullptr);
        rows = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            bytes += static_cast<size_t>(sqlite3_column_bytes(stmt, 0));
            benchmark::DoNotOptimize(sqlite3_column_text(stmt, 0));
            ++rows;
        }
        sqlite3_finalize(stmt);
    }
    benchmark::DoNotOptimize(bytes);
    state.counters["rows"] = rows;
    sqlite3_close(db);
}

// The window's own refill, as "Elenco completo" runs it, with the window on screen.
void BM_FormAnaRefill(benchmark::State& state)
{
    FormAna form;
    form.show();
    QApplication::processEvents();
    auto* elenco = form.findChild<QPushButton*>(QStringLiteral("BtnElenco"));
    auto* list = form.findChild<QListView*>(QStringLiteral("List1"));
    for (auto _ : state) {
        elenco->click();
        QApplication::processEvents();
    }
    state.counters["rows"] = list->model()->rowCount();
    form.hide();
}

BENCHMARK(BM_BareSqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormAnaRefill)->Unit(benchmark::kMillisecond);

void reportRatio()
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(Database::filePath()).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    const double bare = medianMs([db] {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, kSelect, -1, &stmt, nullptr);
        while (sqlite3_step(stmt) == SQLITE_ROW)
            benchmark::DoNotOptimize(sqlite3_column_text(stmt, 0));
        sqlite3_finalize(stmt);
    });
    sqlite3_close(db);

    FormAna form;
    form.show();
    QApplication::processEvents();
    auto* elenco = form.findChild<QPushButton*>(QStringLiteral("BtnElenco"));
    const double window = medianMs([elenco] {
        elenco->click();
        QApplication::processEvents();
    });
    const double store = medianMs([] { benchmark::DoNotOptimize(CustomerStore::names()); });
    std::printf("\nCustomerStore::names alone: %.2f ms", store);
    std::printf("\nFormAna refill, %d customers: %.2f ms; bare sqlite3: %.2f ms; ratio %.2fx "
                "(target: within 2x)\n",
                kCustomers, window, bare, window / bare);
}

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, fillDatabase, reportRatio, [] { delete workDir; });
}
