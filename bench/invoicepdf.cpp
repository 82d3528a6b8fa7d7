// A stored invoice of 200 rows (12 pages) written as PDF the way "pdf fattura" writes it, and
// its pages composed alone for comparison.
#include "benchmain.h"
#include "data/database.h"
#include "invoices/invoicepaper.h"
#include "invoices/invoicerules.h"
#include "invoices/invoicestore.h"
#include "printing/layoutregistry.h"
#include "printing/pdfcommand.h"
#include "shell/appstate.h"

#include <QApplication>
#include <QDate>
#include <QTemporaryDir>
#include <QTextStream>
#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kRows = 200;
const QString kNum = QStringLiteral("1/26");
QTemporaryDir* workDir = nullptr;

void fillDatabase()
{
    workDir = new QTemporaryDir;
    app().workDir = workDir->path();
    if (auto err = Database::create(app().path(Database::kRelativePath))) {
        std::fprintf(stderr, "database: %s\n", qPrintable(err->text));
        std::exit(1);
    }
    Database::exec(QStringLiteral("INSERT INTO Anagrafica (Nome, Ragione, Indirizzo, Cap, Città, Prov, Piva) "
                                  "VALUES ('ROSSI', 'Rossi Costruzioni s.r.l.', 'Via Roma 1', '20900', 'Monza', "
                                  "'MB', '01234567890')"));
    Database::exec(QStringLiteral("INSERT INTO Azienda (Riga1, Riga2, Riga3, Riga5) VALUES ('FERRO BATTUTO "
                                  "ROSSI', 'Lavorazioni in ferro', 'Via dell''Industria 12 - Monza', "
                                  "'P.IVA 09876543210')"));
    Invoice inv;
    inv.num = kNum;
    inv.idAna = 1;
    inv.data = QDate(2026, 3, 5);
    inv.iva = 22;
    inv.ra = true;
    inv.note = QStringLiteral("Pagamento con bonifico bancario a 30 giorni data fattura fine mese. "
                              "Consegna in cantiere a cura del cliente.");
    inv.totale = Decimal(1);
    inv.rows.append(InvoiceRules::rigaVuota(1));
    for (int o = 2; o <= kRows; ++o)
        inv.rows.append({o, QStringLiteral("Tubolare quadro 40x40x2 mm, taglio a misura %1").arg(o),
                         *Decimal::fromString(QStringLiteral("%1.5").arg(o % 7)),
                         *Decimal::fromString(QStringLiteral("%1.35").arg(o * 3 % 97))});
    if (auto err = InvoiceStore::issue(inv)) {
        std::fprintf(stderr, "invoice: %s\n", qPrintable(err->text));
        std::exit(1);
    }
}

int writePdf(const QString& file)
{
    QString errors;
    QTextStream err(&errors);
    const int status = PdfCommand::run({QStringLiteral("fattura"), kNum, QStringLiteral("-o"), file}, err);
    if (status != 0)
        std::fprintf(stderr, "pdf: %s\n", qPrintable(errors));
    return status;
}

void BM_InvoicePdf(benchmark::State& state)
{
    const QString file = workDir->filePath(QStringLiteral("fattura.pdf"));
    for (auto _ : state)
        if (writePdf(file) != 0)
            state.SkipWithError("pdf not written");
}

void BM_InvoicePages(benchmark::State& state)
{
    std::size_t pages = 0;
    for (auto _ : state) {
        const auto d = InvoicePaper::datiFattura(kNum);
        pages = LayoutRegistry::compose(InvoicePaper::kTipo, *d.value(), nullptr).size();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = static_cast<double>(pages);
}

} // namespace

BENCHMARK(BM_InvoicePdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InvoicePages)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, fillDatabase, {}, [] { delete workDir; });
}
