#include "invoices/ribastore.h"

#include "data/rowcursor.h"

#include <QVariantList>
#include <algorithm>

namespace {

// Well within the engines' limits on the values of one statement.
constexpr qsizetype kAllaVolta = 200;

// "?, ?, ?": the marks of `n` values.
QString segnaposti(qsizetype n)
{
    QStringList marks(n, QStringLiteral("?"));
    return marks.join(QStringLiteral(", "));
}

} // namespace

DbResult<QHash<qint64, RibaStore::Debitore>> RibaStore::debitori(const QList<qint64>& ids)
{
    QHash<qint64, Debitore> out;
    for (qsizetype from = 0; from < ids.size(); from += kAllaVolta) {
        const qsizetype n = std::min(kAllaVolta, ids.size() - from);
        QVariantList values;
        for (qsizetype i = from; i < from + n; ++i)
            values << ids[i];
        auto rows = RowCursor::open(
            QStringLiteral("SELECT A.Id, A.Nome, A.Ragione, A.Ragione2, A.Piva, A.Cf, A.Indirizzo, A.Cap, A.Città, "
                           "A.Prov, C.Abi, C.Cab, C.Banca FROM Anagrafica A LEFT JOIN ClientiPagamento C ON "
                           "C.IdAna = A.Id WHERE A.Id IN (") +
                segnaposti(n) + u')',
            values);
        if (!rows)
            return rows.error();
        RowCursor& r = rows.value();
        while (r.next()) {
            Debitore d;
            d.anagrafica = {r.text(1), r.text(2), r.text(3), r.text(4), r.text(5),
                            r.text(6), r.text(7), r.text(8), r.text(9)};
            d.abi = r.text(10).trimmed();
            d.cab = r.text(11).trimmed();
            d.banca = r.text(12).trimmed();
            out.insert(r.integer(0), d);
        }
        if (auto err = r.error())
            return *err;
    }
    return out;
}

DbResult<QHash<QString, int>> RibaStore::numeroRate(const QStringList& nums)
{
    QHash<QString, int> out;
    for (qsizetype from = 0; from < nums.size(); from += kAllaVolta) {
        const qsizetype n = std::min(kAllaVolta, nums.size() - from);
        QVariantList values;
        for (qsizetype i = from; i < from + n; ++i)
            values << nums[i];
        auto rows = RowCursor::open(QStringLiteral("SELECT Num, count(*) FROM Scadenze WHERE Num IN (") +
                                        segnaposti(n) + QStringLiteral(") GROUP BY Num"),
                                    values);
        if (!rows)
            return rows.error();
        RowCursor& r = rows.value();
        while (r.next())
            out.insert(r.text(0), int(r.integer(1)));
        if (auto err = r.error())
            return *err;
    }
    return out;
}
