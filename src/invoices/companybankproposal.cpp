#include "invoices/companybankproposal.h"

#include "registry/bankcodes.h"

namespace CompanyBankProposal {

CompanyBank daIban(const QString& iban, const QString& banca)
{
    CompanyBank b;
    b.banca = banca.trimmed();
    const QString n = BankCodes::normalizzaIban(iban);
    // IT, two check digits, the CIN letter, ABI (5), CAB (5), account (12).
    if (!n.startsWith(QStringLiteral("IT")) || !BankCodes::ibanValido(n))
        return b;
    b.abi = n.mid(5, 5);
    b.cab = n.mid(10, 5);
    b.conto = n.mid(15, 12);
    return b;
}

} // namespace CompanyBankProposal
