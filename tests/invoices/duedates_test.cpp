#include "invoices/creditnoterules.h"
#include "invoices/duedates.h"
#include "invoices/invoicelayout.h"
#include "invoices/invoicepaper.h"
#include "invoices/invoicetotals.h"
#include "printing/layoutregistry.h"
#include "ribatest.h"
#include "shell/formats.h"
#include "workdir.h"

#include <numeric>

namespace {

using O = InvoiceStore::Outcome;
using Key = DueDateStore::Key;

TermInstalment rata(int giorni, bool fineMese, const char* quota)
{
    return {giorni, fineMese, dec(quota)};
}

const PaymentTerm kRiba306090{0,
                              u"Ri.Ba. 30/60/90 gg f.m."_s,
                              u"MP12"_s,
                              {rata(30, true, "33.33"), rata(60, true, "33.33"), rata(90, true, "33.34")}};

// Instalments as "rata dd/mm/yyyy amount [P][R]" (paid, presented), one check for all of them.
QString text(const QList<DueDate>& rate)
{
    QStringList out;
    for (const DueDate& d : rate)
        out << QString::number(d.rata) + u' ' + d.data.toString(u"dd/MM/yyyy"_s) + u' ' + d.importo.toString() +
                   (d.pagata ? u" P"_s : QString()) + (d.presentata() ? u" R"_s : QString());
    return out.join(u", "_s);
}

Decimal sum(const QList<DueDate>& rate)
{
    return std::accumulate(rate.begin(), rate.end(), Decimal(),
                           [](Decimal s, const DueDate& d) { return s + d.importo; });
}

} // namespace

TEST(DueDates, TheDayAnInstalmentFallsDue)
{
    // End of month in whole months: February's last day, in a leap year too; other day counts: the
    // days, then that month's end; plain days from the invoice date.
    const std::tuple<QDate, int, bool, QDate> cases[] = {
        {QDate(2026, 1, 31), 30, true, QDate(2026, 2, 28)}, {QDate(2028, 1, 31), 30, true, QDate(2028, 2, 29)},
        {QDate(2026, 1, 31), 60, true, QDate(2026, 3, 31)}, {QDate(2026, 11, 30), 90, true, QDate(2027, 2, 28)},
        {QDate(2026, 3, 10), 0, true, QDate(2026, 3, 31)},  {QDate(2026, 1, 10), 45, true, QDate(2026, 2, 28)},
        {QDate(2026, 1, 31), 30, false, QDate(2026, 3, 2)}, {QDate(2028, 1, 31), 30, false, QDate(2028, 3, 1)},
        {QDate(2026, 3, 10), 0, false, QDate(2026, 3, 10)},
    };
    for (const auto& [data, giorni, fineMese, expected] : cases)
        EXPECT_EQ(DueDates::scadenza(data, giorni, fineMese), expected)
            << data.toString(Qt::ISODate).toStdString() << " + " << giorni << (fineMese ? " f.m." : "");
}

TEST(DueDates, InstalmentsSumToTheAmountDueTheLastTakingTheCents)
{
    const PaymentTerm meta{0, u"Bonifico 40/60"_s, u"MP05"_s, {rata(30, false, "40"), rata(60, false, "60")}};
    // Listed out of date order: numbered by date all the same.
    const PaymentTerm rovescio{0, u"X"_s, u"MP05"_s, {rata(60, true, "70"), rata(30, true, "30")}};
    const PaymentTerm unica{0, u"Rimessa diretta"_s, u"MP01"_s, {rata(0, false, "100")}};
    const std::tuple<const PaymentTerm&, QDate, const char*, QString> cases[] = {
        {kRiba306090, QDate(2026, 1, 31), "100.01", u"1 28/02/2026 33.33, 2 31/03/2026 33.33, 3 30/04/2026 33.35"_s},
        {kRiba306090, QDate(2028, 1, 31), "2", u"1 29/02/2028 0.67, 2 31/03/2028 0.67, 3 30/04/2028 0.66"_s},
        {meta, QDate(2026, 1, 31), "999.99", u"1 02/03/2026 400, 2 01/04/2026 599.99"_s},
        {rovescio, QDate(2026, 1, 31), "10.01", u"1 28/02/2026 3, 2 31/03/2026 7.01"_s},
        {unica, QDate(2026, 2, 3), "158.6", u"1 03/02/2026 158.6"_s},
        // Nothing owed, nothing to collect.
        {kRiba306090, QDate(2026, 1, 31), "0", u""_s},
    };
    for (const auto& [term, data, dovuto, expected] : cases) {
        const QList<DueDate> rate = DueDates::calcola(term, data, dec(dovuto));
        EXPECT_EQ(text(rate), expected) << term.descrizione.toStdString() << " " << dovuto;
        EXPECT_EQ(sum(rate), dec(dovuto)) << dovuto;
    }
}

