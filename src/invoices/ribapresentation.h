#pragma once

#include "data/dberror.h"
#include "invoices/duedate.h"
#include "invoices/ribafile.h"
#include "shell/decimal.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

// Presenting the Ri.Ba. of a period to the bank, the same from the due-date window and from the
// command line: the instalments chosen, the file written, the instalments marked.
namespace RibaPresentation {

// The error numbers of a presentation refused (what the file needs is missing) and of a file that
// could not be written.
constexpr int Rifiutata = 3241;
constexpr int NonScritta = 3242;

// What goes to the bank: the instalments in file order, and a receipt for each.
struct Distinta {
    QList<DueDate> rate;
    RibaFile::Creditore creditore;
    QList<RibaFile::Ricevuta> ricevute;
    Decimal totale;
};

// The unpaid Ri.Ba. instalments due from `da` to `a` not yet presented, with what the file needs.
// Refused (Rifiutata, the reason in Italian) when the company's bank or data or a customer's ABI and
// CAB are missing; no instalment gives an empty Distinta.
DbResult<Distinta> prepara(const QDate& da, const QDate& a);

// "RIBA_20260205.txt": the name the save dialog proposes.
QString nomeFile(const QDate& giorno);
// "2 Ri.Ba. per € 1.553,34".
QString riepilogo(const Distinta& d);

// Writes the file at `path` and marks its instalments presented, both or neither: the file is
// written under a temporary name, the instalments are marked, then the file takes its name. A file
// of another kind, or the program's data, is never replaced. Returns the presentation's number.
DbResult<qint64> presenta(const Distinta& d, const QString& path, const QDateTime& quando);

} // namespace RibaPresentation
