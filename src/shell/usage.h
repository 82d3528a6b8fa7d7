#pragma once

#include <QString>

// What `corvalisto --help` prints. Commands and options are lines of two tables in
// usage.cpp: a new command is one more line there (and in the manual page, which a test
// keeps in step).
namespace Usage {

QString helpText();

// True for an argument that names a command or asks for the help or the version: the
// program then opens no window and must run where there is no display.
bool opensNoWindow(const char* argument);

} // namespace Usage
