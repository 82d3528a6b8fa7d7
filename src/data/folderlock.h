#pragma once

#include <QString>

// A lock on the database's folder. Every program that has the database open holds it shared;
// putting another file in the database's place takes it alone, so that no program goes on
// writing into a file that is no longer the database.
class FolderLock {
public:
    enum Mode { Shared, Exclusive };
    // Waits up to `waitMs` for a conflicting holder to let go; held() says whether it got it.
    FolderLock(const QString& folder, Mode mode, int waitMs = 0);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool held() const { return m_fd >= 0; }
    // Another program holds it the conflicting way (a folder that cannot be opened is not locked,
    // but not refused either).
    bool refused() const { return m_refused; }

private:
    int m_fd = -1;
    bool m_refused = false;
};
