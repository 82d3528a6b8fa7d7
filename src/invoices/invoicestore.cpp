#include "invoices/invoicestore.h"

#include "data/database.h"
#include "data/textcolumns.h"
#include "ddt/ddtlinkstore.h"
#include "invoices/creditnotestore.h"
#include "invoices/duedatestore.h"
#include "invoices/einvoicestore.h"
#include "invoices/invoicerules.h"
#include "papers/seriesstore.h"
#include "shell/formats.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariantList>
#include <cmath>

namespace {

// The Natura chosen for a 0 % invoice; one not chosen keeps what the file export asked for.
DbStatus saveNatura(const Invoice& inv, const QString& natura)
{
    if (inv.iva != 0 || natura.isEmpty())
        return std::nullopt;
    return EInvoiceStore::saveNatura(inv.num, natura);
}

const SeriesStore kSerie("Fatture", "ContFatt");

constexpr auto fromReal = &SeriesStore::fromReal;
constexpr auto outOfRange = &SeriesStore::outOfRange;
constexpr auto real = &SeriesStore::real;
constexpr auto realOrNull = &SeriesStore::realOrNull;

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

DbStatus storeTotal(const QString& num, const Decimal& totale)
{
    return Database::exec(QStringLiteral("UPDATE Fatture SET Totale = ? WHERE Num = ?"), {real(totale), num});
}

DbResult<InvoiceStore::Outcome> outcome(const DbResult<SeriesStore::Outcome>& r)
{
    return SeriesStore::outcomeAs(r, InvoiceStore::Outcome::InvoiceMissing);
}

// A changed amount changes what is left to collect.
DbStatus totalAndDueDates(const QString& num, const Decimal& totale)
{
    if (auto err = storeTotal(num, totale))
        return err;
    return DueDateStore::aggiorna(num);
}

// Commits when the change was done; otherwise the guard rolls back.
DbResult<InvoiceStore::Outcome> committed(Transaction& tx, const DbResult<InvoiceStore::Outcome>& r)
{
    if (!r || r.value() != InvoiceStore::Outcome::Done)
        return r;
    if (auto err = tx.commit())
        return *err;
    return r;
}

} // namespace

QString InvoiceStore::nellaFattura(const QString& num)
{
    return QStringLiteral("nella fattura ") + num;
}

DbResult<std::optional<long long>> InvoiceStore::maxOrdinale(const QString& suffisso)
{
    return kSerie.maxOrdinale(suffisso);
}

DbResult<QString> InvoiceStore::prossimoNumero(const QString& suffisso)
{
    return kSerie.prossimoNumero(suffisso);
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
    return kSerie.exists(num);
}

DbStatus InvoiceStore::issue(const Invoice& inv, const QStringList& ddtCoperti, const QString& natura)
{
    if (auto err = outOfRange({inv.totale}))
        return err;
    for (const InvoiceRow& r : inv.rows)
        if (auto err = outOfRange({r.qta, r.prezzo}))
            return err;
    return kSerie.issue(
        inv.num, QStringLiteral("Fattura ") + inv.num + QStringLiteral(" già esistente"), [&]() -> DbStatus {
            if (auto err =
                    Database::exec(QStringLiteral("INSERT INTO Fatture (Num, IdAna, Data, Totale, Iva, Note, RA) "
                                                  "VALUES (?, ?, ?, ?, ?, ?, ?)"),
                                   {inv.num, inv.idAna, Formats::isoDate(inv.data), real(inv.totale), inv.iva,
                                    inv.note.isEmpty() ? QVariant() : QVariant(note(inv.note)),
                                    inv.ra ? QVariant(QStringLiteral("X")) : QVariant()}))
                return err;
            QList<QVariantList> rows;
            for (const InvoiceRow& r : inv.rows)
                rows.append({inv.num, rowText(r.descrizione), real(r.qta), real(r.prezzo), r.ord});
            if (auto err = Database::insertRows(
                    QStringLiteral("INSERT INTO ContFatt (Num, Descrizione, Qta, Prezzo, Ord) VALUES"), rows))
                return err;
            if (auto err = saveNatura(inv, natura))
                return err;
            if (inv.notaDiCredito())
                if (auto err = CreditNoteStore::collega(inv.num, inv.storno.fattura))
                    return err;
            // A credit note is settled with its invoice: it has no due dates of its own.
            if (inv.condizione != 0 && !inv.notaDiCredito())
                if (auto err = DueDateStore::setCondizione(inv.num, inv.condizione))
                    return err;
            return ddtCoperti.isEmpty() ? DbStatus() : DdtLinkStore::collega(inv.num, ddtCoperti);
        });
}

