#include "shell/backuprun.h"

#include <utility>

BackupRun::BackupRun(QString folder, Backup::Copier copier) : m_folder(std::move(folder)), m_copier(std::move(copier))
{
}

Backup::Outcome BackupRun::copyNext()
{
    if (done())
        return std::nullopt;
    if (Backup::Outcome failed = m_copier(m_next, m_folder))
        return failed;
    ++m_next;
    return std::nullopt;
}
