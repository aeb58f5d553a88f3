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

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct RunTime {
    double wallMs;
    double cpuMs;
};

double milliseconds(const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3; }

// Starts the program with standard output and error sent to /dev/null and
// times it until it has ended; exits when it fails.
RunTime timeRun(const std::vector<std::string>& command)
{
    std::vector<char*> argv;
    for (const auto& arg : command)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    const auto start = Clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    int status = 0;
    rusage usage{};
    if (spawned == 0)
        wait4(pid, &status, 0, &usage);
    const auto end = Clock::now();
    posix_spawn_file_actions_destroy(&actions);

    if (spawned != 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not run cleanly\n", command.front().c_str());
        std::exit(1);
    }
    return {std::chrono::duration<double, std::milli>(end - start).count(),
            milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime)};
}

double median(const std::vector<RunTime>& runs, double RunTime::*field)
{
    std::vector<double> values;
    for (const RunTime& run : runs)
        values.push_back(run.*field);
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 41;
    const std::string program = argc > 2 ? argv[2] : KESTREL_CLI_PATH;

    // The specification file and a settings folder naming the demo Tessel
    // installation, in a scratch folder.
    const auto dir = std::filesystem::temp_directory_path() / ("kestrel-startup-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string tessel = KESTREL_DEMO_TESSEL_DIR;
    std::ofstream(dir / "tessel.ini") << "[startup]\naccdir=" << tessel << "/acc\npicdir=" << tessel
                                      << "/pics\nhelpdir=" << tessel << "/help\nconfig=" << tessel
                                      << "/config/instruments.cfg\n";
    const auto spec = dir / "full.kestrel.json";
    std::ofstream(spec, std::ios::binary) << kestrel::writeSpecFile(kestrel::fullSpecification("7320", 26));

    const std::vector<std::string> cli{program, "generate", spec.string(), "--date",      "2026-12-05",
                                       "--lcid",  "1033",     "--config-dir", dir.string()};
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
