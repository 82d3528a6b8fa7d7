#include "../ddt/ddttest.h"
#include "ddt/ddtlinkstore.h"
#include "workdir.h"

namespace {

// Three DDTs of ROSSI in 2026 (issued out of number order), one of his in 2025 and one of
// another customer. 1/26 has an untouched first row and a blank line; 3/26 a row without quantity.
struct DdtInvoiceTest : ::testing::Test {
    TestWorkDir dir;
    qint64 rossi = addCustomer(u"ROSSI"_s);
    qint64 bianchi = addCustomer(u"BIANCHI"_s);

    DdtInvoiceTest()
    {
        Ddt grata = sampleDdt(u"10/26"_s, rossi, QDate(2026, 3, 1));
        grata.rows = {{1, u"Grata"_s, dec("4")}};
        issueDdt(grata);
        issueDdt(u"1/26"_s, rossi, QDate(2026, 1, 10));
        Ddt posa = sampleDdt(u"3/26"_s, rossi, QDate(2026, 2, 3));
        posa.rows = {{1, u"Posa in opera"_s, Decimal()}, {2, u"Ringhiera"_s, dec("1.5")}};
        issueDdt(posa);
        issueDdt(u"2/26"_s, bianchi, QDate(2026, 2, 1));
        issueDdt(u"40/25"_s, rossi, QDate(2025, 12, 30));
    }
    static QStringList nums(const QList<Ddt>& ddts)
    {
        QStringList out;
        for (const Ddt& d : ddts)
            out << d.num;
        return out;
    }
    QStringList offered(int anno = 2026) { return nums(DdtLinkStore::daFatturare(anno, rossi).value()); }
    // The register's number and invoice columns.
    static QString register2026()
    {
        QStringList out;
        const auto reg = DdtStore::registro(2026, 0);
        for (const auto& r : reg.value())
            out << r.num + u'>' + r.fattura;
        return out.join(u' ');
    }
};

} // namespace

TEST_F(DdtInvoiceTest, LinkStoredOnIssueFreedOnCancelNeverTwice)
{
    // Looking writes nothing.
    EXPECT_EQ(offered(), (QStringList{u"1/26"_s, u"3/26"_s, u"10/26"_s}));
    EXPECT_EQ(offered(2025), QStringList{u"40/25"_s});
    issue(u"1/26"_s, rossi, QDate(2026, 3, 31));
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM FattureDdt"_s), u"0"_s);
    EXPECT_EQ(register2026(), u"10/26> 3/26> 2/26> 1/26>"_s);

    // A number already taken: neither the invoice nor its links are stored.
    ASSERT_TRUE(InvoiceStore::issue(sampleInvoice(u"1/26"_s, rossi, QDate(2026, 3, 31)), {u"1/26"_s}));
    EXPECT_EQ(DdtLinkStore::fattura(u"1/26"_s).value(), QString());

    ASSERT_FALSE(InvoiceStore::issue(sampleInvoice(u"2/26"_s, rossi, QDate(2026, 3, 31)), {u"1/26"_s, u"3/26"_s}));
    EXPECT_EQ(offered(), QStringList{u"10/26"_s});
    EXPECT_EQ(register2026(), u"10/26> 3/26>2/26 2/26> 1/26>2/26"_s);

    // Another invoice taking a DDT already billed, or one gone meanwhile, is refused whole.
    const QString before = invoiceRows() + dbRows(u"SELECT * FROM FattureDdt ORDER BY NumDdt"_s);
    for (const QString& ddt : {u"3/26"_s, u"99/26"_s}) {
        const DbStatus err =
            InvoiceStore::issue(sampleInvoice(u"3/26"_s, rossi, QDate(2026, 3, 31)), {u"10/26"_s, ddt});
        ASSERT_TRUE(err);
        EXPECT_EQ(err->number, DdtLinkStore::NonDisponibile);
        EXPECT_EQ(err->text, ddt == u"3/26"_s ? u"Il DDT 3/26 è già stato fatturato con la fattura 2/26"_s
                                              : u"Il DDT 99/26 non esiste più"_s);
    }
    EXPECT_EQ(invoiceRows() + dbRows(u"SELECT * FROM FattureDdt ORDER BY NumDdt"_s), before);
    EXPECT_EQ(contentRows(u"3/26"_s), QString());

    // Cancelling the invoice frees its DDTs; the number issued again starts clean.
    EXPECT_EQ(InvoiceStore::cancel(u"2/26"_s).value(), InvoiceStore::Outcome::Done);
    EXPECT_EQ(offered(), (QStringList{u"1/26"_s, u"3/26"_s, u"10/26"_s}));
    EXPECT_EQ(register2026(), u"10/26> 3/26> 2/26> 1/26>"_s);

    // A DDT an invoice names cannot go before that invoice; once it has gone, the DDT can.
    ASSERT_FALSE(InvoiceStore::issue(sampleInvoice(u"2/26"_s, rossi, QDate(2026, 3, 31)), {u"10/26"_s}));
    const QString ddtBefore = dbRows(u"SELECT Num FROM Ddt ORDER BY Num"_s);
    const auto refused = DdtStore::cancel(u"10/26"_s);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().number, DdtLinkStore::Fatturato);
    EXPECT_EQ(refused.error().text,
              u"Il DDT 10/26 è stato fatturato con la fattura 2/26: annullare prima la fattura."_s);
    EXPECT_EQ(dbRows(u"SELECT Num FROM Ddt ORDER BY Num"_s), ddtBefore);
    EXPECT_EQ(DdtLinkStore::fattura(u"10/26"_s).value(), u"2/26"_s);
    EXPECT_EQ(InvoiceStore::cancel(u"2/26"_s).value(), InvoiceStore::Outcome::Done);
    EXPECT_EQ(DdtStore::cancel(u"10/26"_s).value(), DdtStore::Outcome::Done);
    EXPECT_EQ(offered(), (QStringList{u"1/26"_s, u"3/26"_s}));
}

