#include "data/folderlock.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

FolderLock::FolderLock(const QString& folder, Mode mode, int waitMs)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    const int how = (mode == Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
    constexpr int kStepMs = 20;
    for (int waited = 0;; waited += kStepMs) {
        if (::flock(fd, how) == 0) {
            m_fd = fd;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR)
            break;
        if (waited >= waitMs) {
            m_refused = true;
            break;
        }
        ::usleep(kStepMs * 1000);
    }
    ::close(fd);
}

FolderLock::~FolderLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}
