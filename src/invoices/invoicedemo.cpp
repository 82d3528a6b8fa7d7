#include "invoices/invoicedemo.h"

#include "data/database.h"
#include "ddt/ddtlinkstore.h"
#include "invoices/creditnoterules.h"
#include "invoices/duedatestore.h"
#include "invoices/ddtinvoicing.h"
#include "invoices/einvoicestore.h"
#include "invoices/invoicerules.h"
#include "invoices/invoicestore.h"
#include "invoices/invoicetotals.h"
#include "papers/paperdemo.h"
#include "registry/customerpaymentstore.h"

#include <QDate>
#include <QSqlQuery>

namespace {

struct SampleRow {
    const char* descrizione;
    const char* qta;
    const char* prezzo;
};

// Each sample invoice: a customer (index among the first valid ones), rate, withholding, and
// up to five rows; an empty description ends the rows. A 0 % invoice names its Natura.
struct SampleInvoice {
    int customer;
    int iva;
    bool ra;
    bool pagata;
    const char* note;
    SampleRow rows[5];
    const char* natura = nullptr;
};

const SampleInvoice kInvoices[] = {
    {0,
     22,
     false,
     true,
     "Consegna e posa entro fine mese",
     {{"Cancello carraio scorrevole in ferro zincato", "1", "1850"},
      {"Posa in opera e muratura guide", "", "320"},
      {"Motorizzazione con fotocellule", "1", "640.5"}}},
    {1, 22, true, true, "", {{"Ringhiera scala in tubolare 40x40 verniciata", "12.5", "95"}, {"Trasporto", "", "45"}}},
    {2,
     10,
     false,
     false,
     "Lavori di ristrutturazione edilizia - IVA agevolata",
     {{"Inferriate per finestre su misura", "6", "210"}, {"Verniciatura a polveri RAL 6005", "6", "38.4"}}},
    {3,
     22,
     false,
     true,
     "",
     {{"Riparazione saldatura telaio rimorchio", "", "180"},
      {"Lamiera striata 4/6 mm", "2", "74.9"},
      {" ", "", ""},
      {"Manodopera ore", "3.5", "32"}}},
    {4,
     22,
     true,
     false,
     "Bonifico bancario",
     {{"Scala a chiocciola diam. 160 cm", "1", "3200"}, {"Corrimano in acciaio inox AISI 304", "4.2", "110"}}},
    {0,
     22,
     false,
     false,
     "",
     {{"Pensilina in acciaio e policarbonato", "1", "1275"}, {"Staffe e tasselli chimici", "8", "6.75"}}},
    {5,
     4,
     false,
     true,
     "Prima casa",
     {{"Portoncino blindato classe 3", "1", "980"}, {"Smontaggio vecchio infisso", "", "60"}}},
    {1, 22, true, false, "", {{"Grigliato elettroforgiato 30x2", "9.6", "48.5"}, {"Taglio e foratura", "", "85"}}},
    // A builder's subcontract: reverse charge.
    {1,
     0,
     false,
     true,
     "Subappalto cantiere Via Brennero",
     {{"Struttura in acciaio per soppalco, fornitura e posa", "1", "4800"}, {"Scala di servizio", "1", "950"}},
     "N6.3"},
    // An exporter's declaration of intent: no VAT, the virtual stamp.
    {4,
     0,
     false,
     false,
     "Dichiarazione d'intento n. 12 del 10/01",
     {{"Telai in acciaio per macchine utensili", "4", "380"}},
     "N3.5"},
};

// The sample a partial credit note reverses each year.
constexpr int kStornata = 5;
// The sample public body (the town hall among the first customers) and its office code.
constexpr int kEnte = 3;
const CustomerEInvoiceData kUfficioEnte{QStringLiteral("UF7Q2K"), QString(), QStringLiteral("IT")};

// The customer's own term, as the editor proposes it.
DbResult<qint64> condizione(qint64 idAna)
{
    const auto p = CustomerPaymentStore::load(idAna);
    if (!p)
        return p.error();
    return p->idCondizione;
}

// A paid sample's instalments are paid each on its day (today at the latest); an unpaid one of this
// year has its first instalment paid when that is past, so that some invoices are paid in part.
DbStatus pagaRate(const QString& num, bool pagata, const QDate& today)
{
    const auto rate = DueDateStore::rate(num);
    if (!rate)
        return rate.error();
    for (const DueDate& d : rate.value()) {
        if (!pagata && (d.rata != 1 || rate->size() == 1 || d.data >= today))
            break;
        if (auto err = DueDateStore::paga({{num, d.rata}}, true, std::min(d.data, today)))
            return err;
    }
    return std::nullopt;
}

} // namespace

