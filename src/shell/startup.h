#pragma once

#include "data/dberror.h"

#include <QDate>
#include <QString>

// The start-up steps that do not depend on the main window.
namespace Startup {

// Reads both settings files and fixes the name of the PDF printer.
void loadSettings();
// True while "Dati/Corvalisto.md" marks a database being replaced.
bool updatePending();
// First start on a folder: "Dati" and the shipped pictures; nothing existing is overwritten.
void prepareWorkFolder();
// Opens the database; a foreign or damaged file gives an Italian message naming it.
struct OpenOutcome {
    bool ok = false;
    QString message;
};
OpenOutcome openDatabase();
// Full path of the day's copy: "Corvalisto_dd-mm-yy.mdb" in the backup folder (the working
// folder when the setting is empty; a relative setting is taken from the working folder).
QString dailyCopyPath(const QDate& day);
// Writes the day's copy; every failure is silent.
void copiaGiornaliera(const QDate& day);
// The newest daily copy in the backup folder, empty when there is none.
QString newestDailyCopy();

} // namespace Startup
