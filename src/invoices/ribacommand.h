#pragma once

#include <QDateTime>
#include <QStringList>

class QTextStream;

// "riba --da GG/MM/AAAA --a GG/MM/AAAA -o FILE": the Ri.Ba. presentation of a period without a
// window, as the due-date window's "PRESENTAZIONE RI.BA." makes it. The database must be open.
class RibaCommand {
public:
    // `args` are the words after the command's name. Returns the exit status: 0 with what was
    // marked on `out` (or that there was nothing to present, no file written); 1 with an Italian
    // message on `err` and no file written nor instalment marked.
    static int run(const QStringList& args, QTextStream& out, QTextStream& err,
                   const QDateTime& quando = QDateTime::currentDateTime());
};