namespace InvoiceDemo {

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
    if (customers.size() > kEnte)
        if (auto err = EInvoiceStore::saveCustomer(customers[kEnte], kUfficioEnte))
            return err;
    const QDate today = QDate::currentDate();
    const int years[] = {today.year() - 1, today.year()};
    const int count = static_cast<int>(std::size(kInvoices));
    for (const int year : years) {
        const QDate last = year == today.year() ? today : QDate(year, 12, 20);
        const auto next = InvoiceStore::maxOrdinale(InvoiceRules::suffisso(year));
        if (!next)
            return next.error();
        long long ordinal = next.value().value_or(0);
        // The invoice a credit note of the year reverses in part.
        Invoice stornata;
        for (int i = 0; i < count; ++i) {
            const SampleInvoice& s = kInvoices[i];
            Invoice inv;
            inv.num = QString::number(++ordinal) + InvoiceRules::suffisso(year);
            inv.idAna = customers[s.customer % customers.size()];
            inv.data = PaperDemo::data(QDate(year, 1, 2), i, count, last);
            inv.iva = s.iva;
            inv.ra = s.ra;
            inv.note = QString::fromUtf8(s.note);
            int ord = 1;
            inv.rows.append(InvoiceRules::rigaVuota(ord));
            for (const SampleRow& r : s.rows) {
                if (!r.descrizione)
                    break;
                inv.rows.append({++ord, QString::fromUtf8(r.descrizione),
                                 Decimal::fromString(QString::fromUtf8(r.qta)).value_or(Decimal()),
                                 Decimal::fromString(QString::fromUtf8(r.prezzo)).value_or(Decimal())});
            }
            inv.totale = InvoiceTotals::calcola(inv.rows, inv.iva, inv.ra).totaleMostrato();
            const auto term = condizione(inv.idAna);
            if (!term)
                return term.error();
            inv.condizione = term.value();
            if (auto err = InvoiceStore::issue(inv, {}, QString::fromUtf8(s.natura)))
                return err;
            if (i == kStornata)
                stornata = inv;
            const QString cig = QStringLiteral("Z4B%1").arg(year * 1000 + i, 7, 10, QLatin1Char('0'));
            if (s.customer == kEnte && customers.size() > kEnte)
                if (auto err = EInvoiceStore::savePublicBodyCodes(inv.num, {cig, {}}))
                    return err;
            // The current year keeps most invoices still to collect.
            const bool paid = year < today.year() ? (s.pagata || i % 3 == 0) : s.pagata;
            if (inv.condizione != 0) {
                if (paid || year == today.year())
                    if (auto err = pagaRate(inv.num, paid, today))
                        return err;
            } else if (paid) {
                if (const auto r = InvoiceStore::setPaid(inv.num, true); !r)
                    return r.error();
            }
        }
        // The anchors were not fitted: a credit note for them alone.
        Invoice nota = CreditNoteRules::proposta(stornata);
        nota.num = QString::number(++ordinal) + InvoiceRules::suffisso(year);
        nota.data = last;
        nota.note = QStringLiteral("Storno staffe e tasselli non forniti");
        nota.rows = {InvoiceRules::rigaVuota(1), stornata.rows.at(2)};
        nota.totale = InvoiceTotals::calcola(nota.rows, nota.iva, nota.ra).totaleMostrato();
        if (auto err = InvoiceStore::issue(nota))
            return err;
    }
    return tx.commit();
}

DbStatus fillDeferred()
{
    const auto found = PaperDemo::clienti(6);
    if (!found)
        return found.error();
    Transaction tx;
    if (!tx.started())
        return DbError::notStarted();
    const QDate today = QDate::currentDate();
    for (const int year : {today.year() - 1, today.year()}) {
        // The customer with the most DDTs still to invoice.
        QList<Ddt> scelti;
        for (const qint64 cliente : found.value()) {
            const auto ddts = DdtLinkStore::daFatturare(year, cliente);
            if (!ddts)
                return ddts.error();
            if (ddts->size() > scelti.size())
                scelti = ddts.value();
        }
        if (!scelti.isEmpty()) {
            const qint64 cliente = scelti.first().idAna;
            const QList<Ddt> fatturati = DdtInvoicing::inOrdine(scelti).mid(0, 3);
            QStringList numeri;
            for (const Ddt& d : fatturati)
                numeri << d.num;
            const auto next = InvoiceStore::maxOrdinale(InvoiceRules::suffisso(year));
            if (!next)
                return next.error();
            // After the year's other invoices: the last day of a past year, today for this one.
            Invoice inv;
            inv.num = QString::number(next.value().value_or(0) + 1) + InvoiceRules::suffisso(year);
            inv.idAna = cliente;
            inv.data = year < today.year() ? QDate(year, 12, 31) : today;
            inv.iva = 22;
            inv.note = QStringLiteral("Fattura differita dei DDT del periodo");
            inv.rows = DdtInvoicing::righe(fatturati);
            for (InvoiceRow& r : inv.rows)
                if (!r.qta.isZero())
                    r.prezzo = Decimal::fromString(QStringLiteral("42.5")).value();
            inv.totale = InvoiceTotals::calcola(inv.rows, inv.iva, inv.ra).totaleMostrato();
            const auto term = condizione(cliente);
            if (!term)
                return term.error();
            inv.condizione = term.value();
            if (auto err = InvoiceStore::issue(inv, numeri))
                return err;
        }
    }
    return tx.commit();
}

} // namespace InvoiceDemo
