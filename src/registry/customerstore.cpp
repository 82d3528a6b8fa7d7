#include "registry/customerstore.h"

#include "data/database.h"
#include "data/listorder.h"
#include "data/textcolumns.h"

#include "data/rowcursor.h"
#include <QSqlError>
#include <QSqlQuery>

namespace {

// The program writes empty text, never Null, for an empty box, and no more than the column holds.
QVariant text(const QString& s, int length)
{
    return s.isNull() ? QStringLiteral("") : TextColumns::fit(s, length);
}

QVariantList columns(const Customer& c)
{
    namespace L = TextColumns::Anagrafica;
    return {text(c.nome, L::Nome), text(c.ragione, L::Ragione), text(c.ragione2, L::Ragione2),
            text(c.piva, L::Piva), text(c.cf, L::Cf),           text(c.indirizzo, L::Indirizzo),
            text(c.cap, L::Cap),   text(c.citta, L::Citta),     text(c.prov, L::Prov)};
}

// Valid rows of the name: an exact match first, then the oldest.
const QString kValidByName = QStringLiteral("FROM Anagrafica WHERE Valid = 1 AND fold(Nome) = fold(?) "
                                            "ORDER BY (Nome = ?) DESC, Id LIMIT 1");

// Inside the caller's Write transaction, so that no other seat can store the name in between.
DbStatus refuseTaken(const QString& nome, qint64 id)
{
    const auto taken = CustomerStore::nameTaken(nome, id);
    if (!taken)
        return taken.error();
    if (taken.value())
        return DbError{DbError::Duplicate, QStringLiteral("Nominativo '") + nome + QStringLiteral("' gia esistente")};
    return std::nullopt;
}

// The first character of a text, a pair of surrogates counting as one.
QString firstLetter(const QString& text)
{
    return text.left(!text.isEmpty() && text.front().isHighSurrogate() ? 2 : 1);
}

} // namespace

DbResult<QStringList> CustomerStore::names(const QString& initials)
{
    // The list may hold tens of thousands of names: read them straight from the engine, without
    // a variant per value, and put them in order here.
    auto rows = RowCursor::open(QStringLiteral("SELECT Nome FROM Anagrafica WHERE Valid = 1 ORDER BY Id"));
    if (!rows)
        return rows.error();
    // Initials match the first letter case and accents aside, taken literally.
    const QString letters = Database::sortKey(initials);
    QStringList out;
    while (rows.value().next()) {
        QString nome = rows.value().text(0);
        if (initials.isEmpty() || (!nome.isEmpty() && letters.contains(firstLetter(Database::sortKey(nome)))))
            out.append(std::move(nome));
    }
    if (auto err = rows.value().error())
        return *err;
    ListOrder::sort(out, [](const QString& n) { return n; });
    return out;
}

DbResult<std::optional<Customer>> CustomerStore::findValid(const QString& nome)
{
    auto r = Database::select(
        QStringLiteral("SELECT Id, Nome, Ragione, Ragione2, Piva, Cf, Indirizzo, Cap, Città, Prov ") + kValidByName,
        {nome, nome});
    if (!r)
        return r.error();
    QSqlQuery& q = r.value();
    if (!q.next()) {
        if (q.lastError().isValid())
            return DbError::from(q.lastError());
        return std::optional<Customer>();
    }
    Customer c;
    c.id = q.value(0).toLongLong();
    c.nome = q.value(1).toString();
    c.ragione = q.value(2).toString();
    c.ragione2 = q.value(3).toString();
    c.piva = q.value(4).toString();
    c.cf = q.value(5).toString();
    c.indirizzo = q.value(6).toString();
    c.cap = q.value(7).toString();
    c.citta = q.value(8).toString();
    c.prov = q.value(9).toString();
    return std::optional<Customer>(c);
}

DbResult<qint64> CustomerStore::nextId()
{
    // The key counter too, so that the code shown is the one the database will assign.
    auto r = Database::scalar(Dialect::nextKey(QStringLiteral("Anagrafica"), QStringLiteral("Id")));
    if (!r)
        return r.error();
    return r.value().toLongLong();
}

DbResult<bool> CustomerStore::nameTaken(const QString& nome, qint64 exceptId)
{
    auto r = Database::scalar(
        QStringLiteral("SELECT 1 FROM Anagrafica WHERE Valid = 1 AND Id <> ? AND fold(Nome) = fold(?) LIMIT 1"),
        {exceptId, TextColumns::fit(nome, TextColumns::Anagrafica::Nome)});
    if (!r)
        return r.error();
    return r.value().isValid();
}

DbResult<qint64> CustomerStore::insert(const Customer& c)
{
    Transaction tx(Transaction::Write);
    if (!tx.started())
        return DbError::notStarted();
    if (auto err = refuseTaken(c.nome, 0))
        return *err;
    auto r =
        Database::select(QStringLiteral("INSERT INTO Anagrafica (Nome, Ragione, Ragione2, Piva, Cf, Indirizzo, Cap, "
                                        "Città, Prov) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING Id"),
                         columns(c));
    if (!r)
        return r.error();
    if (!r.value().next())
        return DbError::from(r.value().lastError());
    const qint64 id = r.value().value(0).toLongLong();
    r.value().finish();
    if (auto err = tx.commit())
        return *err;
    return id;
}

DbResult<bool> CustomerStore::update(const Customer& c)
{
    Transaction tx(Transaction::Write);
    if (!tx.started())
        return DbError::notStarted();
    if (auto err = refuseTaken(c.nome, c.id))
        return *err;
    auto r =
        Database::select(QStringLiteral("UPDATE Anagrafica SET Nome = ?, Ragione = ?, Ragione2 = ?, Piva = ?, Cf = ?, "
                                        "Indirizzo = ?, Cap = ?, Città = ?, Prov = ? WHERE Id = ? AND Valid = 1"),
                         columns(c) << c.id);
    if (!r)
        return r.error();
    const bool changed = r.value().numRowsAffected() > 0;
    if (auto err = tx.commit())
        return *err;
    return changed;
}

DbResult<bool> CustomerStore::remove(const QString& nome)
{
    auto r = Database::select(QStringLiteral("UPDATE Anagrafica SET Valid = 0 WHERE Id = (SELECT Id ") + kValidByName +
                                  QStringLiteral(")"),
                              {nome, nome});
    if (!r)
        return r.error();
    return r.value().numRowsAffected() > 0;
}