TEST(DueDates, RecomputingKeepsWhatIsSettledAndSharesTheRest)
{
    const QDate data(2026, 1, 31);
    const QList<DueDate> fresh = DueDates::calcola(kRiba306090, data, dec("100.01"));
    QList<DueDate> primaPagata = fresh, secondaPresentata = fresh, tuttePagate = fresh;
    primaPagata[0].pagata = true;
    secondaPresentata[1].presentazione = 4;
    for (DueDate& d : tuttePagate)
        d.pagata = true;
    // Paid and presented ones stay; the others share the rest by their quotas; all paid: one more.
    const std::tuple<const char*, const QList<DueDate>&, const char*, QString> cases[] = {
        {"none settled", fresh, "150", text(DueDates::calcola(kRiba306090, data, dec("150")))},
        {"first paid", primaPagata, "150", u"1 28/02/2026 33.33 P, 2 31/03/2026 58.33, 3 30/04/2026 58.34"_s},
        {"less owed", primaPagata, "50", u"1 28/02/2026 33.33 P, 2 31/03/2026 8.33, 3 30/04/2026 8.34"_s},
        {"presented", secondaPresentata, "90", u"1 28/02/2026 28.33, 2 31/03/2026 33.33 R, 3 30/04/2026 28.34"_s},
        {"all paid, more owed", tuttePagate, "110.01",
         u"1 28/02/2026 33.33 P, 2 31/03/2026 33.33 P, 3 30/04/2026 33.35 P, 4 30/04/2026 10"_s},
        {"all paid", tuttePagate, "100.01", u"1 28/02/2026 33.33 P, 2 31/03/2026 33.33 P, 3 30/04/2026 33.35 P"_s},
    };
    for (const auto& [what, stored, dovuto, expected] : cases) {
        const QList<DueDate> out = DueDates::ricalcola(kRiba306090, data, dec(dovuto), stored);
        EXPECT_EQ(text(out), expected) << what;
        EXPECT_EQ(sum(out), dec(dovuto)) << what;
    }
}

namespace {

// Invoices of ROSSI (Ri.Ba. customer with his bank) on the shipped terms.
struct DueDateStoreTest : ::testing::Test {
    TestWorkDir dir;
    qint64 rossi = addCustomer(u"ROSSI"_s);
    qint64 riba = RibaData::termine(u"Ri.Ba. 30/60/90 gg f.m."_s);
    qint64 rimessa = RibaData::termine(u"Rimessa diretta"_s);

    void SetUp() override
    {
        ASSERT_FALSE(CustomerPaymentStore::save(rossi, {riba, {}, u"05428"_s, u"11101"_s, u"Banca di Prova"_s}));
    }

    // sampleInvoice (158,60) on the Ri.Ba. 30/60/90 f.m. of 31 January.
    Invoice invoice(const QString& num, qint64 condizione, QDate data = QDate(2026, 1, 31))
    {
        Invoice inv = sampleInvoice(num, rossi, data);
        inv.condizione = condizione;
        return inv;
    }
    QString stored(const QString& num) { return text(DueDateStore::rate(num).value()); }
    QString paid(const QString& num) { return dbText(u"SELECT Pagata FROM Fatture WHERE Num = ?"_s, {num}); }
};

} // namespace

