#include "ddt/ddtstore.h"

#include "data/database.h"
#include "data/distincttexts.h"
#include "data/textcolumns.h"
#include "ddt/ddtlinkstore.h"
#include "papers/seriesstore.h"
#include "shell/formats.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>

namespace {

const SeriesStore kSerie("Ddt", "ContDdt");

DbResult<DdtStore::Outcome> outcome(const DbResult<SeriesStore::Outcome>& r)
{
    return SeriesStore::outcomeAs(r, DdtStore::Outcome::DdtMissing);
}

QVariant textOrNull(const QString& text, int length)
{
    return text.isEmpty() ? QVariant() : QVariant(TextColumns::fit(text, length));
}

QVariant dateOrNull(const QDate& date)
{
    return date.isValid() ? QVariant(Formats::isoDate(date)) : QVariant();
}

QVariant colliOrNull(long long colli)
{
    return colli == 0 ? QVariant() : QVariant(colli);
}

// An untouched row is stored with an empty text, never Null.
QString rowText(const QString& descrizione)
{
    return descrizione.isNull() ? QStringLiteral("") : TextColumns::fit(descrizione, TextColumns::ContDdt::Descrizione);
}

} // namespace

DbResult<std::optional<long long>> DdtStore::maxOrdinale(const QString& suffisso)
{
    return kSerie.maxOrdinale(suffisso);
}

DbResult<QString> DdtStore::prossimoNumero(const QString& suffisso)
{
    return kSerie.prossimoNumero(suffisso);
}

DbResult<QStringList> DdtStore::causali()
{
    return distinctTexts(QStringLiteral("Ddt"), QStringLiteral("Causale"));
}

DbResult<bool> DdtStore::exists(const QString& num)
{
    return kSerie.exists(num);
}

DbStatus DdtStore::issue(const Ddt& d)
{
    for (const DdtRow& r : d.rows)
        if (auto err = SeriesStore::outOfRange({r.qta}))
            return err;
    return kSerie.issue(d.num, QStringLiteral("DDT ") + d.num + QStringLiteral(" già esistente"), [&]() -> DbStatus {
        if (auto err = Database::exec(
                QStringLiteral("INSERT INTO Ddt (Num, IdAna, Data, Causale, OraRit, DataRit, Mezzo, Colli, Note) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                {d.num, d.idAna, Formats::isoDate(d.data), TextColumns::fit(d.causale, TextColumns::Ddt::Causale),
                 d.oraRitiro.isEmpty() ? QVariant() : QVariant(d.oraRitiro), dateOrNull(d.dataRitiro),
                 textOrNull(d.mezzo, TextColumns::Ddt::Mezzo), colliOrNull(d.colli),
                 textOrNull(d.note, TextColumns::Ddt::Note)}))
            return err;
        QList<QVariantList> rows;
        for (const DdtRow& r : d.rows)
            rows.append({d.num, rowText(r.descrizione), SeriesStore::realOrNull(r.qta), r.ord});
        if (auto err = Database::insertRows(QStringLiteral("INSERT INTO ContDdt (Num, Descrizione, Qta, Ord) VALUES"),
                                            rows))
            return err;
        return std::nullopt;
    });
}

DbResult<std::optional<Ddt>> DdtStore::load(const QString& num)
{
    auto h =
        SeriesStore::firstRow(QStringLiteral("SELECT D.Num, A.Nome, D.Data, D.Causale, D.OraRit, D.DataRit, D.Mezzo, "
                                             "D.Colli, D.Note, D.IdAna FROM Ddt D JOIN Anagrafica A ON D.IdAna = A.Id "
                                             "WHERE D.Num = ? LIMIT 1"),
                              {num});
    if (!h)
        return h.error();
    if (!h.value())
        return std::optional<Ddt>();
    QSqlQuery& hq = *h.value();
    Ddt d;
    d.num = hq.value(0).toString();
    d.nome = hq.value(1).toString();
    d.data = Formats::fromIsoDate(hq.value(2).toString());
    d.causale = hq.value(3).toString();
    d.oraRitiro = hq.value(4).toString();
    d.dataRitiro = hq.value(5).isNull() ? QDate() : Formats::fromIsoDate(hq.value(5).toString());
    d.mezzo = hq.value(6).toString();
    d.colli = hq.value(7).toLongLong();
    d.note = hq.value(8).toString();
    d.idAna = hq.value(9).toLongLong();
    auto r =
        Database::select(QStringLiteral("SELECT Descrizione, Qta, Ord FROM ContDdt WHERE Num = ? ORDER BY Ord"), {num});
    if (!r)
        return r.error();
    QSqlQuery& rq = r.value();
    while (rq.next())
        d.rows.append({rq.value(2).toLongLong(), rq.value(0).toString(), SeriesStore::fromReal(rq.value(1))});
    if (rq.lastError().isValid())
        return DbError::from(rq.lastError());
    for (const DdtRow& row : d.rows)
        if (auto err = SeriesStore::outOfRange({row.qta}))
            return *err;
    return std::optional<Ddt>(std::move(d));
}

