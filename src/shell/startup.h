#pragma once

#include "data/dberror.h"

#include <QDate>
#include <QString>
#include <functional>

class QProcess;

// The start-up steps that do not depend on the main window.
namespace Startup {

// Reads both settings files and fixes the name of the PDF printer.
void loadSettings();
// True while "Dati/Corvalisto.md" marks a database being replaced.
bool updatePending();
// Writes the shipped pictures that are missing or do not load, and the settings files that are
// missing (with the values in use); a picture that loads and an existing settings file stay.
void prepareWorkFolder();
// True when the working folder holds none of the program's data yet: no database, nothing in
// "Dati", no daily copy. Only then may a new, empty database be made.
bool isFirstStart();

// The shared server of this run (see Database::chooseServer); empty for the SQLite file.
void useServer(const QString& url);
QString server();

struct OpenOutcome {
    bool ok = false;
    QString message;
};
enum class Creation { OnFirstStart, Never };
// Opens and checks the database; on a first start (and only then, when allowed) makes a new one.
// Every failure gives an Italian message that names the file, says what to do and, where it
// helps, the newest daily copy that passes the check. Nothing is written when it fails.
OpenOutcome openDatabase(Creation creation = Creation::OnFirstStart);
// Makes the database of a new folder, with what `fill` writes, and opens it; refuses when a
// database already stands there, even one made by another program a moment ago.
OpenOutcome createDatabase(const std::function<DbStatus()>& fill);

// The folder of the daily copies: the backup setting, or the working folder when it is empty.
QString backupFolder();
// Full path of the day's copy: "Corvalisto_dd-mm-yy.mdb" in the backup folder (the working
// folder when the setting is empty; a relative setting is taken from the working folder).
QString dailyCopyPath(const QDate& day);
// Writes the day's copy of the open, checked database. On the server it is a pg_dump file,
// "Corvalisto_dd-mm-yy.dump", written by the first seat that starts that day. Gives the
// Italian message to tell the user when no copy was made (where and why), else empty: a
// backup folder that is missing, not a folder, the root of the disk or not writable is
// reported, and nothing is written anywhere else.
QString copiaGiornaliera(const QDate& day);
// Makes `child` end with the program, even when the program is killed.
void endWithProgram(QProcess& child);
// Full path of the day's dump of the server database.
QString dailyDumpPath(const QDate& day);
// Writes a pg_dump (custom format) of the open server database to `destination`, first under a
// temporary name; an existing file is replaced only when `replace`.
DbStatus dumpServer(const QString& destination, bool replace);
// The daily copies in the backup folder, newest first.
QStringList dailyCopies();
// The newest daily copy in the backup folder, empty when there is none.
QString newestDailyCopy();
// The newest daily copy that passes the database check, empty when there is none.
QString newestGoodCopy();

} // namespace Startup
