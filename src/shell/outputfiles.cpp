#include "shell/outputfiles.h"

#include "data/database.h"
#include "shell/appstate.h"
#include "shell/startup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <sys/stat.h>

namespace {

bool statOf(const QString& path, struct stat* st)
{
    return ::stat(QFile::encodeName(path).constData(), st) == 0;
}

// The folder a name lives in, with links and ".." resolved; empty when it does not exist.
QString canonicalFolderOf(const QString& path)
{
    return QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath();
}

bool sameFolder(const QString& a, const QString& b)
{
    return !a.isEmpty() && a == QFileInfo(b).canonicalFilePath();
}

bool isProgramDataName(const QString& path)
{
    static const QRegularExpression copy(QStringLiteral(R"(^\.?Corvalisto_\d\d-\d\d-\d\d\.(mdb|dump))"));
    const QString folder = canonicalFolderOf(path);
    const QString name = QFileInfo(path).fileName();
    const QString dati = QFileInfo(app().path(Database::kRelativePath)).absolutePath();
    if (sameFolder(folder, dati))
        return true;
    if (sameFolder(folder, app().workDir) &&
        (copy.match(name).hasMatch() ||
         QStringList{QStringLiteral("Corvalisto.ini"), QStringLiteral("Printer.ini"), QStringLiteral("Database.ini")}
             .contains(name)))
        return true;
    return sameFolder(folder, Startup::backupFolder()) && copy.match(name).hasMatch();
}

QStringList existingProgramData()
{
    QStringList files;
    const QDir dati(QFileInfo(app().path(Database::kRelativePath)).absolutePath());
    for (const QString& f : dati.entryList(QDir::Files | QDir::Hidden | QDir::System))
        files << dati.filePath(f);
    for (const char* name : {"Corvalisto.ini", "Printer.ini", "Database.ini"})
        files << app().path(QString::fromLatin1(name));
    for (const QString& folder : {app().workDir, Startup::backupFolder()}) {
        const QDir dir(folder);
        for (const QString& f : dir.entryList({QStringLiteral("Corvalisto_*.mdb"), QStringLiteral("Corvalisto_*.dump")},
                                              QDir::Files | QDir::System))
            files << dir.filePath(f);
    }
    return files;
}

bool isProgramData(const QString& path, const struct stat* target)
{
    if (isProgramDataName(path))
        return true;
    if (!target)
        return false;
    // Another name of the same file: a hard link, or a path through a linked folder.
    for (const QString& f : existingProgramData()) {
        struct stat st;
        if (statOf(f, &st) && st.st_dev == target->st_dev && st.st_ino == target->st_ino)
            return true;
    }
    return false;
}

} // namespace

namespace OutputFiles {

QString resolved(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    return QFileInfo(info.absolutePath(), info.symLinkTarget()).absoluteFilePath();
}

QString refusal(const QString& path, const QByteArray& signature, const QString& kindName)
{
    return refusal(
        path, [&signature](QIODevice& file) { return file.read(signature.size()).startsWith(signature); }, kindName);
}

QString refusal(const QString& path, const std::function<bool(QIODevice&)>& ours, const QString& kindName)
{
    const QString target = resolved(path);
    struct stat st;
    const bool exists = statOf(target, &st);
    if (isProgramData(path, nullptr) || isProgramData(target, exists ? &st : nullptr))
        return QStringLiteral("è un file dei dati del programma (database, copie giornaliere o impostazioni): "
                              "scegliere un altro nome");
    if (QFileInfo(path).isSymLink() && !exists)
        return QStringLiteral("il collegamento non porta a un file esistente");
    if (!exists) {
        if (!QFileInfo(QFileInfo(target).absolutePath()).isDir())
            return QStringLiteral("la cartella non esiste");
        return {};
    }
    if (!S_ISREG(st.st_mode))
        return QStringLiteral("non è un file regolare");
    QFile file(target);
    if (!file.open(QIODevice::ReadOnly) || !ours(file))
        return QStringLiteral("il file esiste già e non è un %1: scegliere un altro nome").arg(kindName);
    return {};
}

} // namespace OutputFiles
