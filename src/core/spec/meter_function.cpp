#include "core/spec/meter_function.h"

#include "core/i18n/text_numbers.h"

namespace kestrel {
namespace {

constexpr std::array<FunctionInfo, kFunctionCount> kInfo{{
    {MeterFunction::Dcv, "dcv", kTextFunctionDcv, 8, kTextFixedVolts, kTextRangeVolts, kTextUnitWordVolts, true},
    {MeterFunction::Acv, "acv", kTextFunctionAcv, 9, kTextFixedVolts, kTextRangeVolts, kTextUnitWordVolts, false},
    {MeterFunction::Dci, "dci", kTextFunctionDci, 8, kTextFixedAmps, kTextRangeAmps, kTextUnitWordAmps, true},
    {MeterFunction::Aci, "aci", kTextFunctionAci, 9, kTextFixedAmps, kTextRangeAmps, kTextUnitWordAmps, false},
    {MeterFunction::Ohm, "ohm", kTextFunctionOhms, 8, kTextFixedOhms, kTextRangeOhms, kTextUnitWordOhms, false},
    {MeterFunction::Tc, "tc", kTextFunctionTc, 8, kTextFixedDegrees, kTextRangeDegrees, kTextUnitWordDegrees, true},
    {MeterFunction::Rtd, "rtd", kTextFunctionRtd, 8, kTextFixedDegrees, kTextRangeDegrees, kTextUnitWordDegrees, true},
    {MeterFunction::Cap, "cap", kTextFunctionCapacitance, 8, kTextFixedFarads, kTextRangeFarads, kTextUnitWordFarads,
        false},
    {MeterFunction::Freq, "freq", kTextFunctionFrequency, 8, kTextFixedHertz, kTextRangeHertz, kTextUnitWordHertz,
        false},
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
