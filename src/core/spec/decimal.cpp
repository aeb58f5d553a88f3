#include "core/spec/decimal.h"

// The coefficients meet in Boost.Multiprecision's cpp_int: a well-kept
// integer of any size, so every sum and product stays exact whatever was
// typed (a percentage of 30 digits, a range with 20 decimals, terms twenty
// decades apart), where a decimal type of fixed precision would round
// inside the sums again. It is header-only, so a cross build for Windows
// needs nothing but the headers.
//
// GCC 12 reports out-of-bounds copies inside cpp_int's inlined code that
// cannot happen; the warnings point into the header, so they are silenced
// for its text only.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
#pragma GCC diagnostic ignored "-Wstringop-overread"
#endif
#include <boost/multiprecision/cpp_int.hpp>
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <vector>

namespace kestrel {
namespace {

using BigInt = boost::multiprecision::cpp_int;

BigInt powerOfTen(int n) { return boost::multiprecision::pow(BigInt(10), static_cast<unsigned>(n)); }

// Coefficients pass through machine integers, eighteen digits at a time:
// cpp_int's own text conversions are slow for the short coefficients met
// nearly always (and GCC 12 warns about the string code they inline).
constexpr int kChunkDigits = 18;

BigInt coefficient(std::string_view text)
{
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    BigInt n;
    while (!text.empty()) {
        const std::size_t length = (text.size() - 1) % kChunkDigits + 1;
        std::uint64_t chunk = 0;
        std::from_chars(text.data(), text.data() + length, chunk);
        n = n * powerOfTen(static_cast<int>(length)) + chunk;
        text.remove_prefix(length);
    }
    return negative ? BigInt(-n) : n;
}

std::string digitsOf(BigInt n)
{
    const bool negative = n < 0;
    if (negative)
        n = -n;
    static const BigInt kChunk = powerOfTen(kChunkDigits);
    std::vector<std::uint64_t> chunks; // least significant first
    do {
        BigInt quotient;
        BigInt rest;
        boost::multiprecision::divide_qr(n, kChunk, quotient, rest);
        chunks.push_back(rest.convert_to<std::uint64_t>());
        n = quotient;
    } while (n != 0);
    std::string digits = negative ? "-" : "";
    for (auto chunk = chunks.rbegin(); chunk != chunks.rend(); ++chunk) {
        std::array<char, 24> buf{};
        const auto end = std::to_chars(buf.data(), buf.data() + buf.size(), *chunk).ptr;
        if (chunk != chunks.rbegin())
            digits.append(static_cast<std::size_t>(kChunkDigits - (end - buf.data())), '0');
        digits.append(buf.data(), end);
    }
    return digits;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

Decimal::Decimal(std::string_view coefficient, int exponent)
{
    const bool negative = !coefficient.empty() && coefficient.front() == '-';
    if (!coefficient.empty() && (coefficient.front() == '-' || coefficient.front() == '+'))
        coefficient.remove_prefix(1);
    while (!coefficient.empty() && coefficient.front() == '0')
        coefficient.remove_prefix(1);
    while (!coefficient.empty() && coefficient.back() == '0') {
        coefficient.remove_suffix(1);
        ++exponent;
    }
    if (coefficient.empty())
        return;
    coefficient_ = negative ? "-" : "";
    coefficient_ += coefficient;
    exponent_ = exponent;
}

Decimal Decimal::parse(std::string_view number)
{
    std::size_t i = 0;
    std::string digits;
    if (i < number.size() && (number[i] == '-' || number[i] == '+'))
        digits += number[i++];
    int exponent = 0;
    bool point = false;
    for (; i < number.size(); ++i) {
        if (isDigit(number[i])) {
            digits += number[i];
            if (point)
                --exponent;
        } else if (number[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (i + 1 < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        const bool negative = number[i] == '-';
        if (number[i] == '-' || number[i] == '+')
            ++i;
        // Beyond a double's range the text never gets here; the cap only
        // keeps the count from overflowing.
        int power = 0;
        for (; i < number.size() && isDigit(number[i]); ++i)
            power = std::min(power * 10 + (number[i] - '0'), 1'000'000);
        exponent += negative ? -power : power;
    }
    return {digits, exponent};
}

Decimal operator+(const Decimal& a, const Decimal& b)
{
    const int e = std::min(a.exponent_, b.exponent_);
    const BigInt sum = coefficient(a.coefficient_) * powerOfTen(a.exponent_ - e) +
        coefficient(b.coefficient_) * powerOfTen(b.exponent_ - e);
    return {digitsOf(sum), e};
}

Decimal operator-(const Decimal& a, const Decimal& b) { return a + b * Decimal("-1", 0); }

Decimal operator*(const Decimal& a, const Decimal& b)
{
    return {digitsOf(coefficient(a.coefficient_) * coefficient(b.coefficient_)), a.exponent_ + b.exponent_};
}

Decimal Decimal::timesTenTo(int power) const { return isZero() ? *this : Decimal(coefficient_, exponent_ + power); }

Decimal Decimal::floor() const
{
    // Without trailing zeros in the coefficient, a negative exponent means
    // a fraction.
    if (exponent_ >= 0)
        return *this;
    const BigInt c = coefficient(coefficient_);
    BigInt whole = c / powerOfTen(-exponent_); // towards zero
    if (c < 0)
        --whole;
    return {digitsOf(whole), 0};
}

Decimal Decimal::rounded(int significantDigits) const
{
    const int digits = static_cast<int>(coefficient_.size()) - (coefficient_.front() == '-' ? 1 : 0);
    if (digits <= significantDigits)
        return *this;
    const int dropped = digits - significantDigits;
    const BigInt c = coefficient(coefficient_);
    BigInt kept;
    BigInt rest;
    boost::multiprecision::divide_qr(abs(c), powerOfTen(dropped), kept, rest);
    const BigInt half = 5 * powerOfTen(dropped - 1);
    if (rest > half || (rest == half && bit_test(kept, 0)))
        ++kept;
    return {digitsOf(c < 0 ? BigInt(-kept) : kept), exponent_ + dropped};
}

std::string Decimal::text() const
{
    const Decimal r = rounded(kWrittenDigits);
    const bool negative = r.coefficient_.front() == '-';
    std::string digits = negative ? r.coefficient_.substr(1) : r.coefficient_;
    if (r.exponent_ >= 0) {
        digits.append(static_cast<std::size_t>(r.exponent_), '0');
    } else {
        const auto decimals = static_cast<std::size_t>(-r.exponent_);
        if (digits.size() <= decimals)
            digits.insert(0, decimals - digits.size() + 1, '0');
        digits.insert(digits.size() - decimals, 1, '.');
    }
    if (negative)
        digits.insert(0, 1, '-');
    return digits;
}

} // namespace kestrel
