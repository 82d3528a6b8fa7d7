#include "einvoicetest.h"
#include "invoices/ddtinvoicing.h"
#include "invoices/invoicedata.h"
#include "invoices/invoicelayout.h"
#include "invoices/invoiceledger.h"
#include "invoices/invoicetotals.h"
#include "printing/layoutregistry.h"
#include "scripteddialogs.h"
#include "shell/formats.h"
#include "workdir.h"

namespace {

const CustomerEInvoiceData kPrivato{u"ABC1234"_s, {}, u"IT"_s};
const CustomerEInvoiceData kComune{u"ufabcd"_s, u"protocollo@pec.comune.trento.it"_s, u"IT"_s};

} // namespace

TEST(EInvoicePublicBody, PaperAndRegisterLeaveOutTheVatTheBodyPaysToTheTreasury)
{
    struct Case {
        const char* name;
        CustomerEInvoiceData recipient;
        int iva;
        bool pagata;
        bool scissione;
        QString incassato;
        QString daIncassare;
    };
    // 2 x 400.15 + 50.10 = 850.40; VAT 22 % 187.09.
    const std::vector<Case> cases{
        {"ente, da incassare", kComune, 22, false, true, u"0.00"_s, u"850.40"_s},
        {"ente, pagata", kComune, 22, true, true, u"850.40"_s, u"0.00"_s},
        {"ente, aliquota 0", kComune, 0, false, false, u"0.00"_s, u"850.40"_s},
        {"privato", kPrivato, 22, false, false, u"0.00"_s, u"1037.49"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestWorkDir dir;
        ScriptedDialogs dlg;
        const qint64 cliente = addCustomer(u"COMUNE"_s);
        ASSERT_FALSE(EInvoiceStore::saveCustomer(cliente, c.recipient));
        const QList<InvoiceRow> rows{{1, u"Cancello"_s, dec("2"), dec("400.15")},
                                     {2, u"Posa"_s, Decimal(), dec("50.10")}};
        Invoice inv{u"5/26"_s, cliente, {}, QDate(2026, 4, 10), Decimal(), c.iva, {}, false, c.pagata, rows};
        inv.totale = InvoiceTotals::calcola(rows, c.iva, false).totaleMostrato();
        issue(inv);
        ASSERT_FALSE(Database::exec(u"UPDATE Fatture SET Pagata = ? WHERE Num = ?"_s,
                                    {c.pagata ? QVariant(u"X"_s) : QVariant(), inv.num}));
        const auto paper = LayoutRegistry::compose(u"Fattura"_s, InvoiceData::fromInvoice(inv), nullptr);
        ASSERT_EQ(paper.size(), 1u);
        EXPECT_EQ(paper[0].findText(InvoiceLayout::kScissione) != nullptr, c.scissione);
        EXPECT_EQ(paper[0].findText(u"NETTO A PAGARE"_s) && paper[0].findText(Formats::euro(dec("850.40"))),
                  c.scissione);

        const auto ledger = InvoiceLedger::carica(2026, 0);
        ASSERT_TRUE(ledger);
        EXPECT_EQ(ledger->registro.incassato.toFixed(2), c.incassato);
        EXPECT_EQ(ledger->registro.daIncassare.toFixed(2), c.daIncassare);
        // The year's total is still that of the invoices; the accountant's list shows the VAT not collected.
        EXPECT_EQ(ledger->totale(), inv.totale);
        EXPECT_TRUE(ledger->csv().endsWith((c.scissione ? ";187,09\r\n" : ";0,00\r\n"))) << ledger->csv().toStdString();
    }
}

TEST(EInvoiceDeferred, DeadlineIsTheFifteenthOfTheMonthAfterTheLatestDdt)
{
    // The invoice's date, its DDTs' dates, the deadline; whether the invoice is late.
    const std::vector<std::tuple<QDate, QList<QDate>, QDate, bool>> cases{
        {QDate(2026, 4, 15), {QDate(2026, 3, 31), QDate(2026, 3, 2)}, QDate(2026, 4, 15), false},
        {QDate(2026, 4, 16), {QDate(2026, 3, 2), QDate(2026, 3, 31)}, QDate(2026, 4, 15), true},
        {QDate(2027, 1, 16), {QDate(2026, 12, 20)}, QDate(2027, 1, 15), true},
        {QDate(2026, 2, 1), {QDate(2026, 1, 31), QDate(2025, 12, 1)}, QDate(2026, 2, 15), false},
        {QDate(2026, 9, 1), {}, QDate(), false},
    };
    for (const auto& [fattura, ddt, termine, tardiva] : cases) {
        SCOPED_TRACE(fattura.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(DdtInvoicing::termine(ddt), termine);
        const QString avviso = DdtInvoicing::avvisoTermine(fattura, ddt);
        EXPECT_EQ(!avviso.isEmpty(), tardiva);
        if (tardiva) {
            EXPECT_TRUE(avviso.contains(u"art. 21, comma 4"_s) && avviso.contains(termine.toString(u"dd/MM/yyyy"_s)))
                << avviso.toStdString();
        }
    }
}
