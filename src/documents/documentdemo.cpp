#include "documents/documentdemo.h"

#include "data/database.h"
#include "documents/documentlayout.h"
#include "documents/documentstore.h"
#include "papers/paperseries.h"
#include "papers/seriesstore.h"

#include <QStringList>

namespace {

const char* const kTesti[] = {
    "DICHIARAZIONE DI CONFORMITA'\r\n\r\nSi dichiara che le opere in ferro fornite sono state realizzate "
    "a regola d'arte\r\ncon materiali conformi alle norme vigenti.\r\n\r\nIn fede",
    "Spett.le Cliente,\r\ncon la presente comunichiamo la chiusura estiva dell'officina\r\ndal 5 al 23 agosto.\r\n"
    "\r\nCordiali saluti",
    "Attestazione di avvenuta manutenzione del cancello automatico.",
};

// More lines than one page holds: the second page takes the rest.
QString testoLungo()
{
    QStringList righe{QStringLiteral("ELENCO DEI LAVORI ESEGUITI NEL CANTIERE DI VIA ROMA"), QString()};
    for (int i = 1; righe.size() < DocumentLayout::kRighePagina + 12; ++i)
        righe << QStringLiteral("%1. Posa in opera di ringhiera in ferro battuto, tratto n. %1").arg(i);
    righe << QString() << QStringLiteral("Il responsabile di cantiere");
    return righe.join(QStringLiteral("\r\n"));
}

} // namespace

namespace DocumentDemo {

DbStatus fill()
{
    Transaction tx;
    if (!tx.started())
        return DbError::notStarted();
    const QDate today = QDate::currentDate();
    for (const int year : {today.year() - 1, today.year()}) {
        const QString suffisso = PaperSeries::suffisso(year);
        const auto max = DocumentStore::maxOrdinale(suffisso);
        if (!max)
            return max.error();
        long long ordinal = max.value().value_or(0);
        const QDate last = year == today.year() ? today : QDate(year, 12, 20);
        const int count = static_cast<int>(std::size(kTesti)) + 1;
        for (int i = 0; i < count; ++i) {
            Documento d;
            d.num = QString::number(++ordinal) + suffisso;
            d.data = std::min(last, QDate(year, 1, 10).addDays(30 * i));
            d.des = i < count - 1 ? QString::fromUtf8(kTesti[i]) : testoLungo();
            if (auto err = DocumentStore::registra(d))
                return err;
        }
    }
    return tx.commit();
}

} // namespace DocumentDemo
