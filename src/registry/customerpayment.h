#pragma once

#include <QString>
#include <QtGlobal>

// A customer's default payment term and bank (table ClientiPagamento). The bank's ABI and CAB are
// what a Ri.Ba. needs; the IBAN what a direct debit needs.
struct CustomerPayment {
    qint64 idCondizione = 0; // 0: none
    QString iban;
    QString abi;
    QString cab;
    QString banca;
};
