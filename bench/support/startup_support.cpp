#include "support/startup_support.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kestrel::bench {
namespace {

double milliseconds(const timeval& t)
{
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
}

} // namespace

Environment currentEnvironment()
{
    Environment environment;
    for (char** entry = environ; *entry; ++entry)
        environment.emplace_back(*entry);
    return environment;
}

Environment withVariable(Environment environment, const std::string& name, const std::string& value)
{
    const std::string prefix = name + "=";
    std::erase_if(environment, [&](const std::string& entry) { return entry.starts_with(prefix); });
    environment.push_back(prefix + value);
    return environment;
}

pid_t startProcess(const std::vector<std::string>& command, const Environment& environment)
{
    std::vector<char*> argv, envp;
    for (const auto& arg : command)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    for (const auto& entry : environment)
        envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        std::fprintf(stderr, "%s could not be started\n", command.front().c_str());
        std::exit(1);
    }
    return pid;
}

double waitForProcess(pid_t pid, const std::string& name)
{
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not run cleanly\n", name.c_str());
        std::exit(1);
    }
    return milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime);
}

RunTime timeRun(const std::vector<std::string>& command, const Environment& environment)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = startProcess(command, environment);
    const double cpuMs = waitForProcess(pid, command.front());
    const auto end = std::chrono::steady_clock::now();
    return {std::chrono::duration<double, std::milli>(end - start).count(), cpuMs};
}

std::filesystem::path demoSettingsFolder(const std::string& name)
{
    const auto dir = std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string tessel = KESTREL_DEMO_TESSEL_DIR;
    std::ofstream(dir / "tessel.ini") << "[startup]\naccdir=" << tessel << "/acc\npicdir=" << tessel
                                      << "/pics\nhelpdir=" << tessel << "/help\nconfig=" << tessel
                                      << "/config/instruments.cfg\n";
    return dir;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double median(const std::vector<RunTime>& runs, double RunTime::*field)
{
    std::vector<double> values;
    for (const RunTime& run : runs)
        values.push_back(run.*field);
    return median(std::move(values));
}

} // namespace kestrel::bench
