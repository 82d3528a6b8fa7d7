// The due-date window ("SCADENZARIO") listing a year of 10,000 invoices of 3 instalments each,
// beside the same rows read in the same order through bare SQLite.
#include "benchmain.h"
#include "data/database.h"
#include "invoices/ui/frmscadenzario.h"
#include "medianms.h"
#include "shell/appstate.h"
#include "shownwindow.h"

#include <QDate>
#include <QFile>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>

namespace {

constexpr int kYear = 2026;
constexpr int kInvoices = 10000;
// The window's own query, its order given to the engine: by due date, then invoice date and number.
const char* const kSelect =
    "SELECT S.Num, S.Rata, S.Data, S.Importo, S.Modalita, S.Pagata, S.DataPagamento, S.IdPresentazione, F.IdAna, "
    "A.Nome, F.Data FROM Scadenze S JOIN Fatture F ON F.Num = S.Num LEFT JOIN Anagrafica A ON A.Id = F.IdAna "
    "WHERE S.Data <= '2026-12-31' AND (S.Data >= '2026-01-01' OR S.Pagata IS NULL) "
    "ORDER BY S.Data, F.Data, CAST(S.Num AS INTEGER), S.Num, S.Rata";

QTemporaryDir* workDir = nullptr;

QString importo(int cents)
{
    return QStringLiteral("%1.%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0'));
}

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
    q.prepare(QStringLiteral("INSERT INTO Anagrafica (Nome, Ragione) VALUES (?, ?)"));
    for (int i = 0; i < 300; ++i) {
        q.addBindValue(QStringLiteral("CLIENTE %1").arg(i * 7919 % 1000, 3, 10, QLatin1Char('0')));
        q.addBindValue(QStringLiteral("Cliente %1 s.r.l.").arg(i));
        q.exec();
    }
    QSqlQuery f(Database::connection());
    f.prepare(QStringLiteral("INSERT INTO Fatture (Num, IdAna, Data, Totale, Iva, RA, Pagata) VALUES (?, ?, ?, ?, 22, "
                             "NULL, ?)"));
    QSqlQuery s(Database::connection());
    s.prepare(QStringLiteral("INSERT INTO Scadenze (Num, Rata, Data, Importo, Modalita, Pagata, DataPagamento) "
                             "VALUES (?, ?, ?, ?, ?, ?, ?)"));
    // Invoices over the first nine months, each paid in three instalments at 30, 60 and 90 days, by
    // Ri.Ba. or transfer; the older instalments mostly paid.
    for (int i = 1; i <= kInvoices; ++i) {
        const QString num = QStringLiteral("%1/26").arg(i);
        const QDate data = QDate(kYear, 1, 1).addDays(i * 270 / kInvoices);
        const int cents = 5000 + i * 7919 % 900000;
        const bool pagata = i % 4 != 0;
        f.addBindValue(num);
        f.addBindValue(1 + i % 300);
        f.addBindValue(data.toString(Qt::ISODate));
        f.addBindValue(importo(cents));
        f.addBindValue(pagata ? QVariant(QStringLiteral("X")) : QVariant());
        f.exec();
        for (int rata = 1; rata <= 3; ++rata) {
            const QDate scadenza = data.addDays(30 * rata);
            s.addBindValue(num);
            s.addBindValue(rata);
            s.addBindValue(scadenza.toString(Qt::ISODate));
            s.addBindValue(importo(rata < 3 ? cents / 3 : cents - 2 * (cents / 3)));
            s.addBindValue(i % 2 == 0 ? QStringLiteral("MP12") : QStringLiteral("MP05"));
            s.addBindValue(pagata ? QVariant(QStringLiteral("X")) : QVariant());
            s.addBindValue(pagata ? QVariant(scadenza.toString(Qt::ISODate)) : QVariant());
            s.exec();
        }
    }
    tx.commit();
    Database::exec(QStringLiteral("ANALYZE"));
}

sqlite3* openBare()
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(Database::filePath()).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    return db;
}

// The rows read with the sqlite3 library alone, the total and the paid part summed.
void bareQuery(sqlite3* db)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, kSelect, -1, &stmt, nullptr);
    double totale = 0;
    double pagato = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c : {0, 2, 4, 9, 10})
            benchmark::DoNotOptimize(sqlite3_column_text(stmt, c));
        const double importo = sqlite3_column_double(stmt, 3);
        totale += importo;
        if (sqlite3_column_type(stmt, 5) != SQLITE_NULL)
            pagato += importo;
    }
    sqlite3_finalize(stmt);
    benchmark::DoNotOptimize(totale);
    benchmark::DoNotOptimize(pagato);
}

void BM_BareSqlite(benchmark::State& state)
{
    sqlite3* db = openBare();
    for (auto _ : state)
        bareQuery(db);
    sqlite3_close(db);
}

// The window on the whole year.
void wholeYear(FrmScadenzario& window)
{
    window.findChild<QLineEdit*>(QStringLiteral("TxtDa"))->setText(QStringLiteral("01/01/2026"));
    window.findChild<QLineEdit*>(QStringLiteral("TxtA"))->setText(QStringLiteral("31/12/2026"));
}

// The list read again with its count and sums, the window on screen.
void BM_ScadenzarioReload(benchmark::State& state)
{
    FrmScadenzario window;
    wholeYear(window);
    ShownWindow::run(state, window, [&window] { window.carica(); });
    state.counters["rows"] = window.findChild<QTableView*>(QStringLiteral("GridScadenze"))->model()->rowCount();
}

BENCHMARK(BM_BareSqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScadenzarioReload)->Unit(benchmark::kMillisecond);

void reportRatio()
{
    sqlite3* db = openBare();
    const double bare = medianMs([db] { bareQuery(db); });
    sqlite3_close(db);
    FrmScadenzario window;
    wholeYear(window);
    const double shown = ShownWindow::medianShownMs(window, [&window] { window.carica(); });
    std::printf("\nScadenzario reload, %d instalments with sums: %.2f ms; bare sqlite3: %.2f ms; ratio %.2fx "
                "(target: within 2x)\n",
                kInvoices * 3, shown, bare, shown / bare);
}

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, fillDatabase, reportRatio, [] { delete workDir; });
}
