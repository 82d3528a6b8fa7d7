// The invoice register of a year of 10,000 invoices on the PostgreSQL server: the store's query
// and the window's reload, beside the same statement through bare libpq. It needs a server:
// CORVALISTO_BENCH_PG=postgresql://user@host:port/name, where it makes a database of its own
// and drops it at the end.
#include "benchmain.h"
#include "data/database.h"
#include "invoices/invoicestore.h"
#include "invoices/ui/formfatt.h"
#include "medianms.h"
#include "serveradmin.h"
#include "shownwindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QUrl>
#include <benchmark/benchmark.h>
#include <libpq-fe.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kYear = 2026;
constexpr int kInvoices = 10000;
const char* const kSelect =
    "SELECT P.Num, A.Nome, P.Data, P.Totale, P.Pagata, P.IdAna, A.Piva, A.Cf, P.Iva, P.RA FROM Fatture P "
    "JOIN Anagrafica A ON P.IdAna = A.Id WHERE P.Data >= $1 AND P.Data < $2 ORDER BY ordinal(P.Num) DESC";

QString g_admin;
QString g_name;
QString g_url;

bool admin(const QStringList& statements)
{
    return serverAdmin(g_admin, statements);
}

void fail(const QString& what)
{
    std::fprintf(stderr, "%s\n", qPrintable(what));
    admin({QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(g_name)});
    std::exit(1);
}

void fillDatabase()
{
    g_name = QStringLiteral("corvalisto_bench_%1").arg(QCoreApplication::applicationPid());
    if (!admin({QStringLiteral("CREATE DATABASE %1").arg(g_name)}))
        std::exit(1);
    QUrl u(g_admin);
    u.setPath(u'/' + g_name);
    g_url = u.toString();
    if (auto err = Database::initServer(g_url))
        fail(err->text);
    // Filled by the server itself: 300 customers, the year's invoices and 2,000 of the year before.
    const QStringList fill = {
        QStringLiteral(
            "INSERT INTO Anagrafica (Nome, Ragione, Piva) SELECT 'CLIENTE ' || lpad((i * 7919 % 1000)::text, "
            "3, '0'), 'Cliente ' || i || ' s.r.l.', lpad(i::text, 11, '0') FROM generate_series(0, 299) i"),
        QStringLiteral("INSERT INTO Fatture (Num, IdAna, Data, Totale, Iva, RA, Pagata) SELECT i || '/26', 1 + i % "
                       "300, to_char(DATE '2026-01-01' + i * 364 / %1, 'YYYY-MM-DD'), (5000 + i * 7919 %% 900000) / "
                       "100.0, 22, CASE WHEN i %% 5 = 0 THEN 'X' END, CASE WHEN i %% 3 = 0 THEN 'X' END FROM "
                       "generate_series(1, %1) i")
            .arg(kInvoices),
        QStringLiteral("INSERT INTO Fatture (Num, IdAna, Data, Totale, Iva) SELECT i || '/25', 1 + i % 300, "
                       "to_char(DATE '2025-01-01' + i * 364 / 2000, 'YYYY-MM-DD'), (7000 + i * 31) / 100.0, 22 "
                       "FROM generate_series(1, 2000) i"),
        QStringLiteral("ANALYZE"),
    };
    for (QString sql : fill)
        if (auto err = Database::exec(sql.replace(QStringLiteral("%%"), QStringLiteral("%"))))
            fail(err->text);
}

PGconn* openBare()
{
    PGconn* conn = PQconnectdb(Database::libpqConnInfo(g_url).toUtf8().constData());
    if (PQstatus(conn) != CONNECTION_OK)
        fail(QString::fromLocal8Bit(PQerrorMessage(conn)));
    return conn;
}

// The register's statement through libpq alone: every value of every row read, paid and unpaid summed.
void bareQuery(PGconn* conn)
{
    const char* values[] = {"2026-01-01", "2027-01-01"};
    PGresult* r = PQexecParams(conn, kSelect, 2, nullptr, values, nullptr, nullptr, 0);
    if (PQresultStatus(r) != PGRES_TUPLES_OK)
        fail(QString::fromLocal8Bit(PQresultErrorMessage(r)));
    double paid = 0;
    double unpaid = 0;
    const int rows = PQntuples(r);
    for (int i = 0; i < rows; ++i) {
        for (int c = 0; c < 10; ++c)
            benchmark::DoNotOptimize(PQgetvalue(r, i, c));
        const double t = std::strtod(PQgetvalue(r, i, 3), nullptr);
        (PQgetisnull(r, i, 4) ? unpaid : paid) += t;
    }
    PQclear(r);
    benchmark::DoNotOptimize(paid);
    benchmark::DoNotOptimize(unpaid);
}

void BM_BareLibpq(benchmark::State& state)
{
    PGconn* conn = openBare();
    for (auto _ : state)
        bareQuery(conn);
    PQfinish(conn);
}

void storeQuery()
{
    auto reg = InvoiceStore::registro(kYear, 0);
    if (!reg || reg->rows.size() != kInvoices)
        fail(reg ? QStringLiteral("%1 righe").arg(reg->rows.size()) : reg.error().text);
    benchmark::DoNotOptimize(reg->incassato);
}

// The store's register: the rows and both sums, as the window gets them.
void BM_StoreRegister(benchmark::State& state)
{
    for (auto _ : state)
        storeQuery();
}

// Whether the register window can open here: it lists the customers with invoices first.
bool windowOpens()
{
    const auto customers = InvoiceStore::customersWithInvoices();
    if (!customers)
        std::printf("register window skipped: %s\n", qPrintable(customers.error().text));
    return static_cast<bool>(customers);
}

// The register window's reload (list, count and sums), on screen.
void BM_FormFattReload(benchmark::State& state)
{
    if (!windowOpens()) {
        state.SkipWithError("the register window does not open");
        return;
    }
    FormFatt form;
    ShownWindow::run(state, form, [&form] { form.caricaElenco(); });
}

BENCHMARK(BM_BareLibpq)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreRegister)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormFattReload)->Unit(benchmark::kMillisecond);

void reportRatio()
{
    PGconn* conn = openBare();
    const double bare = medianMs([conn] { bareQuery(conn); });
    PQfinish(conn);
    const double store = medianMs(storeQuery);
    if (!windowOpens()) {
        std::printf("\nInvoice register on the server, %d invoices: store %.2f ms; bare libpq %.2f ms; ratio %.2fx "
                    "(target: within 2x)\n",
                    kInvoices, store, bare, store / bare);
        return;
    }
    FormFatt form;
    const double window = ShownWindow::medianShownMs(form, [&form] { form.caricaElenco(); });
    std::printf("\nInvoice register on the server, %d invoices: store %.2f ms, window reload %.2f ms; bare libpq "
                "%.2f ms; ratios %.2fx and %.2fx (target: within 2x)\n",
                kInvoices, store, window, bare, store / bare, window / bare);
}

} // namespace

int main(int argc, char** argv)
{
    g_admin = qEnvironmentVariable("CORVALISTO_BENCH_PG");
    if (g_admin.isEmpty()) {
        std::printf("CORVALISTO_BENCH_PG not set (postgresql://user@host:port/name): server benchmark skipped\n");
        return 0;
    }
    return runBenchmarks(argc, argv, fillDatabase, reportRatio,
                         [] { admin({QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(g_name)}); });
}
