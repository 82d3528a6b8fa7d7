#include "registry/customerstore.h"

#include "data/database.h"
#include "data/textcolumns.h"

#include <QSqlError>
#include <QSqlQuery>
#include <sqlite3.h>

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

} // namespace

DbResult<QStringList> CustomerStore::names(const QString& initials)
{
    // The list may hold tens of thousands of names: read them straight from the engine,
    // without a variant per value.
    sqlite3* db = Database::nativeHandle();
    if (!db)
        return DbError{3024, QStringLiteral("Database non aperto")};
    QString sql = QStringLiteral("SELECT Nome FROM Anagrafica WHERE Valid = 1 ");
    if (!initials.isEmpty())
        sql += QStringLiteral("AND Nome <> '' AND instr(sortkey(?), substr(sortkey(Nome), 1, 1)) > 0 ");
    sql += QStringLiteral("ORDER BY sortkey(Nome), Nome");
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &stmt, nullptr) != SQLITE_OK)
        return Database::nativeError();
    if (!initials.isEmpty())
        sqlite3_bind_text16(stmt, 1, initials.utf16(), static_cast<int>(initials.size() * 2), SQLITE_TRANSIENT);
    QStringList out;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        const auto* nome = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        out.append(QString::fromUtf8(nome, sqlite3_column_bytes(stmt, 0)));
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        return Database::nativeError();
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
    auto r = Database::scalar(
        QStringLiteral("SELECT max(coalesce((SELECT max(Id) FROM Anagrafica), 0), "
                       "coalesce((SELECT seq FROM sqlite_sequence WHERE name = 'Anagrafica'), 0)) + 1"));
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
    auto r =
        Database::select(QStringLiteral("INSERT INTO Anagrafica (Nome, Ragione, Ragione2, Piva, Cf, Indirizzo, Cap, "
                                        "Città, Prov) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                         columns(c));
    if (!r)
        return r.error();
    return r.value().lastInsertId().toLongLong();
}

DbResult<bool> CustomerStore::update(const Customer& c)
{
    auto r =
        Database::select(QStringLiteral("UPDATE Anagrafica SET Nome = ?, Ragione = ?, Ragione2 = ?, Piva = ?, Cf = ?, "
                                        "Indirizzo = ?, Cap = ?, Città = ?, Prov = ? WHERE Id = ? AND Valid = 1"),
                         columns(c) << c.id);
    if (!r)
        return r.error();
    return r.value().numRowsAffected() > 0;
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
