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
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                                   std::chars_format::scientific, kWrittenDigits - 1);
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
    {"p", 1e-12, -12}, {"n", 1e-9, -9}, {"u", 1e-6, -6}, {"\xC2\xB5", 1e-6, -6}, {"m", 1e-3, -3},
    {"k", 1e3, 3}, {"K", 1e3, 3}, {"M", 1e6, 6}, {"G", 1e9, 9},
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
    const auto g = std::to_chars(general.data(), general.data() + general.size(), value,
                                 std::chars_format::general, kWrittenDigits);
    if (std::string_view(general.data(), static_cast<std::size_t>(g.ptr - general.data())).find('e') ==
        std::string_view::npos) {
        const std::string text(general.data(), g.ptr);
        return text == "-0" ? "0" : text;
    }
    // Very small or large values: fixed notation, never an exponent.
    value = round15(value);
    if (value == 0.0)
        return "0";
    // Fixed notation with enough decimals for 15 significant digits, then
    // trailing zeros and point removed.
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = std::max(0, kWrittenDigits - 1 - exponent);
    std::array<char, 400> buf{};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                                   std::chars_format::fixed, decimals);
    std::string text(buf.data(), res.ptr);
    if (text.find('.') != std::string::npos) {
        while (!text.empty() && text.back() == '0')
            text.pop_back();
        if (!text.empty() && text.back() == '.')
            text.pop_back();
    }
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
