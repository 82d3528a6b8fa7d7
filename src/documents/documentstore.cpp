#include "documents/documentstore.h"

#include "data/database.h"
#include "shell/formats.h"

#include <QSqlQuery>
#include <algorithm>
#include <sqlite3.h>

namespace {

const SeriesStore kSerie("Documenti", nullptr);

// The text of a column up to its first line break, read without converting the rest.
QString primaRiga(sqlite3_stmt* stmt, int column)
{
    const char* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
    const char* end = t + sqlite3_column_bytes(stmt, column);
    const char* cut = std::find_if(t, end, [](char c) { return c == '\r' || c == '\n'; });
    return QString::fromUtf8(t, cut - t);
}

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

DbResult<QList<long long>> DocumentStore::ordinaliAnno(int anno, const QString& suffisso)
{
    return kSerie.ordinaliAnno(anno, suffisso);
}

DbResult<QList<DocumentStore::RegisterRow>> DocumentStore::registro(int anno)
{
    const auto prepared = kSerie.registro("SELECT P.Num, P.Data, P.Des FROM Documenti P", anno, 0);
    if (!prepared)
        return prepared.error();
    QList<RegisterRow> rows;
    if (auto err = SeriesStore::leggi(prepared.value(), [&rows](sqlite3_stmt* stmt) {
            rows.append({SeriesStore::text(stmt, 0), SeriesStore::date(stmt, 1), primaRiga(stmt, 2)});
        }))
        return *err;
    return rows;
}
