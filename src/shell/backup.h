#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <optional>

// The backup of the database and the two settings files to a removable medium, the
// "floppy" of the menu.
namespace Backup {

// Why a step failed: a classic run-time error number with its text.
struct Failure {
    int number = 0;
    QString text;
};
using Outcome = std::optional<Failure>;

// The three files, in the order they are copied.
constexpr int kSteps = 3;
// The file in the working folder copied by a step.
QString source(int step);
// Its name on the medium: the database is "Corvalisto.mdb", or "Corvalisto.dump" on the server.
QString fileName(int step);
// Where the progress bar stands once the step is done: 33, 66, 100.
int progressAfter(int step);

// The folder given with --floppy; it wins over the environment and the mounted media.
void setFolderOption(const QString& folder);

// A mounted volume, as far as the search for a medium is concerned.
struct Volume {
    QString root;
    bool ready = true;
};
// The first volume mounted for `user` under /media/USER or /run/media/USER; empty when none.
QString pickRemovable(const QList<Volume>& volumes, const QString& user);

// Where the backup goes: --floppy, else $CORVALISTO_FLOPPY, else the first removable medium
// mounted for the user. Empty when there is none.
QString targetFolder();

// Looks at the medium: whether it holds an earlier backup (its database). No medium, or a
// folder that does not exist, is error 52, as a drive without a diskette.
Outcome checkMedium(const QString& folder, bool* earlierBackup);

// Copies a file whole to `destination` under a temporary name, flushed, then renamed over any
// earlier file, so that a broken copy never carries the final name.
Outcome copyFile(const QString& source, const QString& destination);
// Writes a consistent snapshot of the open database to `destination` (on the server, its
// pg_dump), checks it and only then puts it in place of an earlier one.
Outcome copyDatabase(const QString& destination);
// Removes what killed or interrupted backups left in `folder`.
void removeLeftovers(const QString& folder);

// One step of the backup into `folder`; replaced in tests to make a step fail.
using Copier = std::function<Outcome(int step, const QString& folder)>;
Outcome copyStep(int step, const QString& folder);

// The text shown for a failure: "Disco protetto" for a write-protected medium.
QString message(const Failure& failure);

} // namespace Backup
