// Coverage timings: every meter standard's coverage of the largest
// specification (nine functions, 26 columns, values above every limit),
// which makes twelve procedures; and one procedure with its line sources
// beside BM_Meter73xx without them, to show what recording them costs.
#include "core/app/coverage.h"
#include "core/app/create.h"
#include "full_specification.h"

#include <benchmark/benchmark.h>

namespace kestrel {
namespace {

void BM_CoverageForAll(benchmark::State& state)
{
    const ProcedureInputs inputs = fullSpecification("7320", 26);
    for (auto _ : state) {
        const std::vector<Coverage> all = coverageForAll(inputs);
        benchmark::DoNotOptimize(all.data());
    }
}

void BM_Meter73xxWithLineSources(benchmark::State& state)
{
    const ProcedureInputs inputs = fullSpecification("7320", 26);
    const EnglishLookup texts;
    SilentSink sink;
    for (auto _ : state) {
        LineSources sources;
        const CreateResult result = createProcedure(inputs, texts, sink, nullptr, &sources);
        benchmark::DoNotOptimize(result.text.data());
        benchmark::DoNotOptimize(sources.lines.data());
    }
}

BENCHMARK(BM_CoverageForAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Meter73xxWithLineSources)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace kestrel
