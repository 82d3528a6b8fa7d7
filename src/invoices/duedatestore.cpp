#include "invoices/duedatestore.h"

#include "data/database.h"
#include "data/listorder.h"
#include "data/rowcursor.h"
#include "invoices/duedates.h"
#include "invoices/einvoicerules.h"
#include "invoices/invoicetotals.h"
#include "papers/seriesstore.h"
#include "registry/bankcodes.h"
#include "registry/paymenttermstore.h"
#include "shell/formats.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

namespace {

// The columns every list of instalments reads, in DueDate's order.
const QString kColumns = QStringLiteral(
    "SELECT S.Num, S.Rata, S.Data, S.Importo, S.Modalita, S.Pagata, S.DataPagamento, S.IdPresentazione, F.IdAna, "
    "A.Nome, F.Data FROM Scadenze S JOIN Fatture F ON F.Num = S.Num LEFT JOIN Anagrafica A ON A.Id = F.IdAna ");

// Well within the engines' limits on the values of one statement.
constexpr qsizetype kKeysAtOnce = 200;

DueDate readRow(const RowCursor& r)
{
    DueDate d;
    d.num = r.text(0);
    d.rata = int(r.integer(1));
    d.data = r.date(2);
    d.importo = SeriesStore::fromReal(r.real(3));
    d.modalita = r.text(4);
    d.pagata = !r.isNull(5) && r.text(5) == QStringLiteral("X");
    d.dataPagamento = r.isNull(6) ? QDate() : r.date(6);
    d.presentazione = r.isNull(7) ? 0 : r.integer(7);
    d.idAna = r.integer(8);
    d.nome = r.text(9);
    d.dataFattura = r.date(10);
    return d;
}

DbResult<QList<DueDate>> list(const QString& sql, const QVariantList& values)
{
    auto rows = RowCursor::open(sql, values);
    if (!rows)
        return rows.error();
    QList<DueDate> out;
    while (rows.value().next())
        out.append(readRow(rows.value()));
    if (auto err = rows.value().error())
        return *err;
    return out;
}

long long ordinale(const QString& num)
{
    long long v = 0;
    for (qsizetype i = 0; i < num.size() && i < 18 && num[i].isDigit(); ++i)
        v = v * 10 + num[i].digitValue();
    return v;
}

// By due date, then invoice (date, number), then instalment; sorted here, each number read once,
// so that a long list costs the engine no function call per row.
void inOrdine(QList<DueDate>& rate)
{
    struct Chiave {
        qint64 data;
        qint64 dataFattura;
        long long ordinale;
        qsizetype i;
    };
    std::vector<Chiave> chiavi;
    chiavi.reserve(std::size_t(rate.size()));
    for (qsizetype i = 0; i < rate.size(); ++i)
        chiavi.push_back({rate[i].data.toJulianDay(), rate[i].dataFattura.toJulianDay(), ordinale(rate[i].num), i});
    std::sort(chiavi.begin(), chiavi.end(), [&rate](const Chiave& a, const Chiave& b) {
        if (a.data != b.data)
            return a.data < b.data;
        if (a.dataFattura != b.dataFattura)
            return a.dataFattura < b.dataFattura;
        if (a.ordinale != b.ordinale)
            return a.ordinale < b.ordinale;
        if (const int c = rate[a.i].num.compare(rate[b.i].num))
            return c < 0;
        return rate[a.i].rata < rate[b.i].rata;
    });
    std::vector<qsizetype> positions;
    positions.reserve(chiavi.size());
    for (const Chiave& k : chiavi)
        positions.push_back(k.i);
    ListOrder::rearrange(rate.begin(), positions);
}

// "(Num = ? AND Rata = ?) OR ..." for keys [from, to), with their values; `s` names the table.
QString keyCondition(const QList<DueDateStore::Key>& keys, qsizetype from, qsizetype to, QVariantList& values,
                     const QString& s = QString())
{
    QString sql;
    for (qsizetype i = from; i < to; ++i) {
        sql += (i == from ? QStringLiteral("(") : QStringLiteral(" OR (")) + s + QStringLiteral("Num = ? AND ") + s +
               QStringLiteral("Rata = ?)");
        values << keys[i].first << keys[i].second;
    }
    return sql;
}

// "?, ?, ..." for nums [from, to), with their values.
QString marks(const QStringList& nums, qsizetype from, qsizetype to, QVariantList& values)
{
    QStringList m;
    for (qsizetype i = from; i < to; ++i) {
        m << QStringLiteral("?");
        values << nums[i];
    }
    return m.join(QStringLiteral(", "));
}

// Each invoice's "Pagata" as its instalments say: paid when none is left unpaid.
DbStatus seguiRate(const QStringList& nums)
{
    for (qsizetype from = 0; from < nums.size(); from += kKeysAtOnce) {
        QVariantList values;
        const QString in = marks(nums, from, std::min(nums.size(), from + kKeysAtOnce), values);
        if (auto err = Database::exec(
                QStringLiteral("UPDATE Fatture SET Pagata = CASE WHEN EXISTS (SELECT 1 FROM Scadenze S WHERE S.Num = "
                               "Fatture.Num AND S.Pagata IS NULL) THEN NULL ELSE 'X' END WHERE Num IN (") +
                    in + u')',
                values))
            return err;
    }
    return std::nullopt;
}

bool chiusa(const DueDate& d)
{
    return d.pagata || d.presentata();
}

bool stesse(const QList<DueDate>& a, const QList<DueDate>& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i].rata != b[i].rata || a[i].data != b[i].data || a[i].importo != b[i].importo ||
            a[i].modalita != b[i].modalita)
            return false;
    return true;
}

