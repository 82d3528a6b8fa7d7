#include "invoices/ddtinvoicing.h"

#include "invoices/einvoicestore.h"
#include "papers/paperrows.h"
#include "papers/paperseries.h"

#include <QStringList>
#include <algorithm>

namespace DdtInvoicing {

namespace {

bool vuota(const DdtRow& r)
{
    return r.descrizione.trimmed().isEmpty();
}

} // namespace

QList<Ddt> inOrdine(QList<Ddt> ddts)
{
    std::stable_sort(ddts.begin(), ddts.end(), [](const Ddt& a, const Ddt& b) {
        const auto key = [](const Ddt& d) {
            return std::pair(PaperSeries::annoSerie(d.num), PaperSeries::ordinale(d.num));
        };
        return key(a) < key(b);
    });
    return ddts;
}

QString intestazione(const Ddt& ddt)
{
    return intestazione(ddt.num, ddt.data);
}

QString intestazione(const QString& num, const QDate& data)
{
    return QStringLiteral("DDT n. %1 del %2").arg(num, data.toString(QStringLiteral("dd/MM/yyyy")));
}

QDate termine(const QList<QDate>& dateDdt)
{
    QDate ultima;
    for (const QDate& d : dateDdt)
        if (d.isValid() && (!ultima.isValid() || d > ultima))
            ultima = d;
    if (!ultima.isValid())
        return ultima;
    const QDate mese = ultima.addMonths(1);
    return QDate(mese.year(), mese.month(), 15);
}

QString avvisoTermine(const QDate& data, const QList<QDate>& dateDdt)
{
    const QDate ultimo = termine(dateDdt);
    if (!ultimo.isValid() || !data.isValid() || data <= ultimo)
        return QString();
    return QStringLiteral("La fattura differita va emessa entro il giorno 15 del mese successivo a quello del DDT "
                          "più recente (art. 21, comma 4, lett. a) DPR 633/72): il termine era il %1. Proseguire "
                          "comunque ?")
        .arg(ultimo.toString(QStringLiteral("dd/MM/yyyy")));
}

QList<InvoiceRow> righe(const QList<Ddt>& ddts)
{
    QList<InvoiceRow> out;
    int ord = 0;
    for (const Ddt& d : ddts) {
        if (!out.isEmpty())
            out.append({++ord, QStringLiteral(" "), Decimal(), Decimal()});
        out.append({++ord, intestazione(d), Decimal(), Decimal()});
        for (const DdtRow& r : d.rows)
            if (!vuota(r))
                out.append({++ord, r.descrizione, r.qta, Decimal()});
    }
    return out;
}

QString avvisoTermine(const QDate& data, const QStringList& ddtCoperti)
{
    if (ddtCoperti.isEmpty())
        return QString();
    const auto date = EInvoiceStore::ddtDates(ddtCoperti);
    return date ? avvisoTermine(data, date.value()) : QString();
}

QString riepilogo(const QString& cliente, int anno, const QList<Ddt>& ddts)
{
    QStringList lines{QStringLiteral("Fattura differita per %1: %2 DDT del %3")
                          .arg(cliente, QString::number(ddts.size()), QString::number(anno))};
    for (const Ddt& d : ddts) {
        lines << QString() << intestazione(d);
        for (const DdtRow& r : d.rows)
            if (!vuota(r))
                lines << QStringLiteral("  %1  %2").arg(PaperRows::testoQta(r.qta), 10).arg(r.descrizione);
    }
    return lines.join(u'\n') + u'\n';
}

} // namespace DdtInvoicing
