#pragma once

#include <QString>
#include <compare>
#include <cstdint>
#include <optional>

// Exact decimal number for money and quantities: a 128-bit mantissa and a
// power-of-ten scale. Values come from text, never from binary floating point.
//
// The range is |value| <= 10^20 with at most 18 decimals. A result beyond it (or a number read
// beyond it) is an overflow value, kept with its sign like an infinity: it compares beyond every
// number, stays an overflow through further arithmetic and formats as empty text. Callers that
// store or show a result check isOverflow() and report the classic run-time error 6.
class Decimal {
public:
    Decimal() = default;
    Decimal(int value) : m_mant(value) {}
    Decimal(long long value) : m_mant(value) {}

    // Accepts "12", "-0.5", "1234.567", "1e3" (C-style point only). A number past the range
    // gives an overflow value; text that is not a number gives nothing.
    static std::optional<Decimal> fromString(const QString& text);
    // Reads a stored REAL through its shortest round-trip text; infinities and NaN are overflows.
    static Decimal fromDouble(double value);
    static Decimal overflow(bool negative = false);

    Decimal operator+(const Decimal& o) const;
    Decimal operator-(const Decimal& o) const;
    Decimal operator*(const Decimal& o) const;
    Decimal operator-() const;
    Decimal& operator+=(const Decimal& o) { return *this = *this + o; }
    Decimal& operator-=(const Decimal& o) { return *this = *this - o; }
    // Division by a whole number (e.g. a rate in percent / 100), exact to `digits` decimals, half away from zero.
    // Dividing by zero gives an overflow value.
    Decimal dividedBy(long long divisor, int digits = 12) const;

    bool operator==(const Decimal& o) const;
    std::strong_ordering operator<=>(const Decimal& o) const;

    // Rounds to `digits` decimals (0 to 18), half away from zero.
    Decimal rounded(int digits) const;
    bool isZero() const { return m_mant == 0 && !m_overflow; }
    bool isNegative() const { return m_mant < 0; }
    bool isOverflow() const { return m_overflow; }
    // Whole part, truncated; held at the long long limits when it does not fit.
    long long integerPart() const;
    Decimal abs() const { return m_mant < 0 ? -*this : *this; }

    // Plain text with "." and no grouping, trailing zeros dropped ("12.1", "-3", "0"); empty for an overflow.
    QString toString() const;
    // Fixed number of decimals with "." (rounded half away from zero); empty for an overflow.
    QString toFixed(int digits) const;
    double toDouble() const;

private:
    using Int = __int128;
    // Checked construction: an overflow value when |mant| / 10^scale is past the range.
    static Decimal make(Int mant, int scale);
    static Int pow10(int n);
    Decimal withScale(int scale) const;
    Decimal normalized() const;

    // Invariant: 0 <= m_scale <= 18 and |m_mant| <= 10^(20 + m_scale); an overflow holds its sign in m_mant (+-1).
    Int m_mant = 0;
    int m_scale = 0;
    bool m_overflow = false;
};