TEST_F(DueDateStoreTest, TheAmountDueLeavesOutTheWithholdingAndTheVatUnderSplitPayment)
{
    const qint64 comune = addCustomer(u"COMUNE"_s);
    // A public body: an office code of six characters.
    ASSERT_FALSE(EInvoiceStore::saveCustomer(comune, {u"UFE3YT"_s, {}, u"IT"_s}));
    const QList<InvoiceRow> righe = {{1, u"Ringhiera"_s, dec("1"), dec("1234.56")}};
    const std::tuple<const char*, qint64, int, bool, const char*> cases[] = {
        {"plain: the total", rossi, 22, false, "1506.16"},
        {"withholding: the total less it", rossi, 22, true, "1456.78"},
        {"public body: without the VAT", comune, 22, false, "1234.56"},
        {"public body with withholding", comune, 22, true, "1185.18"},
        {"public body at 0 %: no VAT to leave out", comune, 0, false, "1234.56"},
    };
    int n = 0;
    for (const auto& [what, cliente, iva, ra, dovuto] : cases) {
        const QString num = QString::number(++n) + u"/26"_s;
        const InvoiceTotals t = InvoiceTotals::calcola(righe, iva, ra);
        Invoice inv{num, cliente, {}, QDate(2026, 2, 3), t.totaleMostrato(), iva, {}, ra, false, righe};
        inv.condizione = riba;
        issue(inv);
        EXPECT_EQ(sum(DueDateStore::rate(num).value()), dec(dovuto)) << what;
    }
    // The customer changes to the public body: the instalments follow.
    ASSERT_EQ(InvoiceStore::changeCustomer(u"1/26"_s, comune).value(), O::Done);
    EXPECT_EQ(sum(DueDateStore::rate(u"1/26"_s).value()), dec("1234.56"));
}

TEST_F(DueDateStoreTest, ChangingAStoredInvoiceRecomputesOnlyWhatIsLeftToCollect)
{
    issue(invoice(u"1/26"_s, riba));
    ASSERT_FALSE(DueDateStore::paga({{u"1/26"_s, 1}}, true, QDate(2026, 3, 2)));
    const QString paidOne = u"1 28/02/2026 52.86 P"_s;
    // A row's price: 2 x 60 + 30 at 22 %; a row deleted: 2 x 60; the date: the open ones move.
    ASSERT_EQ(InvoiceStore::saveRow(u"1/26"_s, {2, u"Cancello"_s, dec("2"), dec("60")}, dec("183")).value(), O::Done);
    EXPECT_EQ(stored(u"1/26"_s), paidOne + u", 2 31/03/2026 65.06, 3 30/04/2026 65.08"_s);
    ASSERT_EQ(InvoiceStore::deleteRow(u"1/26"_s, 3, dec("146.4")).value(), O::Done);
    EXPECT_EQ(stored(u"1/26"_s), paidOne + u", 2 31/03/2026 46.76, 3 30/04/2026 46.78"_s);
    Invoice h = invoice(u"1/26"_s, riba, QDate(2026, 2, 10));
    h.rows = {};
    h.totale = dec("146.4");
    ASSERT_EQ(InvoiceStore::saveHeader(h).value(), O::Done);
    EXPECT_EQ(stored(u"1/26"_s), paidOne + u", 2 30/04/2026 46.76, 3 31/05/2026 46.78"_s);
    // Another term: the paid one stays, the new term's others share the rest.
    ASSERT_FALSE(DueDateStore::setCondizione(u"1/26"_s, rimessa));
    EXPECT_EQ(stored(u"1/26"_s), paidOne + u", 2 10/02/2026 93.54"_s);
    ASSERT_FALSE(DueDateStore::setCondizione(u"1/26"_s, 0));
    EXPECT_EQ(stored(u"1/26"_s), paidOne);
    EXPECT_EQ(DueDateStore::setCondizione(u"1/26"_s, 9999)->number, DueDateStore::NonTrovata);
}

