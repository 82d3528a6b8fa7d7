// Start-up of the program on a database of about 100 MB (settings, database open and checked,
// daily copy, main window built), beside its bare steps: the engine's quick and full checks
// and a plain copy of the same file.
#include "shell/startup.h"
#include "app/ui/form1.h"
#include "data/database.h"
#include "shell/appstate.h"
#include "shell/dialogs.h"
#include "shell/ui/qtdialogs.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <sqlite3.h>
#include <unistd.h>

namespace {

QTemporaryDir* g_dir = nullptr;

void buildDatabase()
{
    app().workDir = g_dir->path();
    Database::create(app().path(Database::kRelativePath));
    Transaction tx;
    for (int i = 1; i <= 50000; ++i) {
        const int year = 2020 + i % 6;
        const QString num = QStringLiteral("%1/%2").arg(i).arg(year % 100);
        Database::exec(
            QStringLiteral("INSERT INTO Fatture (Num, IdAna, Data, Totale, Iva, Note) VALUES (?, ?, ?, ?, 22, ?)"),
            {num, i % 300 + 1, QStringLiteral("%1-03-15").arg(year), 1220.5, QStringLiteral("Consegna in cantiere")});
        for (int r = 1; r <= 20; ++r)
            Database::exec(
                QStringLiteral("INSERT INTO ContFatt (Num, Ord, Descrizione, Qta, Prezzo) VALUES (?, ?, ?, 2, 150.25)"),
                {num, r, QStringLiteral("Ringhiera in ferro battuto, verniciatura a polvere")});
    }
    tx.commit();
    Database::close();
    QDir().mkpath(app().path(QStringLiteral("copie")));
    QFile f(app().path(QStringLiteral("Corvalisto.ini")));
    f.open(QIODevice::WriteOnly);
    f.write("10,\"Margine laterale stampe\"\r\n#TRUE#,\"Logo a colori\"\r\n#FALSE#,\"Secondario\"\r\n"
            "\"copie\",\"Percorso backup\"\r\n");
}

void BM_Startup(benchmark::State& state)
{
    QtDialogs dialogsImpl;
    setDialogs(&dialogsImpl);
    for (auto _ : state) {
        app() = AppState();
        app().workDir = g_dir->path();
        Form1 w;
        if (!w.load())
            state.SkipWithError("start-up failed");
        Database::close();
    }
    state.counters["db_MB"] = QFile(app().path(Database::kRelativePath)).size() / 1e6;
}

void BM_BareFileCopy(benchmark::State& state)
{
    const std::string from = QFile::encodeName(QDir(g_dir->path()).filePath(Database::kRelativePath)).toStdString();
    const std::string to =
        QFile::encodeName(QDir(g_dir->path()).filePath(QStringLiteral("copia_semplice.mdb"))).toStdString();
    for (auto _ : state)
        std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
}

// The same copy made durable, as the daily copy is.
void BM_BareFileCopySynced(benchmark::State& state)
{
    const QString from = QDir(g_dir->path()).filePath(Database::kRelativePath);
    const QString to = QDir(g_dir->path()).filePath(QStringLiteral("copia_semplice.mdb"));
    for (auto _ : state) {
        std::filesystem::copy_file(QFile::encodeName(from).toStdString(), QFile::encodeName(to).toStdString(),
                                   std::filesystem::copy_options::overwrite_existing);
        QFile f(to);
        f.open(QIODevice::ReadWrite);
        ::fsync(f.handle());
    }
}

// The check and the copy as start-up makes them, without the window.
void BM_CheckAndCopy(benchmark::State& state)
{
    app() = AppState();
    app().workDir = g_dir->path();
    for (auto _ : state) {
        if (Database::open(app().path(Database::kRelativePath)))
            state.SkipWithError("check failed");
        Startup::copiaGiornaliera(QDate::currentDate());
        Database::close();
    }
}

void BM_BareQuickCheck(benchmark::State& state)
{
    const QByteArray file = QFile::encodeName(QDir(g_dir->path()).filePath(Database::kRelativePath));
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_exec(db, "PRAGMA quick_check", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
}

// The full check start-up makes: it also sees a table that disagrees with its index.
void BM_BareIntegrityCheck(benchmark::State& state)
{
    const QByteArray file = QFile::encodeName(QDir(g_dir->path()).filePath(Database::kRelativePath));
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_exec(db, "PRAGMA integrity_check(1)", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
}

BENCHMARK(BM_Startup)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckAndCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareQuickCheck)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareIntegrityCheck)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareFileCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareFileCopySynced)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    buildDatabase();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
