#include "invoices/invoicestore.h"

#include "data/database.h"
#include "data/textcolumns.h"
#include "invoices/invoicerules.h"
#include "shell/formats.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariantList>
#include <cmath>
#include <sqlite3.h>

namespace {

DbError notStarted()
{
    return DbError{3246, QStringLiteral("Transazione non avviata")};
}

// Date bounds of a year, as stored ('YYYY-MM-DD'): the index on Data serves the range.
QString yearStart(int anno)
{
    return QStringLiteral("%1-01-01").arg(anno, 4, 10, QLatin1Char('0'));
}
QString yearEnd(int anno)
{
    return yearStart(anno + 1);
}

// The columns are REAL: SQLite reads the exact decimal text into its nearest double.
QVariant real(const Decimal& d)
{
    return d.toString();
}
QVariant realOrNull(const Decimal& d)
{
    return d.isZero() ? QVariant() : real(d);
}

// Amounts are stored to the cent: such a double reads back without a text round trip.
Decimal amountFromReal(double d)
{
    const double cents = std::round(d * 100);
    if (std::fabs(cents) < 1e15 && cents / 100 == d)
        return Decimal(static_cast<long long>(cents)).dividedBy(100, 2);
    return Decimal::fromDouble(d);
}

QString note(const QString& n)
{
    return TextColumns::fit(n, TextColumns::Fatture::Note);
}

QString rowText(const QString& descrizione)
{
    return TextColumns::fit(descrizione, TextColumns::ContFatt::Descrizione);
}

Decimal fromReal(const QVariant& v)
{
    return v.isNull() ? Decimal() : Decimal::fromDouble(v.toDouble());
}

QDate parseIso(const char* t, int len)
{
    if (len < 10)
        return QDate();
    const auto num = [t](int from, int n) {
        int v = 0;
        for (int i = from; i < from + n; ++i) {
            if (t[i] < '0' || t[i] > '9')
                return -1;
            v = v * 10 + (t[i] - '0');
        }
        return v;
    };
    return QDate(num(0, 4), num(5, 2), num(8, 2));
}

DbResult<bool> invoiceExists(const QString& num)
{
    auto q = Database::select(QStringLiteral("SELECT 1 FROM Fatture WHERE Num = ? LIMIT 1"), {num});
    if (!q)
        return q.error();
    if (q.value().next())
        return true;
    if (q.value().lastError().isValid())
        return DbError::from(q.value().lastError());
    return false;
}

// Numbers past the Decimal range are refused before anything is written.
DbStatus outOfRange(std::initializer_list<Decimal> values)
{
    for (const Decimal& d : values)
        if (d.isOverflow())
            return DbError::overflow();
    return std::nullopt;
}

DbStatus storeTotal(const QString& num, const Decimal& totale)
{
    return Database::exec(QStringLiteral("UPDATE Fatture SET Totale = ? WHERE Num = ?"), {real(totale), num});
}

} // namespace

DbResult<std::optional<long long>> InvoiceStore::maxOrdinale(const QString& suffisso)
{
    const auto v = Database::scalar(QStringLiteral("SELECT max(CAST(Num AS INTEGER)) FROM Fatture "
                                                   "WHERE substr(Num, -length(?)) = ?"),
                                    {suffisso, suffisso});
    if (!v)
        return v.error();
    if (v->isNull())
        return std::optional<long long>();
    return std::optional<long long>(v->toLongLong());
}

DbResult<QString> InvoiceStore::prossimoNumero(const QString& suffisso)
{
    const auto max = maxOrdinale(suffisso);
    if (!max)
        return max.error();
    return InvoiceRules::prossimoNumero(max.value(), suffisso);
}

DbResult<QList<int>> InvoiceStore::aliquoteUsate()
{
    auto q = Database::select(
        QStringLiteral("SELECT DISTINCT Iva FROM Fatture WHERE Iva IS NOT NULL ORDER BY Iva DESC"), {});
    if (!q)
        return q.error();
    QList<int> out;
    while (q.value().next())
        out.append(q.value().value(0).toInt());
    if (q.value().lastError().isValid())
        return DbError::from(q.value().lastError());
    return out;
}

DbResult<bool> InvoiceStore::exists(const QString& num)
{
    return invoiceExists(num);
}

