#pragma once

#include "data/dberror.h"
#include "shell/backup.h"
#include "shell/datacounts.h"

#include <QDate>
#include <QList>
#include <QString>

class QWidget;

// Putting a copy of the database back in place: a daily copy or the backup on the medium.
namespace Restore {

// A copy the user may restore.
struct Copy {
    QString path;
    // The day its data come from.
    QDate day;
    // Why it cannot be restored; empty when it passes the database check.
    DbStatus problem;
};

// The daily copies of the backup folder, newest first, each checked.
QList<Copy> dailyCopies();
// The database of a backup on the medium in `folder`, checked, dated by its writing.
Copy mediumCopy(const QString& folder);
// The day in a daily copy's name ("Corvalisto_06-12-26.mdb" gives 6 December 2026).
QDate dayOf(const QString& dailyCopy);

// The question before a restore: the copy's date and what it holds beside the data in use.
QString question(const Copy& copy, const std::optional<DataCounts>& inCopy, const std::optional<DataCounts>& inUse);
// What the user is told once the data come from the copy of `day`.
QString restoredMessage(const QDate& day, const QString& kept);

struct Outcome {
    bool ok = false;
    // Why it failed; nothing was changed then.
    QString message;
    // Where the database that was in place is kept; empty when there was none.
    QString kept;
};
// Checks `copy`, copies it beside the database and checks that copy, keeps the file in place
// under a dated name, then renames the checked copy onto the database's name under the folder's
// lock, and opens it. Killed at any moment, the database's name holds either the old file or the
// restored one, whole. Refused, with nothing changed, while another program has the database open.
Outcome restore(const QString& copy);

// Whether the backup in `folder` holds settings files.
bool hasSettings(const QString& folder);
// Puts the settings files of the backup in `folder` in place of the working folder's, each one
// whole, and reads them again.
Backup::Outcome settingsFrom(const QString& folder);

// At start, after `failure` stopped the opening: when the database is damaged, missing or foreign
// and a daily copy passes the check, offers to restore it. True when the program can go on, on
// the restored data.
bool offerAtStart(QWidget* parent, const QString& failure);

// The day's copy, as at every start, except that a restore made that day never replaces it.
void dailyCopy(const QDate& day);

// On the server a dump is restored by the database administrator: the steps to follow.
QString serverAdvice();

} // namespace Restore
