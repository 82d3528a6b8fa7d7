#pragma once

#include "shell/decimal.h"

#include <QString>

// Quantities of the item editor: exact decimals with the decimal comma, kept to three decimals
// (a typed amount with more is rounded half away from zero) and below a million million, so that
// every stored value reads back unchanged from its REAL column.
namespace StockMovement {

inline constexpr int kDecimals = 3;

enum class Failure { None, NotANumber, Overflow, Negative, MoreThanAvailable };

struct Outcome {
    Failure failure = Failure::None;
    Decimal value;
    bool ok() const { return failure == Failure::None; }
};

// A typed amount ("." read as the decimal comma): NotANumber or Overflow, or the amount.
Outcome read(const QString& typed);
// The quantity shown in the box; an empty box is 0. A box never holds anything else.
Decimal current(const QString& boxText);
// The quantity dialog: any number, negative ones too.
Outcome setTo(const QString& typed);
// "+": current + amount; a negative amount is refused.
Outcome load(const Decimal& current, const QString& typed);
// "-": current - amount; a negative amount or more than available is refused.
Outcome unload(const Decimal& current, const QString& typed);
// The box's text: decimal comma, no grouping, no trailing zeros (12,1).
QString show(const Decimal& quantity);

} // namespace StockMovement