DbStatus InvoiceStore::issue(const Invoice& inv)
{
    if (auto err = outOfRange({inv.totale}))
        return err;
    for (const InvoiceRow& r : inv.rows)
        if (auto err = outOfRange({r.qta, r.prezzo}))
            return err;
    // The write lock is taken before the number is checked, so two programs on the same file
    // cannot both issue it.
    Transaction tx(Transaction::Write);
    if (!tx.started())
        return notStarted();
    const auto taken = invoiceExists(inv.num);
    if (!taken)
        return taken.error();
    if (taken.value())
        return DbError{DbError::Duplicate, QStringLiteral("Fattura ") + inv.num + QStringLiteral(" già esistente")};
    if (auto err = Database::exec(QStringLiteral("INSERT INTO Fatture (Num, IdAna, Data, Totale, Iva, Note, RA) "
                                                 "VALUES (?, ?, ?, ?, ?, ?, ?)"),
                                  {inv.num, inv.idAna, Formats::isoDate(inv.data), real(inv.totale), inv.iva,
                                   inv.note.isEmpty() ? QVariant() : QVariant(note(inv.note)),
                                   inv.ra ? QVariant(QStringLiteral("X")) : QVariant()}))
        return err;
    QSqlQuery q(Database::connection());
    if (!q.prepare(QStringLiteral("INSERT INTO ContFatt (Num, Descrizione, Qta, Prezzo, Ord) VALUES (?, ?, ?, ?, ?)")))
        return DbError::from(q.lastError());
    for (const InvoiceRow& r : inv.rows) {
        q.bindValue(0, inv.num);
        q.bindValue(1, rowText(r.descrizione));
        q.bindValue(2, real(r.qta));
        q.bindValue(3, real(r.prezzo));
        q.bindValue(4, r.ord);
        if (!q.exec())
            return DbError::from(q.lastError());
    }
    return tx.commit();
}

DbResult<std::optional<Invoice>> InvoiceStore::load(const QString& num)
{
    auto h = Database::select(
        QStringLiteral("SELECT F.Num, A.Nome, F.Data, F.Totale, F.Iva, F.Note, F.IdAna, F.RA, F.Pagata "
                       "FROM Fatture F LEFT JOIN Anagrafica A ON F.IdAna = A.Id WHERE F.Num = ? LIMIT 1"),
        {num});
    if (!h)
        return h.error();
    QSqlQuery& hq = h.value();
    if (!hq.next()) {
        if (hq.lastError().isValid())
            return DbError::from(hq.lastError());
        return std::optional<Invoice>();
    }
    Invoice inv;
    inv.num = hq.value(0).toString();
    inv.nome = hq.value(1).toString();
    inv.data = Formats::fromIsoDate(hq.value(2).toString());
    inv.totale = fromReal(hq.value(3));
    inv.iva = hq.value(4).toInt();
    inv.note = hq.value(5).toString();
    inv.idAna = hq.value(6).toLongLong();
    inv.ra = !hq.value(7).isNull() && !hq.value(7).toString().isEmpty();
    inv.pagata = hq.value(8).toString() == QStringLiteral("X");
    auto r = Database::select(
        QStringLiteral("SELECT Descrizione, Qta, Prezzo, Ord FROM ContFatt WHERE Num = ? ORDER BY Ord"), {num});
    if (!r)
        return r.error();
    QSqlQuery& rq = r.value();
    while (rq.next())
        inv.rows.append({rq.value(3).toInt(), rq.value(0).toString(), fromReal(rq.value(1)), fromReal(rq.value(2))});
    if (rq.lastError().isValid())
        return DbError::from(rq.lastError());
    if (auto err = outOfRange({inv.totale}))
        return *err;
    for (const InvoiceRow& row : inv.rows)
        if (auto err = outOfRange({row.qta, row.prezzo}))
            return *err;
    return std::optional<Invoice>(std::move(inv));
}

DbResult<QList<long long>> InvoiceStore::ordinaliAnno(int anno, const QString& suffisso)
{
    auto q = Database::select(QStringLiteral("SELECT CAST(Num AS INTEGER) FROM Fatture WHERE Data >= ? AND Data < ? "
                                             "AND substr(Num, -length(?)) = ? ORDER BY CAST(Num AS INTEGER)"),
                              {yearStart(anno), yearEnd(anno), suffisso, suffisso});
    if (!q)
        return q.error();
    QList<long long> out;
    while (q.value().next())
        out.append(q.value().value(0).toLongLong());
    if (q.value().lastError().isValid())
        return DbError::from(q.value().lastError());
    return out;
}

