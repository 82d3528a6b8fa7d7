#include "invoices/invoicerules.h"
#include "shell/runtimeerrors.h"

#include <gtest/gtest.h>

namespace {

Decimal dec(const char* text) {
    return Decimal::fromString(QString::fromLatin1(text)).value();
}

InvoiceRow row(int ord, const char* qta, const char* prezzo) {
    return InvoiceRow{ord, QStringLiteral("x"), dec(qta), dec(prezzo)};
}

} // namespace

TEST(InvoiceNumbers, NextNumberOfASeries) {
    using InvoiceRules::prossimoNumero;
    EXPECT_EQ(InvoiceRules::suffisso(2026), QStringLiteral("/26"));
    EXPECT_EQ(InvoiceRules::suffisso(2009), QStringLiteral("/09"));
    EXPECT_EQ(prossimoNumero(std::nullopt, QStringLiteral("/26")), QStringLiteral("1/26"));
    EXPECT_EQ(prossimoNumero(9, QStringLiteral("/26")), QStringLiteral("10/26"));
    EXPECT_EQ(prossimoNumero(12, QStringLiteral("/26")), QStringLiteral("13/26"));
}

TEST(InvoiceNumbers, OrdinalAndYearOfANumber) {
    EXPECT_EQ(InvoiceRules::ordinale(QStringLiteral("12/26")), 12);
    EXPECT_EQ(InvoiceRules::ordinale(QStringLiteral("9/26")), 9);
    EXPECT_EQ(InvoiceRules::ordinale(QStringLiteral("abc")), 0);
    EXPECT_EQ(InvoiceRules::annoSerie(QStringLiteral("12/09")), 2009);
    EXPECT_EQ(InvoiceRules::annoSerie(QStringLiteral("3/26")), 2026);
}

TEST(InvoiceNumbers, HandTypedNumbersMustBeNSlashYY) {
    for (const char* good : {"1/26", "12/26", "999/09", "123456789/26"})
        EXPECT_FALSE(InvoiceRules::erroreNumero(QString::fromLatin1(good))) << good;
    for (const char* bad : {"", "12", "12/2026", "12/6", "/26", "0/26", "012/26", "12-26", "A1/26", "1/2a",
                            " 5/26", "5/26 ", "1234567890/26", "1.5/26"}) {
        const auto err = InvoiceRules::erroreNumero(QString::fromLatin1(bad));
        ASSERT_TRUE(err) << bad;
        EXPECT_TRUE(err->contains(QStringLiteral("N/AA"))) << bad;
    }
}

TEST(InvoiceRows, AmountIsPriceTimesQuantityOrThePriceAlone) {
    EXPECT_EQ(InvoiceRules::importo(row(1, "2.5", "10")), dec("25"));
    EXPECT_EQ(InvoiceRules::importo(row(1, "0", "180")), dec("180"));
    EXPECT_EQ(InvoiceRules::importo(row(1, "3", "0")), Decimal());
    // Shown to the cent, half away from zero.
    EXPECT_EQ(InvoiceRules::importoMostrato(row(1, "3", "0.335")), dec("1.01"));
    EXPECT_EQ(InvoiceRules::importoMostrato(row(1, "1", "0.125")), dec("0.13"));
    EXPECT_EQ(InvoiceRules::importoMostrato(row(1, "-1", "0.125")), dec("-0.13"));
}

TEST(InvoiceRows, GridTexts) {
    EXPECT_EQ(InvoiceRules::testoQta(dec("2.5")), QStringLiteral("2,5"));
    EXPECT_EQ(InvoiceRules::testoQta(Decimal()), QString());
    EXPECT_EQ(InvoiceRules::testoPrezzo(dec("10")), QStringLiteral("10,00"));
    EXPECT_EQ(InvoiceRules::testoPrezzo(Decimal()), QString());
    EXPECT_EQ(InvoiceRules::testoImporto(row(1, "2.5", "10")), QStringLiteral("25,00"));
    EXPECT_EQ(InvoiceRules::testoImporto(row(1, "1234", "1000")), QStringLiteral("1234000,00"));
    // No price: no amount, whatever the quantity.
    EXPECT_EQ(InvoiceRules::testoImporto(row(1, "4", "0")), QString());
}

