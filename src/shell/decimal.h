#pragma once

#include <QString>
#include <compare>
#include <cstdint>
#include <optional>

// Exact decimal number for money and quantities: a 128-bit mantissa and a
// power-of-ten scale. Values come from text, never from binary floating point.
class Decimal {
public:
    Decimal() = default;
    Decimal(int value) : m_mant(value) {}
    Decimal(long long value) : m_mant(value) {}

    // Accepts "12", "-0.5", "1234.567" (C-style point only).
    static std::optional<Decimal> fromString(const QString& text);
    // Reads a stored REAL through its shortest round-trip text.
    static Decimal fromDouble(double value);

    Decimal operator+(const Decimal& o) const;
    Decimal operator-(const Decimal& o) const;
    Decimal operator*(const Decimal& o) const;
    Decimal operator-() const;
    Decimal& operator+=(const Decimal& o) { return *this = *this + o; }
    Decimal& operator-=(const Decimal& o) { return *this = *this - o; }
    // Division by a whole number (e.g. a rate in percent / 100), exact to `digits` decimals, half away from zero.
    Decimal dividedBy(long long divisor, int digits = 12) const;

    bool operator==(const Decimal& o) const;
    std::strong_ordering operator<=>(const Decimal& o) const;

    // Rounds to `digits` decimals, half away from zero.
    Decimal rounded(int digits) const;
    bool isZero() const { return m_mant == 0; }
    bool isNegative() const { return m_mant < 0; }
    long long integerPart() const;
    Decimal abs() const { return m_mant < 0 ? -*this : *this; }

    // Plain text with "." and no grouping, trailing zeros dropped ("12.1", "-3", "0").
    QString toString() const;
    // Fixed number of decimals with "." (rounded half away from zero).
    QString toFixed(int digits) const;
    double toDouble() const;

private:
    using Int = __int128;
    Decimal(Int mant, int scale) : m_mant(mant), m_scale(scale) {}
    static Int pow10(int n);
    Decimal withScale(int scale) const;
    Decimal normalized() const;

    Int m_mant = 0;
    int m_scale = 0;
};
