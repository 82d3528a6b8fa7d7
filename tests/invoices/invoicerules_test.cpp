#include "data/runtimeerrors.h"
#include "invoices/invoicetotals.h"
#include "invoicetest.h"
#include "shell/formats.h"

namespace {

InvoiceRow row(int ord, const char* qta, const char* prezzo)
{
    return InvoiceRow{ord, u"riga"_s, dec(qta), dec(prezzo)};
}

// The four totals as the editor shows them: "taxable|VAT|withholding|total".
QString shownTotals(const QList<InvoiceRow>& rows, int rate, bool ra)
{
    const InvoiceTotals t = InvoiceTotals::calcola(rows, rate, ra);
    return QStringList{Formats::euro(t.imponibile), Formats::euro(t.iva), Formats::euro(t.ritenuta),
                       Formats::euro(t.totale)}
        .join(u'|');
}

} // namespace

TEST(InvoiceRows, AmountsAndGridTexts)
{
    // qty, price -> "qty|price|amount" as the grid shows them.
    const std::pair<std::pair<const char*, const char*>, QString> cases[] = {
        {{"0", "180"}, u"|180,00|180,00"_s}, // no quantity: the price alone
        {{"4", "0"}, u"4||"_s},              // no price: no amount
        {{"3", "0.335"}, u"3|0,34|1,01"_s},  // to the cent, half away from zero
        {{"1", "0.125"}, u"1|0,13|0,13"_s},
        {{"-1", "0.125"}, u"-1|0,13|-0,13"_s},
        {{"1234", "1000"}, u"1234|1000,00|1234000,00"_s},
    };
    for (const auto& [in, shown] : cases) {
        const InvoiceRow r = row(1, in.first, in.second);
        EXPECT_EQ(InvoiceRules::testoQta(r.qta) + u'|' + InvoiceRules::testoPrezzo(r.prezzo) + u'|' +
                      InvoiceRules::testoImporto(r),
                  shown)
            << in.first << " x " << in.second;
    }
    EXPECT_EQ(InvoiceRules::importoMostrato(row(1, "3", "0.335")), dec("1.01"));
}

TEST(InvoiceRows, TypedNumbersAndRate)
{
    EXPECT_EQ(InvoiceRules::leggiNumero(u"0,1234567"_s).valore, dec("0.123457"));
    const auto word = InvoiceRules::leggiNumero(u"dieci"_s);
    EXPECT_FALSE(word.valore);
    EXPECT_EQ(word.errore, RuntimeErrors::TypeMismatch);
    EXPECT_EQ(InvoiceRules::leggiNumero(u"99999999999"_s).errore, RuntimeErrors::Overflow);
    // Too many digits for any number is an overflow too, not a mistyped word.
    EXPECT_EQ(InvoiceRules::leggiNumero(u"1"_s + QString(40, u'0')).errore, RuntimeErrors::Overflow);
    // Invoice numbers typed by hand: N/YY only, no leading zero, at most nine digits, nothing around it.
    const QStringList good{u"1/26"_s, u"123456789/26"_s};
    for (const QString& n :
         good + QStringList{u"12/2026"_s, u"0/26"_s, u"012/26"_s, u"12-26"_s, u" 5/26"_s, u"1234567890/26"_s})
        EXPECT_EQ(InvoiceRules::erroreNumero(n).value_or(QString()).contains(u"N/AA"_s), !good.contains(n))
            << n.toStdString();

    // Nearest whole number, half-way to the even one; no number counts 0.
    const std::pair<QString, int> rates[] = {{u"22"_s, 22},  {u"21,6"_s, 22}, {u"22.5"_s, 22}, {u"23,5"_s, 24},
                                             {QString(), 0}, {u"abc"_s, 0},   {u"150"_s, 150}};
    for (const auto& [text, rate] : rates)
        EXPECT_EQ(InvoiceRules::aliquota(text), rate) << text.toStdString();
    EXPECT_FALSE(InvoiceRules::aliquota(u"99999"_s));
    for (const int rate : {-1, 0, 100, 101})
        EXPECT_EQ(InvoiceRules::aliquotaValida(rate), rate >= 0 && rate <= 100) << rate;
}

TEST(InvoiceTotals, RoundingCases)
{
    const QList<InvoiceRow> rows{InvoiceRules::rigaVuota(1), row(2, "0", "100"), row(3, "1", "0.10")};
    const struct {
        QList<InvoiceRow> rows;
        int rate;
        bool ra;
        QString shown;
    } cases[] = {
        {rows, 22, false, u"€ 100,10|€ 22,02|€ 0,00|€ 122,12"_s},
        {rows, 22, true, u"€ 100,10|€ 22,02|€ 4,00|€ 118,12"_s},
        // 22 % of 11,25 is 2,475.
        {{row(1, "0", "11.25")}, 22, false, u"€ 11,25|€ 2,48|€ 0,00|€ 13,73"_s},
        {{row(1, "1", "-11.25")}, 22, false, u"€ -11,25|€ -2,48|€ 0,00|€ -13,73"_s},
        // Three rows shown as 0,34 each: the taxable adds the shown amounts, 1,02 and not 1,005.
        {{row(1, "1", "0.335"), row(2, "1", "0.335"), row(3, "1", "0.335")},
         10,
         false,
         u"€ 1,02|€ 0,10|€ 0,00|€ 1,12"_s},
        // VAT is taken from the amount shown as 1,01, not from 1,005: 0,505 and not 0,5025.
        {{row(1, "3", "0.335")}, 50, false, u"€ 1,01|€ 0,51|€ 0,00|€ 1,52"_s},
        // 4 % taken from the amount shown as 0,13.
        {{row(1, "1", "0.125")}, 0, true, u"€ 0,13|€ 0,00|€ 0,01|€ 0,12"_s},
        // Spacer lines and rows without a price count nothing.
        {{InvoiceRules::rigaVuota(1), row(2, "5", "0")}, 22, true, u"€ 0,00|€ 0,00|€ 0,00|€ 0,00"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shownTotals(c.rows, c.rate, c.ra), c.shown) << c.shown.toStdString();
    EXPECT_EQ(InvoiceTotals::calcola(rows, 22, true).totaleMostrato(), dec("118.12"));
}
