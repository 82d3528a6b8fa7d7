#pragma once

#include <QString>

// What `corvalisto --help` prints. Commands and options are lines of two tables in
// usage.cpp: a new command is one more line there (and in the manual page, which a test
// keeps in step).
namespace Usage {

QString helpText();

} // namespace Usage
