// The electronic invoices of a year of 10,000 mixed invoices written the way "xml anno" writes them:
// plain, with withholding, reverse charge with the stamp, public bodies with split payment and a CIG,
// credit notes (target: over 1,000 invoices a second).
#include "benchmain.h"
#include "data/database.h"
#include "invoices/einvoiceexport.h"
#include "invoices/einvoicestore.h"
#include "invoices/invoicerules.h"
#include "invoices/invoicestore.h"
#include "shell/appstate.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>
#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kInvoices = 10000;
constexpr int kCustomers = 200;
QTemporaryDir* workDir = nullptr;

void die(const char* what, const DbStatus& err)
{
    if (!err)
        return;
    std::fprintf(stderr, "%s: %s\n", what, qPrintable(err->text));
    std::exit(1);
}

void fillDatabase()
{
    workDir = new QTemporaryDir;
    app().workDir = workDir->path();
    die("database", Database::create(app().path(Database::kRelativePath)));
    CompanyFiscalData a;
    a.denominazione = QStringLiteral("Ferro Battuto Rossi Srl");
    a.partitaIva = QStringLiteral("01234567897");
    a.indirizzo = QStringLiteral("Via dell'Industria 12");
    a.cap = QStringLiteral("20900");
    a.comune = QStringLiteral("Monza");
    a.provincia = QStringLiteral("MB");
    a.iban = QStringLiteral("IT60X0542811101000000123456");
    die("company", EInvoiceStore::saveCompany(a));

    Transaction t(Transaction::Write);
    for (int c = 1; c <= kCustomers; ++c)
        die("customer", Database::exec(QStringLiteral("INSERT INTO Anagrafica (Nome, Ragione, Indirizzo, Cap, Città, "
                                                      "Prov, Piva) VALUES (?, ?, 'Via Roma 1', '20900', 'Monza', "
                                                      "'MB', '12345678903')"),
                                       {QStringLiteral("CLIENTE %1").arg(c),
                                        QStringLiteral("Costruzioni & Figli %1 s.r.l.").arg(c)}));
    // One customer in ten is a public body.
    for (int c = 10; c <= kCustomers; c += 10)
        die("office", EInvoiceStore::saveCustomer(
                          c, {QStringLiteral("UF%1").arg(c, 4, 10, QLatin1Char('0')), {}, QStringLiteral("IT")}));
    for (int n = 1; n <= kInvoices; ++n) {
        Invoice inv;
        inv.num = QStringLiteral("%1/26").arg(n);
        inv.idAna = n % kCustomers + 1;
        inv.data = QDate(2026, 1, 1).addDays(n % 365);
        inv.iva = 22;
        inv.ra = n % 3 == 0;
        inv.note = QStringLiteral("Pagamento con bonifico a 30 giorni.");
        inv.totale = Decimal(1);
        inv.rows.append(InvoiceRules::rigaVuota(1));
        for (int o = 2; o <= 6; ++o)
            inv.rows.append({o, QStringLiteral("Tubolare quadro 40x40x2 mm, taglio a misura %1").arg(o),
                             *Decimal::fromString(QStringLiteral("%1.5").arg(o % 7)),
                             *Decimal::fromString(QStringLiteral("%1.35").arg(n * o % 97))});
        QString natura;
        if (n % 5 == 0) {
            inv.iva = 0;
            inv.ra = false;
            natura = QStringLiteral("N6.3");
        } else if (n % 7 == 0 && n > 1) {
            inv.storno = {QStringLiteral("%1/26").arg(n - 1), QDate(2026, 1, 1).addDays((n - 1) % 365)};
        }
        die("invoice", InvoiceStore::issue(inv, {}, natura));
        if (inv.idAna % 10 == 0)
            die("cig", EInvoiceStore::savePublicBodyCodes(
                           inv.num, {QStringLiteral("Z4B%1").arg(n, 7, 10, QLatin1Char('0')), {}}));
    }
    die("commit", t.commit());
}

void BM_XmlAnno(benchmark::State& state)
{
    const QString folder = workDir->filePath(QStringLiteral("invii"));
    for (auto _ : state) {
        QString errors;
        QTextStream err(&errors);
        if (EInvoiceExport::run(
                {QStringLiteral("xml"), QStringLiteral("anno"), QStringLiteral("2026"), QStringLiteral("-o"), folder},
                err) != 0) {
            err.flush();
            state.SkipWithError(qPrintable(errors));
            break;
        }
        state.PauseTiming();
        QDir(folder).removeRecursively();
        state.ResumeTiming();
    }
    state.counters["invoices/s"] =
        benchmark::Counter(static_cast<double>(kInvoices) * state.iterations(), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(BM_XmlAnno)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, fillDatabase, {}, [] { delete workDir; });
}
