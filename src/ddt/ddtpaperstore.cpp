#include "ddt/ddtpaperstore.h"

#include "data/database.h"
#include "invoices/invoicerules.h"
#include "shell/formats.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

QString shownDate(const QVariant& v)
{
    return v.isNull() ? QString() : Formats::shortDate(Formats::fromIsoDate(v.toString()));
}

// 'HH:MM' as the hour and minute boxes show it: 9 and 05.
void shownTime(const QVariant& v, DdtData& d)
{
    const QStringList parts = v.toString().split(u':');
    bool okOre = false;
    bool okMinuti = false;
    const int ore = parts.value(0).toInt(&okOre);
    const int minuti = parts.value(1).toInt(&okMinuti);
    if (v.isNull() || parts.size() != 2 || !okOre || !okMinuti)
        return;
    d.ore = QString::number(ore);
    d.minuti = QStringLiteral("%1").arg(minuti, 2, 10, QLatin1Char('0'));
}

int mezzo(const QVariant& v)
{
    const QString m = v.toString();
    return m == u"ced" ? 0 : m == u"ces" ? 1 : -1;
}

} // namespace

namespace DdtPaperStore {

DbResult<std::optional<DdtData>> datiDdt(const QString& num)
{
    auto h = Database::select(QStringLiteral("SELECT Num, IdAna, Data, Causale, Mezzo, Colli, DataRit, OraRit, Note "
                                             "FROM Ddt WHERE Num = ? LIMIT 1"),
                              {num});
    if (!h)
        return h.error();
    QSqlQuery& hq = h.value();
    if (!hq.next()) {
        if (hq.lastError().isValid())
            return DbError::from(hq.lastError());
        return std::optional<DdtData>();
    }
    DdtData d;
    d.num = hq.value(0).toString();
    d.idCliente = hq.value(1).toLongLong();
    d.data = shownDate(hq.value(2));
    d.causale = hq.value(3).toString();
    d.mezzo = mezzo(hq.value(4));
    d.colli = hq.value(5).isNull() ? QString() : QString::number(hq.value(5).toLongLong());
    d.dataRitiro = shownDate(hq.value(6));
    shownTime(hq.value(7), d);
    d.note = hq.value(8).toString();

    auto r = Database::select(QStringLiteral("SELECT Descrizione, Qta FROM ContDdt WHERE Num = ? ORDER BY Ord"), {num});
    if (!r)
        return r.error();
    QSqlQuery& rq = r.value();
    while (rq.next()) {
        const Decimal qta = rq.value(1).isNull() ? Decimal() : Decimal::fromDouble(rq.value(1).toDouble());
        // The grid's quantity text, the same on every paper: empty for none or 0.
        d.righe.append({rq.value(0).toString(), InvoiceRules::testoQta(qta)});
    }
    if (rq.lastError().isValid())
        return DbError::from(rq.lastError());
    return std::optional<DdtData>(std::move(d));
}

} // namespace DdtPaperStore
