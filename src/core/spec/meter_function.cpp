#include "core/spec/meter_function.h"

#include "core/i18n/text_numbers.h"

namespace kestrel {
namespace {

constexpr std::array<FunctionInfo, kFunctionCount> kInfo{{
    {MeterFunction::Dcv, "dcv", kTextFunctionDcv, 8, kTextFixedVolts, "V", "v", true},
    {MeterFunction::Acv, "acv", kTextFunctionAcv, 9, kTextFixedVolts, "V", "v", false},
    {MeterFunction::Dci, "dci", kTextFunctionDci, 8, kTextFixedAmps, "A", "a", true},
    {MeterFunction::Aci, "aci", kTextFunctionAci, 9, kTextFixedAmps, "A", "a", false},
    {MeterFunction::Ohm, "ohm", kTextFunctionOhms, 8, kTextFixedOhms, " ohm", "ohms", false},
    {MeterFunction::Tc, "tc", kTextFunctionTc, 8, kTextFixedDegrees, " degree", "degrees", true},
    {MeterFunction::Rtd, "rtd", kTextFunctionRtd, 8, kTextFixedDegrees, " degree", "degrees", true},
    {MeterFunction::Cap, "cap", kTextFunctionCapacitance, 8, kTextFixedFarads, " farad", "farad", false},
    {MeterFunction::Freq, "freq", kTextFunctionFrequency, 8, kTextFixedHertz, " hertz", "hertz", false},
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
