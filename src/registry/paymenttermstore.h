#pragma once

#include "data/dberror.h"
#include "registry/paymentterm.h"

#include <QList>
#include <optional>

// Every read and write of payment terms (tables CondizioniPagamento and RateCondizioni).
class PaymentTermStore {
public:
    // The error numbers of a term refused by PaymentTerms::errore or missing, and of one still in use.
    static constexpr int Rifiutata = 3221;
    static constexpr int InUso = 3222;

    // Every term with its instalments, by description.
    static DbResult<QList<PaymentTerm>> all();
    static DbResult<std::optional<PaymentTerm>> load(qint64 id);
    // Stores the term and its instalments together (a new one when id is 0) and returns its id.
    // A term PaymentTerms::errore refuses gives DbError with that message and writes nothing.
    static DbResult<qint64> save(const PaymentTerm& term);
    // Deletes the term; refused (DbError with an Italian message naming the use) while a customer or
    // an invoice with unpaid instalments names it.
    static DbStatus remove(qint64 id);
};
