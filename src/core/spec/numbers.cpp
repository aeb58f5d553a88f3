#include "core/spec/numbers.h"

#include "core/base/text_util.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace kestrel {

double round15(double value)
{
    if (!std::isfinite(value) || value == 0.0)
        return value == 0.0 ? 0.0 : value;
    std::array<char, 64> buf{};
    const auto res =
        std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::scientific, kWrittenDigits - 1);
    double rounded = value;
    std::from_chars(buf.data(), res.ptr, rounded);
    return rounded;
}

namespace {

struct Prefix {
    std::string_view letter;
    double factor;
    int power;
};

constexpr std::array<Prefix, 9> kPrefixes{{
    {"p", 1e-12, -12},
    {"n", 1e-9, -9},
    {"u", 1e-6, -6},
    {"\xC2\xB5", 1e-6, -6},
    {"m", 1e-3, -3},
    {"k", 1e3, 3},
    {"K", 1e3, 3},
    {"M", 1e6, 6},
    {"G", 1e9, 9},
}};

// The last prefix letter found in table order; null when there is none.
const Prefix* lastPrefix(std::string_view text)
{
    const Prefix* found = nullptr;
    for (const auto& prefix : kPrefixes)
        if (text.find(prefix.letter) != std::string_view::npos)
            found = &prefix;
    return found;
}

Decimal exactLeadingNumber(std::string_view text)
{
    return leadingNumber(text) == 0.0 ? Decimal{} : Decimal::parse(leadingNumberText(text));
}

} // namespace

std::string shownCell(std::string_view held, std::string_view decimalSeparator)
{
    return decimalSeparator == kHeldDecimalMark || decimalSeparator.empty()
        ? std::string(held)
        : replaceAll(std::string(held), kHeldDecimalMark, decimalSeparator);
}

std::string heldCell(std::string_view shown, std::string_view decimalSeparator)
{
    return decimalSeparator == kHeldDecimalMark || decimalSeparator.empty()
        ? std::string(shown)
        : replaceAll(std::string(shown), decimalSeparator, kHeldDecimalMark);
}

double textToValue(std::string_view text, std::string_view decimalSeparator)
{
    const std::string t = replaceAll(std::string(text), decimalSeparator, ".");
    const double number = leadingNumber(t);
    const Prefix* prefix = lastPrefix(t);
    return round15(prefix ? number * prefix->factor : number);
}

Decimal exactTextToValue(std::string_view text, std::string_view decimalSeparator)
{
    const std::string t = replaceAll(std::string(text), decimalSeparator, ".");
    const Prefix* prefix = lastPrefix(t);
    return exactLeadingNumber(t).rounded(kWrittenDigits).timesTenTo(prefix ? prefix->power : 0);
}

Decimal exactLeadingNumber(std::string_view text, std::string_view decimalSeparator)
{
    return exactLeadingNumber(replaceAll(std::string(text), decimalSeparator, "."));
}

std::string numberText(double value)
{
    if (!std::isfinite(value))
        return "0";
    std::array<char, 64> general{};
    const auto g = std::to_chars(
        general.data(), general.data() + general.size(), value, std::chars_format::general, kWrittenDigits);
    if (std::string_view(general.data(), static_cast<std::size_t>(g.ptr - general.data())).find('e') ==
        std::string_view::npos) {
        const std::string text(general.data(), g.ptr);
        return text == "-0" ? "0" : text;
    }
    // Very small or large values: the 15 significant digits placed without
    // an exponent. Fixed notation of the double itself would write every
    // digit of its binary value, 1e30 as 1000000000000000019884624838656.
    std::array<char, 64> digits{};
    const auto d = std::to_chars(
        digits.data(), digits.data() + digits.size(), value, std::chars_format::scientific, kWrittenDigits - 1);
    const std::string text = Decimal::parse(std::string_view(digits.data(), d.ptr)).text();
    return text == "-0" ? "0" : text;
}

std::string rangeNumberText(double value)
{
    std::string text = numberText(value);
    if (text.rfind("0.", 0) == 0)
        text.erase(0, 1);
    else if (text.rfind("-0.", 0) == 0)
        text.erase(1, 1);
    return text;
}

} // namespace kestrel
