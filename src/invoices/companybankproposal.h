#pragma once

#include "invoices/companybank.h"

#include <QString>

// What the company's bank for the Ri.Ba. can start from before it was ever saved: an Italian IBAN
// holds the bank's ABI and CAB and the account number.
namespace CompanyBankProposal {

// ABI, CAB and account of a valid Italian IBAN (spaces and case as typed), with the bank's name;
// nothing but the name from any other IBAN.
CompanyBank daIban(const QString& iban, const QString& banca);

} // namespace CompanyBankProposal
