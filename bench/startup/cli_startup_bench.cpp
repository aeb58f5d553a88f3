// Start-up speed of kestrel-cli: `kestrel-cli generate` of the largest
// specification (all nine functions, 26 columns, an instruction record on
// every column: about 90 KB of procedure) against a C++ program that does
// nothing. Both run as whole processes, taken in turns so that both meet the
// same load on the machine; the medians and their ratio are printed, of the
// wall-clock time and of the processor time the process used (user and
// system), which a busy machine disturbs less. The
// target is a ratio of at most 1.5. `kestrel-cli samples`, which starts the
// program and lists seven names, shows what the start alone costs.
//
//   kestrel_startup_bench [RUNS [KESTREL_CLI]]
// RUNS defaults to 41; KESTREL_CLI, another build of kestrel-cli to time
// (to compare two builds), to the one built beside this benchmark.
#include "core/app/spec_file.h"
#include "full_specification.h"

#include "support/startup_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using kestrel::bench::median;
using kestrel::bench::RunTime;
using kestrel::bench::timeRun;

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 41;
    const std::string program = argc > 2 ? argv[2] : KESTREL_CLI_PATH;

    // The specification file and a settings folder naming the demo Tessel
    // installation, in a scratch folder.
    const auto dir = kestrel::bench::demoSettingsFolder("kestrel-startup");
    const auto spec = dir / "full.kestrel.json";
    std::ofstream(spec, std::ios::binary) << kestrel::writeSpecFile(kestrel::fullSpecification("7320", 26));

    const std::vector<std::string> cli{
        program, "generate", spec.string(), "--date", "2026-12-05", "--lcid", "1033", "--config-dir", dir.string()};
    const std::vector<std::string> startOnly{program, "samples"};
    const std::vector<std::string> empty{KESTREL_EMPTY_PROGRAM_PATH};

    // Warm the page cache and the dynamic loader's caches first.
    for (int i = 0; i < 3; ++i) {
        timeRun(cli);
        timeRun(startOnly);
        timeRun(empty);
    }
    std::vector<RunTime> cliTimes, startOnlyTimes, emptyTimes;
    for (int i = 0; i < runs; ++i) {
        cliTimes.push_back(timeRun(cli));
        startOnlyTimes.push_back(timeRun(startOnly));
        emptyTimes.push_back(timeRun(empty));
    }
    std::filesystem::remove_all(dir);

    std::printf("runs: %d each, taken in turns; medians in ms, and the ratio to the empty program\n", runs);
    std::printf("%-46s %9s %7s %9s %7s\n", "", "wall", "ratio", "cpu", "ratio");
    const auto row = [&](const char* what, const std::vector<RunTime>& times) {
        const double wall = median(times, &RunTime::wallMs), cpu = median(times, &RunTime::cpuMs);
        std::printf("%-46s %9.3f %7.2f %9.3f %7.2f\n", what, wall, wall / median(emptyTimes, &RunTime::wallMs), cpu,
            cpu / median(emptyTimes, &RunTime::cpuMs));
    };
    row("kestrel-cli generate, largest specification", cliTimes);
    row("kestrel-cli samples (the start alone)", startOnlyTimes);
    row("empty C++ program", emptyTimes);
    std::printf("target: generate at most 1.5 times the empty program\n");
    return 0;
}
