#include "registry/paymenttermstore.h"

#include "data/database.h"
#include "registry/paymentterms.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

const QString kSelect = QStringLiteral(
    "SELECT C.Id, C.Descrizione, C.Modalita, R.Giorni, R.FineMese, R.Quota FROM CondizioniPagamento C "
    "LEFT JOIN RateCondizioni R ON R.IdCondizione = C.Id ");

// The terms a SELECT of kSelect's columns gives, rows of one term together and in Ord order.
DbResult<QList<PaymentTerm>> read(const QString& sql, const QVariantList& values)
{
    auto q = Database::select(sql, values);
    if (!q)
        return q.error();
    QList<PaymentTerm> out;
    QSqlQuery& r = q.value();
    while (r.next()) {
        const qint64 id = r.value(0).toLongLong();
        if (out.isEmpty() || out.last().id != id)
            out.append({id, r.value(1).toString(), r.value(2).toString(), {}});
        if (!r.value(3).isNull())
            out.last().rate.append(
                {r.value(3).toInt(), r.value(4).toInt() != 0, Decimal::fromDouble(r.value(5).toDouble())});
    }
    if (r.lastError().isValid())
        return DbError::from(r.lastError());
    return out;
}

} // namespace

DbResult<QList<PaymentTerm>> PaymentTermStore::all()
{
    return read(kSelect + QStringLiteral("ORDER BY sortkey(C.Descrizione), C.Descrizione, C.Id, R.Ord"), {});
}

DbResult<std::optional<PaymentTerm>> PaymentTermStore::load(qint64 id)
{
    const auto found = read(kSelect + QStringLiteral("WHERE C.Id = ? ORDER BY R.Ord"), {id});
    if (!found)
        return found.error();
    if (found->isEmpty())
        return std::optional<PaymentTerm>();
    return std::optional<PaymentTerm>(found->first());
}

DbResult<qint64> PaymentTermStore::save(const PaymentTerm& term)
{
    if (const QString why = PaymentTerms::errore(term); !why.isEmpty())
        return DbError{Rifiutata, why};
    Transaction tx(Transaction::Write);
    if (!tx.started())
        return DbError::notStarted();
    qint64 id = term.id;
    const QString descrizione = term.descrizione.trimmed();
    if (id == 0) {
        auto q = Database::select(
            QStringLiteral("INSERT INTO CondizioniPagamento (Descrizione, Modalita) VALUES (?, ?) RETURNING Id"),
            {descrizione, term.modalita});
        if (!q)
            return q.error();
        if (!q.value().next())
            return DbError::from(q.value().lastError());
        id = q.value().value(0).toLongLong();
        q.value().finish();
    } else {
        auto q = Database::select(
            QStringLiteral("UPDATE CondizioniPagamento SET Descrizione = ?, Modalita = ? WHERE Id = ?"),
            {descrizione, term.modalita, id});
        if (!q)
            return q.error();
        if (q.value().numRowsAffected() == 0)
            return DbError{Rifiutata, QStringLiteral("Condizione di pagamento non trovata: forse è stata eliminata "
                                                     "da un'altra postazione")};
        if (auto err = Database::exec(QStringLiteral("DELETE FROM RateCondizioni WHERE IdCondizione = ?"), {id}))
            return *err;
    }
    QList<QVariantList> rows;
    for (qsizetype i = 0; i < term.rate.size(); ++i) {
        const TermInstalment& r = term.rate[i];
        rows.append({id, int(i + 1), r.giorni, r.fineMese ? 1 : 0, r.quota.toString()});
    }
    if (auto err = Database::insertRows(
            QStringLiteral("INSERT INTO RateCondizioni (IdCondizione, Ord, Giorni, FineMese, Quota) VALUES"), rows))
        return *err;
    if (auto err = tx.commit())
        return *err;
    return id;
}

DbStatus PaymentTermStore::remove(qint64 id)
{
    Transaction tx(Transaction::Write);
    if (!tx.started())
        return DbError::notStarted();
    // What still names it: customers as their default, invoices with something left to collect.
    auto q = Database::select(
        QStringLiteral("SELECT (SELECT count(*) FROM ClientiPagamento WHERE IdCondizione = ?), "
                       "(SELECT count(DISTINCT P.Num) FROM FatturePagamento P JOIN Scadenze S ON S.Num = P.Num "
                       "WHERE P.IdCondizione = ? AND S.Pagata IS NULL)"),
        {id, id});
    if (!q)
        return q.error();
    if (!q.value().next())
        return DbError::from(q.value().lastError());
    const qint64 clienti = q.value().value(0).toLongLong();
    const qint64 fatture = q.value().value(1).toLongLong();
    q.value().finish();
    if (clienti > 0 || fatture > 0) {
        QStringList uso;
        if (clienti > 0)
            uso << (clienti == 1 ? QStringLiteral("1 cliente") : QStringLiteral("%1 clienti").arg(clienti));
        if (fatture > 0)
            uso << (fatture == 1 ? QStringLiteral("1 fattura con rate da incassare")
                                 : QStringLiteral("%1 fatture con rate da incassare").arg(fatture));
        return DbError{InUso, QStringLiteral("La condizione di pagamento non può essere eliminata: la usano ") +
                                  uso.join(QStringLiteral(" e "))};
    }
    if (auto err = Database::exec(QStringLiteral("DELETE FROM RateCondizioni WHERE IdCondizione = ?"), {id}))
        return err;
    if (auto err = Database::exec(QStringLiteral("DELETE FROM CondizioniPagamento WHERE Id = ?"), {id}))
        return err;
    return tx.commit();
}