TEST_F(DueDateStoreTest, TheRegistersPaidMarkAndTheInstalmentsFollowEachOther)
{
    issue(invoice(u"1/26"_s, riba));
    issue(invoice(u"2/26"_s, riba));
    // Paid one by one: the invoice is paid with the last.
    ASSERT_FALSE(DueDateStore::paga({{u"1/26"_s, 1}, {u"1/26"_s, 2}, {u"2/26"_s, 3}}, true, QDate(2026, 3, 2)));
    EXPECT_EQ(paid(u"1/26"_s), u""_s);
    ASSERT_FALSE(DueDateStore::paga({{u"1/26"_s, 3}}, true, QDate(2026, 5, 4)));
    EXPECT_EQ(paid(u"1/26"_s), u"X"_s);
    // A payment registered again keeps its first day.
    ASSERT_FALSE(DueDateStore::paga({{u"1/26"_s, 3}}, true, QDate(2026, 6, 1)));
    EXPECT_EQ(dbRows(u"SELECT Rata, DataPagamento FROM Scadenze WHERE Num = '1/26' ORDER BY Rata"_s),
              u"1|2026-03-02\n2|2026-03-02\n3|2026-05-04"_s);
    // One cancelled: the invoice is no longer paid.
    ASSERT_FALSE(DueDateStore::paga({{u"1/26"_s, 2}}, false, {}));
    EXPECT_EQ(paid(u"1/26"_s), u""_s);
    EXPECT_EQ(stored(u"1/26"_s), u"1 28/02/2026 52.86 P, 2 31/03/2026 52.86, 3 30/04/2026 52.88 P"_s);

    // The register's "Pagata" pays every instalment, and unpays them.
    ASSERT_EQ(InvoiceStore::setPaid(u"2/26"_s, true).value(), O::Done);
    EXPECT_EQ(dbRows(u"SELECT Pagata, DataPagamento FROM Scadenze WHERE Num = '2/26' ORDER BY Rata"_s),
              u"X|%1\nX|%1\nX|2026-03-02"_s.arg(Formats::isoDate(QDate::currentDate())));
    EXPECT_EQ(paid(u"2/26"_s), u"X"_s);
    ASSERT_EQ(InvoiceStore::setPaid(u"2/26"_s, false).value(), O::Done);
    EXPECT_EQ(dbRows(u"SELECT DISTINCT Pagata, DataPagamento FROM Scadenze WHERE Num = '2/26'"_s), u"-|-"_s);
    EXPECT_EQ(paid(u"2/26"_s), u""_s);

    // A row change that raises the amount leaves a paid invoice with something to collect.
    ASSERT_EQ(InvoiceStore::setPaid(u"1/26"_s, true).value(), O::Done);
    ASSERT_EQ(InvoiceStore::saveRow(u"1/26"_s, {4, u"Extra"_s, Decimal(), dec("10")}, dec("170.8")).value(), O::Done);
    EXPECT_EQ(paid(u"1/26"_s), u""_s);
    EXPECT_EQ(stored(u"1/26"_s),
              u"1 28/02/2026 52.86 P, 2 31/03/2026 52.86 P, 3 30/04/2026 52.88 P, 4 30/04/2026 12.2"_s);

    // Cancelling the invoice forgets its term and instalments.
    ASSERT_EQ(InvoiceStore::cancel(u"2/26"_s).value(), O::Done);
    EXPECT_EQ(dbRows(u"SELECT Num FROM Scadenze UNION SELECT Num FROM FatturePagamento"_s), u"1/26"_s);
    // A credit note has none; an instalment that cannot be written takes the whole invoice with it.
    Invoice nota = CreditNoteRules::proposta(InvoiceStore::load(u"1/26"_s).value().value());
    nota.num = u"2/26"_s;
    nota.storno.fattura = u"1/26"_s;
    nota.condizione = riba;
    issue(nota);
    failInserts(u"Scadenze"_s, u"NEW.Num = '3/26'"_s);
    EXPECT_TRUE(InvoiceStore::issue(invoice(u"3/26"_s, riba)));
    EXPECT_EQ(dbRows(u"SELECT Num FROM Scadenze UNION SELECT Num FROM FatturePagamento UNION SELECT Num FROM "
                     "Fatture WHERE Num <> '2/26'"_s),
              u"1/26"_s);
}