DbResult<std::optional<Invoice>> InvoiceStore::load(const QString& num)
{
    auto h = SeriesStore::firstRow(
        QStringLiteral("SELECT F.Num, A.Nome, F.Data, F.Totale, F.Iva, F.Note, F.IdAna, F.RA, F.Pagata, "
                       "N.NumFattura, S.Data, P.IdCondizione FROM Fatture F LEFT JOIN Anagrafica A ON F.IdAna = A.Id "
                       "LEFT JOIN NoteCredito N ON N.Num = F.Num LEFT JOIN Fatture S ON S.Num = N.NumFattura "
                       "LEFT JOIN FatturePagamento P ON P.Num = F.Num WHERE F.Num = ? LIMIT 1"),
        {num});
    if (!h)
        return h.error();
    if (!h.value())
        return std::optional<Invoice>();
    QSqlQuery& hq = *h.value();
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
    inv.storno = {hq.value(9).toString(), Formats::fromIsoDate(hq.value(10).toString())};
    inv.condizione = hq.value(11).toLongLong();
    auto r = Database::select(
        QStringLiteral("SELECT Descrizione, Qta, Prezzo, Ord FROM ContFatt WHERE Num = ? ORDER BY Ord"), {num});
    if (!r)
        return r.error();
    QSqlQuery& rq = r.value();
    while (rq.next())
        inv.rows.append({rq.value(3).toInt(), rq.value(0).toString(), fromReal(rq.value(1)), fromReal(rq.value(2))});
    if (rq.lastError().isValid())
        return DbError::from(rq.lastError());
    if (outOfRange({inv.totale}))
        return DbError::overflow(InvoiceStore::nellaFattura(num));
    for (const InvoiceRow& row : inv.rows)
        if (outOfRange({row.qta, row.prezzo}))
            return DbError::overflow(InvoiceStore::nellaFattura(num));
    return std::optional<Invoice>(std::move(inv));
}

DbResult<QList<long long>> InvoiceStore::ordinaliAnno(int anno, const QString& suffisso)
{
    return kSerie.ordinaliAnno(anno, suffisso);
}

DbResult<InvoiceStore::Outcome> InvoiceStore::saveRow(const QString& num, const InvoiceRow& row, const Decimal& totale)
{
    if (auto err = outOfRange({row.qta, row.prezzo, totale}))
        return *err;
    // The write lock first: the unpaid instalments are read and written again with the total.
    Transaction tx(Transaction::Write);
    if (!tx.started())
        return DbError::notStarted();
    const auto r = outcome(kSerie.saveRow(num, row.ord,
                                          {QStringLiteral("Descrizione"), QStringLiteral("Qta"), QStringLiteral("Prezzo")},
                                          {rowText(row.descrizione), realOrNull(row.qta), realOrNull(row.prezzo)},
                                          [&] { return totalAndDueDates(num, totale); }));
    return committed(tx, r);
}

DbResult<InvoiceStore::Outcome> InvoiceStore::deleteRow(const QString& num, int ord, const Decimal& totale)
{
    if (auto err = outOfRange({totale}))
        return *err;
    Transaction tx(Transaction::Write);
    if (!tx.started())
        return DbError::notStarted();
    return committed(tx, outcome(kSerie.deleteRow(num, ord, [&] { return totalAndDueDates(num, totale); })));
}

