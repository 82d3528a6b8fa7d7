#pragma once

#include "data/dberror.h"

#include <QString>
#include <QStringList>

// Which invoice each credit note reverses, in a table of its own beside the ten of the program.
// A credit note is stored as an invoice of the same series, so numbering, browsing and
// cancelling the last of the series stay those of the invoices.
class CreditNoteStore {
public:
    // The invoice named by a new credit note is gone, or is itself a credit note.
    static constexpr int NonStornabile = 3211;
    // An invoice having credit notes cannot be cancelled.
    static constexpr int ConNote = 3212;

    // Records that credit note `nota` reverses `fattura`. Runs inside the note's write transaction:
    // a refusal (NonStornabile) writes nothing.
    static DbStatus collega(const QString& nota, const QString& fattura);
    // The credit notes of an invoice, in number order.
    static DbResult<QStringList> note(const QString& fattura);
    // Refuses (ConNote, naming them) while credit notes reverse `fattura`; otherwise forgets that
    // `fattura` was a credit note, so that its number issued again is a plain invoice.
    static DbStatus annullabile(const QString& fattura);
};
