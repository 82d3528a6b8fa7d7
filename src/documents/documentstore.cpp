#include "documents/documentstore.h"

#include "data/database.h"
#include "shell/formats.h"

#include <QSqlQuery>

namespace {

const SeriesStore kSerie("Documenti", nullptr);

} // namespace

DbResult<std::optional<long long>> DocumentStore::maxOrdinale(const QString& suffisso)
{
    return kSerie.maxOrdinale(suffisso);
}

DbResult<QString> DocumentStore::prossimoNumero(const QString& suffisso)
{
    return kSerie.prossimoNumero(suffisso);
}

DbResult<bool> DocumentStore::exists(const QString& num)
{
    return kSerie.exists(num);
}

DbStatus DocumentStore::registra(const Documento& d)
{
    return kSerie.issue(d.num, QStringLiteral("Documento ") + d.num + QStringLiteral(" già esistente"), [&] {
        return Database::exec(QStringLiteral("INSERT INTO Documenti (Num, Data, Des) VALUES (?, ?, ?)"),
                              {d.num, Formats::isoDate(d.data), d.des.isNull() ? QStringLiteral("") : d.des});
    });
}

DbResult<std::optional<Documento>> DocumentStore::load(const QString& num)
{
    auto q = SeriesStore::firstRow(QStringLiteral("SELECT Num, Data, Des FROM Documenti WHERE Num = ? LIMIT 1"), {num});
    if (!q)
        return q.error();
    if (!q.value())
        return std::optional<Documento>();
    const QSqlQuery& r = *q.value();
    return std::optional<Documento>(
        Documento{r.value(0).toString(), Formats::fromIsoDate(r.value(1).toString()), r.value(2).toString()});
}

DbResult<bool> DocumentStore::salva(const QString& num, const QString& des)
{
    auto q = Database::select(QStringLiteral("UPDATE Documenti SET Des = ? WHERE Num = ?"),
                              {des.isNull() ? QStringLiteral("") : des, num});
    if (!q)
        return q.error();
    return q.value().numRowsAffected() > 0;
}

DbResult<SeriesStore::Outcome> DocumentStore::elimina(const QString& num)
{
    return kSerie.cancel(num);
}

DbResult<QList<long long>> DocumentStore::ordinaliSerie(const QString& suffisso)
{
    return kSerie.ordinaliSerie(suffisso);
}

DbResult<QList<DocumentStore::RegisterRow>> DocumentStore::registro(int anno)
{
    auto prepared = kSerie.registro("SELECT P.Num, P.Data, P.Des FROM Documenti P", anno, 0);
    if (!prepared)
        return prepared.error();
    QList<RegisterRow> rows;
    if (auto err = SeriesStore::leggi(prepared.value(), [&rows](const RowCursor& row) {
            rows.append({row.text(0), row.date(1), row.firstLine(2)});
        }))
        return *err;
    SeriesStore::highestFirst(rows);
    return rows;
}
