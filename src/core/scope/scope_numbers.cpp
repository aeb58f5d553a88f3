#include "core/scope/scope_numbers.h"

#include "core/spec/numbers.h"

namespace kestrel {

std::string decimalsText(double value, int minDecimals, int maxDecimals)
{
    // numberText gives the exact 15-digit decimal form, so a value that is
    // a half in decimal (0.15625) rounds up however the binary falls.
    std::string text = numberText(value);
    std::string sign;
    if (!text.empty() && text.front() == '-') {
        sign = "-";
        text.erase(0, 1);
    }
    const std::size_t point = text.find('.');
    std::string whole = point == std::string::npos ? text : text.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string{} : text.substr(point + 1);

    if (fraction.size() > static_cast<std::size_t>(maxDecimals)) {
        const bool roundUp = fraction[static_cast<std::size_t>(maxDecimals)] >= '5';
        fraction.resize(static_cast<std::size_t>(maxDecimals));
        if (roundUp) {
            std::string digits = whole + fraction;
            int i = static_cast<int>(digits.size()) - 1;
            while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9')
                digits[static_cast<std::size_t>(i--)] = '0';
            if (i < 0)
                digits.insert(digits.begin(), '1');
            else
                ++digits[static_cast<std::size_t>(i)];
            whole = digits.substr(0, digits.size() - fraction.size());
            fraction = digits.substr(digits.size() - fraction.size());
        }
    }
    while (fraction.size() > static_cast<std::size_t>(minDecimals) && fraction.back() == '0')
        fraction.pop_back();
    while (fraction.size() < static_cast<std::size_t>(minDecimals))
        fraction.push_back('0');

    const bool zero =
        whole.find_first_not_of('0') == std::string::npos && fraction.find_first_not_of('0') == std::string::npos;
    std::string out = (zero ? std::string{} : sign) + whole;
    if (!fraction.empty())
        out += "." + fraction;
    return out;
}

} // namespace kestrel
