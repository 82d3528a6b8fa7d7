#include "shell/formats.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

Decimal d(const char* text)
{
    return *Decimal::fromString(QString::fromLatin1(text));
}

TEST(Decimal, ParsesComputesAndRoundsExactly)
{
    EXPECT_EQ(d("0.1") + d("0.2"), d("0.3"));
    EXPECT_TRUE((d("0.1") - d("0.1")).isZero());
    EXPECT_LT(d("9.99"), d("10"));
    EXPECT_GT(d("-1"), d("-1.5"));
    EXPECT_EQ((d("19.99") * d("3")).toString(), "59.97");
    EXPECT_EQ((d("1.005") * d("1000")).toString(), "1005");
    EXPECT_EQ(d("11.25").dividedBy(100).toString(), "0.1125");
    // 22 % of 11,25 is 2,475: shown as 2,48.
    EXPECT_EQ((d("11.25") * d("22")).dividedBy(100).toFixed(2), "2.48");
    const char* texts[][2] = {{"12.10", "12.1"}, {"-0.5", "-0.5"}, {"+7", "7"}, {"1e3", "1000"}};
    for (const auto& [text, shown] : texts)
        EXPECT_EQ(d(text).toString(), shown) << text;
    for (const char* bad : {"", " ", "abc", "1.2.3", "--1", "1,5", "."})
        EXPECT_FALSE(Decimal::fromString(QString::fromLatin1(bad)).has_value()) << bad;
    // Half away from zero, below zero too.
    const std::tuple<const char*, int, const char*> roundings[] = {
        {"2.475", 2, "2.48"}, {"-2.475", 2, "-2.48"}, {"2.4749", 2, "2.47"}, {"0.005", 2, "0.01"},
        {"0.004", 2, "0.00"}, {"5", 2, "5.00"},       {"-0.05", 1, "-0.1"}};
    for (const auto& [text, digits, shown] : roundings) {
        EXPECT_EQ(d(text).toFixed(digits), shown) << text;
        EXPECT_EQ(d(text).rounded(digits), d(shown)) << text;
    }
    const std::pair<double, const char*> stored[] = {
        {0.1, "0.1"}, {122.12, "122.12"}, {1e-7, "0.0000001"}, {-3.0, "-3"}};
    for (const auto& [value, shown] : stored)
        EXPECT_EQ(Decimal::fromDouble(value).toString(), shown) << shown;
}

TEST(Formats, NumbersAreItalianWhateverTheLocale)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const char* euros[][2] = {{"1234.5", "€ 1.234,50"}, {"0", "€ 0,00"},      {"1234567.891", "€ 1.234.567,89"},
                              {"-5", "€ -5,00"},        {"-0.001", "€ 0,00"}, {"999.999", "€ 1.000,00"}};
    for (const auto& [value, shown] : euros)
        EXPECT_EQ(Formats::euro(d(value)), QString::fromUtf8(shown)) << value;
    EXPECT_EQ(Formats::fixed2(d("1234.5")), "1234,50");
    EXPECT_EQ(Formats::grouped2(d("1234.5")), "1.234,50");
    EXPECT_EQ(Formats::plain(d("12.1")), "12,1");
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(Formats::code(7, 4), "0007");
    EXPECT_EQ(Formats::code(32768, 4), "32768");
    EXPECT_EQ(Formats::code(3, 2), "03");
    EXPECT_EQ(Formats::typedNumber(QStringLiteral("1.5")), "1,5");
    const char* typed[][2] = {{"1.5", "1.5"}, {"0,1", "0.1"}, {",5", "0.5"}, {" -3 ", "-3"}};
    for (const auto& [text, value] : typed)
        EXPECT_EQ(Formats::parseNumber(QString::fromLatin1(text)).value_or(d("99")).toString(), value) << text;
    for (const char* bad : {"", "abc", "1,2,3", "1.234,5", "1e5", "12a"})
        EXPECT_FALSE(Formats::parseNumber(QString::fromLatin1(bad)).has_value()) << bad;
}

TEST(Formats, DatesReadAsTypedAndShownShort)
{
    const std::pair<const char*, std::optional<QDate>> dates[] = {
        {"3/4/26", QDate(2026, 4, 3)},      {"1-1-29", QDate(2029, 1, 1)},
        {"1.1.30", QDate(1930, 1, 1)},      {"31/12/99", QDate(1999, 12, 31)},
        {"29/02/2024", QDate(2024, 2, 29)}, {"31/02/26", std::nullopt},
        {"29/02/25", std::nullopt},         {"", std::nullopt},
        {"12/13/26", std::nullopt}};
    for (const auto& [text, date] : dates)
        EXPECT_EQ(Formats::parseDate(QString::fromLatin1(text)), date) << text;
    EXPECT_EQ(Formats::reformatDate(QStringLiteral("3/4/26")), "03/04/26");
    EXPECT_EQ(Formats::reformatDate(QStringLiteral("31/02/26")), "31/02/26");
    EXPECT_EQ(Formats::fromIsoDate(Formats::isoDate(QDate(2026, 12, 4))), QDate(2026, 12, 4));
}

} // namespace
