#include "shell/commandargs.h"
#include "shell/formats.h"

#include <QLocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

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
    EXPECT_EQ(d("1").dividedBy(8, 2).toString(), "0.13");
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
    const std::pair<double, const char*> stored[] = {{0.1, "0.1"},
                                                     {122.12, "122.12"},
                                                     {1e-7, "0.0000001"},
                                                     {-3.0, "-3"},
                                                     {-0.07, "-0.07"},
                                                     {158.6, "158.6"},
                                                     {1.005, "1.005"},
                                                     {-0.0, "0"},
                                                     {9999999999999.99, "9999999999999.99"},
                                                     {1e13 + 0.5, "10000000000000.5"}};
    for (const auto& [value, shown] : stored)
        EXPECT_EQ(Decimal::fromDouble(value).toString(), shown) << shown;
}

TEST(Decimal, PastTenToTheTwentyIsAnOverflowNeverAWrongNumber)
{
    const char* max = "99999999999999999999.999999999999999999";
    const Decimal top = d("1e20");
    // Text, including the exponent path, at and past the range (NaN for an overflow).
    // clang-format off
    const std::pair<const char*, const char*> texts[] = {
        {"100000000000000000000", "100000000000000000000"}, {"-1e20", "-100000000000000000000"}, {max, max},
        {"100000000000000000001", nullptr}, {"100000000000000000000.000000000000000001", nullptr}, {"1e21", nullptr},
        {"-123456789012345678901234567890e20", nullptr}, {"1e999999999999", nullptr}, {"1e-400", "0"},
        {"5e-19", "0.000000000000000001"}, {"0.0000000000000000004", "0"}};
    // clang-format on
    for (const auto& [text, shown] : texts) {
        const Decimal v = d(text);
        EXPECT_EQ(v.isOverflow(), shown == nullptr) << text;
        EXPECT_EQ(v.toString(), QString::fromLatin1(shown)) << text;
    }
    EXPECT_EQ(d("-1e21") <=> d("-1e20"), std::strong_ordering::less);
    const Decimal past = d("1e21");
    // Every operation, at the edge and past it.
    // clang-format off
    const std::pair<Decimal, const char*> results[] = {
        {d("10000000000") * d("10000000000"), "100000000000000000000"},
        {d("10000000000") * d("10000000000.000001"), nullptr}, {d("-10000000000") * d("10000000000.1"), nullptr},
        {d(max) * d(max), nullptr}, {d("12345678901.123456789012345678") * d("0.000000001"), "12.345678901123456789"},
        {d("0.000000000000000001") * d("-0.5"), "-0.000000000000000001"},
        {top + d("0.000000000000000001"), nullptr}, {-top - d("1"), nullptr}, {top - d("1"), "99999999999999999999"},
        {top.dividedBy(3, 18), "33333333333333333333.333333333333333333"}, {d("-2").dividedBy(3, 2), "-0.67"},
        {d("1").dividedBy(0), nullptr}, {d("99999999999999999999.995").rounded(2), "100000000000000000000"},
        {past * Decimal(0), nullptr}, {past - past, nullptr}, {Decimal::fromDouble(1e20), "100000000000000000000"},
        {Decimal::fromDouble(1e21), nullptr}, {Decimal::fromDouble(-std::numeric_limits<double>::infinity()), nullptr}};
    // clang-format on
    for (std::size_t i = 0; i < std::size(results); ++i) {
        EXPECT_EQ(results[i].first.isOverflow(), results[i].second == nullptr) << i;
        EXPECT_EQ(results[i].first.toString(), QString::fromLatin1(results[i].second)) << i;
    }
    // An overflow compares past every number, keeps its sign and shows no digits.
    EXPECT_GT(past, d(max));
    EXPECT_LT(-past, -d(max));
    EXPECT_EQ(top.integerPart(), std::numeric_limits<long long>::max());
    EXPECT_EQ(Formats::euro(past) + Formats::fixed2(past) + Formats::plain(past), QString());
    EXPECT_TRUE(std::isinf(past.toDouble()));
}

