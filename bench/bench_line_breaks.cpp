// Texts of many line breaks: a specification file whose comments hold N line
// breaks is refused by their line count (more than kCommentLines) before
// anything is converted, as is one whose instruction text holds N line
// breaks; both must grow linearly with N (Complexity reports the fit), up
// to 2 MiB of line breaks.
#include "core/app/spec_file.h"

#include <benchmark/benchmark.h>

#include <string>

namespace kestrel {
namespace {

std::string specWithLineBreaks(std::size_t lineBreaks)
{
    std::string json = R"({"meter":{"reference":"7320","functions":{"dcv":[{"range":"2","reading_pct":"0.01"}]}},)"
                       R"("procedure":{"comments":")";
    json.reserve(json.size() + 2 * lineBreaks + 8);
    for (std::size_t i = 0; i < lineBreaks; ++i)
        json += "\\n";
    json += "\"}}";
    return json;
}

void refuseManyCommentLines(benchmark::State& state)
{
    const std::string json = specWithLineBreaks(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        const SpecFileResult read = readSpecFile(json, ".");
        if (read.inputs) {
            state.SkipWithError("the comments were read");
            return;
        }
        benchmark::DoNotOptimize(read);
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(json.size()));
}
BENCHMARK(refuseManyCommentLines)
    ->RangeMultiplier(2)
    ->Range(1 << 17, 1 << 21)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// An instruction text of N line breaks is refused by its line count before
// anything is converted.
void refuseLongInstruction(benchmark::State& state)
{
    std::string json = R"({"connections":[{"function":"dcv","column":0,"text":")";
    for (std::int64_t i = 0; i < state.range(0); ++i)
        json += "\\n";
    json += "\"}]}";
    for (auto _ : state)
        benchmark::DoNotOptimize(readSpecFile(json, "."));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(refuseLongInstruction)
    ->RangeMultiplier(4)
    ->Range(1 << 16, 1 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

} // namespace
} // namespace kestrel