TEST_F(DueDateStoreTest, TheListAndTheRibaPresentation)
{
    const qint64 verdi = addCustomer(u"VERDI"_s);          // no bank
    issue(invoice(u"1/26"_s, riba));                       // 28/02, 31/03, 30/04
    issue(invoice(u"2/26"_s, rimessa, QDate(2026, 3, 5))); // 05/03 cash
    Invoice v = sampleInvoice(u"3/26"_s, verdi, QDate(2026, 2, 10));
    v.condizione = riba; // 31/03, 30/04, 31/05
    issue(v);
    ASSERT_FALSE(DueDateStore::paga({{u"1/26"_s, 2}}, true, QDate(2026, 3, 31)));

    const auto keys = [](const DbResult<QList<DueDate>>& rate, bool nome) {
        QStringList out;
        for (const DueDate& d : rate.value())
            out << d.num + u'/' + QString::number(d.rata) + (nome ? u' ' + d.nome : QString());
        return out.join(u", "_s);
    };
    // March with the overdue ones and without; of one customer; by method.
    const std::pair<DueDateStore::Filtro, QString> filters[] = {
        {{QDate(2026, 3, 1), QDate(2026, 3, 31), true, 0, {}},
         u"1/26/1 ROSSI, 2/26/1 ROSSI, 1/26/2 ROSSI, 3/26/1 VERDI"_s},
        {{QDate(2026, 3, 1), QDate(2026, 3, 31), false, 0, {}}, u"2/26/1 ROSSI, 1/26/2 ROSSI, 3/26/1 VERDI"_s},
        {{QDate(2026, 3, 1), QDate(2026, 4, 30), true, verdi, {}}, u"3/26/1 VERDI, 3/26/2 VERDI"_s},
        {{QDate(2026, 1, 1), QDate(2026, 12, 31), true, 0, u"MP01"_s}, u"2/26/1 ROSSI"_s},
    };
    for (const auto& [filtro, expected] : filters)
        EXPECT_EQ(keys(DueDateStore::elenco(filtro), true), expected);

    // The Ri.Ba. to present: unpaid, not presented, of the period.
    const auto offered = [&] {
        return keys(DueDateStore::ribaDaPresentare(QDate(2026, 2, 1), QDate(2026, 4, 30)), false);
    };
    EXPECT_EQ(offered(), u"1/26/1, 3/26/1, 1/26/3, 3/26/2"_s);

    const QString before = databaseRows();
    const std::tuple<const char*, QList<Key>, QString> refused[] = {
        {"nothing", {}, u"Nessuna rata da presentare"_s},
        {"a paid one", {{u"1/26"_s, 1}, {u"1/26"_s, 2}}, u"La rata 2 della fattura 1/26 è già pagata"_s},
        {"not a Ri.Ba.", {{u"2/26"_s, 1}}, u"La rata 1 della fattura 2/26 non è una Ri.Ba."_s},
        {"a customer without ABI and CAB",
         {{u"1/26"_s, 1}, {u"3/26"_s, 1}},
         u"Il cliente VERDI (fattura 3/26) non ha i codici ABI e CAB della sua banca: la Ri.Ba. non può essere "
         "presentata"_s},
        {"missing", {{u"1/26"_s, 7}}, u"La rata 7 della fattura 1/26 non esiste più"_s},
    };
    for (const auto& [what, chosen, reason] : refused) {
        const auto p = DueDateStore::presenta(chosen, QDate(2026, 2, 20), u"riba.txt"_s);
        ASSERT_FALSE(p) << what;
        EXPECT_EQ(QString::number(p.error().number) + u' ' + p.error().text,
                  QString::number(DueDateStore::Rifiutata) + u' ' + reason);
    }
    EXPECT_EQ(databaseRows(), before);

    const auto id = DueDateStore::presenta({{u"1/26"_s, 1}, {u"1/26"_s, 3}}, QDate(2026, 2, 20), u"riba.txt"_s);
    ASSERT_TRUE(id) << id.error().text.toStdString();
    EXPECT_EQ(offered(), u"3/26/1, 3/26/2"_s);
    EXPECT_EQ(DueDateStore::presenta({{u"1/26"_s, 3}}, QDate(2026, 2, 21), u"altro.txt"_s).error().text,
              u"La rata 3 della fattura 1/26 è già stata presentata in banca"_s);
    // Cancelled as a whole: offered again.
    ASSERT_FALSE(DueDateStore::annullaPresentazione(id.value()));
    EXPECT_EQ(offered(), u"1/26/1, 3/26/1, 1/26/3, 3/26/2"_s);
    EXPECT_EQ(DueDateStore::annullaPresentazione(id.value())->number, DueDateStore::NonTrovata);
}

