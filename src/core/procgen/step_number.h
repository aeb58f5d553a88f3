#pragma once
// The step number a step line starts with ("12.003": test 12, its step 3),
// read back from a procedure's text, for whatever examines a procedure
// after it is written: the check of DISP texts, the comparison of two
// procedures.
#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

struct StepNumber {
    int test = 0;
    int step = 0; // 0 to 999
    auto operator<=>(const StepNumber&) const = default;
};

// The number of a step line (one of step_layout.h's layout: the number
// right-aligned in its field, then the gap); nothing for any other line
// (a comment, a blank line, a header line).
std::optional<StepNumber> stepNumberOfLine(std::string_view line);

// "12.003", as the step field writes it without its leading blanks.
std::string stepNumberText(const StepNumber& number);

} // namespace kestrel
