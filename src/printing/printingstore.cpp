#include "printing/printingstore.h"

#include "data/database.h"
#include "shell/companystore.h"
#include "shell/formats.h"

#include <QSqlQuery>

namespace PrintingStore {

DbResult<QStringList> intestazione()
{
    return CompanyStore::load();
}

DbResult<std::optional<CustomerFields>> cliente(qint64 id)
{
    auto q = Database::select(QStringLiteral("SELECT Ragione, Ragione2, Piva, Indirizzo, Cap, Città, Prov, Cf "
                                             "FROM Anagrafica WHERE Id = ?"),
                              {id});
    if (!q)
        return q.error();
    QSqlQuery& r = q.value();
    if (!r.next())
        return std::optional<CustomerFields>();
    CustomerFields c;
    c.ragione = r.value(0).toString();
    c.ragione2 = r.value(1).toString();
    c.piva = r.value(2).toString();
    c.indirizzo = r.value(3).toString();
    c.cap = r.value(4).toString();
    c.citta = r.value(5).toString();
    c.prov = r.value(6).toString();
    c.cf = r.value(7).toString();
    return std::optional<CustomerFields>(c);
}

DbResult<std::optional<CustomerSheetData>> schedaCliente(const QString& nome)
{
    auto q =
        Database::select(QStringLiteral("SELECT Id, Nome, Ragione, Piva, Cf, Indirizzo, Cap, Città, Prov "
                                        "FROM Anagrafica WHERE Valid = 1 AND fold(Nome) = fold(?) ORDER BY Id LIMIT 1"),
                         {nome});
    if (!q)
        return q.error();
    QSqlQuery& r = q.value();
    if (!r.next())
        return std::optional<CustomerSheetData>();
    CustomerSheetData s;
    s.cod = Formats::code(r.value(0).toLongLong(), 4);
    s.nome = r.value(1).toString();
    s.rag = r.value(2).toString();
    s.piva = r.value(3).toString();
    s.cf = r.value(4).toString();
    s.ind = r.value(5).toString();
    s.cap = r.value(6).toString();
    s.citta = r.value(7).toString();
    s.prov = r.value(8).toString();
    return std::optional<CustomerSheetData>(s);
}

} // namespace PrintingStore
