#include "warehouse/stockmovement.h"
#include "warehouse/warehouserules.h"

#include <gtest/gtest.h>

using StockMovement::Failure;

namespace {

Decimal dec(const char* text) {
    return *Decimal::fromString(QString::fromLatin1(text));
}

} // namespace

TEST(StockMovement, LoadAddsExactDecimalsWithEitherSeparator) {
    auto r = StockMovement::load(dec("12"), QStringLiteral("0,1"));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(StockMovement::show(r.value), QStringLiteral("12,1"));

    r = StockMovement::load(dec("10"), QStringLiteral("2,5"));
    EXPECT_EQ(StockMovement::show(r.value), QStringLiteral("12,5"));
    r = StockMovement::load(dec("10"), QStringLiteral("1.5"));
    EXPECT_EQ(StockMovement::show(r.value), QStringLiteral("11,5"));
    // "." is the typed comma, never a thousands separator.
    r = StockMovement::load(dec("10"), QStringLiteral("1.000"));
    EXPECT_EQ(StockMovement::show(r.value), QStringLiteral("11"));

    // Ten loads of 0,1 make exactly one.
    Decimal q;
    for (int i = 0; i < 10; ++i)
        q = StockMovement::load(q, QStringLiteral("0,1")).value;
    EXPECT_EQ(q, Decimal(1));
}

TEST(StockMovement, UnloadLeavesExactZeroAndRefusesMoreThanAvailable) {
    auto r = StockMovement::unload(dec("0.1"), QStringLiteral("0,1"));
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.value.isZero());
    EXPECT_EQ(StockMovement::show(r.value), QStringLiteral("0"));

    r = StockMovement::unload(dec("12.1"), QStringLiteral("12,1"));
    EXPECT_EQ(StockMovement::show(r.value), QStringLiteral("0"));

    EXPECT_EQ(StockMovement::unload(dec("5"), QStringLiteral("5,001")).failure, Failure::MoreThanAvailable);
    EXPECT_EQ(StockMovement::unload(dec("0.3"), QStringLiteral("0,2")).value, dec("0.1"));
}

TEST(StockMovement, RefusesNegativeAmountsButTheQuantityDialogTakesThem) {
    EXPECT_EQ(StockMovement::load(dec("3"), QStringLiteral("-1")).failure, Failure::Negative);
    EXPECT_EQ(StockMovement::unload(dec("3"), QStringLiteral("-1")).failure, Failure::Negative);
    const auto set = StockMovement::setTo(QStringLiteral("-2,5"));
    ASSERT_TRUE(set.ok());
    EXPECT_EQ(StockMovement::show(set.value), QStringLiteral("-2,5"));
}

TEST(StockMovement, TextThatIsNotANumberOrTooLargeIsRefused) {
    for (const char* bad : {"abc", "1,2,3", "12a", "1e3", "--1"})
        EXPECT_EQ(StockMovement::read(QString::fromLatin1(bad)).failure, Failure::NotANumber) << bad;
    EXPECT_EQ(StockMovement::read(QStringLiteral("1000000000000")).failure, Failure::Overflow);
    EXPECT_TRUE(StockMovement::read(QStringLiteral("999999999999,999")).ok());
    // A sum that crosses the limit is refused too.
    EXPECT_EQ(StockMovement::load(dec("999999999999"), QStringLiteral("1")).failure, Failure::Overflow);
}

TEST(StockMovement, KeepsThreeDecimalsRoundingHalfAwayFromZero) {
    EXPECT_EQ(StockMovement::read(QStringLiteral("1,2345")).value, dec("1.235"));
    EXPECT_EQ(StockMovement::read(QStringLiteral("-1,2345")).value, dec("-1.235"));
    EXPECT_EQ(StockMovement::show(dec("2.50")), QStringLiteral("2,5"));
    EXPECT_EQ(StockMovement::current(QStringLiteral("")), Decimal());
    EXPECT_EQ(StockMovement::current(QStringLiteral("12,1")), dec("12.1"));
}

TEST(WarehouseRules, CategoryNamesAreUpperCasedAndCutTo30) {
    EXPECT_EQ(WarehouseRules::categoryName(QStringLiteral("tubolari")), QStringLiteral("TUBOLARI"));
    EXPECT_EQ(WarehouseRules::categoryName(QStringLiteral("verniciatura c'è")),
              QStringLiteral("VERNICIATURA C'È"));
    const QString forty = QStringLiteral("abcdefghij").repeated(4);
    EXPECT_EQ(WarehouseRules::categoryName(forty), QStringLiteral("ABCDEFGHIJ").repeated(3));
    // A character outside the basic plane at the cut is dropped whole.
    const QString wide = QStringLiteral("a").repeated(29) + QString::fromUtf8("\xF0\x9F\x94\xA9");
    EXPECT_EQ(WarehouseRules::categoryName(wide), QStringLiteral("A").repeated(29));
}

TEST(WarehouseRules, ItemCount) {
    EXPECT_EQ(WarehouseRules::itemCount(0), QStringLiteral("0 articoli"));
    EXPECT_EQ(WarehouseRules::itemCount(1), QStringLiteral("1 articolo"));
    EXPECT_EQ(WarehouseRules::itemCount(27), QStringLiteral("27 articoli"));
}
