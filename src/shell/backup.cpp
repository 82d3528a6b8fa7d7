#include "shell/backup.h"

#include "data/database.h"
#include "data/filecopy.h"
#include "shell/appstate.h"
#include "shell/runtimeerrors.h"
#include "shell/settingsfiles.h"
#include "shell/startup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStorageInfo>
#include <cerrno>
#include <fcntl.h>
#include <pwd.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString g_folderOption;

constexpr int kIoError = 57;
constexpr int kPathError = 75;

Backup::Failure runtime(int code)
{
    return {code, RuntimeErrors::text(code)};
}

// A failure on the medium, from the system's error number.
Backup::Failure targetFailure(int err)
{
    switch (err) {
    case EACCES:
    case EPERM:
    case EROFS:
        return runtime(RuntimeErrors::PermissionDenied);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return runtime(RuntimeErrors::DiskFull);
    case ENOENT:
    case ENOTDIR:
    case ENODEV:
    case ENXIO:
        return runtime(RuntimeErrors::DiskNotReady);
    case EIO:
        return {kIoError, QStringLiteral("Errore di I/O su periferica")};
    default:
        return {kPathError, QStringLiteral("Errore di accesso al percorso/file")};
    }
}

// A failure reading a file of the working folder.
Backup::Failure sourceFailure(int err)
{
    if (err == ENOENT)
        return runtime(RuntimeErrors::FileNotFound);
    return {kPathError, QStringLiteral("Errore di accesso al percorso/file")};
}

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

bool writeAll(int fd, const QByteArray& data)
{
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.constData() + done, static_cast<size_t>(data.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += n;
    }
    return true;
}

// The database copy reports SQLite's codes; the user is told about the medium instead.
Backup::Failure databaseFailure(const DbError& error, const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return runtime(RuntimeErrors::DiskNotReady);
    if (::access(native(folder).constData(), W_OK) != 0 && (errno == EROFS || errno == EACCES))
        return runtime(RuntimeErrors::PermissionDenied);
    switch (error.number & 0xff) {
    case SQLITE_FULL:
        return runtime(RuntimeErrors::DiskFull);
    case SQLITE_IOERR:
        return {kIoError, QStringLiteral("Errore di I/O su periferica")};
    default:
        return {error.number, error.text};
    }
}

} // namespace

namespace Backup {

QString source(int step)
{
    switch (step) {
    case 0:
        return app().path(SettingsFiles::kIniFile);
    case 1:
        return app().path(SettingsFiles::kPrinterFile);
    default:
        return app().path(Database::kRelativePath);
    }
}

QString fileName(int step)
{
    switch (step) {
    case 0:
        return SettingsFiles::kIniFile;
    case 1:
        return SettingsFiles::kPrinterFile;
    default:
        // On the server, its dump as the daily copy writes it.
        return Database::serverUrl().isEmpty() ? QStringLiteral("Corvalisto.mdb") : QStringLiteral("Corvalisto.dump");
    }
}

int progressAfter(int step)
{
    static const int kProgress[kSteps] = {33, 66, 100};
    return kProgress[step];
}

void setFolderOption(const QString& folder)
{
    g_folderOption = folder;
}

QString pickRemovable(const QList<Volume>& volumes, const QString& user)
{
    if (user.isEmpty())
        return QString();
    const QStringList parents = {QStringLiteral("/media/") + user + u'/', QStringLiteral("/run/media/") + user + u'/'};
    for (const Volume& v : volumes) {
        if (!v.ready)
            continue;
        for (const QString& parent : parents)
            if (v.root.startsWith(parent) && v.root.size() > parent.size())
                return v.root;
    }
    return QString();
}

QString targetFolder()
{
    if (!g_folderOption.isEmpty())
        return g_folderOption;
    const QString env = qEnvironmentVariable("CORVALISTO_FLOPPY");
    if (!env.isEmpty())
        return env;
    QList<Volume> volumes;
    for (const QStorageInfo& s : QStorageInfo::mountedVolumes())
        volumes.append({s.rootPath(), s.isValid() && s.isReady()});
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) {
        if (const passwd* pw = ::getpwuid(::getuid()))
            user = QString::fromLocal8Bit(pw->pw_name);
    }
    return pickRemovable(volumes, user);
}

Outcome checkMedium(const QString& folder, bool* earlierBackup)
{
    *earlierBackup = false;
    struct stat st {};
    if (folder.isEmpty() || ::stat(native(folder).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return runtime(RuntimeErrors::BadFileName);
    if (::stat(native(QDir(folder).filePath(fileName(2))).constData(), &st) == 0) {
        *earlierBackup = true;
        return std::nullopt;
    }
    if (errno == ENOENT)
        return std::nullopt;
    return targetFailure(errno);
}

Outcome copyFile(const QString& source, const QString& destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return sourceFailure(QFileInfo::exists(source) ? EACCES : ENOENT);
    const QByteArray content = in.readAll();
    in.close();

    const QString temp = FileCopy::temporaryNameFor(destination);
    const int fd = FileCopy::createLocked(temp);
    if (fd < 0)
        return targetFailure(errno);
    int err = 0;
    if (!writeAll(fd, content) || ::fsync(fd) != 0 ||
        ::rename(native(temp).constData(), native(destination).constData()) != 0)
        err = errno;
    if (err) {
        ::unlink(native(temp).constData());
        ::close(fd);
        return targetFailure(err);
    }
    ::close(fd);
    if (const int e = FileCopy::syncFolder(QFileInfo(destination).absolutePath()))
        return targetFailure(e);
    return std::nullopt;
}

Outcome copyDatabase(const QString& destination)
{
    const QString folder = QFileInfo(destination).absolutePath();
    if (!QFileInfo(folder).isDir())
        return runtime(RuntimeErrors::DiskNotReady);
    if (::access(native(folder).constData(), W_OK) != 0 && (errno == EROFS || errno == EACCES))
        return runtime(RuntimeErrors::PermissionDenied);
    // The copy is proven under its temporary name: an earlier backup is only replaced by a copy
    // known to be good. pg_dump's copy stands only once pg_dump has ended well.
    const DbStatus err = Database::serverUrl().isEmpty() ? Database::copyTo(destination, Database::Copy::Proven)
                                                         : Startup::dumpServer(destination, true);
    if (err)
        return databaseFailure(*err, folder);
    if (const int e = FileCopy::syncFolder(folder))
        return targetFailure(e);
    return std::nullopt;
}

void removeLeftovers(const QString& folder)
{
    // The second suffix is left by earlier versions, which staged the database copy twice.
    static const QRegularExpression name(QStringLiteral(
        R"(^\.+(Corvalisto\.mdb|Corvalisto\.dump|Corvalisto\.ini|Printer\.ini)\.[0-9a-f]{32}\.tmp(\.[0-9a-f]{32}\.tmp)?$)"));
    const QDir dir(folder);
    for (const QString& f : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!name.match(f).hasMatch())
            continue;
        const QByteArray path = native(dir.filePath(f));
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        // One being written is locked by its writer.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
        ::close(fd);
    }
}

Outcome copyStep(int step, const QString& folder)
{
    removeLeftovers(folder);
    const QString destination = QDir(folder).filePath(fileName(step));
    if (step == kSteps - 1)
        return copyDatabase(destination);
    return copyFile(source(step), destination);
}

QString message(const Failure& failure)
{
    if (failure.number == RuntimeErrors::PermissionDenied)
        return QStringLiteral("Disco protetto");
    return failure.text;
}

} // namespace Backup
