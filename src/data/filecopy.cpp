#include "data/filecopy.h"

#include <QFile>
#include <QFileInfo>
#include <QUuid>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace FileCopy {

QString temporaryNameFor(const QString& path)
{
    const QFileInfo info(path);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + u'.' +
           QUuid::createUuid().toString(QUuid::Id128) + QStringLiteral(".tmp");
}

int createLocked(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0)
        ::flock(fd, LOCK_EX | LOCK_NB);
    return fd;
}

bool copyBytes(int from, int to, qint64 size)
{
    off_t in = 0;
    off_t out = 0;
    while (in < size) {
        const ssize_t n = ::copy_file_range(from, &in, to, &out, size_t(size - in), 0);
        if (n > 0)
            continue;
        if (n == 0)
            return false;
        if (errno != EXDEV && errno != ENOSYS && errno != EOPNOTSUPP && errno != EINVAL)
            return false;
        char buffer[1 << 16];
        const ssize_t r = ::pread(from, buffer, sizeof buffer, in);
        if (r <= 0 || ::pwrite(to, buffer, size_t(r), out) != r)
            return false;
        in += r;
        out += r;
    }
    return true;
}

int syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int rc = (::fsync(fd) == 0 || errno == EINVAL) ? 0 : errno;
    ::close(fd);
    return rc;
}

} // namespace FileCopy
