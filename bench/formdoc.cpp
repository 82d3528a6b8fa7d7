// The document register filled for a year of 10,000 documents, beside the same query through
// bare SQLite.
#include "documents/ui/formdoc.h"
#include "benchmain.h"
#include "data/database.h"
#include "registerbench.h"
#include "shownwindow.h"

#include <QApplication>
#include <QSqlQuery>
#include <QTableView>
#include <benchmark/benchmark.h>

namespace {

constexpr int kYear = 2026;
constexpr int kDocumenti = 10000;
const char* const kSelect = "SELECT Num, Data, Des FROM Documenti WHERE Data >= '2026-01-01' "
                            "AND Data < '2027-01-01' ORDER BY CAST(Num AS INTEGER) DESC";

QTemporaryDir* workDir = nullptr;

void fillDatabase()
{
    workDir = RegisterBench::newDatabase();
    Transaction tx;
    QSqlQuery q(Database::connection());
    q.prepare(QStringLiteral("INSERT INTO Documenti (Num, Data, Des) VALUES (?, ?, ?)"));
    const auto add = [&](const QString& num, const QDate& data, int i) {
        q.addBindValue(num);
        q.addBindValue(data.toString(Qt::ISODate));
        QStringList righe;
        for (int r = 0; r < 3 + i % 20; ++r)
            righe << QStringLiteral("Riga %1 del documento %2: posa in opera di ringhiera in ferro").arg(r).arg(i);
        q.addBindValue(righe.join(QStringLiteral("\r\n")));
        q.exec();
    };
    for (int i = 1; i <= kDocumenti; ++i)
        add(QStringLiteral("%1/26").arg(i), QDate(kYear, 1, 1).addDays(i * 364 / kDocumenti), i);
    for (int i = 1; i <= 2000; ++i)
        add(QStringLiteral("%1/25").arg(i), QDate(kYear - 1, 1, 1).addDays(i * 364 / 2000), i);
    tx.commit();
    Database::exec(QStringLiteral("ANALYZE"));
}

void BM_BareSqlite(benchmark::State& state)
{
    RegisterBench::bare(state, kSelect, 3);
}

// The register's reload (list, first lines and count), with the window on screen.
void BM_FormDocReload(benchmark::State& state)
{
    FormDoc form;
    ShownWindow::run(state, form, [&form] { form.aggiornaElenco(); });
}

BENCHMARK(BM_BareSqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormDocReload)->Unit(benchmark::kMillisecond);

void reportRatio()
{
    FormDoc form;
    RegisterBench::printRatio(
        "FormDoc reload, 10000 documents", form, [&form] { form.aggiornaElenco(); }, kSelect, 3);
}

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, fillDatabase, reportRatio, [] { delete workDir; });
}
