#pragma once

#include <QString>

class QWidget;

// The medium of the backup, asked for until it is there, as the floppy of the menu.
namespace MediumPrompt {

// Asks to insert the medium (message titled `title`) until one is found; a medium that cannot be
// read is reported. The medium's folder, and whether it holds an earlier backup; empty when
// the user cancels or after a report.
QString ask(QWidget* parent, const QString& title, bool* earlierBackup);

} // namespace MediumPrompt
