#pragma once

#include <QString>
#include <ostream>

// Texts readable in failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
