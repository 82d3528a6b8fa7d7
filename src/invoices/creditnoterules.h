#pragma once

#include "invoices/invoice.h"

// A credit note proposed from the invoice it reverses.
namespace CreditNoteRules {

// The customer, rate, withholding and rows of `fattura`, to be edited (a partial credit keeps
// some rows or lowers their amounts); number and date are the new note's own.
Invoice proposta(const Invoice& fattura);

} // namespace CreditNoteRules
