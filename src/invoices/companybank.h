#pragma once

#include "data/dberror.h"

#include <QString>

// The company's bank for collecting Ri.Ba.: its CBI SIA code and the account the bank credits
// (table AziendaBanca).
struct CompanyBank {
    // The error number of bank data refused.
    static constexpr int Rifiutata = 3224;

    QString sia; // 5 characters
    QString abi;
    QString cab;
    QString conto;
    QString banca;

    static DbResult<CompanyBank> load();
    // Checked: SIA of 5 letters or digits, ABI and CAB of 5 digits, an account; refusal messages in Italian.
    static DbStatus save(const CompanyBank& b);
    // Why it cannot make a Ri.Ba. file, in Italian; empty when it can.
    QString errore() const;
};
