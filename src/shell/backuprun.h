#pragma once

#include "shell/backup.h"

// One backup into a folder, file after file: a failed file is tried again by the next call,
// and what was copied before it stays copied.
class BackupRun {
public:
    explicit BackupRun(QString folder, Backup::Copier copier = Backup::copyStep);

    bool done() const { return m_next == Backup::kSteps; }
    // The step the next call copies.
    int nextStep() const { return m_next; }
    // 0 before the first file, then the value reached by the last file copied.
    int progress() const { return m_next == 0 ? 0 : Backup::progressAfter(m_next - 1); }
    const QString& folder() const { return m_folder; }

    // Copies the next file; nothing moves on when it fails.
    Backup::Outcome copyNext();

private:
    QString m_folder;
    Backup::Copier m_copier;
    int m_next = 0;
};