QList<DueDate> aperte(const QList<DueDate>& rate)
{
    QList<DueDate> out;
    for (const DueDate& d : rate)
        if (!chiusa(d))
            out.append(d);
    return out;
}

QString descrizione(const DueDate& d)
{
    return QStringLiteral("La rata %1 della fattura %2").arg(d.rata).arg(d.num);
}

} // namespace

DbResult<qint64> DueDateStore::condizione(const QString& num)
{
    const auto v = Database::scalar(QStringLiteral("SELECT IdCondizione FROM FatturePagamento WHERE Num = ?"), {num});
    if (!v)
        return v.error();
    return v->toLongLong();
}

DbStatus DueDateStore::setCondizione(const QString& num, qint64 idCondizione)
{
    Transaction tx(Transaction::Write);
    if (!tx.started())
        return DbError::notStarted();
    if (idCondizione != 0) {
        const auto term = PaymentTermStore::load(idCondizione);
        if (!term)
            return term.error();
        if (!term.value())
            return DbError{NonTrovata, QStringLiteral("Condizione di pagamento non trovata: forse è stata eliminata "
                                                      "da un'altra postazione")};
        if (auto err = Database::exec(QStringLiteral("INSERT INTO FatturePagamento (Num, IdCondizione) SELECT Num, CAST(? AS INTEGER) "
                                                     "FROM Fatture WHERE Num = ? ON CONFLICT (Num) DO UPDATE SET "
                                                     "IdCondizione = excluded.IdCondizione"),
                                      {idCondizione, num}))
            return err;
    } else if (auto err = Database::exec(QStringLiteral("DELETE FROM FatturePagamento WHERE Num = ?"), {num})) {
        return err;
    }
    if (auto err = aggiorna(num))
        return err;
    return tx.commit();
}

