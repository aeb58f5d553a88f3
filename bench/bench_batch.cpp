// kestrel-cli generate --out-dir in process: N copies of one specification,
// each read, created and written into a folder, on all cores. The work must
// grow linearly with N (the benchmark fits O(N)) and reach 2,000 procedures
// a second for copies of the largest sample on two cores.
#include "cli/command.h"
#include "core/app/spec_file.h"
#include "core/base/path_text.h"
#include "full_specification.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace kestrel {
namespace {

// A scratch folder with the copies, removed afterwards.
class Copies {
public:
    Copies(const std::string& content, std::int64_t count)
        : root_(std::filesystem::temp_directory_path() / ("kestrel-bench-" + std::to_string(std::random_device{}())))
    {
        std::filesystem::create_directories(root_ / "in");
        for (std::int64_t i = 0; i < count; ++i) {
            files_.push_back((root_ / "in" / ("spec" + std::to_string(i) + ".kestrel.json")).string());
            std::ofstream(files_.back(), std::ios::binary) << content;
        }
    }
    ~Copies()
    {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    const std::filesystem::path& root() const { return root_; }
    const std::vector<std::string>& files() const { return files_; }

private:
    std::filesystem::path root_;
    std::vector<std::string> files_;
};

std::string largestSample()
{
    std::filesystem::path largest;
    for (const auto& entry : std::filesystem::directory_iterator(KESTREL_SAMPLES_DIR))
        if (largest.empty() || entry.file_size() > std::filesystem::file_size(largest))
            largest = entry.path();
    std::ifstream in(largest, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void generateCopies(benchmark::State& state, const std::string& content)
{
    const Copies copies(content, state.range(0));
    // No Tessel installation: start-up says so once, on the error stream.
    std::filesystem::create_directories(copies.root() / "config");
    std::vector<std::string> args{"generate", "--out-dir", (copies.root() / "out").string(), "--date", "2026-12-05",
                                  "--lcid", "1033", "--config-dir", (copies.root() / "config").string()};
    args.insert(args.end(), copies.files().begin(), copies.files().end());
    for (auto _ : state) {
        std::ostringstream out, err;
        if (cli::run(args, out, err) != cli::kExitOk) {
            state.SkipWithError(err.str().c_str());
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}

void batchOfLargestSample(benchmark::State& state) { generateCopies(state, largestSample()); }
BENCHMARK(batchOfLargestSample)
    ->RangeMultiplier(2)
    ->Range(500, 4000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Complexity(benchmark::oN);

// Every column of every function filled: about 90 KB of procedure each.
void batchOfFullSpecification(benchmark::State& state)
{
    generateCopies(state, writeSpecFile(fullSpecification("7320", 26)));
}
BENCHMARK(batchOfFullSpecification)
    ->RangeMultiplier(2)
    ->Range(250, 1000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Complexity(benchmark::oN);

} // namespace
} // namespace kestrel
