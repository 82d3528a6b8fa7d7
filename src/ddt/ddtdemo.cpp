#include "ddt/ddtdemo.h"

#include "data/database.h"
#include "ddt/ddtrules.h"
#include "ddt/ddtstore.h"
#include "papers/paperdemo.h"
#include "papers/paperseries.h"

#include <QDate>
#include <QSqlQuery>

namespace {

struct SampleRow {
    const char* descrizione;
    const char* qta;
};

struct SampleDdt {
    int customer;
    const char* causale;
    const char* mezzo;
    int colli;
    // Days after the issue date; -1 for no pick-up date.
    int ritiroDopo;
    const char* ora;
    const char* note;
    SampleRow rows[4];
};

const SampleDdt kDdt[] = {
    {0,
     "Vendita",
     "ced",
     3,
     0,
     "09:05",
     "Consegna in cantiere",
     {{"Cancello carraio in ferro zincato", "1"},
      {"Guide di scorrimento", "2"},
      {" ", ""},
      {"Minuteria di fissaggio", ""}}},
    {1, "Conto lavorazione", "ces", 1, 1, "", "", {{"Ringhiera scala in tubolare 40x40", "12.5"}}},
    {2, "Reso", "", 0, -1, "", "", {{"Inferriate per finestre", "6"}, {"Staffe", "24"}}},
    {3, "Vendita", "ced", 2, 2, "14:30", "Ritiro a cura del cliente", {{"Lamiera striata 4/6 mm", "2"}}},
};

// The many-page sample: more rows than two pages hold.
constexpr int kRigheLunghe = 50;

} // namespace

namespace DdtDemo {

DbStatus fill()
{
    const auto found = PaperDemo::clienti(6);
    if (!found)
        return found.error();
    const QList<qint64>& customers = found.value();
    if (customers.isEmpty())
        return std::nullopt;

    Transaction tx;
    if (!tx.started())
        return DbError::notStarted();
    const QDate today = QDate::currentDate();
    const int count = static_cast<int>(std::size(kDdt)) + 1;
    for (const int year : {today.year() - 1, today.year()}) {
        const QDate last = year == today.year() ? today : QDate(year, 12, 20);
        const QString suffisso = PaperSeries::suffisso(year);
        const auto max = DdtStore::maxOrdinale(suffisso);
        if (!max)
            return max.error();
        long long ordinal = max.value().value_or(0);
        for (int i = 0; i < count; ++i) {
            Ddt d;
            d.num = QString::number(++ordinal) + suffisso;
            d.data = PaperDemo::data(QDate(year, 1, 3), i, count, last);
            d.rows.append({1, QString(), Decimal()});
            if (i < count - 1) {
                const SampleDdt& s = kDdt[i];
                d.idAna = customers[s.customer % customers.size()];
                d.causale = QString::fromUtf8(s.causale);
                d.mezzo = QString::fromUtf8(s.mezzo);
                d.colli = s.colli;
                d.dataRitiro = s.ritiroDopo < 0 ? QDate() : d.data.addDays(s.ritiroDopo);
                d.oraRitiro = QString::fromUtf8(s.ora);
                d.note = QString::fromUtf8(s.note);
                long long ord = 1;
                for (const SampleRow& r : s.rows) {
                    if (!r.descrizione)
                        break;
                    d.rows.append({++ord, QString::fromUtf8(r.descrizione),
                                   Decimal::fromString(QString::fromUtf8(r.qta)).value_or(Decimal())});
                }
            } else {
                d.idAna = customers[4 % customers.size()];
                d.causale = QStringLiteral("Vendita");
                d.mezzo = DdtRules::kCessionario;
                d.colli = 12;
                d.note = QStringLiteral("Materiale per la struttura del capannone");
                for (int r = 1; r <= kRigheLunghe; ++r)
                    d.rows.append({r + 1, QStringLiteral("Profilato HEA 120, elemento %1").arg(r), Decimal(r % 7 + 1)});
            }
            if (auto err = DdtStore::issue(d))
                return err;
        }
    }
    return tx.commit();
}

} // namespace DdtDemo
