#include "app/builtinpapers.h"
#include "app/commands.h"
#include "app/demodata.h"
#include "app/ui/form1.h"
#include "app/ui/paperwindows.h"
#include "app/usage.h"
#include "data/database.h"
#include "shell/appstate.h"
#include "shell/backup.h"
#include "shell/commandargs.h"
#include "shell/dialogs.h"
#include "shell/startup.h"
#include "shell/ui/qtdialogs.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
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
    // Messages repeat what was typed: escape sequences in it would reach the terminal.
    if (const QString refused = CommandArgs::controlli(QCoreApplication::arguments().mid(1)); !refused.isEmpty())
        return Commands::fail(refused);

    // The menu entry and icon the package installs; a build folder run has no themed icon.
    QApplication::setDesktopFileName(QStringLiteral("corvalisto"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("corvalisto")));

    // Options are only parsed here; their help is Usage's.
    QCommandLineParser parser;
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption versionOption(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption dirOption(QStringLiteral("dir"), QString(), QStringLiteral("CARTELLA"));
    const QCommandLineOption demoOption(QStringLiteral("demo"));
    const QCommandLineOption outputOption(QStringList{QStringLiteral("o"), QStringLiteral("output")}, QString(),
                                          QStringLiteral("FILE"));
    const QCommandLineOption floppyOption(QStringLiteral("floppy"), QString(), QStringLiteral("CARTELLA"));
    const QCommandLineOption databaseOption(QStringLiteral("database"), QString(), QStringLiteral("URL"));
    const QCommandLineOption toOption(QStringLiteral("to"), QString(), QStringLiteral("URL"));
    const QCommandLineOption fromOption(QStringLiteral("from"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption annoOption(QStringLiteral("anno"), QString(), QStringLiteral("ANNO"));
    const QCommandLineOption clienteOption(QStringLiteral("cliente"), QString(), QStringLiteral("ID"));
    const QCommandLineOption nuovoNomeOption(QStringLiteral("nuovo-nome"));
    const QCommandLineOption daOption(QStringLiteral("da"), QString(), QStringLiteral("DATA"));
    const QCommandLineOption aOption(QStringLiteral("a"), QString(), QStringLiteral("DATA"));
    parser.addOptions({helpOption, versionOption, dirOption, databaseOption, toOption, fromOption, demoOption,
                       floppyOption, outputOption, annoOption, clienteOption, nuovoNomeOption, daOption, aOption});
    if (!parser.parse(QApplication::arguments())) {
        const QString unknown = parser.unknownOptionNames().value(0);
        const QString mistake =
            unknown.isEmpty() ? QStringLiteral("Manca il valore di un'opzione.")
                              : QStringLiteral("Opzione sconosciuta: %1%2")
                                    .arg(unknown.size() > 1 ? QStringLiteral("--") : QStringLiteral("-"), unknown);
        return Commands::fail(mistake + QStringLiteral("\nL'elenco delle opzioni: corvalisto --help"));
    }
    if (parser.isSet(helpOption)) {
        QTextStream(stdout) << Usage::helpText();
        return 0;
    }
    if (parser.isSet(versionOption)) {
        QTextStream(stdout) << QStringLiteral("Corvalisto %1").arg(QStringLiteral(CORVALISTO_VERSION)) << Qt::endl;
        return 0;
    }

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
        return Commands::run(positional, {given(outputOption), given(clienteOption), given(annoOption), given(toOption),
                                          given(fromOption), server, parser.isSet(nuovoNomeOption), given(daOption),
                                          given(aOption)});
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
        // Earlier days' copies, for the restore to list; the demo goes on without them.
        DemoData::writeEarlierCopies(QDate::currentDate());
        Database::close();
    }

    Form1 main;
    if (!main.load())
        return 0;
    main.show();
    return qapp.exec();
}
