#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The printers the program can print on: the system's (in the system's order) and our own PDF
// printer under the name held in app().stampantePdf. One of them is the current printer.
namespace Printers {

QStringList installed();
// The printer prints go to: the last one chosen by impostaStampante, otherwise the system's
// default, otherwise ours.
QString current();
// Whether the current printer is our PDF printer.
bool currentIsPdf();

// ImpostaStampante: makes the printer of exactly that name (case counts) current. An unknown
// name shows "La stampante 'NOME' non esiste" and leaves the current printer as it was.
bool impostaStampante(QWidget* parent, const QString& nome);

// Forgets the printer chosen during the run (a new working session, a test).
void reset();

} // namespace Printers
