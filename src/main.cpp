#include "data/database.h"
#include "shell/appstate.h"
#include "shell/demodata.h"
#include "shell/dialogs.h"
#include "shell/startup.h"
#include "shell/ui/form1.h"
#include "shell/ui/qtdialogs.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
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

} // namespace

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvalisto"));
    QApplication::setApplicationVersion(QStringLiteral(CORVALISTO_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Gestionale per la carpenteria metallica"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dirOption(QStringLiteral("dir"), QStringLiteral("Cartella di lavoro (dati, impostazioni, immagini)."),
                                       QStringLiteral("CARTELLA"));
    const QCommandLineOption demoOption(QStringLiteral("demo"), QStringLiteral("Riempie una cartella nuova con dati di esempio."));
    parser.addOption(dirOption);
    parser.addOption(demoOption);
    parser.process(qapp);

    const QString workDir = QDir(parser.isSet(dirOption) ? parser.value(dirOption) : defaultWorkDir()).absolutePath();
    if (!QDir().mkpath(workDir))
        return fail(QStringLiteral("Impossibile creare la cartella di lavoro \"%1\".").arg(workDir));
    app().workDir = workDir;

    QtDialogs realDialogs;
    setDialogs(&realDialogs);

    if (parser.isSet(demoOption)) {
        if (!DemoData::folderIsEmpty(workDir))
            return fail(QStringLiteral("La cartella \"%1\" contiene già dei dati: i dati di esempio vanno in una cartella nuova.")
                            .arg(workDir));
        Startup::prepareWorkFolder();
        const Startup::OpenOutcome db = Startup::openDatabase();
        if (!db.ok)
            return fail(db.message);
        if (const auto err = DemoData::fill())
            return fail(err->title() + QStringLiteral(": ") + err->text);
    }

    Form1 main;
    if (!main.load())
        return 0;
    main.show();
    return qapp.exec();
}
