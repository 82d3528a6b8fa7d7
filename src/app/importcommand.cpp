#include "app/importcommand.h"

#include "data/database.h"
#include "app/accessimport.h"
#include "shell/appstate.h"
#include "shell/startup.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace ImportCommand {

int run(const QString& accessFile, QTextStream& out, QTextStream& err)
{
    if (!QFileInfo(accessFile).isFile()) {
        err << QStringLiteral("File non trovato: \"%1\".").arg(accessFile) << Qt::endl;
        return 1;
    }
    const bool onServer = !Startup::server().isEmpty();
    if (!onServer && !QDir().mkpath(app().workDir)) {
        err << QStringLiteral("Impossibile creare la cartella di lavoro \"%1\".").arg(app().workDir) << Qt::endl;
        return 1;
    }
    Startup::loadSettings();
    const Startup::OpenOutcome db =
        Startup::openDatabase(onServer ? Startup::Creation::Never : Startup::Creation::OnFirstStart);
    if (!db.ok) {
        err << db.message << Qt::endl;
        return 1;
    }
    const AccessImport::Outcome outcome = AccessImport::run(QFileInfo(accessFile).absoluteFilePath());
    Database::close();
    (outcome.ok ? out : err) << AccessImport::reportText(outcome);
    out.flush();
    err.flush();
    return outcome.ok ? 0 : 1;
}

} // namespace ImportCommand
