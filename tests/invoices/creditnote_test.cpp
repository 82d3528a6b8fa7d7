#include "invoices/creditnoterules.h"
#include "invoices/creditnotestore.h"
#include "invoices/invoicedata.h"
#include "invoices/invoicelayout.h"
#include "invoices/invoiceledger.h"
#include "invoicetest.h"
#include "pagetexts.h"
#include "workdir.h"

namespace {

using O = InvoiceStore::Outcome;

// One invoice, 1/26 of 10 March, and a partial credit note 2/26 reversing its "Posa" only.
struct CreditNoteTest : ::testing::Test {
    TestWorkDir dir;
    qint64 rossi = addCustomer(u"ROSSI"_s);
    Invoice fattura = sampleInvoice(u"1/26"_s, rossi, QDate(2026, 3, 10));

    Invoice nota(const QString& num, const QString& stornata)
    {
        Invoice n = CreditNoteRules::proposta(fattura);
        n.num = num;
        n.data = QDate(2026, 4, 2);
        n.storno.fattura = stornata;
        n.rows.removeAt(1); // the gate stays billed
        n.totale = dec("36.6");
        return n;
    }
    void SetUp() override
    {
        issue(fattura);
        issue(nota(u"2/26"_s, u"1/26"_s));
    }
};

} // namespace

TEST_F(CreditNoteTest, StoredAndRecalledWithTheInvoiceItReverses)
{
    const auto loaded = InvoiceStore::load(u"2/26"_s);
    ASSERT_TRUE(loaded && loaded.value());
    EXPECT_EQ(loaded->value().storno.fattura, u"1/26"_s);
    EXPECT_EQ(loaded->value().storno.data, QDate(2026, 3, 10));
    EXPECT_EQ(loaded->value().rows.size(), 2);
    // The proposal copies the invoice's withholding, whichever it is.
    for (const bool ra : {true, false}) {
        Invoice conRitenuta = fattura;
        conRitenuta.ra = ra;
        EXPECT_EQ(CreditNoteRules::proposta(conRitenuta).ra, ra);
    }
    EXPECT_FALSE(InvoiceStore::load(u"1/26"_s).value()->notaDiCredito());
    // The note takes the next number of the invoices' own series.
    EXPECT_EQ(InvoiceStore::prossimoNumero(u"/26"_s).value(), u"3/26"_s);
    // Printed with its heading and the invoice it reverses.
    const std::vector<Page> pages = InvoiceLayout::disegna(InvoiceData::fromInvoice(*loaded.value()), {}, {});
    EXPECT_EQ(PageTexts::textsIn(pages.at(0), 0, 40, 210, 47).join(u' '),
              u"NOTA DI CREDITO n° 2/2026@3.5,44 a storno della fattura 1/26 del 10/03/2026@113.5,46"_s);
}

TEST_F(CreditNoteTest, RefusalsWriteNothing)
{
    issue(u"3/26"_s, rossi, QDate(2026, 4, 3));
    ASSERT_EQ(InvoiceStore::cancel(u"3/26"_s).value(), O::Done);
    const QString before = invoiceRows() + dbRows(u"SELECT * FROM NoteCredito"_s);
    const std::pair<QString, QString> cases[] = {
        {u"3/26"_s, u"La fattura 3/26 non esiste più (annullata?): la nota di credito non è stata emessa"_s},
        {u"2/26"_s, u"Il documento 2/26 è una nota di credito: si storna solo una fattura"_s},
    };
    for (const auto& [stornata, message] : cases) {
        const DbError err = InvoiceStore::issue(nota(u"9/26"_s, stornata)).value_or(DbError{});
        EXPECT_EQ(err.number, CreditNoteStore::NonStornabile);
        EXPECT_EQ(err.text, message);
        EXPECT_EQ(invoiceRows() + dbRows(u"SELECT * FROM NoteCredito"_s), before);
    }
}

TEST_F(CreditNoteTest, AnInvoiceWithNotesIsNotCancelledTheLastNoteIs)
{
    // A note of the next year leaves the invoice the last of its series.
    issue(nota(u"1/27"_s, u"1/26"_s));
    ASSERT_EQ(InvoiceStore::cancel(u"2/26"_s).value(), O::Done);
    const auto refused = InvoiceStore::cancel(u"1/26"_s);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().text,
              u"La fattura 1/26 è stornata dalla nota di credito 1/27: annullare prima la nota di credito."_s);
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM Fatture WHERE Num = '1/26'"_s), u"1"_s);
    ASSERT_EQ(InvoiceStore::cancel(u"1/27"_s).value(), O::Done);
    EXPECT_EQ(InvoiceStore::cancel(u"1/26"_s).value(), O::Done);
    EXPECT_EQ(dbRows(u"SELECT count(*) FROM NoteCredito"_s), u"0"_s);
}

TEST_F(CreditNoteTest, RegisterAndAccountantSubtractTheNote)
{
    ASSERT_FALSE(InvoiceStore::setPaid(u"1/26"_s, true).value() != O::Done);
    const auto ledger = InvoiceLedger::carica(2026, 0);
    ASSERT_TRUE(ledger);
    const auto& rows = ledger->registro.rows;
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].stornata, u"1/26"_s);
    EXPECT_EQ(rows[0].totale, dec("-36.6"));
    EXPECT_EQ(ledger->registro.incassato, dec("158.6"));
    EXPECT_EQ(ledger->registro.daIncassare, dec("-36.6"));
    // 100 + 30 - 30 taxable, 28.60 - 6.60 VAT.
    EXPECT_EQ(ledger->somme.imponibile, dec("100"));
    EXPECT_EQ(ledger->somme.iva, dec("22"));
    const QByteArray csv = ledger->csv();
    EXPECT_TRUE(csv.contains("\r\n2/26;02/04/2026;0001;ROSSI;;;-30,00;22;-6,60;0,00;-36,60;No;0,00\r\n")) << csv.data();
}
