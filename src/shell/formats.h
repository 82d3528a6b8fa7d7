#pragma once

#include "shell/decimal.h"

#include <QDate>
#include <QString>
#include <optional>

// The program's Italian conventions for numbers and dates, whatever the system locale.
namespace Formats {

// "€ " + "#,##0.00": € 1.234,50 (a negative amount reads € -5,00).
// Amounts past the Decimal range (overflows) show as empty text, like every format below.
QString euro(const Decimal& amount);
// "#,##0.00" without the currency sign.
QString grouped2(const Decimal& amount);
// "0.00": 1234,50.
QString fixed2(const Decimal& amount);
// Plain number with the decimal comma and no grouping, trailing zeros dropped: 12,1.
QString plain(const Decimal& value);
// "0000" / "00": zero-padded code; longer numbers keep all their digits.
QString code(long long value, int width);

// What the user typed, with every "." turned into ",".
QString typedNumber(const QString& text);
// Reads a typed number with the Italian decimal comma ("." accepted as typed comma).
std::optional<Decimal> parseNumber(const QString& text);

// Reads a date as a user types it: d/m/yy, dd/mm/yyyy, with "/", "-" or "."; two-digit years
// 00-29 are 2000-2029 and 30-99 are 1930-1999.
std::optional<QDate> parseDate(const QString& text);
// "dd/mm/yy".
QString shortDate(const QDate& date);
// A typed date re-shown as dd/mm/yy; text that is not a date comes back unchanged.
QString reformatDate(const QString& text);

// Dates as stored in the database ('YYYY-MM-DD').
QString isoDate(const QDate& date);
QDate fromIsoDate(const QString& text);

} // namespace Formats
