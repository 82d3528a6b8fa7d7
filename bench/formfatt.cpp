// The invoice register filled for a year of 10,000 invoices, beside the same query through bare
// SQLite; and the recall of an invoice of 200 rows into the editor.
#include "invoices/ui/formfatt.h"
#include "benchmain.h"
#include "data/database.h"
#include "invoices/ui/formregfatt.h"
#include "medianms.h"
#include "shell/appstate.h"
#include "shownwindow.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kYear = 2026;
constexpr int kInvoices = 10000;
constexpr int kRows = 200;
const QString kLong = QStringLiteral("1/25");
// What the register reads: the customer's tax codes and the invoice's rates for the accountant's list,
// and the invoice a credit note cancels.
const char* const kSelect = "SELECT F.Num, A.Nome, F.Data, F.Totale, F.Pagata, F.IdAna, A.Piva, A.Cf, F.Iva, F.RA, "
                            "N.NumFattura FROM Fatture F JOIN Anagrafica A ON F.IdAna = A.Id "
                            "LEFT JOIN NoteCredito N ON N.Num = F.Num WHERE F.Data >= '2026-01-01' "
                            "AND F.Data < '2027-01-01' ORDER BY CAST(F.Num AS INTEGER) DESC";

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
    q.prepare(QStringLiteral("INSERT INTO Anagrafica (Nome, Ragione) VALUES (?, ?)"));
    for (int i = 0; i < 300; ++i) {
        q.addBindValue(QStringLiteral("CLIENTE %1").arg(i * 7919 % 1000, 3, 10, QLatin1Char('0')));
        q.addBindValue(QStringLiteral("Cliente %1 s.r.l.").arg(i));
        q.exec();
    }
    QSqlQuery f(Database::connection());
    f.prepare(QStringLiteral(
        "INSERT INTO Fatture (Num, IdAna, Data, Totale, Iva, RA, Pagata) VALUES (?, ?, ?, ?, 22, ?, ?)"));
    QSqlQuery r(Database::connection());
    r.prepare(QStringLiteral("INSERT INTO ContFatt (Num, Ord, Descrizione, Qta, Prezzo) VALUES (?, ?, ?, ?, ?)"));
    const auto addInvoice = [&](const QString& num, int id, const QString& data, int cents, int rows) {
        f.addBindValue(num);
        f.addBindValue(id);
        f.addBindValue(data);
        f.addBindValue(QString::number(cents / 100) + u'.' +
                       QStringLiteral("%1").arg(cents % 100, 2, 10, QLatin1Char('0')));
        f.addBindValue(cents % 5 == 0 ? QVariant(QStringLiteral("X")) : QVariant());
        f.addBindValue(cents % 3 == 0 ? QVariant(QStringLiteral("X")) : QVariant());
        f.exec();
        for (int o = 1; o <= rows; ++o) {
            r.addBindValue(num);
            r.addBindValue(o);
            r.addBindValue(o == 1 ? QStringLiteral(" ")
                                  : QStringLiteral("Tubolare quadro 40x40x2 mm, taglio %1").arg(o));
            r.addBindValue(QStringLiteral("%1.5").arg(o % 7));
            r.addBindValue(QStringLiteral("%1.35").arg(o * 3 % 97));
            r.exec();
        }
    };
    for (int i = 1; i <= kInvoices; ++i)
        addInvoice(QStringLiteral("%1/26").arg(i), 1 + i % 300,
                   QDate(kYear, 1, 1).addDays(i * 364 / kInvoices).toString(Qt::ISODate), 5000 + i * 7919 % 900000, 3);
    for (int i = 1; i <= 2000; ++i)
        addInvoice(QStringLiteral("%1/25").arg(i), 1 + i % 300,
                   QDate(kYear - 1, 1, 1).addDays(i * 364 / 2000).toString(Qt::ISODate), 7000 + i * 31,
                   i == 1 ? kRows : 2);
    tx.commit();
    Database::exec(QStringLiteral("ANALYZE"));
}

// The register's query read row by row with the sqlite3 library alone, paid and unpaid summed.
void bareQuery(sqlite3* db)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, kSelect, -1, &stmt, nullptr);
    double paid = 0;
    double unpaid = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        benchmark::DoNotOptimize(sqlite3_column_text(stmt, 0));
        benchmark::DoNotOptimize(sqlite3_column_text(stmt, 1));
        for (int c : {2, 5, 6, 7, 8, 9, 10})
            benchmark::DoNotOptimize(sqlite3_column_text(stmt, c));
        const double t = sqlite3_column_double(stmt, 3);
        (sqlite3_column_type(stmt, 4) == SQLITE_NULL ? unpaid : paid) += t;
    }
    sqlite3_finalize(stmt);
    benchmark::DoNotOptimize(paid);
    benchmark::DoNotOptimize(unpaid);
}

sqlite3* openBare()
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(Database::filePath()).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    return db;
}

void BM_BareSqlite(benchmark::State& state)
{
    sqlite3* db = openBare();
    for (auto _ : state)
        bareQuery(db);
    sqlite3_close(db);
}

// The register's reload (list, count and sums), with the window on screen.
void BM_FormFattReload(benchmark::State& state)
{
    FormFatt form;
    ShownWindow::run(state, form, [&form] { form.caricaElenco(); });
}

// Recall of the invoice of 200 rows, with the editor on screen.
void BM_RecallInvoice200Rows(benchmark::State& state)
{
    FormRegFatt editor;
    editor.show();
    QApplication::processEvents();
    for (auto _ : state) {
        editor.Carica(kLong, kYear - 1);
        QApplication::processEvents();
    }
    state.counters["rows"] = editor.findChild<QTableWidget*>(QStringLiteral("FGrid"))->rowCount();
}

BENCHMARK(BM_BareSqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormFattReload)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecallInvoice200Rows)->Unit(benchmark::kMillisecond);

void reportRatio()
{
    // The two alternate, so that a machine that speeds up or slows down meanwhile weighs on both alike.
    sqlite3* db = openBare();
    FormFatt form;
    form.show();
    QApplication::processEvents();
    std::vector<double> bareRuns;
    std::vector<double> windowRuns;
    for (int i = 0; i < 21; ++i) {
        bareRuns.push_back(timedMs([db] { bareQuery(db); }));
        windowRuns.push_back(timedMs([&form] {
            form.caricaElenco();
            QApplication::processEvents();
        }));
    }
    sqlite3_close(db);
    const double bare = median(bareRuns);
    const double window = median(windowRuns);
    std::printf("\nFormFatt reload, %d invoices with sums: %.2f ms; bare sqlite3: %.2f ms; ratio %.2fx "
                "(target: within 2x)\n",
                kInvoices, window, bare, window / bare);
}

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, fillDatabase, reportRatio, [] { delete workDir; });
}
