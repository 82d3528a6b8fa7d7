#include "shell/decimal.h"

#include <gtest/gtest.h>

namespace {

Decimal d(const char* text)
{
    return *Decimal::fromString(QString::fromLatin1(text));
}

TEST(Decimal, ParsesTextExactly)
{
    EXPECT_EQ(d("0.1") + d("0.2"), d("0.3"));
    EXPECT_EQ(d("12.10").toString(), QStringLiteral("12.1"));
    EXPECT_EQ(d("-0.5").toString(), QStringLiteral("-0.5"));
    EXPECT_EQ(d("+7").toString(), QStringLiteral("7"));
    EXPECT_EQ(d("1e3").toString(), QStringLiteral("1000"));
    for (const char* bad : {"", " ", "abc", "1.2.3", "--1", "1,5", "."})
        EXPECT_FALSE(Decimal::fromString(QString::fromLatin1(bad)).has_value()) << bad;
}

TEST(Decimal, ArithmeticStaysExact)
{
    EXPECT_EQ((d("12") + d("0.1")).toString(), QStringLiteral("12.1"));
    EXPECT_TRUE((d("0.1") - d("0.1")).isZero());
    EXPECT_EQ((d("19.99") * d("3")).toString(), QStringLiteral("59.97"));
    EXPECT_EQ((d("1.005") * d("1000")).toString(), QStringLiteral("1005"));
    EXPECT_EQ(d("11.25").dividedBy(100).toString(), QStringLiteral("0.1125"));
    EXPECT_LT(d("9.99"), d("10"));
    EXPECT_GT(d("-1"), d("-1.5"));
}

TEST(Decimal, RoundsHalfAwayFromZero)
{
    // 22 % of 11,25 is 2,475: shown as 2,48.
    EXPECT_EQ((d("11.25") * d("22")).dividedBy(100).toFixed(2), QStringLiteral("2.48"));
    EXPECT_EQ(d("2.475").rounded(2).toString(), QStringLiteral("2.48"));
    EXPECT_EQ(d("-2.475").rounded(2).toString(), QStringLiteral("-2.48"));
    EXPECT_EQ(d("2.4749").rounded(2).toString(), QStringLiteral("2.47"));
    EXPECT_EQ(d("0.005").toFixed(2), QStringLiteral("0.01"));
    EXPECT_EQ(d("0.004").toFixed(2), QStringLiteral("0.00"));
    EXPECT_EQ(d("5").toFixed(2), QStringLiteral("5.00"));
    EXPECT_EQ(d("-0.05").toFixed(1), QStringLiteral("-0.1"));
}

TEST(Decimal, ReadsStoredDoublesByTheirShortestText)
{
    EXPECT_EQ(Decimal::fromDouble(0.1).toString(), QStringLiteral("0.1"));
    EXPECT_EQ(Decimal::fromDouble(122.12).toString(), QStringLiteral("122.12"));
    EXPECT_EQ(Decimal::fromDouble(1e-7).toString(), QStringLiteral("0.0000001"));
    EXPECT_EQ(Decimal::fromDouble(-3.0).toString(), QStringLiteral("-3"));
}

} // namespace
