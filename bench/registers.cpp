// The invoice register of a year of 10,000 invoices (3 rows each) written as a PDF the way
// "pdf registro-fatture" writes it, its pages composed alone, and the accountant's CSV.
#include "benchmain.h"
#include "data/database.h"
#include "invoices/invoiceledger.h"
#include "invoices/ui/invoiceregisterprint.h"
#include "printing/layoutregistry.h"
#include "printing/pdfcommand.h"
#include "printing/registerlayout.h"
#include "shell/appstate.h"

#include <QDate>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kYear = 2026;
constexpr int kInvoices = 10000;
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
    Database::exec(QStringLiteral("INSERT INTO Azienda (Riga1, Riga2, Riga3) VALUES ('FERRO BATTUTO ROSSI', "
                                  "'Lavorazioni in ferro', 'Via dell''Industria 12 - Monza')"));
    QSqlQuery q(Database::connection());
    q.prepare(QStringLiteral("INSERT INTO Anagrafica (Nome, Ragione, Piva) VALUES (?, ?, ?)"));
    for (int i = 0; i < 300; ++i) {
        q.addBindValue(QStringLiteral("CLIENTE %1 COSTRUZIONI METALLICHE").arg(i, 3, 10, QLatin1Char('0')));
        q.addBindValue(QStringLiteral("Cliente %1 s.r.l.").arg(i));
        q.addBindValue(QStringLiteral("0123456%1").arg(i, 4, 10, QLatin1Char('0')));
        q.exec();
    }
    QSqlQuery f(Database::connection());
    f.prepare(QStringLiteral(
        "INSERT INTO Fatture (Num, IdAna, Data, Totale, Iva, RA, Pagata) VALUES (?, ?, ?, ?, 22, ?, ?)"));
    QSqlQuery r(Database::connection());
    r.prepare(QStringLiteral("INSERT INTO ContFatt (Num, Ord, Descrizione, Qta, Prezzo) VALUES (?, ?, ?, ?, ?)"));
    for (int i = 1; i <= kInvoices; ++i) {
        const QString num = QStringLiteral("%1/26").arg(i);
        const int cents = 5000 + i * 7919 % 900000;
        f.addBindValue(num);
        f.addBindValue(1 + i % 300);
        f.addBindValue(QDate(kYear, 1, 1).addDays(i * 364 / kInvoices).toString(Qt::ISODate));
        f.addBindValue(QStringLiteral("%1.%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0')));
        f.addBindValue(i % 5 == 0 ? QVariant(QStringLiteral("X")) : QVariant());
        f.addBindValue(i % 3 == 0 ? QVariant(QStringLiteral("X")) : QVariant());
        f.exec();
        for (int o = 1; o <= 3; ++o) {
            r.addBindValue(num);
            r.addBindValue(o);
            r.addBindValue(QStringLiteral("Tubolare quadro 40x40x2 mm, taglio %1").arg(o));
            r.addBindValue(QStringLiteral("%1.5").arg(o % 7));
            r.addBindValue(QStringLiteral("%1.35").arg(i * o % 97));
            r.exec();
        }
    }
    tx.commit();
}

void BM_RegisterPdf(benchmark::State& state)
{
    const QString file = workDir->filePath(QStringLiteral("registro.pdf"));
    for (auto _ : state) {
        QString errors;
        QTextStream err(&errors);
        if (PdfCommand::run({QStringLiteral("registro-fatture"), QString::number(kYear), QStringLiteral("-o"), file},
                            err) != 0)
            state.SkipWithError("pdf not written");
    }
}

void BM_RegisterPages(benchmark::State& state)
{
    std::size_t pages = 0;
    for (auto _ : state) {
        QString error;
        const auto table = InvoiceRegisterPrint::fatture(kYear, 0, error);
        pages = LayoutRegistry::compose(RegisterLayout::kTipo, *table, nullptr).size();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = static_cast<double>(pages);
}

void BM_InvoicesCsv(benchmark::State& state)
{
    const QString file = workDir->filePath(QStringLiteral("fatture.csv"));
    for (auto _ : state) {
        QString errors;
        QTextStream err(&errors);
        if (InvoiceLedger::run({QStringLiteral("fatture"), QString::number(kYear), QStringLiteral("-o"), file}, err) !=
            0)
            state.SkipWithError("csv not written");
    }
}

} // namespace

BENCHMARK(BM_RegisterPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegisterPages)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InvoicesCsv)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv, fillDatabase, {}, [] { delete workDir; });
}
