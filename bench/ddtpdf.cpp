// A stored DDT of 200 rows (10 pages) written as PDF the way "pdf ddt" writes it, and its
// pages composed alone for comparison.
#include "benchmain.h"
#include "data/database.h"
#include "ddt/ddtpaper.h"
#include "ddt/ddtpaperstore.h"
#include "printing/layoutregistry.h"
#include "printing/pdfcommand.h"
#include "shell/appstate.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kRows = 200;
const QString kNum = QStringLiteral("1/26");
QTemporaryDir* workDir = nullptr;

void check(const DbStatus& err)
{
    if (err) {
        std::fprintf(stderr, "database: %s\n", qPrintable(err->text));
        std::exit(1);
    }
}

void fillDatabase()
{
    workDir = new QTemporaryDir;
    app().workDir = workDir->path();
    check(Database::create(app().path(Database::kRelativePath)));
    check(Database::exec(QStringLiteral("INSERT INTO Anagrafica (Nome, Ragione, Indirizzo, Cap, Città, Prov) "
                                        "VALUES ('ROSSI', 'Rossi Costruzioni s.r.l.', 'Via Roma 1', '20900', "
                                        "'Monza', 'MB')")));
    check(Database::exec(QStringLiteral("INSERT INTO Azienda (Riga1, Riga2, Riga3, Riga5) VALUES ('FERRO BATTUTO "
                                        "ROSSI', 'Lavorazioni in ferro', 'Via dell''Industria 12 - Monza', "
                                        "'P.IVA 09876543210')")));
    check(Database::exec(QStringLiteral("INSERT INTO Ddt (Num, IdAna, Data, Causale, Mezzo, Colli, DataRit, OraRit, "
                                        "Note) VALUES (?, 1, '2026-03-05', 'Vendita', 'ces', 12, '2026-03-06', "
                                        "'09:30', ?)"),
                         {kNum, QStringLiteral("Consegna in cantiere a cura del cliente, scarico con gru. "
                                               "Materiale da verificare all'arrivo.")}));
    for (int o = 1; o <= kRows; ++o)
        check(Database::exec(QStringLiteral("INSERT INTO ContDdt (Num, Ord, Descrizione, Qta) VALUES (?, ?, ?, ?)"),
                             {kNum, o, QStringLiteral("Tubolare quadro 40x40x2 mm, taglio a misura %1").arg(o),
                              QStringLiteral("%1.5").arg(o % 17)}));
}

int writePdf(const QString& file)
{
    QString errors;
    QTextStream err(&errors);
    const int status = PdfCommand::run({QStringLiteral("ddt"), kNum, QStringLiteral("-o"), file}, err);
    if (status != 0)
        std::fprintf(stderr, "pdf: %s\n", qPrintable(errors));
    return status;
}

void BM_DdtPdf(benchmark::State& state)
{
    const QString file = workDir->filePath(QStringLiteral("ddt.pdf"));
    for (auto _ : state)
        if (writePdf(file) != 0)
            state.SkipWithError("pdf not written");
}

void BM_DdtPages(benchmark::State& state)
{
    std::size_t pages = 0;
    for (auto _ : state) {
        const auto d = DdtPaperStore::datiDdt(kNum);
        pages = LayoutRegistry::compose(DdtPaper::kTipo, *d.value(), nullptr).size();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = static_cast<double>(pages);
}

} // namespace

BENCHMARK(BM_DdtPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DdtPages)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, fillDatabase, {}, [] { delete workDir; });
}
