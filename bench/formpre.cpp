// The quote register filled for a year of 10,000 quotes of both kinds, beside the same query
// through bare SQLite; and a stored quote of 300 text lines written as PDF.
#include "quotes/ui/formpre.h"
#include "benchmain.h"
#include "data/database.h"
#include "printing/pdfcommand.h"
#include "registerbench.h"
#include "shell/appstate.h"
#include "shownwindow.h"

#include <QApplication>
#include <QFile>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>
#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kYear = 2026;
constexpr int kQuotes = 10000;
constexpr int kRighe = 300;
const QString kLong = QStringLiteral("1/25");
// The register's statement as the original program wrote it.
const char* const kSelect = "SELECT Num,Int1,Data FROM Preventivi WHERE Data >= '2026-01-01' AND Data < '2027-01-01' "
                            "AND IdAna IS NULL UNION ALL SELECT Num,Nome,Data FROM Preventivi P,Anagrafica A "
                            "WHERE P.IdAna=A.Id AND Data >= '2026-01-01' AND Data < '2027-01-01' AND Int1 IS NULL "
                            "ORDER BY Data DESC,Num DESC";

QTemporaryDir* workDir = nullptr;

void fillDatabase()
{
    workDir = RegisterBench::newDatabase();
    Transaction tx;
    QSqlQuery p(Database::connection());
    p.prepare(QStringLiteral("INSERT INTO Preventivi (Num, IdAna, Int1, Int2, Data, Des) VALUES (?, ?, ?, ?, ?, ?)"));
    const auto add = [&](const QString& num, int i, const QString& data, const QString& des) {
        const bool typed = i % 3 == 0;
        p.addBindValue(num);
        p.addBindValue(typed ? QVariant() : QVariant(1 + i % 300));
        p.addBindValue(typed ? QVariant(QStringLiteral("Condominio %1").arg(i % 50)) : QVariant());
        p.addBindValue(typed ? QVariant(QStringLiteral("Via Roma %1").arg(i % 90)) : QVariant());
        p.addBindValue(data);
        p.addBindValue(des);
        p.exec();
    };
    const QString breve = QStringLiteral("Fornitura e posa di cancello\r\nPrezzo: euro 1.200,00 + IVA");
    for (int i = 1; i <= kQuotes; ++i)
        add(QStringLiteral("%1/26").arg(i), i, QDate(kYear, 1, 1).addDays(i * 364 / kQuotes).toString(Qt::ISODate),
            breve);
    QStringList righe;
    for (int r = 1; r <= kRighe; ++r)
        righe << QStringLiteral("%1. Pilastro HEA 200, h 6,00 m, piastra di base e tirafondi").arg(r);
    add(kLong, 1, QStringLiteral("2025-03-05"), righe.join(QStringLiteral("\r\n")));
    for (int i = 2; i <= 2000; ++i)
        add(QStringLiteral("%1/25").arg(i), i, QDate(kYear - 1, 1, 1).addDays(i * 364 / 2000).toString(Qt::ISODate),
            breve);
    tx.commit();
    Database::exec(QStringLiteral("ANALYZE"));
}

void BM_BareSqlite(benchmark::State& state)
{
    RegisterBench::bare(state, kSelect, 3);
}

// The register's reload (list and count), with the window on screen.
void BM_FormPreReload(benchmark::State& state)
{
    FormPre form;
    ShownWindow::run(state, form, [&form] { form.aggiornaElenco(); });
}

// "pdf preventivo 1/25": 300 lines, ten pages.
void BM_QuotePdf300Lines(benchmark::State& state)
{
    const QString file = workDir->filePath(QStringLiteral("preventivo.pdf"));
    for (auto _ : state) {
        QString errors;
        QTextStream err(&errors);
        if (PdfCommand::run({QStringLiteral("preventivo"), kLong, QStringLiteral("-o"), file}, err) != 0) {
            state.SkipWithError("pdf not written");
            break;
        }
    }
}

BENCHMARK(BM_BareSqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormPreReload)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuotePdf300Lines)->Unit(benchmark::kMillisecond);

void reportRatio()
{
    FormPre form;
    RegisterBench::printRatio(
        "FormPre reload, 10000 quotes", form, [&form] { form.aggiornaElenco(); }, kSelect, 3);
}

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, fillDatabase, reportRatio, [] { delete workDir; });
}
