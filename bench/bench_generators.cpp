// Generator timings: one procedure per calibrator family from a full
// specification (all nine functions, every column, an instruction record on
// each column, values above the calibrators' limits so that every limit
// comment is written), and the 7320 procedure at 13 and 26 columns to show
// that the time grows linearly with the number of tests.
#include "core/app/create.h"
#include "full_specification.h"

#include <benchmark/benchmark.h>

#include <string>

namespace kestrel {
namespace {

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
