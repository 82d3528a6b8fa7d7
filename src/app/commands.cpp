#include "app/commands.h"

#include "app/importcommand.h"
#include "data/database.h"
#include "data/migration.h"
#include "invoices/ddtinvoicecommand.h"
#include "invoices/einvoiceexport.h"
#include "invoices/invoiceledger.h"
#include "invoices/ribacommand.h"
#include "printing/pdfcommand.h"
#include "shell/appstate.h"
#include "shell/startup.h"

#include <QFileInfo>
#include <QTextStream>

namespace {

// The words of a paper command followed by the options it reads.
QStringList withOutput(QStringList args, const Commands::Options& o)
{
    if (o.output)
        args << QStringLiteral("-o") << *o.output;
    if (o.cliente)
        args << QStringLiteral("--cliente") << *o.cliente;
    if (o.nuovoNome)
        args << QStringLiteral("--nuovo-nome");
    return args;
}

int init(const QStringList&, const Commands::Options& o)
{
    if (o.server.isEmpty())
        return Commands::fail(QStringLiteral("Indicare il database da preparare con --database URL."));
    const Startup::OpenOutcome db = Startup::createDatabase({});
    if (!db.ok)
        return Commands::fail(db.message);
    QTextStream(stdout) << QStringLiteral("Tabelle create nel %1.").arg(Database::describeServer(o.server)) << Qt::endl;
    return 0;
}

int migrate(const QStringList&, const Commands::Options& o)
{
    if (o.from) {
        QTextStream out(stdout);
        QTextStream err(stderr);
        return ImportCommand::run(*o.from, out, err);
    }
    if (!o.to)
        return Commands::fail(QStringLiteral("Indicare il database di destinazione con --to URL."));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return Migration::run(app().path(Database::kRelativePath), *o.to, out, err);
}

int pdf(const QStringList& args, const Commands::Options& o)
{
    QTextStream err(stderr);
    return PdfCommand::run(withOutput(args, o), err);
}

int xml(const QStringList& args, const Commands::Options& o)
{
    QTextStream err(stderr);
    return EInvoiceExport::run(withOutput(args, o), err);
}

int csv(const QStringList& args, const Commands::Options& o)
{
    QTextStream err(stderr);
    return InvoiceLedger::run(QStringList{QStringLiteral("csv")} + withOutput(args, o), err);
}

int xlsx(const QStringList& args, const Commands::Options& o)
{
    QTextStream err(stderr);
    return InvoiceLedger::run(QStringList{QStringLiteral("xlsx")} + withOutput(args, o), err);
}

int fatturaDaDdt(QStringList args, const Commands::Options& o)
{
    if (o.anno)
        args << QStringLiteral("--anno") << *o.anno;
    QTextStream out(stdout);
    QTextStream err(stderr);
    return DdtInvoiceCommand::run(args, out, err);
}

int riba(QStringList args, const Commands::Options& o)
{
    if (o.da)
        args << QStringLiteral("--da") << *o.da;
    if (o.a)
        args << QStringLiteral("--a") << *o.a;
    QTextStream out(stdout);
    QTextStream err(stderr);
    return RibaCommand::run(withOutput(args, o), out, err);
}

// A command reads the folder as it stands: it creates nothing, not even the folder.
int openAsItStands(const Commands::Options& o)
{
    const QString workDir = app().workDir;
    if (!QFileInfo(workDir).isDir())
        return Commands::fail(QStringLiteral("La cartella di lavoro \"%1\" non esiste.").arg(workDir));
    Startup::loadSettings();
    if (o.server.isEmpty() && !QFileInfo::exists(app().path(Database::kRelativePath)))
        return Commands::fail(QStringLiteral("Database non trovato: \"%1\".").arg(app().path(Database::kRelativePath)));
    const Startup::OpenOutcome db = Startup::openDatabase(Startup::Creation::Never);
    if (!db.ok)
        return Commands::fail(db.message);
    return 0;
}

} // namespace

namespace Commands {

const std::vector<Command>& all()
{
    static const std::vector<Command> commands = {
        {QStringLiteral("pdf"), true, pdf},
        {QStringLiteral("xml"), true, xml},
        {QStringLiteral("init"), false, init},
        {QStringLiteral("migrate"), false, migrate},
        {QStringLiteral("fattura-da-ddt"), true, fatturaDaDdt},
        {QStringLiteral("csv"), true, csv},
        {QStringLiteral("xlsx"), true, xlsx},
        {QStringLiteral("riba"), true, riba},
    };
    return commands;
}

const Command* find(const QString& name)
{
    for (const Command& c : all())
        if (c.name == name)
            return &c;
    return nullptr;
}

void useOffscreen(int argc, char** argv)
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    static const QStringList asks = {QStringLiteral("-h"), QStringLiteral("--help"), QStringLiteral("-v"),
                                     QStringLiteral("--version")};
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (find(arg) || asks.contains(arg))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

int run(const QStringList& words, const Options& options)
{
    const Command* command = find(words.value(0));
    if (!command)
        return fail(QStringLiteral("Comando sconosciuto: %1").arg(words.value(0)));
    if (command->readsDatabase)
        if (const int refused = openAsItStands(options))
            return refused;
    return command->run(words.mid(1), options);
}

int fail(const QString& message)
{
    QTextStream(stderr) << message << Qt::endl;
    return 1;
}

} // namespace Commands
