#include "shell/formats.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

Decimal d(const char* text)
{
    return *Decimal::fromString(QString::fromLatin1(text));
}

TEST(Formats, AmountsInItalianWhateverTheLocale)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(Formats::euro(d("1234.5")), QStringLiteral("€ 1.234,50"));
    EXPECT_EQ(Formats::euro(d("0")), QStringLiteral("€ 0,00"));
    EXPECT_EQ(Formats::euro(d("1234567.891")), QStringLiteral("€ 1.234.567,89"));
    EXPECT_EQ(Formats::euro(d("-5")), QStringLiteral("-€ 5,00"));
    EXPECT_EQ(Formats::euro(d("-0.001")), QStringLiteral("€ 0,00"));
    EXPECT_EQ(Formats::euro(d("999.999")), QStringLiteral("€ 1.000,00"));
    EXPECT_EQ(Formats::fixed2(d("1234.5")), QStringLiteral("1234,50"));
    EXPECT_EQ(Formats::grouped2(d("1234.5")), QStringLiteral("1.234,50"));
    EXPECT_EQ(Formats::plain(d("12.1")), QStringLiteral("12,1"));
    QLocale::setDefault(QLocale::c());
}

TEST(Formats, CodesGrowBeyondTheirWidth)
{
    EXPECT_EQ(Formats::code(7, 4), QStringLiteral("0007"));
    EXPECT_EQ(Formats::code(32768, 4), QStringLiteral("32768"));
    EXPECT_EQ(Formats::code(3, 2), QStringLiteral("03"));
}

TEST(Formats, TypedNumbersUseTheDecimalComma)
{
    EXPECT_EQ(Formats::typedNumber(QStringLiteral("1.5")), QStringLiteral("1,5"));
    EXPECT_EQ(Formats::parseNumber(QStringLiteral("1.5"))->toString(), QStringLiteral("1.5"));
    EXPECT_EQ(Formats::parseNumber(QStringLiteral("0,1"))->toString(), QStringLiteral("0.1"));
    EXPECT_EQ(Formats::parseNumber(QStringLiteral(",5"))->toString(), QStringLiteral("0.5"));
    EXPECT_EQ(Formats::parseNumber(QStringLiteral(" -3 "))->toString(), QStringLiteral("-3"));
    for (const char* bad : {"", "abc", "1,2,3", "1.234,5", "1e5", "12a"})
        EXPECT_FALSE(Formats::parseNumber(QString::fromLatin1(bad)).has_value()) << bad;
}

TEST(Formats, DatesReadAsTypedAndShownShort)
{
    EXPECT_EQ(Formats::reformatDate(QStringLiteral("3/4/26")), QStringLiteral("03/04/26"));
    EXPECT_EQ(Formats::parseDate(QStringLiteral("3/4/26")), QDate(2026, 4, 3));
    EXPECT_EQ(Formats::parseDate(QStringLiteral("1-1-29")), QDate(2029, 1, 1));
    EXPECT_EQ(Formats::parseDate(QStringLiteral("1.1.30")), QDate(1930, 1, 1));
    EXPECT_EQ(Formats::parseDate(QStringLiteral("31/12/99")), QDate(1999, 12, 31));
    EXPECT_EQ(Formats::parseDate(QStringLiteral("29/02/2024")), QDate(2024, 2, 29));
    EXPECT_FALSE(Formats::parseDate(QStringLiteral("31/02/26")));
    EXPECT_FALSE(Formats::parseDate(QStringLiteral("29/02/25")));
    EXPECT_FALSE(Formats::parseDate(QString()));
    EXPECT_FALSE(Formats::parseDate(QStringLiteral("12/13/26")));
    EXPECT_EQ(Formats::reformatDate(QStringLiteral("31/02/26")), QStringLiteral("31/02/26"));
    EXPECT_EQ(Formats::fromIsoDate(Formats::isoDate(QDate(2026, 12, 4))), QDate(2026, 12, 4));
}

} // namespace
