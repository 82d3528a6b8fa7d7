#include "shell/startup.h"

#include "data/database.h"
#include "resources/shippedpictures.h"
#include "shell/appstate.h"
#include "shell/settingsfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

QString backupFolder()
{
    const QString folder = app().percorsoBackup.trimmed();
    if (folder.isEmpty())
        return app().workDir;
    return QDir(app().workDir).absoluteFilePath(folder);
}

} // namespace

namespace Startup {

void loadSettings()
{
    SettingsFiles::ini(QStringLiteral("carica"));
    SettingsFiles::printerIni(QStringLiteral("carica"));
    app().stampantePdf = QStringLiteral("CutePDF Writer");
}

bool updatePending()
{
    return !QFileInfo::exists(app().path(Database::kRelativePath)) &&
           QFileInfo::exists(app().path(Database::kUpdateMarker));
}

void prepareWorkFolder()
{
    QDir().mkpath(app().path(QStringLiteral("Dati")));
    ShippedPictures::writeMissing(app().path(QStringLiteral("Img")));
}

OpenOutcome openDatabase()
{
    const QString file = app().path(Database::kRelativePath);
    const auto err = Database::open(file);
    if (!err)
        return {true, {}};
    QString message = QStringLiteral("Impossibile aprire il database \"%1\": il file è danneggiato o non è un "
                                     "database di Corvalisto.\n\n(%2)")
                          .arg(QDir::toNativeSeparators(file), err->text);
    const QString copy = newestDailyCopy();
    if (!copy.isEmpty())
        message += QStringLiteral("\n\nLa copia giornaliera più recente è \"%1\": chiudere il programma e sostituire "
                                  "il file con questa copia.")
                       .arg(QDir::toNativeSeparators(copy));
    return {false, message};
}

QString dailyCopyPath(const QDate& day)
{
    return QDir(backupFolder())
        .filePath(QStringLiteral("Corvalisto_") + day.toString(QStringLiteral("dd-MM-yy")) + QStringLiteral(".mdb"));
}

void copiaGiornaliera(const QDate& day)
{
    if (!Database::isOpen())
        return;
    Database::copyTo(dailyCopyPath(day));
}

QString newestDailyCopy()
{
    static const QRegularExpression name(QStringLiteral(R"(^Corvalisto_(\d\d)-(\d\d)-(\d\d)\.mdb$)"));
    QString best;
    QDate bestDate;
    const QDir dir(backupFolder());
    for (const QString& f : dir.entryList({QStringLiteral("Corvalisto_*.mdb")}, QDir::Files)) {
        const auto m = name.match(f);
        if (!m.hasMatch())
            continue;
        const QDate d(2000 + m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
        if (d.isValid() && (!bestDate.isValid() || d > bestDate)) {
            bestDate = d;
            best = dir.filePath(f);
        }
    }
    return best;
}

} // namespace Startup
