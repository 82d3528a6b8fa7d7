#include "quotes/quotedemo.h"

#include "data/database.h"
#include "papers/paperseries.h"
#include "papers/seriesstore.h"
#include "quotes/quotestore.h"
#include "registry/registrydemo.h"

#include <QDate>
#include <QSqlQuery>

namespace {

struct SampleQuote {
    // Index among the first customers; -1 for typed header lines.
    int customer;
    const char* int1;
    const char* int2;
    const char* des;
    const char* note;
};

const SampleQuote kQuotes[] = {
    {0, "", "",
     "Fornitura e posa in opera di cancello carraio scorrevole in ferro zincato,\r\n"
     "dimensioni 400 x 180 cm, con guida a terra e motorizzazione.\r\n\r\n"
     "Prezzo complessivo: euro 2.850,00 + IVA.\r\nValidità dell'offerta: 30 giorni.",
     "Sopralluogo eseguito"},
    {-1, "Condominio Le Querce", "Via dei Tigli, 8 - Cesena",
     "Sostituzione della ringhiera delle scale condominiali (tre rampe),\r\n"
     "tubolare 40x40 verniciato a polvere RAL 6005.\r\n\r\nPrezzo: euro 4.200,00 + IVA.",
     ""},
    {1, "", "",
     "Realizzazione di soppalco in profilati HEA con grigliato elettrofuso.\r\n"
     "Portata 350 kg/m2. Certificazione dei materiali inclusa.",
     ""},
    {-1, "Azienda Agricola Ponte Vecchio", "", "Riparazione del portone del fienile e sostituzione dei cardini.",
     "Urgente"},
};

// The two-page sample: more lines than one page holds.
constexpr int kRigheLunghe = 45;

QString testoLungo()
{
    QStringList righe{QStringLiteral("Struttura metallica per capannone artigianale, come da disegno allegato:")};
    for (int r = 1; r < kRigheLunghe; ++r)
        righe << QStringLiteral("  %1. Pilastro HEA 200, h 6,00 m, piastra di base e tirafondi").arg(r);
    return righe.join(QStringLiteral("\r\n"));
}

} // namespace

namespace QuoteDemo {

DbStatus fill()
{
    const auto read = RegistryDemo::primiClienti(6);
    if (!read)
        return read.error();
    const QList<qint64>& customers = read.value();
    if (customers.isEmpty())
        return std::nullopt;

    Transaction tx;
    if (!tx.started())
        return DbError::notStarted();
    const QDate today = QDate::currentDate();
    const int count = static_cast<int>(std::size(kQuotes)) + 1;
    for (const int year : {today.year() - 1, today.year()}) {
        const QString suffisso = PaperSeries::suffisso(year);
        const auto max = QuoteStore::maxOrdinale(suffisso);
        if (!max)
            return max.error();
        long long ordinal = max.value().value_or(0);
        const QDate first(year, 1, 7);
        const QDate last = year == today.year() ? today : QDate(year, 12, 15);
        for (int i = 0; i < count; ++i) {
            Quote p;
            p.num = QString::number(++ordinal) + suffisso;
            p.data = first <= last ? first.addDays(first.daysTo(last) * i / count) : last;
            if (i < count - 1) {
                const SampleQuote& s = kQuotes[i];
                if (s.customer >= 0)
                    p.idAna = customers[s.customer % customers.size()];
                p.int1 = QString::fromUtf8(s.int1);
                p.int2 = QString::fromUtf8(s.int2);
                p.des = QString::fromUtf8(s.des);
                p.note = QString::fromUtf8(s.note);
            } else {
                p.idAna = customers[2 % customers.size()];
                p.des = testoLungo();
            }
            if (auto err = QuoteStore::issue(p))
                return err;
        }
    }
    return tx.commit();
}

} // namespace QuoteDemo
