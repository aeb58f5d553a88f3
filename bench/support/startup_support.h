#pragma once
// Whole processes timed from outside, and their scratch settings folder,
// for the start-up benchmarks.
#include <filesystem>
#include <string>
#include <vector>

#include <sys/types.h>

namespace kestrel::bench {

struct RunTime {
    double wallMs;
    double cpuMs;
};

// "NAME=VALUE" entries.
using Environment = std::vector<std::string>;

Environment currentEnvironment();
// The environment with NAME set to VALUE (replaced when present).
Environment withVariable(Environment environment, const std::string& name, const std::string& value);

// Starts the program (found on the PATH when it names no folder) with
// standard input, output and error on /dev/null; exits when it cannot.
pid_t startProcess(const std::vector<std::string>& command, const Environment& environment);
// Waits until it has ended and returns the processor time it used (user and
// system, ms); exits when it did not end with status 0.
double waitForProcess(pid_t pid, const std::string& name);

// Runs the program to its end.
RunTime timeRun(const std::vector<std::string>& command, const Environment& environment = currentEnvironment());

// A fresh folder for settings that names the demo Tessel installation in
// its tessel.ini, as KESTREL_CONFIG_DIR or --config-dir.
std::filesystem::path demoSettingsFolder(const std::string& name);

double median(std::vector<double> values);
double median(const std::vector<RunTime>& runs, double RunTime::*field);

} // namespace kestrel::bench
