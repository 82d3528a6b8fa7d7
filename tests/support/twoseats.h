#pragma once

#include "data/database.h"
#include "workdir.h"

#include <QString>
#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

// Two workstations saving at once: `save(i)` for i = 0 .. count-1 on this thread and, at the
// same moment, on another thread with a connection of its own. A save the database kept busy
// past its wait is tried again, as a user would. Returns how many saves were refused as
// duplicates (DbError::Duplicate, "esistente" in the text); any other error fails the test.
inline int savedByTwoSeats(int count, const std::function<DbStatus(int)>& save)
{
    std::atomic<int> duplicates{0};
    std::atomic<bool> ready{false};
    std::atomic<bool> go{false};
    QString failures[2];
    const auto seat = [&](int n) {
        for (int i = 0; i < count && failures[n].isEmpty(); ++i) {
            for (int tries = 0;; ++tries) {
                const DbStatus err = save(i);
                if (!err)
                    break;
                if (err->number == DbError::Duplicate && err->text.contains(QStringLiteral("esistente"))) {
                    ++duplicates;
                    break;
                }
                // Not started: the write lock was not had within the wait, on a machine slowed by other work.
                const bool busy = err->number == 5 || err->number == 6 || err->number == Database::InUse ||
                                  err->number == DbError::NotStarted;
                if (!busy || tries == 10) {
                    failures[n] = QString::number(err->number) + u' ' + err->text;
                    break;
                }
            }
        }
    };
    std::thread other([&] {
        const bool opened = TestWorkDir::openInThisThread();
        if (!opened)
            failures[1] = QStringLiteral("seconda postazione non aperta");
        ready = true;
        while (!go)
            std::this_thread::yield();
        if (opened) {
            seat(1);
            Database::close();
        }
    });
    while (!ready)
        std::this_thread::yield();
    go = true;
    seat(0);
    other.join();
    EXPECT_TRUE(failures[0].isEmpty() && failures[1].isEmpty())
        << failures[0].toStdString() << " / " << failures[1].toStdString();
    return duplicates;
}
