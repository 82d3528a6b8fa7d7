#include "invoices/companybank.h"

#include "data/database.h"
#include "registry/bankcodes.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

DbResult<CompanyBank> CompanyBank::load()
{
    auto q = Database::select(QStringLiteral("SELECT Sia, Abi, Cab, Conto, Banca FROM AziendaBanca WHERE Id = ?"), {1});
    if (!q)
        return q.error();
    CompanyBank b;
    QSqlQuery& r = q.value();
    if (r.next()) {
        b.sia = r.value(0).toString();
        b.abi = r.value(1).toString();
        b.cab = r.value(2).toString();
        b.conto = r.value(3).toString();
        b.banca = r.value(4).toString();
    } else if (r.lastError().isValid()) {
        return DbError::from(r.lastError());
    }
    return b;
}

DbStatus CompanyBank::save(const CompanyBank& given)
{
    CompanyBank b{given.sia.trimmed().toUpper(), given.abi.trimmed(), given.cab.trimmed(),
                  given.conto.trimmed().toUpper(), given.banca.trimmed()};
    // All empty: the company collects no Ri.Ba.
    const bool nessuna = b.sia.isEmpty() && b.abi.isEmpty() && b.cab.isEmpty() && b.conto.isEmpty();
    if (const QString why = b.errore(); !nessuna && !why.isEmpty())
        return DbError{Rifiutata, why};
    return Database::exec(QStringLiteral("INSERT INTO AziendaBanca (Id, Sia, Abi, Cab, Conto, Banca) VALUES (1, ?, ?, "
                                         "?, ?, ?) ON CONFLICT (Id) DO UPDATE SET Sia = excluded.Sia, Abi = "
                                         "excluded.Abi, Cab = excluded.Cab, Conto = excluded.Conto, Banca = "
                                         "excluded.Banca"),
                          {b.sia, b.abi, b.cab, b.conto, b.banca});
}

QString CompanyBank::errore() const
{
    static const QRegularExpression sia5(QStringLiteral("^[A-Za-z0-9]{5}$"));
    static const QRegularExpression conto12(QStringLiteral("^[A-Za-z0-9]{1,12}$"));
    if (!sia5.match(sia.trimmed()).hasMatch())
        return sia.trimmed().isEmpty()
                   ? QStringLiteral("Codice SIA dell'azienda mancante (5 lettere o cifre, lo dà la banca)")
                   : QStringLiteral("Codice SIA dell'azienda non valido: \"%1\" (5 lettere o cifre)").arg(sia.trimmed());
    if (!BankCodes::codiceValido(abi.trimmed()))
        return QStringLiteral("Codice ABI della banca dell'azienda non valido: \"%1\" (servono 5 cifre)")
            .arg(abi.trimmed());
    if (!BankCodes::codiceValido(cab.trimmed()))
        return QStringLiteral("Codice CAB della banca dell'azienda non valido: \"%1\" (servono 5 cifre)")
            .arg(cab.trimmed());
    if (!conto12.match(conto.trimmed()).hasMatch())
        return QStringLiteral("Conto corrente dell'azienda non valido: \"%1\" (da 1 a 12 lettere o cifre)")
            .arg(conto.trimmed());
    return {};
}
