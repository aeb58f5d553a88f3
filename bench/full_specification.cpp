#include "full_specification.h"

#include "core/spec/meter_function.h"

#include <array>

namespace kestrel {
namespace {

struct FunctionValues {
    MeterFunction function;
    const char* range;
    const char* frequency; // "" for functions without a test frequency
};

// Above the limits of every family (1100 V, 20.5 A, 1.1 GOhm, 1.1 mF, 2 MHz
// and the AC bands).
constexpr std::array<FunctionValues, 9> kValues{{
    {MeterFunction::Dcv, "2000.0", ""},
    {MeterFunction::Acv, "1000.0", "300K"},
    {MeterFunction::Dci, "30.000", ""},
    {MeterFunction::Aci, "20.000", "20K"},
    {MeterFunction::Ohm, "2.0000G", ""},
    {MeterFunction::Tc, "1000.0", ""},
    {MeterFunction::Rtd, "400.00", ""},
    {MeterFunction::Cap, "2.000m", ""},
    {MeterFunction::Freq, "5.0000M", ""},
}};

} // namespace

ProcedureInputs fullSpecification(const std::string& reference, int columns)
{
    ProcedureInputs in;
    in.selections.reference = reference;
    in.headerDate = "05-Dec-26";
    in.options.autoranging = false;
    in.has7625 = true;
    in.has3711 = true;
    for (const FunctionValues& v : kValues) {
        SpecTable& table = in.meter.table(v.function);
        const std::string code(functionInfo(v.function).code);
        for (int c = 0; c < columns; ++c) {
            table.setCell(RowRange, c, v.range);
            table.setCell(RowReadingPct, c, "0.05");
            table.setCell(RowRangePct, c, "0.0035");
            table.setCell(RowDigits, c, "3");
            if (*v.frequency)
                table.setCell(RowFrequency, c, v.frequency);
            in.connections.append({v.function, c, code + "_connection.bmp",
                "Connect the UUT input to the calibrator output\r\n"
                "Select the " +
                    code + " function\r\nwith the front panel keys"});
        }
    }
    return in;
}

} // namespace kestrel