DbResult<InvoiceStore::Outcome> InvoiceStore::saveHeader(const Invoice& h, const QString& natura)
{
    if (auto err = outOfRange({h.totale}))
        return *err;
    Transaction tx(Transaction::Write);
    if (!tx.started())
        return DbError::notStarted();
    auto q = Database::select(
        QStringLiteral("UPDATE Fatture SET Data = ?, Iva = ?, Totale = ?, Note = ?, RA = ? WHERE Num = ?"),
        {Formats::isoDate(h.data), h.iva, real(h.totale), h.note.isNull() ? QStringLiteral("") : note(h.note),
         h.ra ? QVariant(QStringLiteral("X")) : QVariant(), h.num});
    if (!q)
        return q.error();
    if (q.value().numRowsAffected() == 0)
        return Outcome::InvoiceMissing;
    if (auto err = saveNatura(h, natura))
        return *err;
    if (auto err = DueDateStore::aggiorna(h.num))
        return *err;
    if (auto err = tx.commit())
        return *err;
    return Outcome::Done;
}

DbResult<InvoiceStore::Outcome> InvoiceStore::cancel(const QString& num)
{
    Transaction tx(Transaction::Write);
    if (auto err = CreditNoteStore::annullabile(num))
        return *err;
    const auto r = outcome(kSerie.cancel(num));
    if (!r || r.value() != Outcome::Done)
        return r;
    if (auto err = EInvoiceStore::forgetNatura(num))
        return *err;
    if (auto err = DdtLinkStore::liberaFattura(num))
        return *err;
    if (auto err = DueDateStore::rimuovi(num))
        return *err;
    if (auto err = tx.commit())
        return *err;
    return r;
}

DbResult<InvoiceStore::Register> InvoiceStore::registro(int anno, qint64 idAna)
{
    auto prepared =
        kSerie.registro(QStringLiteral("SELECT P.Num, A.Nome, P.Data, P.Totale, P.Pagata, P.IdAna, A.Piva, "
                                       "A.Cf, P.Iva, P.RA, N.NumFattura FROM Fatture P JOIN Anagrafica A ON "
                                       "P.IdAna = A.Id LEFT JOIN NoteCredito N ON N.Num = P.Num"),
                        anno, idAna);
    if (!prepared)
        return prepared.error();
    RowCursor& rows = prepared.value();
    Register reg;
    long long paidCents = 0;
    long long unpaidCents = 0;
    Decimal paidOther;
    Decimal unpaidOther;
    // A year holds many invoices of the same customers: their texts are read once and shared.
    struct CustomerTexts {
        QString nome, piva, cf;
    };
    QHash<qint64, CustomerTexts> customers;
    while (rows.next()) {
        RegisterRow row;
        row.num = rows.text(0);
        row.idAna = rows.integer(5);
        auto customer = customers.constFind(row.idAna);
        if (customer == customers.cend())
            customer = customers.insert(row.idAna, {rows.text(1), rows.text(6), rows.text(7)});
        row.nome = customer->nome;
        row.piva = customer->piva;
        row.cf = customer->cf;
        row.data = rows.date(2);
        row.stornata = rows.text(10);
        // A credit note's amounts subtract from the year's.
        const double t = row.stornata.isEmpty() ? rows.real(3) : -rows.real(3);
        row.totale = amountFromReal(t);
        row.pagata = !rows.isNull(4) && rows.text(4) == QStringLiteral("X");
        row.iva = static_cast<int>(rows.integer(8));
        row.ra = !rows.isNull(9) && !rows.text(9).isEmpty();
        // Sums to the cent in whole numbers; other values (never written by the editor) exactly.
        const double cents = std::round(t * 100);
        const bool whole = std::fabs(cents) < 1e15 && cents / 100 == t;
        long long& cents64 = row.pagata ? paidCents : unpaidCents;
        long long sum = 0;
        if (whole && !__builtin_add_overflow(cents64, static_cast<long long>(cents), &sum))
            cents64 = sum;
        else if (Decimal& other = row.pagata ? paidOther : unpaidOther; (other += row.totale).isOverflow())
            return DbError::overflow(InvoiceStore::nellaFattura(row.num));
        reg.rows.append(std::move(row));
    }
    if (auto err = rows.error())
        return *err;
    SeriesStore::highestFirst(reg.rows);
    reg.incassato = Decimal(paidCents).dividedBy(100, 2) + paidOther;
    reg.daIncassare = Decimal(unpaidCents).dividedBy(100, 2) + unpaidOther;
    if (outOfRange({reg.incassato, reg.daIncassare}))
        return DbError::overflow(QStringLiteral("nei totali delle fatture del %1").arg(anno));
    return reg;
}