DbResult<InvoiceStore::Outcome> InvoiceStore::saveRow(const QString& num, const InvoiceRow& row, const Decimal& totale)
{
    if (auto err = outOfRange({row.qta, row.prezzo, totale}))
        return *err;
    Transaction tx;
    if (!tx.started())
        return notStarted();
    const auto found = invoiceExists(num);
    if (!found)
        return found.error();
    if (!found.value())
        return Outcome::InvoiceMissing;
    auto upd = Database::select(
        QStringLiteral("UPDATE ContFatt SET Descrizione = ?, Qta = ?, Prezzo = ? WHERE Num = ? AND Ord = ?"),
        {rowText(row.descrizione), realOrNull(row.qta), realOrNull(row.prezzo), num, row.ord});
    if (!upd)
        return upd.error();
    if (upd.value().numRowsAffected() == 0) {
        if (auto err =
                Database::exec(QStringLiteral("INSERT INTO ContFatt (Num, Ord, Descrizione, Qta, Prezzo) "
                                              "VALUES (?, ?, ?, ?, ?)"),
                               {num, row.ord, rowText(row.descrizione), realOrNull(row.qta), realOrNull(row.prezzo)}))
            return *err;
    }
    if (auto err = storeTotal(num, totale))
        return *err;
    if (auto err = tx.commit())
        return *err;
    return Outcome::Done;
}

DbResult<InvoiceStore::Outcome> InvoiceStore::deleteRow(const QString& num, int ord, const Decimal& totale)
{
    if (auto err = outOfRange({totale}))
        return *err;
    Transaction tx;
    if (!tx.started())
        return notStarted();
    auto del = Database::select(QStringLiteral("DELETE FROM ContFatt WHERE Num = ? AND Ord = ?"), {num, ord});
    if (!del)
        return del.error();
    if (del.value().numRowsAffected() == 0)
        return Outcome::RowMissing;
    const auto found = invoiceExists(num);
    if (!found)
        return found.error();
    if (!found.value())
        return Outcome::InvoiceMissing;
    if (auto err = storeTotal(num, totale))
        return *err;
    if (auto err = tx.commit())
        return *err;
    return Outcome::Done;
}

DbResult<InvoiceStore::Outcome> InvoiceStore::saveHeader(const Invoice& h)
{
    if (auto err = outOfRange({h.totale}))
        return *err;
    auto q = Database::select(
        QStringLiteral("UPDATE Fatture SET Data = ?, Iva = ?, Totale = ?, Note = ?, RA = ? WHERE Num = ?"),
        {Formats::isoDate(h.data), h.iva, real(h.totale), h.note.isNull() ? QStringLiteral("") : note(h.note),
         h.ra ? QVariant(QStringLiteral("X")) : QVariant(), h.num});
    if (!q)
        return q.error();
    return q.value().numRowsAffected() == 0 ? Outcome::InvoiceMissing : Outcome::Done;
}

DbResult<InvoiceStore::Outcome> InvoiceStore::cancel(const QString& num)
{
    Transaction tx;
    if (!tx.started())
        return notStarted();
    const auto found = invoiceExists(num);
    if (!found)
        return found.error();
    if (!found.value())
        return Outcome::InvoiceMissing;
    const auto max = maxOrdinale(num.right(3));
    if (!max)
        return max.error();
    if (max.value() && *max.value() > InvoiceRules::ordinale(num))
        return Outcome::NotLast;
    if (auto err = Database::exec(QStringLiteral("DELETE FROM ContFatt WHERE Num = ?"), {num}))
        return *err;
    if (auto err = Database::exec(QStringLiteral("DELETE FROM Fatture WHERE Num = ?"), {num}))
        return *err;
    if (auto err = tx.commit())
        return *err;
    return Outcome::Done;
}

