#pragma once

#include "invoices/duedate.h"
#include "registry/paymentterm.h"
#include "shell/decimal.h"

#include <QDate>
#include <QList>

// The due dates of an invoice, without storage.
namespace DueDates {

// The day an instalment falls due for an invoice dated `data`: `giorni` days later; at the end of the
// month when `fineMese` (whole months when the days are a multiple of 30: 30 days end of month from
// 31 January is the last day of February).
QDate scadenza(const QDate& data, int giorni, bool fineMese);

// The instalments of `term` for an invoice dated `data` owing `dovuto` (num and the list fields left
// empty): each its share to the cent, the last taking the rounding cents so that they sum to `dovuto`.
QList<DueDate> calcola(const PaymentTerm& term, const QDate& data, const Decimal& dovuto);

// The instalments after a change of the invoice: the paid or presented ones of `stored` stay as they are,
// the others are computed again so that all of them sum to `dovuto`.
QList<DueDate> ricalcola(const PaymentTerm& term, const QDate& data, const Decimal& dovuto,
                         const QList<DueDate>& stored);

} // namespace DueDates