DbStatus DueDateStore::aggiorna(const QString& num)
{
    Transaction tx(Transaction::Write);
    if (!tx.started())
        return DbError::notStarted();
    auto h = SeriesStore::firstRow(
        QStringLiteral("SELECT F.Data, F.Totale, F.Iva, F.RA, F.Pagata, P.IdCondizione, E.CodiceDestinatario, "
                       "E.Nazione, N.NumFattura, (SELECT count(*) FROM Scadenze S WHERE S.Num = F.Num AND "
                       "S.Pagata IS NULL AND S.IdPresentazione IS NULL) FROM Fatture F LEFT JOIN FatturePagamento P ON P.Num = F.Num LEFT "
                       "JOIN EFatturaClienti E ON E.IdAna = F.IdAna LEFT JOIN NoteCredito N ON N.Num = F.Num WHERE "
                       "F.Num = ? LIMIT 1"),
        {num});
    if (!h)
        return h.error();
    if (!h.value())
        return tx.commit();
    const QSqlQuery& hq = *h.value();
    const QDate data = Formats::fromIsoDate(hq.value(0).toString());
    const Decimal totale = SeriesStore::fromReal(hq.value(1));
    const int iva = hq.value(2).toInt();
    const bool ra = !hq.value(3).isNull() && !hq.value(3).toString().isEmpty();
    const bool pagata = hq.value(4).toString() == QStringLiteral("X");
    const qint64 idCondizione = hq.value(5).toLongLong();
    const bool pa = EInvoiceRules::pubblicaAmministrazione({hq.value(6).toString(), QString(), hq.value(7).toString()});
    const bool notaDiCredito = !hq.value(8).toString().isEmpty();
    const qint64 aperteStored = hq.value(9).toLongLong();
    h.value().reset();
    // Without a term and nothing open there is nothing to do: most invoices.
    if (idCondizione == 0 && aperteStored == 0)
        return tx.commit();

    const auto stored = rate(num);
    if (!stored)
        return stored.error();
    QList<DueDate> nuove;
    std::optional<PaymentTerm> term;
    if (idCondizione != 0 && !notaDiCredito) {
        const auto loaded = PaymentTermStore::load(idCondizione);
        if (!loaded)
            return loaded.error();
        term = loaded.value();
    }
    if (!term) {
        // No term (any more): only what is settled stays.
        for (const DueDate& d : stored.value())
            if (chiusa(d))
                nuove.append(d);
    } else {
        Decimal dovuto = totale;
        // Split payment: a public body pays the VAT to the treasury itself.
        if (pa && iva > 0) {
            auto r = Database::select(QStringLiteral("SELECT Qta, Prezzo FROM ContFatt WHERE Num = ?"), {num});
            if (!r)
                return r.error();
            QList<InvoiceRow> rows;
            while (r.value().next())
                rows.append({0, QString(), SeriesStore::fromReal(r.value().value(0)),
                             SeriesStore::fromReal(r.value().value(1))});
            if (r.value().lastError().isValid())
                return DbError::from(r.value().lastError());
            dovuto = InvoiceTotals::calcola(rows, iva, ra).daIncassare(true);
        }
        nuove = DueDates::ricalcola(*term, data, dovuto, stored.value());
    }

    const QList<DueDate> prima = aperte(stored.value());
    const QList<DueDate> dopo = aperte(nuove);
    if (!stesse(prima, dopo)) {
        if (!prima.isEmpty())
            if (auto err = Database::exec(QStringLiteral("DELETE FROM Scadenze WHERE Num = ? AND Pagata IS NULL AND "
                                                         "IdPresentazione IS NULL"),
                                          {num}))
                return err;
        QList<QVariantList> rows;
        for (const DueDate& d : dopo)
            rows.append({num, d.rata, Formats::isoDate(d.data), SeriesStore::real(d.importo), d.modalita});
        if (auto err = Database::insertRows(
                QStringLiteral("INSERT INTO Scadenze (Num, Rata, Data, Importo, Modalita) VALUES"), rows))
            return err;
    }
    // With instalments, the invoice is paid when all of them are.
    if (!nuove.isEmpty()) {
        const bool tutte = std::all_of(nuove.cbegin(), nuove.cend(), [](const DueDate& d) { return d.pagata; });
        if (tutte != pagata)
            if (auto err = Database::exec(QStringLiteral("UPDATE Fatture SET Pagata = ? WHERE Num = ?"),
                                          {tutte ? QVariant(QStringLiteral("X")) : QVariant(), num}))
                return err;
    }
    return tx.commit();
}

DbStatus DueDateStore::rimuovi(const QString& num)
{
    if (auto err = Database::exec(QStringLiteral("DELETE FROM Scadenze WHERE Num = ?"), {num}))
        return err;
    return Database::exec(QStringLiteral("DELETE FROM FatturePagamento WHERE Num = ?"), {num});
}

DbResult<QList<DueDate>> DueDateStore::rate(const QString& num)
{
    return list(kColumns + QStringLiteral("WHERE S.Num = ? ORDER BY S.Rata"), {num});
}

DbResult<QHash<QString, QList<DueDate>>> DueDateStore::rateAnno(int anno)
{
    const auto all = list(kColumns + QStringLiteral("WHERE F.Data >= ? AND F.Data < ?"),
                          {SeriesStore::yearStart(anno), SeriesStore::yearEnd(anno)});
    if (!all)
        return all.error();
    QHash<QString, QList<DueDate>> out;
    for (const DueDate& d : all.value())
        out[d.num].append(d);
    for (QList<DueDate>& rate : out)
        std::sort(rate.begin(), rate.end(), [](const DueDate& a, const DueDate& b) { return a.rata < b.rata; });
    return out;
}

