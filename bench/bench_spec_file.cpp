// Reading specification files as large as the reader takes (4 MiB): a file
// whose comments fill it is read whole, files of many small values are
// refused by the cap on values while they are read, and a file just under
// that cap is read whole. Each must take a few milliseconds: reading is
// linear in the size of the file.
#include "core/app/spec_file.h"
#include "core/app/spec_file_names.h"

#include <benchmark/benchmark.h>

#include <string>

namespace kestrel {
namespace {

// "[" + "{}," repeated + "{}]" (or another element), up to the size cap.
std::string listUpTo(std::size_t size, const std::string& element)
{
    std::string json = R"({"connections":[)";
    json.reserve(size);
    while (json.size() + 2 * element.size() + 4 < size)
        json += element + ",";
    json += element + "]}";
    return json;
}

void readAndReport(benchmark::State& state, const std::string& json, bool expectRead)
{
    for (auto _ : state) {
        SpecFileResult read = readSpecFile(json, ".");
        if (read.inputs.has_value() != expectRead) {
            state.SkipWithError(read.error.c_str());
            return;
        }
        benchmark::DoNotOptimize(read);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(json.size()));
    state.counters["MiB"] = static_cast<double>(json.size()) / (1024.0 * 1024.0);
}

// The comments fill the file: read whole.
void readLongestComments(benchmark::State& state)
{
    std::string json = R"({"procedure":{"comments":")";
    json.append(kMaxSpecFileSize - json.size() - 4, 'c');
    json += "\"}}";
    readAndReport(state, json, true);
}
BENCHMARK(readLongestComments)->Unit(benchmark::kMillisecond);

// 4 MiB of empty objects: refused at the cap on values.
void refuseManyEmptyObjects(benchmark::State& state) { readAndReport(state, listUpTo(kMaxSpecFileSize, "{}"), false); }
BENCHMARK(refuseManyEmptyObjects)->Unit(benchmark::kMillisecond);

// 4 MiB of records with keys: refused at the cap on values, each key
// checked against its object's others on the way.
void refuseManyRecords(benchmark::State& state)
{
    readAndReport(state, listUpTo(kMaxSpecFileSize, R"({"function":"dcv","column":0,"text":"x"})"), false);
}
BENCHMARK(refuseManyRecords)->Unit(benchmark::kMillisecond);

// Just under the cap: every value is read, and the reader refuses the
// first record for its missing function.
void readJustUnderTheCap(benchmark::State& state)
{
    std::string json = R"({"connections":[)";
    for (std::size_t i = 0; i + 3 < specfile::kMaxValues; ++i)
        json += "{},";
    json += "{}]}";
    for (auto _ : state)
        benchmark::DoNotOptimize(readSpecFile(json, "."));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(json.size()));
}
BENCHMARK(readJustUnderTheCap)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kestrel
