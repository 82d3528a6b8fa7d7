#include "data/database.h"
#include "data/migration.h"
#include "invoices/ddtinvoicecommand.h"
#include "invoices/einvoiceexport.h"
#include "invoices/invoiceledger.h"
#include "printing/pdfcommand.h"
#include "printing/ui/registerprint.h"
#include "shell/appstate.h"
#include "shell/backup.h"
#include "shell/demodata.h"
#include "shell/dialogs.h"
#include "shell/importcommand.h"
#include "shell/startup.h"
#include "shell/ui/form1.h"
#include "shell/ui/qtdialogs.h"
#include "shell/usage.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QTextStream>
#include <cstdlib>

namespace {

QString defaultWorkDir()
{
    const QByteArray env = qgetenv("CORVALISTO_DIR");
    if (!env.isEmpty())
        return QString::fromLocal8Bit(env);
    return QDir::home().filePath(QStringLiteral("Corvalisto"));
}

int fail(const QString& message)
{
    QTextStream(stderr) << message << Qt::endl;
    return 1;
}

// The commands, the help and the version open no window, so they must run where there is no display.
void useOffscreenForCommands(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (Usage::opensNoWindow(argv[i]) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace

int main(int argc, char** argv)
{
    useOffscreenForCommands(argc, argv);
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvalisto"));
    QApplication::setApplicationVersion(QStringLiteral(CORVALISTO_VERSION));

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
    parser.addOptions({helpOption, versionOption, dirOption, databaseOption, toOption, fromOption, demoOption, floppyOption,
                       outputOption, annoOption, clienteOption});
    if (!parser.parse(QApplication::arguments())) {
        const QString unknown = parser.unknownOptionNames().value(0);
        const QString mistake =
            unknown.isEmpty() ? QStringLiteral("Manca il valore di un'opzione.")
                              : QStringLiteral("Opzione sconosciuta: %1%2")
                                    .arg(unknown.size() > 1 ? QStringLiteral("--") : QStringLiteral("-"), unknown);
        return fail(mistake + QStringLiteral("\nL'elenco delle opzioni: corvalisto --help"));
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
    if (positional.value(0) == QStringLiteral("init")) {
        if (server.isEmpty())
            return fail(QStringLiteral("Indicare il database da preparare con --database URL."));
        const Startup::OpenOutcome db = Startup::createDatabase({});
        if (!db.ok)
            return fail(db.message);
        QTextStream(stdout) << QStringLiteral("Tabelle create nel %1.").arg(Database::describeServer(server))
                            << Qt::endl;
        return 0;
    }
    if (positional.value(0) == QStringLiteral("migrate")) {
        if (parser.isSet(fromOption)) {
            QTextStream out(stdout);
            QTextStream err(stderr);
            return ImportCommand::run(parser.value(fromOption), out, err);
        }
        if (!parser.isSet(toOption))
            return fail(QStringLiteral("Indicare il database di destinazione con --to URL."));
        QTextStream out(stdout);
        QTextStream err(stderr);
        return Migration::run(app().path(Database::kRelativePath), parser.value(toOption), out, err);
    }
    if (!positional.isEmpty()) {
        const QString command = positional.first();
        const QString daDdt = QStringLiteral("fattura-da-ddt");
        if (command != QStringLiteral("pdf") && command != QStringLiteral("xml") && command != QStringLiteral("csv") &&
            command != daDdt)
            return fail(QStringLiteral("Comando sconosciuto: %1").arg(positional.first()));
        // A command reads the folder as it stands: it creates nothing, not even the folder.
        if (!QFileInfo(workDir).isDir())
            return fail(QStringLiteral("La cartella di lavoro \"%1\" non esiste.").arg(workDir));
        Startup::loadSettings();
        if (server.isEmpty() && !QFileInfo::exists(app().path(Database::kRelativePath)))
            return fail(QStringLiteral("Database non trovato: \"%1\".").arg(app().path(Database::kRelativePath)));
        const Startup::OpenOutcome db = Startup::openDatabase(Startup::Creation::Never);
        if (!db.ok)
            return fail(db.message);
        QStringList args = positional.mid(1);
        QTextStream err(stderr);
        if (command == daDdt) {
            if (parser.isSet(annoOption))
                args << QStringLiteral("--anno") << parser.value(annoOption);
            QTextStream out(stdout);
            return DdtInvoiceCommand::run(args, out, err);
        }
        if (parser.isSet(outputOption))
            args << QStringLiteral("-o") << parser.value(outputOption);
        if (parser.isSet(clienteOption))
            args << QStringLiteral("--cliente") << parser.value(clienteOption);
        if (command == QStringLiteral("csv"))
            return InvoiceLedger::run(args, err);
        RegisterPrint::registerPdfKinds();
        return command == QStringLiteral("xml") ? EInvoiceExport::run(args, err) : PdfCommand::run(args, err);
    }

    if ((server.isEmpty() || parser.isSet(demoOption)) && !QDir().mkpath(workDir))
        return fail(QStringLiteral("Impossibile creare la cartella di lavoro \"%1\".").arg(workDir));
    if (parser.isSet(demoOption)) {
        const QString refused =
            QStringLiteral("La cartella \"%1\" contiene già dei dati: i dati di esempio vanno in una cartella nuova.")
                .arg(workDir);
        if (server.isEmpty() && !DemoData::folderIsEmpty(workDir))
            return fail(refused);
        // The database appears whole, demo data included, or not at all: of two runs on the
        // same new folder only one can place it.
        const Startup::OpenOutcome db = Startup::createDatabase(DemoData::fill);
        if (!db.ok)
            return fail(QFileInfo::exists(app().path(Database::kRelativePath)) ? refused : db.message);
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
