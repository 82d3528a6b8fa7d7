#pragma once

#include <QString>

// Checks of the bank data a customer or the company gives.
namespace BankCodes {

// The IBAN as stored: spaces removed, upper case.
QString normalizzaIban(const QString& iban);
// Whether the IBAN's length fits its country (27 for Italy) and its check digits (ISO 13616, mod 97) hold.
bool ibanValido(const QString& iban);
// Whether the text is an ABI or CAB code: exactly five digits.
bool codiceValido(const QString& abiOCab);

// Why the bank data cannot be stored, in Italian ("IBAN non valido", "Codice ABI non valido: ..."); empty
// when it can. Empty fields are accepted: a customer may have no bank.
QString errore(const QString& iban, const QString& abi, const QString& cab);

} // namespace BankCodes