DbResult<QList<long long>> DdtStore::ordinaliAnno(int anno, const QString& suffisso)
{
    return kSerie.ordinaliAnno(anno, suffisso);
}

DbResult<DdtStore::Outcome> DdtStore::saveRow(const QString& num, const DdtRow& row)
{
    if (auto err = SeriesStore::outOfRange({row.qta}))
        return *err;
    return outcome(kSerie.saveRow(num, row.ord, {QStringLiteral("Descrizione"), QStringLiteral("Qta")},
                                  {rowText(row.descrizione), SeriesStore::realOrNull(row.qta)},
                                  [&] { return DdtLinkStore::modificabile(num); }));
}

DbResult<DdtStore::Outcome> DdtStore::deleteRow(const QString& num, long long ord)
{
    return outcome(kSerie.deleteRow(num, ord, [&] { return DdtLinkStore::modificabile(num); }));
}

DbResult<DdtStore::Outcome> DdtStore::saveHeader(const Ddt& h)
{
    Transaction tx(Transaction::Write);
    if (!tx.started())
        return DbError::notStarted();
    if (auto err = DdtLinkStore::modificabile(h.num))
        return *err;
    // With no transport option chosen the stored one stays.
    auto q = Database::select(
        QStringLiteral("UPDATE Ddt SET Data = ?, Causale = ?, Mezzo = coalesce(?, Mezzo), Colli = ?, DataRit = ?, "
                       "OraRit = ?, Note = ? WHERE Num = ?"),
        {Formats::isoDate(h.data), TextColumns::fit(h.causale, TextColumns::Ddt::Causale),
         textOrNull(h.mezzo, TextColumns::Ddt::Mezzo), colliOrNull(h.colli), dateOrNull(h.dataRitiro),
         h.oraRitiro.isEmpty() ? QVariant() : QVariant(h.oraRitiro),
         h.note.isNull() ? QStringLiteral("") : TextColumns::fit(h.note, TextColumns::Ddt::Note), h.num});
    if (!q)
        return q.error();
    if (q.value().numRowsAffected() == 0)
        return Outcome::DdtMissing;
    if (auto err = tx.commit())
        return *err;
    return Outcome::Done;
}

DbResult<DdtStore::Outcome> DdtStore::cancel(const QString& num)
{
    Transaction tx(Transaction::Write);
    // An invoice naming a DDT that is gone would mislead.
    if (auto err = DdtLinkStore::annullabile(num))
        return *err;
    const auto r = outcome(kSerie.cancel(num));
    if (!r || r.value() != Outcome::Done)
        return r;
    if (auto err = tx.commit())
        return *err;
    return r;
}

DbResult<QList<DdtStore::RegisterRow>> DdtStore::registro(int anno, qint64 idAna)
{
    auto prepared = kSerie.registro(
        QStringLiteral("SELECT P.Num, A.Nome, P.Data, P.Causale, L.NumFattura, P.IdAna FROM Ddt P JOIN Anagrafica A "
                       "ON P.IdAna = A.Id LEFT JOIN FattureDdt L ON L.NumDdt = P.Num"),
        anno, idAna);
    if (!prepared)
        return prepared.error();
    QList<RegisterRow> rows;
    // A year holds many DDTs of the same customers: each name is read once and shared.
    QHash<qint64, QString> names;
    if (auto err = SeriesStore::leggi(prepared.value(), [&rows, &names](const RowCursor& row) {
            auto nome = names.constFind(row.integer(5));
            if (nome == names.cend())
                nome = names.insert(row.integer(5), row.text(1));
            rows.append({row.text(0), *nome, row.date(2), row.text(3), row.text(4)});
        }))
        return *err;
    SeriesStore::highestFirst(rows);
    return rows;
}

DbResult<QList<CustomerEntry>> DdtStore::customersWithDdt()
{
    return kSerie.customersWithPapers();
}

DbResult<QString> DdtStore::customerName(qint64 id)
{
    const auto v = Database::scalar(QStringLiteral("SELECT Nome FROM Anagrafica WHERE Id = ?"), {id});
    if (!v)
        return v.error();
    return v->toString();
}
