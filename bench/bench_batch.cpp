// kestrel-cli generate --out-dir in process: N copies of one specification,
// each read, created and written into a folder, on all cores. The work must
// grow linearly with N (the benchmark fits O(N)) and reach 2,000 procedures
// a second for copies of the largest sample on two cores.
#include "cli/exit_status.h"
#include "cli/run.h"
#include "core/app/spec_file.h"
#include "core/base/path_text.h"
#include "full_specification.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace kestrel {
namespace {

// Where the copies and the outputs go: KESTREL_BENCH_DIR, else the
// system's folder for temporary files.
std::filesystem::path benchFolder()
{
    const char* folder = std::getenv("KESTREL_BENCH_DIR");
    return folder && *folder ? std::filesystem::path(folder) : std::filesystem::temp_directory_path();
}

// The folders of every benchmark, removed when the program ends: thousands
// of files deleted between two benchmarks would slow the next one down on
// file systems that do not reuse the room of files just deleted at once.
class Folders {
public:
    ~Folders()
    {
        for (const auto& folder : folders_) {
            std::error_code ec;
            std::filesystem::remove_all(folder, ec);
        }
    }
    void add(const std::filesystem::path& folder) { folders_.push_back(folder); }

private:
    std::vector<std::filesystem::path> folders_;
};
Folders folders;

// A scratch folder with the copies.
class Copies {
public:
    Copies(const std::string& content, std::int64_t count)
        : root_(benchFolder() / ("kestrel-bench-" + std::to_string(std::random_device{}())))
    {
        folders.add(root_);
        std::filesystem::create_directories(root_ / "in");
        for (std::int64_t i = 0; i < count; ++i) {
            files_.push_back((root_ / "in" / ("spec" + std::to_string(i) + ".kestrel.json")).string());
            std::ofstream(files_.back(), std::ios::binary) << content;
        }
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
    std::vector<std::string> args{"generate", "--out-dir", "", "--date", "2026-12-05", "--lcid", "1033", "--config-dir",
        (copies.root() / "config").string()};
    args.insert(args.end(), copies.files().begin(), copies.files().end());
    // Each run into a folder of its own: replacing the outputs of the run
    // before would measure how fast the file system reuses the room of
    // thousands of files just deleted.
    int run = 0;
    const std::clock_t processorStart = std::clock();
    for (auto _ : state) {
        args[2] = (copies.root() / ("out" + std::to_string(run++))).string();
        std::ostringstream out, err;
        if (cli::run(args, out, err) != cli::kExitOk) {
            state.SkipWithError(err.str().c_str());
            return;
        }
    }
    // The processor time of every thread, to be read beside the wall-clock
    // time when other work shares the cores.
    const double processorSeconds = static_cast<double>(std::clock() - processorStart) / CLOCKS_PER_SEC;
    state.counters["cpu_ms_per_file"] =
        1000.0 * processorSeconds / static_cast<double>(state.iterations() * state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}

void batchOfLargestSample(benchmark::State& state) { generateCopies(state, largestSample()); }
BENCHMARK(batchOfLargestSample)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Complexity(benchmark::oN);

// Every column of every function filled: about 90 KB of procedure each.
void batchOfFullSpecification(benchmark::State& state)
{
    generateCopies(state, writeSpecFile(fullSpecification("7320", 26)));
}
BENCHMARK(batchOfFullSpecification)
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Complexity(benchmark::oN);

} // namespace
} // namespace kestrel
