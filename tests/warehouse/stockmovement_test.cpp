#include "warehouse/stockmovement.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using StockMovement::Failure;

TEST(StockMovement, MovesAreExactDecimalsAndRefuseWhatCannotBe)
{
    // op: '+' load, '-' unload, '=' typed amount; the box's text before, the typed text, the outcome
    const struct {
        char op;
        QString box, typed;
        Failure failure;
        QString shown;
    } cases[] = {
        {'+', u"12"_s, u"0,1"_s, Failure::None, u"12,1"_s},
        {'+', u"10"_s, u"1.5"_s, Failure::None, u"11,5"_s},
        {'+', u"10"_s, u"1.000"_s, Failure::None, u"11"_s}, // "." is the typed comma, never a thousands separator
        {'-', u"0,1"_s, u"0,1"_s, Failure::None, u"0"_s},
        {'-', u"12,1"_s, u"12,1"_s, Failure::None, u"0"_s},
        {'-', u"0,3"_s, u"0,2"_s, Failure::None, u"0,1"_s},
        {'-', u"5"_s, u"5,001"_s, Failure::MoreThanAvailable, QString()},
        {'+', u"3"_s, u"-1"_s, Failure::Negative, QString()},
        {'-', u"3"_s, u"-1"_s, Failure::Negative, QString()},
        {'+', u"999999999999"_s, u"1"_s, Failure::Overflow, QString()},
        {'=', QString(), u"-2,5"_s, Failure::None, u"-2,5"_s},
        {'=', QString(), u"1000000000000"_s, Failure::Overflow, QString()},
        {'=', QString(), u"999999999999,999"_s, Failure::None, u"999999999999,999"_s},
        {'=', QString(), u"1,2345"_s, Failure::None, u"1,235"_s}, // three decimals, half away from zero
        {'=', QString(), u"-1,2345"_s, Failure::None, u"-1,235"_s},
        {'=', QString(), u"2.50"_s, Failure::None, u"2,5"_s},
    };
    for (const auto& c : cases) {
        const Decimal box = StockMovement::current(c.box);
        const auto r = c.op == '+'   ? StockMovement::load(box, c.typed)
                       : c.op == '-' ? StockMovement::unload(box, c.typed)
                                     : StockMovement::setTo(c.typed);
        EXPECT_EQ(r.failure, c.failure) << c.op << c.typed.toStdString();
        EXPECT_EQ(r.ok() ? StockMovement::show(r.value) : QString(), c.shown) << c.op << c.typed.toStdString();
    }
    for (const char* bad : {"abc", "1,2,3", "12a", "1e3", "--1"})
        EXPECT_EQ(StockMovement::read(QString::fromLatin1(bad)).failure, Failure::NotANumber) << bad;
    EXPECT_TRUE(StockMovement::unload(StockMovement::current(u"0,1"_s), u"0,1"_s).value.isZero());
    // The quantity stored, not only the one shown, keeps three decimals.
    EXPECT_EQ(StockMovement::setTo(u"1,2345"_s).value.toString(), u"1.235"_s);
    // Ten loads of 0,1 make exactly one.
    Decimal q = StockMovement::current(QString());
    for (int i = 0; i < 10; ++i)
        q = StockMovement::load(q, u"0,1"_s).value;
    EXPECT_EQ(q, Decimal(1));
}
