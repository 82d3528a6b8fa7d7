#include "data/stagedfile.h"

#include <QFile>
#include <QFileInfo>
#include <QUuid>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace StagedFile {

QString temporaryNameFor(const QString& path)
{
    const QFileInfo info(path);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + u'.' +
           QUuid::createUuid().toString(QUuid::Id128) + QStringLiteral(".tmp");
}

int write(const QString& path, const QByteArray& content, Place place, bool shared)
{
    const QByteArray temp = QFile::encodeName(temporaryNameFor(path));
    const QByteArray target = QFile::encodeName(path);
    const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, shared ? 0644 : 0600);
    if (fd < 0)
        return errno;
    // Locked while it is written, so that a cleaning run leaves it alone.
    ::flock(fd, LOCK_EX | LOCK_NB);
    int err = 0;
    for (qsizetype done = 0; !err && done < content.size();) {
        const ssize_t n = ::write(fd, content.constData() + done, size_t(content.size() - done));
        if (n >= 0)
            done += n;
        else if (errno != EINTR)
            err = errno;
    }
    if (!err && ::fsync(fd) != 0)
        err = errno;
    if (!err) {
        if (place == Place::Replace) {
            if (::rename(temp.constData(), target.constData()) != 0)
                err = errno;
        } else if (::link(temp.constData(), target.constData()) != 0) {
            err = errno;
            // A medium without hard links (FAT): the name is taken only when still free.
            if (err != EEXIST && !QFileInfo::exists(path) && ::rename(temp.constData(), target.constData()) == 0)
                err = 0;
        }
    }
    ::unlink(temp.constData());
    ::close(fd);
    return err;
}

} // namespace StagedFile
