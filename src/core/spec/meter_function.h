#pragma once
// The nine meter functions in tab order, with what the grid and the
// generators need to know of each.
#include <array>
#include <optional>
#include <string_view>

namespace kestrel {

enum class MeterFunction { Dcv, Acv, Dci, Aci, Ohm, Tc, Rtd, Cap, Freq };

inline constexpr std::size_t kFunctionCount = 9;
inline constexpr std::array<MeterFunction, kFunctionCount> kAllFunctions{MeterFunction::Dcv, MeterFunction::Acv,
    MeterFunction::Dci, MeterFunction::Aci, MeterFunction::Ohm, MeterFunction::Tc, MeterFunction::Rtd,
    MeterFunction::Cap, MeterFunction::Freq};

struct FunctionInfo {
    MeterFunction function;
    std::string_view code; // "dcv" … "freq": table, CurrentFunction and record Mode
    int captionText;       // tab caption, by text number
    int rows;              // 8, or 9 with the test-frequency row
    int row6LabelText;     // label of the fixed-term row
    int rangeText;         // a range with its unit ("<1>V"), in the wizard caption
    int deleteUnitText;    // the unit word of the delete-column question ("v")
    bool allowsMinus;      // "-" accepted in rows 0, 1 and 6
};

const FunctionInfo& functionInfo(MeterFunction function);
std::optional<MeterFunction> functionFromCode(std::string_view code);
inline std::size_t functionIndex(MeterFunction f) { return static_cast<std::size_t>(f); }

} // namespace kestrel
