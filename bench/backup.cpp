// The backup of a 100 MB database (with the two settings files) to a folder standing for the
// medium, beside the bare copy of the same database file to the same folder. The last line splits
// the backup into its costs: the settings files, the snapshot of the open database, and the same
// snapshot read back and compared.
#include "shell/backup.h"
#include "data/database.h"
#include "medianms.h"
#include "shell/appstate.h"
#include "shell/backuprun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace {

QTemporaryDir* g_dir = nullptr;
constexpr int kMegabytes = 100;

QString medium()
{
    return QDir(g_dir->path()).filePath(QStringLiteral("chiavetta"));
}

bool buildDatabase()
{
    app().workDir = g_dir->path();
    if (const auto err = Database::create(app().path(Database::kRelativePath))) {
        std::fprintf(stderr, "database: %s\n", qPrintable(err->text));
        return false;
    }
    // Invoices of realistic rows until the file reaches its size.
    const QString text = QStringLiteral("Ringhiera in ferro battuto, verniciatura a polvere, posa in opera compresa");
    int invoice = 0;
    while (QFile(app().path(Database::kRelativePath)).size() < kMegabytes * 1000000LL) {
        Transaction tx;
        for (int n = 0; n < 100; ++n) {
            const QString num = QStringLiteral("%1/26").arg(++invoice);
            Database::exec(QStringLiteral("INSERT INTO Fatture (Num, IdAna, Data, Totale, Iva, Note) "
                                          "VALUES (?, 1, '2026-03-15', 1220.5, 22, ?)"),
                           {num, text});
            for (int r = 1; r <= 50; ++r)
                Database::exec(
                    QStringLiteral(
                        "INSERT INTO ContFatt (Num, Ord, Descrizione, Qta, Prezzo) VALUES (?, ?, ?, 2, 150.25)"),
                    {num, r, text});
        }
        tx.commit();
    }
    for (const char* name : {"Corvalisto.ini", "Printer.ini"}) {
        QFile f(app().path(QString::fromLatin1(name)));
        f.open(QIODevice::WriteOnly);
        f.write("10,\"Margine laterale stampe\"\r\n");
    }
    return QDir().mkpath(medium());
}

void backup()
{
    BackupRun run(medium());
    while (!run.done())
        if (const Backup::Outcome failed = run.copyNext()) {
            std::fprintf(stderr, "backup: %s\n", qPrintable(failed->text));
            std::exit(1);
        }
}

// The database file copied as it lies and flushed, as any copy to a medium must be.
void bareCopy()
{
    const std::string from = QFile::encodeName(app().path(Database::kRelativePath)).toStdString();
    const std::string to =
        QFile::encodeName(QDir(medium()).filePath(QStringLiteral("copia_semplice.mdb"))).toStdString();
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
    const int fd = ::open(to.c_str(), O_RDONLY);
    ::fsync(fd);
    ::close(fd);
}

void BM_Backup(benchmark::State& state)
{
    for (auto _ : state)
        backup();
    state.counters["db_MB"] = QFile(app().path(Database::kRelativePath)).size() / 1e6;
}

void BM_BareFileCopy(benchmark::State& state)
{
    for (auto _ : state)
        bareCopy();
}

BENCHMARK(BM_Backup)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareFileCopy)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication qapp(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    if (!buildDatabase())
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const double bare = medianMs(bareCopy, 5);
    const double ours = medianMs(backup, 5);
    const QString copy = QDir(medium()).filePath(QStringLiteral("istantanea.mdb"));
    const double snapshot = medianMs([&] { Database::copyTo(copy); }, 5);
    const double proven = medianMs([&] { Database::copyTo(copy, Database::Copy::Proven); }, 5);
    const double settings = medianMs([&] { Backup::copyStep(0, medium()), Backup::copyStep(1, medium()); }, 5);
    std::printf("\nbackup of a %.0f MB database: %.0f ms (settings files %.0f ms; database snapshot %.0f ms, read back "
                "and compared %.0f ms); bare file copy: %.0f ms; ratio %.2fx (target: within 1.5x)\n",
                QFile(app().path(Database::kRelativePath)).size() / 1e6, ours, settings, snapshot, proven, bare,
                ours / bare);
    Database::close();
    return 0;
}
