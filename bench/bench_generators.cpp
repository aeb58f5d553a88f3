// Generator timings: one procedure per calibrator family from a full
// specification (all nine functions, every column, an instruction record on
// each column, values above the calibrators' limits so that every limit
// comment is written), and the 7320 procedure at 13 and 26 columns to show
// that the time grows linearly with the number of tests.
#include "core/app/create.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

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
            in.connections.append({code, std::to_string(c), code + "_connection.bmp",
                                   "Connect the UUT input to the calibrator output\r\n"
                                   "Select the " + code + " function\r\nwith the front panel keys"});
        }
    }
    return in;
}

void runCreate(benchmark::State& state, const std::string& reference, int columns)
{
    const ProcedureInputs inputs = fullSpecification(reference, columns);
    const EnglishLookup texts;
    SilentSink sink;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const CreateResult result = createProcedure(inputs, texts, sink);
        bytes = result.text.size();
        benchmark::DoNotOptimize(result.text.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
}

void BM_Meter73xx(benchmark::State& state) { runCreate(state, "7320", 26); }
void BM_Meter76xx(benchmark::State& state) { runCreate(state, "7600", 26); }
void BM_Meter64xx(benchmark::State& state) { runCreate(state, "6400", 26); }
void BM_Meter3xxx(benchmark::State& state) { runCreate(state, "3302", 26); }

void BM_Meter73xxColumns(benchmark::State& state)
{
    runCreate(state, "7320", static_cast<int>(state.range(0)));
    state.SetComplexityN(state.range(0));
}

BENCHMARK(BM_Meter73xx)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Meter76xx)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Meter64xx)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Meter3xxx)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Meter73xxColumns)->Arg(13)->Arg(26)->Unit(benchmark::kMicrosecond)->Complexity(benchmark::oN);

} // namespace
} // namespace kestrel