TEST(InvoiceRows, OrdGrowsFromTheLastRowAndIsNeverRenumbered) {
    QList<InvoiceRow> rows{InvoiceRules::rigaVuota(1)};
    EXPECT_EQ(rows[0].ord, 1);
    EXPECT_TRUE(InvoiceRules::isSpacer(rows[0]));
    EXPECT_EQ(InvoiceRules::prossimoOrd(rows), 2);
    rows.append(row(2, "1", "1"));
    rows.append(row(3, "1", "1"));
    rows.append(row(4, "1", "1"));
    rows.removeAt(1); // a gap stays
    EXPECT_EQ(rows[1].ord, 3);
    EXPECT_EQ(InvoiceRules::prossimoOrd(rows), 5);
    EXPECT_EQ(InvoiceRules::prossimoOrd({}), 1);
}

TEST(InvoiceRows, TypedNumbers) {
    EXPECT_EQ(InvoiceRules::leggiNumero(QStringLiteral("2.5")).valore, dec("2.5"));
    EXPECT_EQ(InvoiceRules::leggiNumero(QStringLiteral("2,5")).valore, dec("2.5"));
    EXPECT_EQ(InvoiceRules::leggiNumero(QStringLiteral("0,1234567")).valore, dec("0.123457"));
    EXPECT_EQ(InvoiceRules::leggiNumero(QStringLiteral("dieci")).errore, RuntimeErrors::TypeMismatch);
    EXPECT_FALSE(InvoiceRules::leggiNumero(QStringLiteral("dieci")).valore);
    EXPECT_EQ(InvoiceRules::leggiNumero(QStringLiteral("99999999999")).errore, RuntimeErrors::Overflow);
}

TEST(InvoiceRate, NearestWholeNumberHalfToEven) {
    EXPECT_EQ(InvoiceRules::aliquota(QStringLiteral("22")), 22);
    EXPECT_EQ(InvoiceRules::aliquota(QStringLiteral("21,6")), 22);
    EXPECT_EQ(InvoiceRules::aliquota(QStringLiteral("22.5")), 22);
    EXPECT_EQ(InvoiceRules::aliquota(QStringLiteral("23,5")), 24);
    EXPECT_EQ(InvoiceRules::aliquota(QString()), 0);
    EXPECT_EQ(InvoiceRules::aliquota(QStringLiteral("abc")), 0);
    EXPECT_EQ(InvoiceRules::aliquota(QStringLiteral("150")), 150);
    EXPECT_FALSE(InvoiceRules::aliquota(QStringLiteral("99999")));
    EXPECT_TRUE(InvoiceRules::aliquotaValida(0));
    EXPECT_TRUE(InvoiceRules::aliquotaValida(100));
    EXPECT_FALSE(InvoiceRules::aliquotaValida(101));
    EXPECT_FALSE(InvoiceRules::aliquotaValida(-1));
}

TEST(InvoiceBrowse, StepsOverGapsAndStopsAtTheEnds) {
    using InvoiceRules::posizioneDopo;
    const QList<long long> present{1, 2, 5, 6};
    EXPECT_EQ(posizioneDopo(0, 5, 6, present), 1);
    EXPECT_EQ(posizioneDopo(3, 2, 6, present), 6);
    EXPECT_EQ(posizioneDopo(1, 5, 6, present), 2);
    EXPECT_EQ(posizioneDopo(2, 2, 6, present), 5);
    EXPECT_FALSE(posizioneDopo(1, 1, 6, present));
    EXPECT_FALSE(posizioneDopo(2, 6, 6, present));
    // Nothing further dated in the year: the shown invoice stays.
    EXPECT_FALSE(posizioneDopo(2, 2, 6, QList<long long>{1, 2}));
    EXPECT_FALSE(posizioneDopo(1, 5, 6, QList<long long>{5, 6}));
}