TEST_F(DueDateStoreTest, ThePrintedInvoiceListsTheDueDatesWithTheMethodAndTheBank)
{
    CompanyFiscalData azienda;
    azienda.iban = u"IT60X0542811101000000123456"_s;
    azienda.istitutoFinanziario = u"Banca di Forlì"_s;
    ASSERT_FALSE(EInvoiceStore::saveCompany(azienda));
    const qint64 dangelo = addCustomer(u"D'ANGELO"_s),
                 addebito = RibaData::termine(u"Addebito diretto SDD 30 gg f.m."_s);
    ASSERT_FALSE(
        CustomerPaymentStore::save(dangelo, {addebito, u"IT05A0503616900000000012345"_s, {}, {}, u"Banco BPM"_s}));
    issue(invoice(u"1/26"_s, riba));
    issue(invoice(u"2/26"_s, RibaData::termine(u"Bonifico 30 gg d.f."_s)));
    Invoice sdd = sampleInvoice(u"3/26"_s, dangelo, QDate(2026, 1, 31));
    sdd.condizione = addebito;
    issue(sdd);
    issue(invoice(u"4/26"_s, 0));
    // The editor's invoice not stored yet: the due dates its term would give.
    InvoiceData nuova = InvoiceData::fromInvoice(invoice(u"5/26"_s, rimessa, QDate(2026, 2, 3)));

    // The texts printed left of the totals, in drawing order.
    const auto printed = [](const InvoiceData& d) {
        const auto pages = LayoutRegistry::compose(u"Fattura"_s, d, nullptr);
        QStringList out;
        if (pages.empty())
            return out;
        for (const DrawItem& i : pages.back().items())
            if (i.kind == DrawItem::Kind::Text && !i.text.isEmpty() && i.y > 216 && i.y < 245 &&
                i.x < InvoiceLayout::kX0 + 130)
                out << i.text;
        return out;
    };
    const auto stored = [](const char* num) {
        return InvoicePaper::datiFattura(QString::fromLatin1(num)).value().value();
    };
    const std::pair<InvoiceData, QString> cases[] = {
        {stored("1/26"), u"PAGAMENTO|Ri.Ba. 30/60/90 gg f.m.|Appoggio ABI 05428 CAB 11101 - Banca di Prova|SCADENZE|"
                         "28/02/2026|€ 52,86|31/03/2026|€ 52,86|30/04/2026|€ 52,88"_s},
        {stored("2/26"), u"PAGAMENTO|Bonifico 30 gg d.f.|IBAN IT60 X054 2811 1010 0000 0123 456 - Banca di Forlì|"
                         "SCADENZE|02/03/2026|€ 158,60"_s},
        {stored("3/26"), u"PAGAMENTO|Addebito diretto SDD 30 gg f.m.|Addebito su IBAN IT05 A050 3616 9000 0000 0012 "
                         "345 - Banco BPM|SCADENZE|28/02/2026|€ 158,60"_s},
        {stored("4/26"), QString()},
        {nuova, u"PAGAMENTO|Rimessa diretta|SCADENZE|03/02/2026|€ 158,60"_s}, // not stored yet
    };
    for (const auto& [data, expected] : cases)
        EXPECT_EQ(printed(data).join(u'|'), expected);

    // Many instalments: three columns of four, the last place saying how many more.
    PaymentTerm mensile{0, u"Bonifico mensile"_s, u"MP05"_s, {}};
    for (int m = 1; m <= 14; ++m)
        mensile.rate.append(rata(15 * m, false, m == 14 ? "9" : "7"));
    nuova.condizione = PaymentTermStore::save(mensile).value();
    const QStringList molte = printed(nuova);
    ASSERT_EQ(molte.size(), 4 + 11 * 2 + 1);
    EXPECT_EQ(molte.last(), u"e altre 3 rate"_s);
}