DbResult<QList<DueDate>> DueDateStore::elenco(const Filtro& f)
{
    QString where = QStringLiteral("WHERE 1 = 1");
    QVariantList values;
    if (f.a.isValid()) {
        where += QStringLiteral(" AND S.Data <= ?");
        values << Formats::isoDate(f.a);
    }
    if (f.da.isValid()) {
        where += f.scadute ? QStringLiteral(" AND (S.Data >= ? OR S.Pagata IS NULL)") : QStringLiteral(" AND S.Data >= ?");
        values << Formats::isoDate(f.da);
    }
    if (f.idAna != 0) {
        where += QStringLiteral(" AND F.IdAna = ?");
        values << f.idAna;
    }
    if (!f.modalita.isEmpty()) {
        where += QStringLiteral(" AND S.Modalita = ?");
        values << f.modalita;
    }
    auto out = list(kColumns + where, values);
    if (out)
        inOrdine(out.value());
    return out;
}

DbStatus DueDateStore::paga(const QList<Key>& keys, bool pagata, const QDate& giorno)
{
    Transaction tx(Transaction::Write);
    if (!tx.started())
        return DbError::notStarted();
    const QString set = pagata ? QStringLiteral("UPDATE Scadenze SET Pagata = 'X', DataPagamento = ? WHERE "
                                                "Pagata IS NULL AND (")
                               : QStringLiteral("UPDATE Scadenze SET Pagata = NULL, DataPagamento = NULL WHERE "
                                                "Pagata IS NOT NULL AND (");
    QStringList nums;
    QSet<QString> seen;
    for (const Key& k : keys)
        if (!seen.contains(k.first)) {
            seen.insert(k.first);
            nums << k.first;
        }
    for (qsizetype from = 0; from < keys.size(); from += kKeysAtOnce) {
        QVariantList values;
        if (pagata)
            values << Formats::isoDate(giorno);
        const QString cond = keyCondition(keys, from, std::min(keys.size(), from + kKeysAtOnce), values);
        if (auto err = Database::exec(set + cond + u')', values))
            return err;
    }
    if (auto err = seguiRate(nums))
        return err;
    return tx.commit();
}

DbStatus DueDateStore::pagaFattura(const QString& num, bool pagata, const QDate& giorno)
{
    Transaction tx(Transaction::Write);
    if (!tx.started())
        return DbError::notStarted();
    if (auto err = pagata ? Database::exec(QStringLiteral("UPDATE Scadenze SET Pagata = 'X', DataPagamento = ? WHERE "
                                                          "Num = ? AND Pagata IS NULL"),
                                           {Formats::isoDate(giorno), num})
                          : Database::exec(QStringLiteral("UPDATE Scadenze SET Pagata = NULL, DataPagamento = NULL "
                                                          "WHERE Num = ? AND Pagata IS NOT NULL"),
                                           {num}))
        return err;
    if (auto err = Database::exec(QStringLiteral("UPDATE Fatture SET Pagata = ? WHERE Num = ?"),
                                  {pagata ? QVariant(QStringLiteral("X")) : QVariant(), num}))
        return err;
    return tx.commit();
}

DbResult<QList<DueDate>> DueDateStore::ribaDaPresentare(const QDate& da, const QDate& a)
{
    auto out = list(kColumns + QStringLiteral("WHERE S.Modalita = ? AND S.Pagata IS NULL AND S.IdPresentazione IS "
                                              "NULL AND S.Importo > 0 AND S.Data >= ? AND S.Data <= ?"),
                    {QStringLiteral("MP12"), Formats::isoDate(da), Formats::isoDate(a)});
    if (out)
        inOrdine(out.value());
    return out;
}

