#include "registry/customerpaymentstore.h"

#include "data/database.h"
#include "registry/bankcodes.h"

#include <QSqlError>
#include <QSqlQuery>

DbResult<CustomerPayment> CustomerPaymentStore::load(qint64 idAna)
{
    auto q = Database::select(
        QStringLiteral("SELECT IdCondizione, Iban, Abi, Cab, Banca FROM ClientiPagamento WHERE IdAna = ?"), {idAna});
    if (!q)
        return q.error();
    CustomerPayment p;
    QSqlQuery& r = q.value();
    if (r.next()) {
        p.idCondizione = r.value(0).toLongLong();
        p.iban = r.value(1).toString();
        p.abi = r.value(2).toString();
        p.cab = r.value(3).toString();
        p.banca = r.value(4).toString();
    } else if (r.lastError().isValid()) {
        return DbError::from(r.lastError());
    }
    return p;
}

DbStatus CustomerPaymentStore::save(qint64 idAna, const CustomerPayment& p)
{
    const QString iban = BankCodes::normalizzaIban(p.iban);
    const QString abi = p.abi.trimmed();
    const QString cab = p.cab.trimmed();
    if (const QString why = BankCodes::errore(iban, abi, cab); !why.isEmpty())
        return DbError{Rifiutata, why};
    const auto orNull = [](const QString& s) { return s.isEmpty() ? QVariant() : QVariant(s); };
    return Database::exec(
        QStringLiteral("INSERT INTO ClientiPagamento (IdAna, IdCondizione, Iban, Abi, Cab, Banca) VALUES (?, ?, ?, ?, "
                       "?, ?) ON CONFLICT (IdAna) DO UPDATE SET IdCondizione = excluded.IdCondizione, Iban = "
                       "excluded.Iban, Abi = excluded.Abi, Cab = excluded.Cab, Banca = excluded.Banca"),
        {idAna, p.idCondizione == 0 ? QVariant() : QVariant(p.idCondizione), orNull(iban), orNull(abi), orNull(cab),
         orNull(p.banca.trimmed())});
}