DbResult<InvoiceStore::Register> InvoiceStore::registro(int anno, qint64 idAna)
{
    // A year may hold thousands of invoices: read them straight from the engine.
    sqlite3* db = Database::nativeHandle();
    if (!db)
        return DbError{3024, QStringLiteral("Database non aperto")};
    QByteArray sql = "SELECT F.Num, A.Nome, F.Data, F.Totale, F.Pagata FROM Fatture F "
                     "JOIN Anagrafica A ON F.IdAna = A.Id WHERE F.Data >= ?1 AND F.Data < ?2 ";
    if (idAna != 0)
        sql += "AND F.IdAna = ?3 ";
    sql += "ORDER BY CAST(F.Num AS INTEGER) DESC";
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), static_cast<int>(sql.size()), &stmt, nullptr) != SQLITE_OK)
        return Database::nativeError();
    const QByteArray from = yearStart(anno).toLatin1();
    const QByteArray to = yearEnd(anno).toLatin1();
    sqlite3_bind_text(stmt, 1, from.constData(), static_cast<int>(from.size()), SQLITE_STATIC);
    sqlite3_bind_text(stmt, 2, to.constData(), static_cast<int>(to.size()), SQLITE_STATIC);
    if (idAna != 0)
        sqlite3_bind_int64(stmt, 3, idAna);
    Register reg;
    long long paidCents = 0;
    long long unpaidCents = 0;
    Decimal paidOther;
    Decimal unpaidOther;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        RegisterRow row;
        row.num = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)),
                                    sqlite3_column_bytes(stmt, 0));
        row.nome = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1)),
                                     sqlite3_column_bytes(stmt, 1));
        row.data = parseIso(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 2)), sqlite3_column_bytes(stmt, 2));
        const double t = sqlite3_column_double(stmt, 3);
        row.totale = amountFromReal(t);
        const auto* paid = sqlite3_column_text(stmt, 4);
        row.pagata = paid && paid[0] == 'X' && paid[1] == 0;
        // Sums to the cent in whole numbers; other values (never written by the editor) exactly.
        const double cents = std::round(t * 100);
        const bool whole = std::fabs(cents) < 1e15 && cents / 100 == t;
        long long& cents64 = row.pagata ? paidCents : unpaidCents;
        long long sum = 0;
        if (whole && !__builtin_add_overflow(cents64, static_cast<long long>(cents), &sum))
            cents64 = sum;
        else
            (row.pagata ? paidOther : unpaidOther) += row.totale;
        reg.rows.append(std::move(row));
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        return Database::nativeError();
    reg.incassato = Decimal(paidCents).dividedBy(100, 2) + paidOther;
    reg.daIncassare = Decimal(unpaidCents).dividedBy(100, 2) + unpaidOther;
    if (auto err = outOfRange({reg.incassato, reg.daIncassare}))
        return *err;
    return reg;
}

DbResult<QList<CustomerEntry>> InvoiceStore::customersWithInvoices()
{
    return customerEntries(QStringLiteral("SELECT DISTINCT F.IdAna, A.Nome FROM Fatture F JOIN Anagrafica A "
                                          "ON F.IdAna = A.Id ORDER BY sortkey(A.Nome), A.Nome, F.IdAna"));
}

DbResult<InvoiceStore::Outcome> InvoiceStore::setPaid(const QString& num, bool pagata)
{
    auto q = Database::select(QStringLiteral("UPDATE Fatture SET Pagata = ? WHERE Num = ?"),
                              {pagata ? QVariant(QStringLiteral("X")) : QVariant(), num});
    if (!q)
        return q.error();
    return q.value().numRowsAffected() == 0 ? Outcome::InvoiceMissing : Outcome::Done;
}

DbResult<QStringList> InvoiceStore::numbersOfYear(int anno)
{
    auto q = Database::select(
        QStringLiteral("SELECT Num FROM Fatture WHERE Data >= ? AND Data < ? ORDER BY CAST(Num AS INTEGER), Num"),
        {yearStart(anno), yearEnd(anno)});
    if (!q)
        return q.error();
    QStringList out;
    while (q.value().next())
        out.append(q.value().value(0).toString());
    if (q.value().lastError().isValid())
        return DbError::from(q.value().lastError());
    return out;
}

DbResult<QList<CustomerEntry>> InvoiceStore::allCustomers()
{
    return customerEntries(QStringLiteral("SELECT Id, Nome FROM Anagrafica ORDER BY sortkey(Nome), Nome, Id"));
}

DbResult<InvoiceStore::Outcome> InvoiceStore::changeCustomer(const QString& num, qint64 idAna)
{
    auto q = Database::select(QStringLiteral("UPDATE Fatture SET IdAna = ? WHERE Num = ?"), {idAna, num});
    if (!q)
        return q.error();
    return q.value().numRowsAffected() == 0 ? Outcome::InvoiceMissing : Outcome::Done;
}

DbResult<QString> InvoiceStore::customerName(qint64 id)
{
    const auto v = Database::scalar(QStringLiteral("SELECT Nome FROM Anagrafica WHERE Id = ?"), {id});
    if (!v)
        return v.error();
    return v->toString();
}
