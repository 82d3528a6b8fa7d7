// The DDT register filled for a year of 10,000 DDTs, beside the same query through bare SQLite;
// and the recall of a DDT of 200 rows into the editor.
#include "ddt/ui/formddt.h"
#include "benchmain.h"
#include "data/database.h"
#include "ddt/ddtstore.h"
#include "ddt/ui/formregddt.h"
#include "registerbench.h"
#include "shownwindow.h"

#include <QApplication>
#include <QSqlQuery>
#include <QTableView>
#include <QTableWidget>
#include <benchmark/benchmark.h>

namespace {

constexpr int kYear = 2026;
constexpr int kDdt = 10000;
constexpr int kRows = 200;
const QString kLong = QStringLiteral("1/25");
// The columns the window shows, the invoice that took each DDT among them.
const char* const kSelect = "SELECT D.Num, A.Nome, D.Data, D.Causale, L.NumFattura FROM Ddt D "
                            "JOIN Anagrafica A ON D.IdAna = A.Id LEFT JOIN FattureDdt L ON L.NumDdt = D.Num "
                            "WHERE D.Data >= '2026-01-01' AND D.Data < '2027-01-01' "
                            "ORDER BY CAST(D.Num AS INTEGER) DESC";

QTemporaryDir* workDir = nullptr;

void fillDatabase()
{
    workDir = RegisterBench::newDatabase();
    Transaction tx;
    QSqlQuery d(Database::connection());
    d.prepare(QStringLiteral("INSERT INTO Ddt (Num, IdAna, Data, Causale, Mezzo, Colli) VALUES (?, ?, ?, ?, ?, ?)"));
    QSqlQuery r(Database::connection());
    r.prepare(QStringLiteral("INSERT INTO ContDdt (Num, Ord, Descrizione, Qta) VALUES (?, ?, ?, ?)"));
    const QString causali[] = {QStringLiteral("Vendita"), QStringLiteral("Conto lavorazione"), QStringLiteral("Reso")};
    const auto addDdt = [&](const QString& num, int id, const QString& data, int rows) {
        d.addBindValue(num);
        d.addBindValue(id);
        d.addBindValue(data);
        d.addBindValue(causali[id % 3]);
        d.addBindValue(id % 2 ? QStringLiteral("ced") : QStringLiteral("ces"));
        d.addBindValue(1 + id % 9);
        d.exec();
        for (int o = 1; o <= rows; ++o) {
            r.addBindValue(num);
            r.addBindValue(o);
            r.addBindValue(QStringLiteral("Profilato HEA 120, elemento %1").arg(o));
            r.addBindValue(QStringLiteral("%1.5").arg(o % 7));
            r.exec();
        }
    };
    for (int i = 1; i <= kDdt; ++i)
        addDdt(QStringLiteral("%1/26").arg(i), 1 + i % 300,
               QDate(kYear, 1, 1).addDays(i * 364 / kDdt).toString(Qt::ISODate), 3);
    for (int i = 1; i <= 2000; ++i)
        addDdt(QStringLiteral("%1/25").arg(i), 1 + i % 300,
               QDate(kYear - 1, 1, 1).addDays(i * 364 / 2000).toString(Qt::ISODate), i == 1 ? kRows : 2);
    tx.commit();
    Database::exec(QStringLiteral("ANALYZE"));
}

void BM_BareSqlite(benchmark::State& state)
{
    RegisterBench::bare(state, kSelect, 5);
}

// The register's reload (list and count), with the window on screen.
void BM_FormDdtReload(benchmark::State& state)
{
    FormDdt form;
    ShownWindow::run(state, form, [&form] { form.caricaElenco(); });
}

// Recall of the DDT of 200 rows, with the editor on screen.
void BM_RecallDdt200Rows(benchmark::State& state)
{
    FormRegDdt editor;
    editor.show();
    QApplication::processEvents();
    for (auto _ : state) {
        editor.Carica(kLong);
        QApplication::processEvents();
    }
    state.counters["rows"] = editor.findChild<QTableWidget*>(QStringLiteral("FGrid"))->rowCount();
}

BENCHMARK(BM_BareSqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormDdtReload)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecallDdt200Rows)->Unit(benchmark::kMillisecond);

void reportRatio()
{
    const double store = medianMs([] { benchmark::DoNotOptimize(DdtStore::registro(kYear, 0)); });
    std::printf("\nDdtStore::registro alone: %.2f ms", store);
    FormDdt form;
    RegisterBench::printRatio(
        "FormDdt reload, 10000 DDTs", form, [&form] { form.caricaElenco(); }, kSelect, 5);
}

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, fillDatabase, reportRatio, [] { delete workDir; });
}
