#pragma once

#include "registry/paymentterm.h"

#include <QString>
#include <QStringList>

// The rules of payment terms, without storage.
namespace PaymentTerms {

// The methods a term may use, in the order the editor lists them ("MP01", "MP05", "MP12", "MP19", ...).
QStringList modalita();
// The method's Italian name ("Contanti", "Bonifico", "Ri.Ba.", "SEPA Direct Debit" ...); empty when unknown.
QString nomeModalita(const QString& codice);

// Why the term cannot be stored, in Italian (no description, unknown method, no instalment, days out of
// 0..365, shares not summing to 100 %); empty when it can.
QString errore(const PaymentTerm& term);

} // namespace PaymentTerms