DbResult<QHash<QString, QList<InvoiceRow>>> InvoiceStore::righeRegistro(int anno, qint64 idAna)
{
    auto prepared = kSerie.registro(QStringLiteral("SELECT P.Num, C.Qta, C.Prezzo FROM Fatture P "
                                                   "JOIN ContFatt C ON C.Num = P.Num AND C.Prezzo <> 0"),
                                    anno, idAna);
    if (!prepared)
        return prepared.error();
    QHash<QString, QList<InvoiceRow>> out;
    if (auto err = SeriesStore::leggi(prepared.value(), [&out](const RowCursor& r) {
            InvoiceRow row;
            row.qta = amountFromReal(r.real(1));
            row.prezzo = amountFromReal(r.real(2));
            out[r.text(0)].append(row);
        }))
        return *err;
    return out;
}

DbResult<QHash<QString, InvoiceStore::RigheEnte>> InvoiceStore::righeConIva(int anno, qint64 idAna)
{
    auto prepared = kSerie.registro(QStringLiteral("SELECT P.Num, C.Qta, C.Prezzo, E.CodiceDestinatario, E.Nazione "
                                                   "FROM Fatture P JOIN EFatturaClienti E ON E.IdAna = P.IdAna "
                                                   "AND P.Iva > 0 JOIN ContFatt C ON C.Num = P.Num AND C.Prezzo <> 0"),
                                    anno, idAna);
    if (!prepared)
        return prepared.error();
    QHash<QString, RigheEnte> out;
    if (auto err = SeriesStore::leggi(prepared.value(), [&out](const RowCursor& r) {
            RigheEnte& e = out[r.text(0)];
            if (e.rows.isEmpty()) {
                e.codiceDestinatario = r.text(3);
                e.nazione = r.text(4);
            }
            InvoiceRow row;
            row.qta = amountFromReal(r.real(1));
            row.prezzo = amountFromReal(r.real(2));
            e.rows.append(row);
        }))
        return *err;
    return out;
}

DbResult<QList<CustomerEntry>> InvoiceStore::customersWithInvoices()
{
    return kSerie.customersWithPapers();
}

DbResult<InvoiceStore::Outcome> InvoiceStore::setPaid(const QString& num, bool pagata)
{
    Transaction tx(Transaction::Write);
    if (!tx.started())
        return DbError::notStarted();
    const auto found = exists(num);
    if (!found)
        return found.error();
    if (!found.value())
        return Outcome::InvoiceMissing;
    // Every instalment follows, paid today.
    if (auto err = DueDateStore::pagaFattura(num, pagata, QDate::currentDate()))
        return *err;
    if (auto err = tx.commit())
        return *err;
    return Outcome::Done;
}

DbResult<QStringList> InvoiceStore::numbersOfYear(int anno)
{
    return kSerie.numbersOfYear(anno);
}

DbResult<QList<CustomerEntry>> InvoiceStore::allCustomers()
{
    return customerEntries(QStringLiteral("SELECT Id, Nome FROM Anagrafica ORDER BY Id"));
}

DbResult<InvoiceStore::Outcome> InvoiceStore::changeCustomer(const QString& num, qint64 idAna)
{
    Transaction tx(Transaction::Write);
    if (!tx.started())
        return DbError::notStarted();
    // The DDTs it covers stay their customer's.
    if (auto err = DdtLinkStore::cambioCliente(num, idAna))
        return *err;
    auto q = Database::select(QStringLiteral("UPDATE Fatture SET IdAna = ? WHERE Num = ?"), {idAna, num});
    if (!q)
        return q.error();
    if (q.value().numRowsAffected() == 0)
        return Outcome::InvoiceMissing;
    // A public body pays less under split payment.
    if (auto err = DueDateStore::aggiorna(num))
        return *err;
    if (auto err = tx.commit())
        return *err;
    return Outcome::Done;
}

DbResult<QString> InvoiceStore::customerName(qint64 id)
{
    const auto v = Database::scalar(QStringLiteral("SELECT Nome FROM Anagrafica WHERE Id = ?"), {id});
    if (!v)
        return v.error();
    return v->toString();
}
