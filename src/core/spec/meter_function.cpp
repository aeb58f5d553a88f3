#include "core/spec/meter_function.h"

namespace kestrel {
namespace {

constexpr std::array<FunctionInfo, kFunctionCount> kInfo{{
    {MeterFunction::Dcv, "dcv", 1061, 8, 1245, "V", "v", true},
    {MeterFunction::Acv, "acv", 1062, 9, 1245, "V", "v", false},
    {MeterFunction::Dci, "dci", 1063, 8, 1246, "A", "a", true},
    {MeterFunction::Aci, "aci", 1064, 9, 1246, "A", "a", false},
    {MeterFunction::Ohm, "ohm", 1065, 8, 1247, " ohm", "ohms", false},
    {MeterFunction::Tc, "tc", 1066, 8, 1248, " degree", "degrees", true},
    {MeterFunction::Rtd, "rtd", 1067, 8, 1248, " degree", "degrees", true},
    {MeterFunction::Cap, "cap", 1068, 8, 1249, " farad", "farad", false},
    {MeterFunction::Freq, "freq", 1069, 8, 1250, " hertz", "hertz", false},
}};

} // namespace

const FunctionInfo& functionInfo(MeterFunction function) { return kInfo[functionIndex(function)]; }

std::optional<MeterFunction> functionFromCode(std::string_view code)
{
    for (const auto& info : kInfo)
        if (info.code == code)
            return info.function;
    return std::nullopt;
}

} // namespace kestrel
