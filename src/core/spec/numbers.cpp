#include "core/spec/numbers.h"

#include "core/base/text_util.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace kestrel {

double round15(double value)
{
    if (!std::isfinite(value) || value == 0.0)
        return value == 0.0 ? 0.0 : value;
    std::array<char, 64> buf{};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                                   std::chars_format::scientific, 14);
    double rounded = value;
    std::from_chars(buf.data(), res.ptr, rounded);
    return rounded;
}

double textToValue(std::string_view text, std::string_view decimalSeparator)
{
    const std::string t = replaceAll(std::string(text), decimalSeparator, ".");
    const double number = leadingNumber(t);
    double value = round15(number);
    struct Prefix {
        std::string_view letter;
        double factor;
    };
    static constexpr std::array<Prefix, 9> kPrefixes{{
        {"p", 1e-12}, {"n", 1e-9}, {"u", 1e-6}, {"\xC2\xB5", 1e-6}, {"m", 1e-3},
        {"k", 1e3}, {"K", 1e3}, {"M", 1e6}, {"G", 1e9},
    }};
    for (const auto& prefix : kPrefixes)
        if (t.find(prefix.letter) != std::string::npos)
            value = round15(number * prefix.factor);
    return value;
}

std::string numberText(double value)
{
    if (!std::isfinite(value))
        return "0";
    std::array<char, 64> general{};
    const auto g = std::to_chars(general.data(), general.data() + general.size(), value,
                                 std::chars_format::general, 15);
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
    const int decimals = std::max(0, 14 - exponent);
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
