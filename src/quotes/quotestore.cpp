#include "quotes/quotestore.h"

#include "data/database.h"
#include "data/distincttexts.h"
#include "data/textcolumns.h"
#include "shell/formats.h"

#include <QSqlQuery>

namespace {

const SeriesStore kSerie("Preventivi");

QVariant textOrNull(const QString& text, int length)
{
    return text.isEmpty() ? QVariant() : QVariant(TextColumns::fit(text, length));
}

// An emptied box is stored as an empty text, never Null.
QString textOrEmpty(const QString& text, int length)
{
    return text.isNull() ? QStringLiteral("") : TextColumns::fit(text, length);
}

} // namespace

DbResult<std::optional<long long>> QuoteStore::maxOrdinale(const QString& suffisso)
{
    return kSerie.maxOrdinale(suffisso);
}

DbResult<QString> QuoteStore::prossimoNumero(const QString& suffisso)
{
    return kSerie.prossimoNumero(suffisso);
}

DbResult<bool> QuoteStore::exists(const QString& num)
{
    return kSerie.exists(num);
}

DbResult<QStringList> QuoteStore::intestazioni(int riga)
{
    // The column name is the program's own.
    const QString col = riga == 2 ? QStringLiteral("Int2") : QStringLiteral("Int1");
    return distinctTexts(QStringLiteral("Preventivi"), col);
}

DbStatus QuoteStore::issue(const Quote& q)
{
    const bool intestato = !q.int1.isEmpty();
    return kSerie.issue(q.num, QStringLiteral("Preventivo ") + q.num + QStringLiteral(" già esistente"), [&] {
        return Database::exec(
            QStringLiteral(
                "INSERT INTO Preventivi (Num, IdAna, Int1, Int2, Data, Des, Note) VALUES (?, ?, ?, ?, ?, ?, ?)"),
            {q.num, intestato || q.idAna == 0 ? QVariant() : QVariant(q.idAna),
             intestato ? QVariant(TextColumns::fit(q.int1, TextColumns::Preventivi::Int1)) : QVariant(),
             textOrNull(q.int2, TextColumns::Preventivi::Int2), Formats::isoDate(q.data),
             q.des.isNull() ? QStringLiteral("") : q.des, textOrNull(q.note, TextColumns::Preventivi::Note)});
    });
}

DbResult<std::optional<Quote>> QuoteStore::load(const QString& num)
{
    auto h =
        SeriesStore::firstRow(QStringLiteral("SELECT P.Num, P.IdAna, A.Nome, P.Int1, P.Int2, P.Data, P.Des, P.Note "
                                             "FROM Preventivi P LEFT JOIN Anagrafica A ON P.IdAna = A.Id "
                                             "WHERE P.Num = ? LIMIT 1"),
                              {num});
    if (!h)
        return h.error();
    if (!h.value())
        return std::optional<Quote>();
    const QSqlQuery& r = *h.value();
    Quote q;
    q.num = r.value(0).toString();
    // A quote holding both kinds reads as typed, the way it prints.
    if (r.value(3).isNull())
        q.idAna = r.value(1).toLongLong();
    q.nome = q.idAna == 0 ? QString() : r.value(2).toString();
    q.int1 = r.value(3).toString();
    q.int2 = r.value(4).toString();
    q.data = Formats::fromIsoDate(r.value(5).toString());
    q.des = r.value(6).toString();
    q.note = r.value(7).toString();
    return std::optional<Quote>(std::move(q));
}

DbResult<QuoteStore::Outcome> QuoteStore::save(const Quote& q)
{
    auto upd = Database::select(
        QStringLiteral("UPDATE Preventivi SET Data = ?, Des = ?, Note = ?, "
                       "Int1 = CASE WHEN Int1 IS NOT NULL OR IdAna IS NULL THEN ? ELSE Int1 END, "
                       "Int2 = CASE WHEN Int1 IS NOT NULL OR IdAna IS NULL THEN ? ELSE Int2 END WHERE Num = ?"),
        {Formats::isoDate(q.data), q.des.isNull() ? QStringLiteral("") : q.des,
         textOrEmpty(q.note, TextColumns::Preventivi::Note), textOrEmpty(q.int1, TextColumns::Preventivi::Int1),
         textOrEmpty(q.int2, TextColumns::Preventivi::Int2), q.num});
    if (!upd)
        return upd.error();
    return upd.value().numRowsAffected() == 0 ? Outcome::PaperMissing : Outcome::Done;
}

DbResult<QuoteStore::Outcome> QuoteStore::cancel(const QString& num)
{
    return kSerie.cancel(num);
}

DbResult<QList<long long>> QuoteStore::ordinaliSerie(const QString& suffisso)
{
    return kSerie.ordinaliSerie(suffisso);
}

DbResult<QList<QuoteStore::RegisterRow>> QuoteStore::registro(int anno)
{
    // Typed-header quotes and those of a registry customer (deleted ones too) together.
    auto prepared = kSerie.registro(
        QStringLiteral("SELECT P.Num, P.Cliente, P.Data FROM (SELECT Q.Num AS Num, Q.Data AS Data, Q.IdAna AS IdAna, "
                       "CASE WHEN Q.IdAna IS NULL THEN Q.Int1 ELSE A.Nome END AS Cliente FROM Preventivi Q "
                       "LEFT JOIN Anagrafica A ON Q.IdAna = A.Id "
                       "WHERE Q.IdAna IS NULL OR (Q.Int1 IS NULL AND A.Id IS NOT NULL)) P"),
        anno, 0, QStringLiteral("P.Data DESC, P.Num DESC"));
    if (!prepared)
        return prepared.error();
    QList<RegisterRow> rows;
    if (auto err = SeriesStore::leggi(prepared.value(), [&rows](const RowCursor& row) {
            rows.append({row.text(0), row.text(1), row.date(2)});
        }))
        return *err;
    return rows;
}
