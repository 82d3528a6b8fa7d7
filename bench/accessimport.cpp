// The import of a Jet 4 file of 20,000 invoices with 100,000 rows (made by make_import_bench.py
// at start) into a new database, beside what it cannot do without: mdb-export of the same ten
// tables plus the bare inserts of the same rows in one transaction.
#include "data/accessfile.h"
#include "data/database.h"
#include "medianms.h"
#include "app/accessimport.h"
#include "shell/appstate.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <sqlite3.h>

namespace {

QTemporaryDir* g_dir = nullptr;
int g_round = 0;

QString accessFile()
{
    return QDir(g_dir->path()).filePath(QStringLiteral("archivio.mdb"));
}

// A new, empty database in a folder of its own.
void freshDatabase()
{
    Database::close();
    app().workDir = QDir(g_dir->path()).filePath(QStringLiteral("giro%1").arg(++g_round));
    QDir().mkpath(app().path(QStringLiteral("Dati")));
    if (const auto err = Database::create(app().path(Database::kRelativePath))) {
        std::fprintf(stderr, "database: %s\n", qPrintable(err->text));
        std::exit(1);
    }
}

void import()
{
    freshDatabase();
    const AccessImport::Outcome out = AccessImport::run(accessFile());
    if (!out.ok) {
        std::fprintf(stderr, "%s\n", qPrintable(AccessImport::reportText(out)));
        std::exit(1);
    }
}

void mdbExport()
{
    for (const QString& table : AccessImport::tableNames()) {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        p.start(QStringLiteral("mdb-export"), {accessFile(), table});
        p.waitForFinished(-1);
    }
}

// The rows of the two big tables as text, numbers and dates ready to bind.
struct Rows {
    std::vector<std::vector<AccessFile::Value>> fatture, contFatt;
};
Rows g_rows;

void bareInserts()
{
    freshDatabase();
    sqlite3* db = Database::nativeHandle();
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* f = nullptr;
    sqlite3_stmt* c = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO Fatture (Num, IdAna, Data, Totale, Iva, Note, RA, Pagata) VALUES (?,?,?,?,?,?,?,?)",
                       -1, &f, nullptr);
    sqlite3_prepare_v2(db, "INSERT INTO ContFatt (Num, Ord, Descrizione, Qta, Prezzo) VALUES (?,?,?,?,?)", -1, &c,
                       nullptr);
    auto bind = [](sqlite3_stmt* s, int i, const AccessFile::Value& v, char kind) {
        if (v.isNull)
            sqlite3_bind_null(s, i);
        else if (kind == 't') {
            const QByteArray utf8 = v.text.toUtf8();
            sqlite3_bind_text(s, i, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        } else if (kind == 'i')
            sqlite3_bind_int64(s, i, v.whole);
        else if (kind == 'f')
            sqlite3_bind_double(s, i, v.single);
        else
            sqlite3_bind_text(s, i, "2020-01-01", 10, SQLITE_STATIC);
    };
    for (const auto& row : g_rows.fatture) {
        const char kinds[] = "tidfittt";
        for (int i = 0; i < 8; ++i)
            bind(f, i + 1, row[i], kinds[i]);
        sqlite3_step(f);
        sqlite3_reset(f);
    }
    for (const auto& row : g_rows.contFatt) {
        const char kinds[] = "titff";
        for (int i = 0; i < 5; ++i)
            bind(c, i + 1, row[i], kinds[i]);
        sqlite3_step(c);
        sqlite3_reset(c);
    }
    sqlite3_finalize(f);
    sqlite3_finalize(c);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
}

void BM_Import(benchmark::State& state)
{
    for (auto _ : state)
        import();
}

void BM_MdbExportAndBareInserts(benchmark::State& state)
{
    for (auto _ : state) {
        mdbExport();
        bareInserts();
    }
}

BENCHMARK(BM_Import)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MdbExportAndBareInserts)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication qapp(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    if (QProcess::execute(QStringLiteral("python3"), {QStringLiteral(CORVALISTO_SOURCE_DIR "/bench/make_import_bench.py"),
                                                      accessFile()}) != 0)
        return 1;
    QString problem;
    const auto file = AccessFile::open(accessFile(), &problem);
    if (!file) {
        std::fprintf(stderr, "%s\n", qPrintable(problem));
        return 1;
    }
    file->read(QStringLiteral("Fatture"), [](const auto& row) { return g_rows.fatture.push_back(row), true; });
    file->read(QStringLiteral("ContFatt"), [](const auto& row) { return g_rows.contFatt.push_back(row), true; });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const double bare = medianMs([] { mdbExport(), bareInserts(); }, 5);
    const double ours = medianMs(import, 5);
    std::printf("\nimport of %zu invoices with %zu rows: %.0f ms; mdb-export of the ten tables plus the bare inserts: "
                "%.0f ms; ratio %.2fx (target: within 2x)\n",
                g_rows.fatture.size(), g_rows.contFatt.size(), ours, bare, ours / bare);
    Database::close();
    return 0;
}
