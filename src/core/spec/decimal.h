#pragma once
// An exact decimal number for the tolerance sums. Typed values are short
// decimal texts, and a tolerance adds products of a few of them and powers
// of ten; in binary floating point terms that cancel leave noise behind
// ("0.274999999999999" for 0.275). Decimals add, subtract and multiply
// without any rounding; a sum is rounded only where it is written.
#include <string>
#include <string_view>

namespace kestrel {

// Every number of a procedure is written with at most this many
// significant digits.
inline constexpr int kWrittenDigits = 15;

class Decimal {
public:
    Decimal() = default; // zero

    // A number in the form leadingNumberText gives: optional sign, digits
    // with at most one ".", optional exponent ("-1.50e3"). Reading stops
    // where that form ends; a text without digits is 0.
    static Decimal parse(std::string_view number);

    bool isZero() const { return coefficient_ == "0"; }
    bool operator==(const Decimal&) const = default;

    friend Decimal operator+(const Decimal& a, const Decimal& b);
    friend Decimal operator-(const Decimal& a, const Decimal& b);
    friend Decimal operator*(const Decimal& a, const Decimal& b);

    // The value times 10^power.
    Decimal timesTenTo(int power) const;
    // The largest whole number not above the value.
    Decimal floor() const;
    // Rounded to that many significant digits, half to even (as a double's
    // decimal digits are rounded when it is written).
    Decimal rounded(int significantDigits) const;

    // The value as numberText writes a double: rounded to kWrittenDigits
    // significant digits, the shortest decimal form, no exponent, "." as
    // decimal mark.
    std::string text() const;

private:
    // Any whole-number text, with sign and leading or trailing zeros.
    Decimal(std::string_view coefficient, int exponent);

    // The value is coefficient × 10^exponent; the coefficient is a signed
    // whole number without trailing zeros ("0" with exponent 0 for zero),
    // so that equal values compare equal.
    std::string coefficient_ = "0";
    int exponent_ = 0;
};

} // namespace kestrel