DbResult<qint64> DueDateStore::presenta(const QList<Key>& keys, const QDate& giorno, const QString& nomeFile)
{
    if (keys.isEmpty())
        return DbError{Rifiutata, QStringLiteral("Nessuna rata da presentare")};
    Transaction tx(Transaction::Write);
    if (!tx.started())
        return DbError::notStarted();
    // Every asked instalment as it stands now, under the write lock, with its customer's bank.
    QHash<Key, std::pair<DueDate, bool>> found;
    for (qsizetype from = 0; from < keys.size(); from += kKeysAtOnce) {
        QVariantList values;
        const QString cond =
            keyCondition(keys, from, std::min(keys.size(), from + kKeysAtOnce), values, QStringLiteral("S."));
        auto rows = RowCursor::open(
            QStringLiteral("SELECT S.Num, S.Rata, S.Data, S.Importo, S.Modalita, S.Pagata, S.DataPagamento, "
                           "S.IdPresentazione, F.IdAna, A.Nome, F.Data, C.Abi, C.Cab FROM Scadenze S JOIN Fatture F "
                           "ON F.Num = S.Num LEFT JOIN Anagrafica A ON A.Id = F.IdAna LEFT JOIN ClientiPagamento C "
                           "ON C.IdAna = F.IdAna WHERE ") +
                cond,
            values);
        if (!rows)
            return rows.error();
        while (rows.value().next()) {
            const DueDate d = readRow(rows.value());
            const bool banca =
                BankCodes::codiceValido(rows.value().text(11)) && BankCodes::codiceValido(rows.value().text(12));
            found.insert({d.num, d.rata}, {d, banca});
        }
        if (auto err = rows.value().error())
            return *err;
    }
    for (const Key& k : keys) {
        const auto it = found.constFind(k);
        if (it == found.cend())
            return DbError{Rifiutata, QStringLiteral("La rata %1 della fattura %2 non esiste più").arg(k.second).arg(
                                          k.first)};
        const DueDate& d = it->first;
        if (d.modalita != QStringLiteral("MP12"))
            return DbError{Rifiutata, descrizione(d) + QStringLiteral(" non è una Ri.Ba.")};
        if (d.pagata)
            return DbError{Rifiutata, descrizione(d) + QStringLiteral(" è già pagata")};
        if (d.presentata())
            return DbError{Rifiutata, descrizione(d) + QStringLiteral(" è già stata presentata in banca")};
        if (d.importo <= Decimal())
            return DbError{Rifiutata, descrizione(d) + QStringLiteral(" non ha un importo da incassare")};
        if (!it->second)
            return DbError{Rifiutata, QStringLiteral("Il cliente %1 (fattura %2) non ha i codici ABI e CAB della sua "
                                                     "banca: la Ri.Ba. non può essere presentata")
                                          .arg(d.nome, d.num)};
    }
    auto q = Database::select(
        QStringLiteral("INSERT INTO PresentazioniRiba (Data, NomeFile) VALUES (?, ?) RETURNING Id"),
        {Formats::isoDate(giorno), nomeFile});
    if (!q)
        return q.error();
    if (!q.value().next())
        return DbError::from(q.value().lastError());
    const qint64 id = q.value().value(0).toLongLong();
    q.value().finish();
    for (qsizetype from = 0; from < keys.size(); from += kKeysAtOnce) {
        QVariantList values{id};
        const QString cond = keyCondition(keys, from, std::min(keys.size(), from + kKeysAtOnce), values);
        if (auto err = Database::exec(QStringLiteral("UPDATE Scadenze SET IdPresentazione = ? WHERE ") + cond,
                                      values))
            return *err;
    }
    if (auto err = tx.commit())
        return *err;
    return id;
}

DbStatus DueDateStore::annullaPresentazione(qint64 id)
{
    Transaction tx(Transaction::Write);
    if (!tx.started())
        return DbError::notStarted();
    if (auto err = Database::exec(QStringLiteral("UPDATE Scadenze SET IdPresentazione = NULL WHERE IdPresentazione = ?"),
                                  {id}))
        return err;
    auto q = Database::select(QStringLiteral("DELETE FROM PresentazioniRiba WHERE Id = ?"), {id});
    if (!q)
        return q.error();
    if (q.value().numRowsAffected() == 0)
        return DbError{NonTrovata, QStringLiteral("Presentazione Ri.Ba. non trovata: forse è già stata annullata")};
    return tx.commit();
}

DbResult<QList<DueDateStore::Presentazione>> DueDateStore::presentazioni()
{
    auto q = Database::select(QStringLiteral("SELECT P.Id, P.Data, P.NomeFile, S.Importo FROM PresentazioniRiba P LEFT "
                                             "JOIN Scadenze S ON S.IdPresentazione = P.Id ORDER BY P.Id DESC"));
    if (!q)
        return q.error();
    QList<Presentazione> out;
    QSqlQuery& r = q.value();
    while (r.next()) {
        const qint64 id = r.value(0).toLongLong();
        if (out.isEmpty() || out.last().id != id)
            out.append({id, Formats::fromIsoDate(r.value(1).toString()), r.value(2).toString(), 0, Decimal()});
        if (!r.value(3).isNull()) {
            ++out.last().rate;
            out.last().totale += SeriesStore::fromReal(r.value(3));
        }
    }
    if (r.lastError().isValid())
        return DbError::from(r.lastError());
    return out;
}
