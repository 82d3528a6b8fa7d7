#include "warehouse/stockmovement.h"

#include "shell/formats.h"

namespace {

// 12 whole digits and 3 decimals fit the 15 significant digits a REAL keeps exactly.
const Decimal kLimit(1'000'000'000'000LL);

StockMovement::Outcome checked(const Decimal& value)
{
    if (value.abs() >= kLimit)
        return {StockMovement::Failure::Overflow, Decimal()};
    return {StockMovement::Failure::None, value};
}

} // namespace

namespace StockMovement {

Outcome read(const QString& typed)
{
    const auto number = Formats::parseNumber(typed);
    if (!number)
        return {Failure::NotANumber, Decimal()};
    return checked(number->rounded(kDecimals));
}

Decimal current(const QString& boxText)
{
    return Formats::parseNumber(boxText).value_or(Decimal());
}

Outcome setTo(const QString& typed)
{
    return read(typed);
}

Outcome load(const Decimal& current, const QString& typed)
{
    const Outcome amount = read(typed);
    if (!amount.ok())
        return amount;
    if (amount.value.isNegative())
        return {Failure::Negative, Decimal()};
    return checked(current + amount.value);
}

Outcome unload(const Decimal& current, const QString& typed)
{
    const Outcome amount = read(typed);
    if (!amount.ok())
        return amount;
    if (amount.value.isNegative())
        return {Failure::Negative, Decimal()};
    if (current < amount.value)
        return {Failure::MoreThanAvailable, Decimal()};
    return checked(current - amount.value);
}

QString show(const Decimal& quantity)
{
    const Decimal shown = quantity.rounded(kDecimals);
    // Whole quantities, the usual case in a long list, skip the decimal text.
    if (shown == Decimal(shown.integerPart()))
        return QString::number(shown.integerPart());
    return Formats::plain(shown);
}

} // namespace StockMovement