// An invoiced DDT stays as invoiced, and its invoice stays with the DDTs' customer, until the
// invoice is cancelled.
TEST_F(DdtInvoiceTest, AnInvoicedDdtAndItsInvoiceKeepWhatWasInvoiced)
{
    ASSERT_FALSE(InvoiceStore::issue(sampleInvoice(u"5/26"_s, rossi, QDate(2026, 3, 31)), {u"3/26"_s}));
    const auto stored = [] { return ddtRows() + ddtContent(u"3/26"_s) + invoiceRows(); };
    const QString before = stored();
    Ddt header = DdtStore::load(u"3/26"_s).value().value();
    header.note = u"Cambiata"_s;
    const QString fatturato = u"Il DDT 3/26 è stato fatturato con la fattura 5/26: non si può più modificare."_s;
    // Every change of the DDT is refused, and so is another customer for the invoice.
    const QList<DbError> refused{
        DdtStore::saveHeader(header).error(), DdtStore::saveRow(u"3/26"_s, {3, u"Staffe"_s, dec("2")}).error(),
        DdtStore::saveRow(u"3/26"_s, {2, u"Ringhiera"_s, dec("9")}).error(), DdtStore::deleteRow(u"3/26"_s, 1).error(),
        InvoiceStore::changeCustomer(u"5/26"_s, bianchi).error()};
    for (qsizetype i = 0; i < refused.size(); ++i) {
        EXPECT_EQ(refused[i].number, i < 4 ? DdtLinkStore::Fatturato : DdtLinkStore::DaDdt) << i;
        EXPECT_EQ(refused[i].text, i < 4 ? fatturato
                                         : u"La fattura 5/26 è stata emessa dai DDT 3/26 del suo cliente: non può "
                                           "passare a un altro cliente."_s)
            << i;
    }
    EXPECT_EQ(stored(), before);
    // Its own customer again changes nothing that matters; other DDTs are free, and so is this one
    // once its invoice is cancelled.
    EXPECT_EQ(InvoiceStore::changeCustomer(u"5/26"_s, rossi).value(), InvoiceStore::Outcome::Done);
    EXPECT_EQ(DdtStore::saveRow(u"1/26"_s, {4, u"Staffe"_s, dec("2")}).value(), DdtStore::Outcome::Done);
    EXPECT_EQ(InvoiceStore::cancel(u"5/26"_s).value(), InvoiceStore::Outcome::Done);
    EXPECT_EQ(DdtStore::saveHeader(header).value(), DdtStore::Outcome::Done);
    EXPECT_EQ(DdtStore::deleteRow(u"3/26"_s, 1).value(), DdtStore::Outcome::Done);
}
