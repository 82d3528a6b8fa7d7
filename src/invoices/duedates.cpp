#include "invoices/duedates.h"

#include <algorithm>

namespace {

QDate fineDelMese(const QDate& d)
{
    return QDate(d.year(), d.month(), d.daysInMonth());
}

// A quota in hundredths of a percent: terms carry two decimals at most.
long long centesimi(const Decimal& quota)
{
    return (quota * Decimal(100)).rounded(0).integerPart();
}

// `importo` shared by the quotas, each part to the cent and the last taking the rest. The quotas
// sum to 100 for a whole term; to less when some instalments are already settled.
QList<Decimal> ripartisci(const Decimal& importo, const QList<Decimal>& quote)
{
    long long totale = 0;
    for (const Decimal& q : quote)
        totale += centesimi(q);
    QList<Decimal> out;
    Decimal assegnato;
    for (qsizetype i = 0; i < quote.size(); ++i) {
        if (i + 1 == quote.size()) {
            out.append(importo - assegnato);
            break;
        }
        const Decimal parte = totale == 0 ? Decimal() : (importo * Decimal(centesimi(quote[i]))).dividedBy(totale, 2);
        out.append(parte);
        assegnato += parte;
    }
    return out;
}

// Numbered 1, 2, ... by date; instalments of one day keep the term's order.
QList<DueDate> inOrdine(QList<DueDate> rate)
{
    std::stable_sort(rate.begin(), rate.end(), [](const DueDate& a, const DueDate& b) { return a.data < b.data; });
    for (qsizetype i = 0; i < rate.size(); ++i)
        rate[i].rata = int(i + 1);
    return rate;
}

bool chiusa(const DueDate& d)
{
    return d.pagata || d.presentata();
}

} // namespace

namespace DueDates {

QDate scadenza(const QDate& data, int giorni, bool fineMese)
{
    if (!fineMese)
        return data.addDays(giorni);
    // 30, 60, 90 days end of month are whole months: from 31 January, February's last day.
    if (giorni % 30 == 0)
        return fineDelMese(data.addMonths(giorni / 30));
    return fineDelMese(data.addDays(giorni));
}

QList<DueDate> calcola(const PaymentTerm& term, const QDate& data, const Decimal& dovuto)
{
    QList<DueDate> out;
    if (term.rate.isEmpty() || dovuto.isZero() || dovuto.isOverflow())
        return out;
    QList<Decimal> quote;
    for (const TermInstalment& r : term.rate)
        quote << r.quota;
    const QList<Decimal> importi = ripartisci(dovuto, quote);
    for (qsizetype i = 0; i < term.rate.size(); ++i) {
        DueDate d;
        d.data = scadenza(data, term.rate[i].giorni, term.rate[i].fineMese);
        d.importo = importi[i];
        d.modalita = term.modalita;
        out.append(d);
    }
    return inOrdine(out);
}

QList<DueDate> ricalcola(const PaymentTerm& term, const QDate& data, const Decimal& dovuto,
                         const QList<DueDate>& stored)
{
    // What is settled stays; each of the term's instalments not taken by a settled one of its
    // number shares what is left, by its quota.
    QList<DueDate> out;
    Decimal restante = dovuto;
    int ultima = 0;
    for (const DueDate& d : stored)
        if (chiusa(d)) {
            out.append(d);
            restante -= d.importo;
            ultima = std::max(ultima, d.rata);
        }
    QList<DueDate> libere;
    QList<Decimal> quote;
    {
        // The term's instalments in date order, each with its quota.
        QList<std::pair<DueDate, Decimal>> perData;
        for (const TermInstalment& r : term.rate) {
            DueDate d;
            d.data = scadenza(data, r.giorni, r.fineMese);
            d.modalita = term.modalita;
            perData.append({d, r.quota});
        }
        std::stable_sort(perData.begin(), perData.end(),
                         [](const auto& a, const auto& b) { return a.first.data < b.first.data; });
        for (qsizetype i = 0; i < perData.size(); ++i) {
            const int numero = int(i + 1);
            const bool presa = std::any_of(out.cbegin(), out.cend(), [&](const DueDate& d) { return d.rata == numero; });
            if (presa)
                continue;
            DueDate d = perData[i].first;
            d.rata = numero;
            libere.append(d);
            quote.append(perData[i].second);
            ultima = std::max(ultima, numero);
        }
    }
    if (restante.isZero() || restante.isOverflow()) {
        libere.clear();
    } else if (libere.isEmpty()) {
        // Every instalment is settled and something is still owed (or due back): one more.
        DueDate d;
        d.rata = ultima + 1;
        d.data = term.rate.isEmpty() ? data : scadenza(data, term.rate.last().giorni, term.rate.last().fineMese);
        d.modalita = term.modalita.isEmpty() && !out.isEmpty() ? out.last().modalita : term.modalita;
        d.importo = restante;
        libere.append(d);
    } else {
        const QList<Decimal> importi = ripartisci(restante, quote);
        for (qsizetype i = 0; i < libere.size(); ++i)
            libere[i].importo = importi[i];
    }
    out += libere;
    std::sort(out.begin(), out.end(), [](const DueDate& a, const DueDate& b) { return a.rata < b.rata; });
    return out;
}

} // namespace DueDates
