#include "app/builtinpapers.h"
#include "app/commands.h"
#include "app/demodata.h"
#include "app/ui/form1.h"
#include "app/ui/paperwindows.h"
#include "data/database.h"
#include "shell/appstate.h"
#include "shell/backup.h"
#include "shell/dialogs.h"
#include "shell/startup.h"
#include "shell/ui/qtdialogs.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

QString defaultWorkDir()
{
    const QByteArray env = qgetenv("CORVALISTO_DIR");
    if (!env.isEmpty())
        return QString::fromLocal8Bit(env);
    return QDir::home().filePath(QStringLiteral("Corvalisto"));
}

} // namespace

int main(int argc, char** argv)
{
    Commands::useOffscreen(argc, argv);
    QApplication qapp(argc, argv);
    BuiltinPapers::install();
    PaperWindows::install();
    QApplication::setApplicationName(QStringLiteral("Corvalisto"));
    QApplication::setApplicationVersion(QStringLiteral(CORVALISTO_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Gestionale per la carpenteria metallica"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dirOption(QStringLiteral("dir"),
                                       QStringLiteral("Cartella di lavoro (dati, impostazioni, immagini)."),
                                       QStringLiteral("CARTELLA"));
    const QCommandLineOption demoOption(QStringLiteral("demo"),
                                        QStringLiteral("Riempie una cartella nuova con dati di esempio."));
    const QCommandLineOption outputOption(
        QStringList{QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("File PDF o XML da scrivere (comandi pdf e xml), cartella per xml anno."),
        QStringLiteral("FILE"));
    const QCommandLineOption floppyOption(
        QStringLiteral("floppy"),
        QStringLiteral("Cartella del backup (menu Utility, Backup), al posto della chiavetta USB inserita."),
        QStringLiteral("CARTELLA"));
    const QCommandLineOption databaseOption(
        QStringLiteral("database"),
        QStringLiteral("Database PostgreSQL condiviso, postgresql://utente@server:porta/nome (la password da "
                       "~/.pgpass o PGPASSWORD), al posto del file in Dati."),
        QStringLiteral("URL"));
    const QCommandLineOption toOption(
        QStringLiteral("to"), QStringLiteral("Database PostgreSQL vuoto in cui copiare i dati (comando migrate)."),
        QStringLiteral("URL"));
    const QCommandLineOption annoOption(QStringLiteral("anno"),
                                        QStringLiteral("Anno dei DDT da fatturare (comando fattura-da-ddt)."),
                                        QStringLiteral("ANNO"));
    parser.addOption(dirOption);
    parser.addOption(databaseOption);
    parser.addOption(toOption);
    parser.addOption(demoOption);
    parser.addOption(floppyOption);
    parser.addOption(outputOption);
    parser.addOption(annoOption);
    const QCommandLineOption clienteOption(QStringLiteral("cliente"),
                                           QStringLiteral("Solo il cliente di questo codice (registri e csv)."),
                                           QStringLiteral("ID"));
    parser.addOption(clienteOption);
    for (const Commands::Command& c : Commands::all())
        parser.addPositionalArgument(c.name, c.description, c.syntax);
    parser.process(qapp);

    const QString workDir = QDir(parser.isSet(dirOption) ? parser.value(dirOption) : defaultWorkDir()).absolutePath();
    app().workDir = workDir;
    if (parser.isSet(floppyOption))
        Backup::setFolderOption(QDir(parser.value(floppyOption)).absolutePath());

    QtDialogs realDialogs;
    setDialogs(&realDialogs);

    const QString server = Database::chooseServer(parser.value(databaseOption), workDir);
    Startup::useServer(server);
    const QStringList positional = parser.positionalArguments();
    if (!positional.isEmpty()) {
        const auto given = [&parser](const QCommandLineOption& o) {
            return parser.isSet(o) ? std::optional<QString>(parser.value(o)) : std::nullopt;
        };
        return Commands::run(positional,
                             {given(outputOption), given(clienteOption), given(annoOption), given(toOption), server});
    }

    if ((server.isEmpty() || parser.isSet(demoOption)) && !QDir().mkpath(workDir))
        return Commands::fail(QStringLiteral("Impossibile creare la cartella di lavoro \"%1\".").arg(workDir));
    if (parser.isSet(demoOption)) {
        const QString refused =
            QStringLiteral("La cartella \"%1\" contiene già dei dati: i dati di esempio vanno in una cartella nuova.")
                .arg(workDir);
        if (server.isEmpty() && !DemoData::folderIsEmpty(workDir))
            return Commands::fail(refused);
        // The database appears whole, demo data included, or not at all: of two runs on the
        // same new folder only one can place it.
        const Startup::OpenOutcome db = Startup::createDatabase(DemoData::fill);
        if (!db.ok)
            return Commands::fail(QFileInfo::exists(app().path(Database::kRelativePath)) ? refused : db.message);
        Database::close();
    }

    Form1 main;
    if (!main.load())
        return 0;
    main.show();
    return qapp.exec();
}
