#include "shell/commandargs.h"
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
    EXPECT_LT(d("9.99"), d("10"));
    EXPECT_GT(d("-1"), d("-1.5"));
    EXPECT_EQ((d("19.99") * d("3")).toString(), "59.97");
    EXPECT_EQ(d("11.25").dividedBy(100).toString(), "0.1125");
    EXPECT_EQ(d("1").dividedBy(8, 2).toString(), "0.13");
    const char* texts[][2] = {{"12.10", "12.1"}, {"-0.5", "-0.5"}, {"+7", "7"}, {"1e3", "1000"}};
    for (const auto& [text, shown] : texts)
        EXPECT_EQ(d(text).toString(), shown) << text;
    for (const char* bad : {"", "abc", "1.2.3", "--1", "1,5", "."})
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
        {0.1, "0.1"}, {122.12, "122.12"}, {-0.07, "-0.07"}, {1.005, "1.005"}, {9999999999999.99, "9999999999999.99"}};
    for (const auto& [value, shown] : stored)
        EXPECT_EQ(Decimal::fromDouble(value).toString(), shown) << shown;
    // Past 10^20 a result is an overflow, never a wrong number.
    for (const Decimal& past : {d("1e21"), d("10000000000") * d("10000000000.000001"), d("1e20") + d("1e-18"),
                                d("1").dividedBy(0), Decimal::fromDouble(1e21)})
        EXPECT_TRUE(past.isOverflow() && past.toString().isEmpty()) << past.toString().toStdString();
    EXPECT_EQ((d("1e20") - d("1")).toString(), "99999999999999999999");
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
    EXPECT_EQ(Formats::fixed2(d("1234.5")) + u' ' + Formats::grouped2(d("1234.5")) + u' ' + Formats::plain(d("12.1")),
              "1234,50 1.234,50 12,1");
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ((QStringList{Formats::code(7, 4), Formats::code(32768, 4), Formats::code(3, 2)}),
              (QStringList{"0007", "32768", "03"}));
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
        {"29/02/2024", QDate(2024, 2, 29)}, {"31/02/26", std::nullopt}, {"", std::nullopt}, {"12/13/26", std::nullopt}};
    // clang-format on
    for (const auto& [text, date] : dates)
        EXPECT_EQ(Formats::parseDate(QString::fromLatin1(text)), date) << text;
    EXPECT_EQ(Formats::reformatDate(QStringLiteral("3/4/26")), "03/04/26");
    EXPECT_EQ(Formats::reformatDate(QStringLiteral("31/02/26")), "31/02/26");
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
