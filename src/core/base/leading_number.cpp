#include "core/base/leading_number.h"

#include "core/base/text_util.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace kestrel {

std::string_view leadingNumberText(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const std::size_t digitsStart = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    std::size_t digits = i - digitsStart;
    if (i < text.size() && text[i] == '.') {
        ++i;
        const std::size_t fraction = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        digits += i - fraction;
    }
    if (digits == 0)
        return {};
    // An exponent counts only when digits follow it.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        const std::size_t expDigits = j;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9')
            ++j;
        if (j > expDigits)
            i = j;
    }
    return text.substr(start, i - start);
}

double leadingNumber(std::string_view text)
{
    std::string_view number = leadingNumberText(text);
    if (!number.empty() && number.front() == '+')
        number.remove_prefix(1);
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)ptr;
    if (number.empty() || ec != std::errc{} || !std::isfinite(value))
        return 0.0;
    return value;
}

double leadingNumber(std::string_view text, std::string_view decimalSeparator)
{
    return leadingNumber(replaceAll(std::string(text), decimalSeparator, "."));
}

} // namespace kestrel
