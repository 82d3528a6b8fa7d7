#include "invoices/invoicedata.h"
#include "invoices/invoicerules.h"
#include "invoices/invoicetotals.h"
#include "shell/formats.h"

#include <gtest/gtest.h>

namespace {

Decimal dec(const char* text) {
    return Decimal::fromString(QString::fromLatin1(text)).value();
}

InvoiceRow row(int ord, const char* qta, const char* prezzo) {
    return InvoiceRow{ord, QStringLiteral("riga"), dec(qta), dec(prezzo)};
}

struct Shown {
    QString imp, iva, ra, tot;
};

Shown shown(const QList<InvoiceRow>& rows, int rate, bool ra) {
    const InvoiceTotals t = InvoiceTotals::calcola(rows, rate, ra);
    return {Formats::euro(t.imponibile), Formats::euro(t.iva), Formats::euro(t.ritenuta),
            Formats::euro(t.totale)};
}

} // namespace

TEST(InvoiceTotals, RowsOf100And010At22) {
    const QList<InvoiceRow> rows{InvoiceRules::rigaVuota(1), row(2, "0", "100"), row(3, "1", "0.10")};
    const Shown plain = shown(rows, 22, false);
    EXPECT_EQ(plain.imp, QStringLiteral("€ 100,10"));
    EXPECT_EQ(plain.iva, QStringLiteral("€ 22,02"));
    EXPECT_EQ(plain.ra, QStringLiteral("€ 0,00"));
    EXPECT_EQ(plain.tot, QStringLiteral("€ 122,12"));
    const Shown withheld = shown(rows, 22, true);
    EXPECT_EQ(withheld.ra, QStringLiteral("€ 4,00"));
    EXPECT_EQ(withheld.tot, QStringLiteral("€ 118,12"));
    EXPECT_EQ(InvoiceTotals::calcola(rows, 22, true).totaleMostrato(), dec("118.12"));
}

TEST(InvoiceTotals, RoundingHalfAwayFromZero) {
    // 22 % of 11,25 is 2,475.
    EXPECT_EQ(shown({row(1, "0", "11.25")}, 22, false).iva, QStringLiteral("€ 2,48"));
    // 4 % of 0,125 taken from an amount shown as 0,13.
    EXPECT_EQ(shown({row(1, "1", "0.125")}, 0, true).imp, QStringLiteral("€ 0,13"));
    EXPECT_EQ(shown({row(1, "1", "-11.25")}, 22, false).iva, QStringLiteral("-€ 2,48"));
}

TEST(InvoiceTotals, TaxableAddsTheShownAmountsAndVatIsSummedRowByRow) {
    // Three rows of 0,335 each show 0,34: the taxable is 1,02, not 1,005.
    const QList<InvoiceRow> rows{row(1, "1", "0.335"), row(2, "1", "0.335"), row(3, "1", "0.335")};
    const InvoiceTotals t = InvoiceTotals::calcola(rows, 10, false);
    EXPECT_EQ(t.imponibile, dec("1.02"));
    EXPECT_EQ(t.iva, dec("0.102"));
    EXPECT_EQ(t.totaleMostrato(), dec("1.12"));
    // Rows without a price and spacer lines count nothing.
    const InvoiceTotals none =
        InvoiceTotals::calcola({InvoiceRules::rigaVuota(1), row(2, "5", "0")}, 22, true);
    EXPECT_EQ(none.totale, Decimal());
}

TEST(InvoiceTotals, ManyRowsStayExact) {
    QList<InvoiceRow> rows;
    for (int i = 1; i <= 1000; ++i)
        rows.append(row(i, "3", "0.1"));
    const InvoiceTotals t = InvoiceTotals::calcola(rows, 22, false);
    EXPECT_EQ(t.imponibile, dec("300"));
    EXPECT_EQ(t.iva, dec("66"));
}

TEST(InvoiceData, BuiltFromTheEditorAsShown) {
    const QList<InvoiceRow> rows{InvoiceRules::rigaVuota(1), row(2, "2.5", "10"), row(5, "0", "100")};
    const InvoiceData d = InvoiceData::fromEditor(QStringLiteral("12/26"), QStringLiteral("03/04/26"), 7,
                                                  QStringLiteral("22"), true, QStringLiteral("note"), rows);
    EXPECT_EQ(d.num, QStringLiteral("12/26"));
    EXPECT_EQ(d.idCliente, 7);
    EXPECT_EQ(d.aliquota, 22);
    ASSERT_EQ(d.righe.size(), 3);
    EXPECT_EQ(d.righe[0].descrizione, QStringLiteral(" "));
    EXPECT_TRUE(d.righe[0].importo.isEmpty());
    EXPECT_EQ(d.righe[1].qta, QStringLiteral("2,5"));
    EXPECT_EQ(d.righe[1].prezzo, QStringLiteral("10,00"));
    EXPECT_EQ(d.righe[1].importo, QStringLiteral("25,00"));
    EXPECT_TRUE(d.righe[2].qta.isEmpty());
    EXPECT_EQ(d.righe[2].importo, QStringLiteral("100,00"));
    EXPECT_EQ(d.imponibile, QStringLiteral("€ 125,00"));
    EXPECT_EQ(d.importoIva, QStringLiteral("€ 27,50"));
    EXPECT_EQ(d.importoRitenuta, QStringLiteral("€ 5,00"));
    EXPECT_EQ(d.totale, QStringLiteral("€ 147,50"));
}
