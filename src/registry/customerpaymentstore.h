#pragma once

#include "data/dberror.h"
#include "registry/customerpayment.h"

// Reads and writes a customer's payment term and bank.
class CustomerPaymentStore {
public:
    // The error number of bank data refused.
    static constexpr int Rifiutata = 3223;

    // What is stored for the customer; an empty CustomerPayment when nothing is.
    static DbResult<CustomerPayment> load(qint64 idAna);
    // Stores it (IBAN normalised); bank data BankCodes::errore refuses gives DbError with that message
    // and writes nothing.
    static DbStatus save(qint64 idAna, const CustomerPayment& p);
};