TEST(Formats, NumbersAreItalianWhateverTheLocale)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const char* euros[][2] = {{"1234.5", "€ 1.234,50"},
                              {"0", "€ 0,00"},
                              {"1234567.891", "€ 1.234.567,89"},
                              {"-5", "€ -5,00"},
                              {"-0.001", "€ 0,00"},
                              {"999.999", "€ 1.000,00"},
                              {"100", "€ 100,00"},
                              {"-123456", "€ -123.456,00"}};
    for (const auto& [value, shown] : euros)
        EXPECT_EQ(Formats::euro(d(value)), QString::fromUtf8(shown)) << value;
    EXPECT_EQ(Formats::fixed2(d("1234.5")), "1234,50");
    EXPECT_EQ(Formats::grouped2(d("1234.5")), "1.234,50");
    EXPECT_EQ(Formats::plain(d("12.1")), "12,1");
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ((QStringList{Formats::code(7, 4), Formats::code(32768, 4), Formats::code(3, 2)}),
              (QStringList{"0007", "32768", "03"}));
    EXPECT_EQ(Formats::typedNumber(QStringLiteral("1.5")), "1,5");
    const char* typed[][2] = {{"1.5", "1.5"}, {"0,1", "0.1"}, {",5", "0.5"}, {" -3 ", "-3"}};
    for (const auto& [text, value] : typed)
        EXPECT_EQ(Formats::parseNumber(QString::fromLatin1(text)).value_or(d("99")).toString(), value) << text;
    for (const char* bad : {"", "abc", "1,2,3", "1.234,5", "1e5", "12a"})
        EXPECT_FALSE(Formats::parseNumber(QString::fromLatin1(bad)).has_value()) << bad;
}

TEST(Formats, DatesYearsAndCodesReadAsTypedAndShownShort)
{
    // clang-format off
    const std::pair<const char*, std::optional<QDate>> dates[] = {
        {"3/4/26", QDate(2026, 4, 3)}, {"1-1-29", QDate(2029, 1, 1)}, {"1.1.30", QDate(1930, 1, 1)},
        {"31/12/99", QDate(1999, 12, 31)}, {"29/02/2024", QDate(2024, 2, 29)}, {"31/02/26", std::nullopt},
        {"29/02/25", std::nullopt}, {"", std::nullopt}, {"12/13/26", std::nullopt}};
    // clang-format on
    for (const auto& [text, date] : dates)
        EXPECT_EQ(Formats::parseDate(QString::fromLatin1(text)), date) << text;
    EXPECT_EQ(Formats::reformatDate(QStringLiteral("3/4/26")), "03/04/26");
    EXPECT_EQ(Formats::reformatDate(QStringLiteral("31/02/26")), "31/02/26");
    EXPECT_EQ(Formats::fromIsoDate(Formats::isoDate(QDate(2026, 12, 4))), QDate(2026, 12, 4));
    // Years and customer codes on the command line, by the same rule for every command.
    QString error;
    const std::pair<const char*, std::optional<int>> years[] = {
        {"1900", 1900}, {" 9999 ", 9999}, {"1899", std::nullopt}, {"10000", std::nullopt}, {"26", std::nullopt}};
    for (const auto& [text, year] : years)
        EXPECT_EQ(CommandArgs::anno(QString::fromLatin1(text), error), year) << text;
    EXPECT_EQ(error, "Anno non valido: \"26\" (da 1900 a 9999).");
    const std::pair<const char*, std::optional<qint64>> codes[] = {
        {"", 0}, {"1", 1}, {"0", std::nullopt}, {"-3", std::nullopt}, {"x", std::nullopt}};
    for (const auto& [text, code] : codes)
        EXPECT_EQ(CommandArgs::cliente(QString::fromLatin1(text), error), code) << text;
    EXPECT_TRUE(CommandArgs::controlli({QStringLiteral("csv"), QStringLiteral("2026")}).isEmpty());
    EXPECT_TRUE(CommandArgs::controlli({QStringLiteral("csv"), QStringLiteral("20\x1b")}).startsWith("L'argomento 2 "));
}

} // namespace
