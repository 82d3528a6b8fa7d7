#include "data/database.h"
#include "data/migration.h"
#include "invoices/ddtinvoicecommand.h"
#include "invoices/einvoiceexport.h"
#include "invoices/invoiceledger.h"
#include "printing/pdfcommand.h"
#include "printing/ui/registerprint.h"
#include "shell/appstate.h"
#include "shell/backup.h"
#include "shell/commandargs.h"
#include "shell/demodata.h"
#include "shell/dialogs.h"
#include "shell/startup.h"
#include "shell/ui/form1.h"
#include "shell/ui/qtdialogs.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
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

// The commands open no window, so they must run where there is no display.
void useOffscreenForCommands(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if ((qstrcmp(argv[i], "pdf") == 0 || qstrcmp(argv[i], "xml") == 0 || qstrcmp(argv[i], "csv") == 0 ||
             qstrcmp(argv[i], "xlsx") == 0 || qstrcmp(argv[i], "fattura-da-ddt") == 0) &&
            qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace

int main(int argc, char** argv)
{
    useOffscreenForCommands(argc, argv);
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvalisto"));
    QApplication::setApplicationVersion(QStringLiteral(CORVALISTO_VERSION));
    // Messages repeat what was typed: escape sequences in it would reach the terminal.
    if (const QString refused = CommandArgs::controlli(QCoreApplication::arguments().mid(1)); !refused.isEmpty())
        return fail(refused);

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
    parser.addPositionalArgument(
        QStringLiteral("pdf"),
        QStringLiteral("pdf TIPO CHIAVE -o FILE: scrive un documento in PDF senza aprire finestre."),
        QStringLiteral("[pdf TIPO CHIAVE]"));
    parser.addPositionalArgument(QStringLiteral("xml"),
                                 QStringLiteral("xml fattura NUMERO -o FILE, xml anno ANNO -o CARTELLA: scrive le "
                                                "fatture elettroniche (FatturaPA) senza aprire finestre."),
                                 QStringLiteral("[xml fattura NUMERO | xml anno ANNO]"));
    parser.addPositionalArgument(
        QStringLiteral("init"), QStringLiteral("--database URL init: crea le tabelle in un database PostgreSQL vuoto."),
        QStringLiteral("[init]"));
    parser.addPositionalArgument(
        QStringLiteral("migrate"),
        QStringLiteral("--dir CARTELLA migrate --to URL: copia il database della cartella in un database PostgreSQL "
                       "vuoto."),
        QStringLiteral("[migrate --to URL]"));
    parser.addPositionalArgument(QStringLiteral("fattura-da-ddt"),
                                 QStringLiteral("fattura-da-ddt CLIENTE_ID --anno ANNO: mostra i DDT non ancora "
                                                "fatturati del cliente e le righe della fattura differita, senza "
                                                "scrivere nulla."),
                                 QStringLiteral("[fattura-da-ddt CLIENTE_ID]"));
    parser.addPositionalArgument(QStringLiteral("csv"),
                                 QStringLiteral("csv fatture ANNO -o FILE: scrive le fatture dell'anno per il "
                                                "commercialista (CSV)."),
                                 QStringLiteral("[csv fatture ANNO]"));
    parser.addPositionalArgument(QStringLiteral("xlsx"),
                                 QStringLiteral("xlsx fatture ANNO -o FILE: le stesse fatture in un foglio di Excel."),
                                 QStringLiteral("[xlsx fatture ANNO]"));
    const QCommandLineOption nuovoNomeOption(
        QStringLiteral("nuovo-nome"),
        QStringLiteral("Comando xml: un nuovo nome di file anche per le fatture già esportate (file scartati dal "
                       "Sistema di Interscambio)."));
    parser.addOption(nuovoNomeOption);
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
            command != QStringLiteral("xlsx") && command != daDdt)
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
        if (parser.isSet(nuovoNomeOption))
            args << QStringLiteral("--nuovo-nome");
        if (command == QStringLiteral("csv") || command == QStringLiteral("xlsx"))
            return InvoiceLedger::run(QStringList{command} + args, err);
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
        Database::close();
    }

    Form1 main;
    if (!main.load())
        return 0;
    main.show();
    return qapp.exec();
}
