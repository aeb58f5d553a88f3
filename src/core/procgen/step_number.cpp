#include "core/procgen/step_number.h"

#include "core/procgen/step_layout.h"

#include <algorithm>

namespace kestrel {

std::optional<StepNumber> stepNumberOfLine(std::string_view line)
{
    if (line.size() < kBodyOffset ||
        line.substr(kStepNumberWidth, kStepNumberGap).find_first_not_of(' ') != std::string_view::npos)
        return std::nullopt;
    std::string_view number = line.substr(0, kStepNumberWidth);
    number.remove_prefix(std::min(number.find_first_not_of(' '), number.size()));
    const std::size_t point = number.find('.');
    if (point == std::string_view::npos || point == 0 || number.size() - point != 4)
        return std::nullopt;
    StepNumber read;
    for (std::size_t i = 0; i < number.size(); ++i) {
        if (i == point)
            continue;
        if (number[i] < '0' || number[i] > '9')
            return std::nullopt;
        int& part = i < point ? read.test : read.step;
        part = part * 10 + (number[i] - '0');
    }
    return read;
}

std::string stepNumberText(const StepNumber& number)
{
    std::string step = std::to_string(number.step);
    return std::to_string(number.test) + "." + std::string(3 - std::min<std::size_t>(3, step.size()), '0') + step;
}

} // namespace kestrel
