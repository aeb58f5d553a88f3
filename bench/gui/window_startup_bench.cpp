// Start-up speed of the window: the time from starting the process to the
// main window's first paint, for kestrel (no file, the demo Tessel
// installation, a scratch settings folder) and for a bare QMainWindow with
// comparable widgets (bare_window), on Qt's offscreen platform and on a
// virtual X server (Xvfb, when installed). Both programs report the first
// paint the same way (KESTREL_FIRST_PAINT_FILE: the monotonic clock and the
// processor time used at that moment) and quit. They run in turns so that
// both meet the same load; the medians and kestrel's ratio to the bare
// window are printed. The target is a ratio of at most 1.2.
//
//   kestrel_window_startup_bench [RUNS [KESTREL]]
// RUNS defaults to 21; KESTREL, another build of kestrel to time.
#include "gui/common/first_paint.h"
#include "support/startup_support.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kestrel::bench;

namespace {

struct Platform {
    std::string name;
    Environment environment;
};

bool onPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "";
    for (std::size_t begin = 0; begin <= folders.size();) {
        const std::size_t end = std::min(folders.find(':', begin), folders.size());
        if (access((folders.substr(begin, end - begin) + "/" + program).c_str(), X_OK) == 0)
            return true;
        begin = end + 1;
    }
    return false;
}

// Xvfb on a display it picks itself and names once it accepts clients.
class VirtualXServer {
public:
    static std::optional<VirtualXServer> start(const Environment& environment)
    {
        int pipeEnds[2];
        if (!onPath("Xvfb") || pipe(pipeEnds) != 0)
            return std::nullopt;
        const pid_t pid = startProcess(
            {"Xvfb", "-displayfd", std::to_string(pipeEnds[1]), "-screen", "0", "1280x800x24", "-nolisten", "tcp"},
            environment);
        close(pipeEnds[1]);
        std::string display;
        pollfd ready{pipeEnds[0], POLLIN, 0};
        char c = 0;
        while (poll(&ready, 1, 10000) == 1 && read(pipeEnds[0], &c, 1) == 1 && c != '\n')
            display += c;
        close(pipeEnds[0]);
        VirtualXServer server(pid, ":" + display);
        if (display.empty())
            return std::nullopt;
        return server;
    }
    VirtualXServer(VirtualXServer&& other) noexcept
        : pid_(std::exchange(other.pid_, 0)), display_(std::move(other.display_))
    {
    }
    VirtualXServer(const VirtualXServer&) = delete;
    VirtualXServer& operator=(const VirtualXServer&) = delete;
    VirtualXServer& operator=(VirtualXServer&&) = delete;
    ~VirtualXServer()
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    const std::string& display() const { return display_; }

private:
    VirtualXServer(pid_t pid, std::string display) : pid_(pid), display_(std::move(display)) { }

    pid_t pid_;
    std::string display_;
};

// Starts the program, waits for it to quit after its first paint, and
// returns the time from the start to that paint and the processor time used
// by then.
RunTime timeToFirstPaint(
    const std::string& program, const Environment& environment, const std::filesystem::path& marker)
{
    std::filesystem::remove(marker);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid =
        startProcess({program}, withVariable(environment, kestrel::gui::kFirstPaintFileVariable, marker.string()));
    waitForProcess(pid, program);
    long long paintedNs = 0, cpuNs = 0;
    if (!(std::ifstream(marker) >> paintedNs >> cpuNs)) {
        std::fprintf(stderr, "%s did not report its first paint\n", program.c_str());
        std::exit(1);
    }
    const auto started = std::chrono::duration_cast<std::chrono::nanoseconds>(start.time_since_epoch()).count();
    return {static_cast<double>(paintedNs - started) / 1e6, static_cast<double>(cpuNs) / 1e6};
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    const std::string kestrelProgram = argc > 2 ? argv[2] : KESTREL_PATH;
    const std::string bareProgram = KESTREL_BARE_WINDOW_PATH;

    const auto dir = demoSettingsFolder("kestrel-window-startup");
    std::filesystem::create_directories(dir / "home");
    std::filesystem::create_directories(dir / "runtime");
    std::filesystem::permissions(dir / "runtime", std::filesystem::perms::owner_all);
    Environment base;
    for (const char* name : {"PATH"})
        if (const char* value = std::getenv(name))
            base.push_back(std::string(name) + "=" + value);
    base = withVariable(base, "LANG", "C.UTF-8");
    base = withVariable(base, "HOME", (dir / "home").string());
    base = withVariable(base, "XDG_RUNTIME_DIR", (dir / "runtime").string());
    base = withVariable(base, "KESTREL_CONFIG_DIR", dir.string());

    std::vector<Platform> platforms{{"offscreen", withVariable(base, "QT_QPA_PLATFORM", "offscreen")}};
    std::optional<VirtualXServer> xvfb = VirtualXServer::start(base);
    if (xvfb)
        platforms.push_back(
            {"Xvfb", withVariable(withVariable(base, "QT_QPA_PLATFORM", "xcb"), "DISPLAY", xvfb->display())});
    else
        std::printf("Xvfb is not installed (Debian package xvfb): offscreen only\n");

    std::printf("runs: %d each, taken in turns; medians in ms from the start to the first paint, and kestrel's\n"
                "ratio to the bare window (wall: clock time; cpu: processor time the process had used)\n",
        runs);
    std::printf("%-10s %-14s %9s %7s %9s %7s\n", "platform", "program", "wall", "ratio", "cpu", "ratio");
    const auto marker = dir / "first-paint";
    for (const Platform& platform : platforms) {
        // Warm the page cache, the font cache and the loader's caches.
        for (int i = 0; i < 3; ++i) {
            timeToFirstPaint(kestrelProgram, platform.environment, marker);
            timeToFirstPaint(bareProgram, platform.environment, marker);
        }
        std::vector<RunTime> kestrelTimes, bareTimes;
        for (int i = 0; i < runs; ++i) {
            kestrelTimes.push_back(timeToFirstPaint(kestrelProgram, platform.environment, marker));
            bareTimes.push_back(timeToFirstPaint(bareProgram, platform.environment, marker));
        }
        const double bareWall = median(bareTimes, &RunTime::wallMs), bareCpu = median(bareTimes, &RunTime::cpuMs);
        const double wall = median(kestrelTimes, &RunTime::wallMs), cpu = median(kestrelTimes, &RunTime::cpuMs);
        std::printf("%-10s %-14s %9.1f %7.2f %9.1f %7.2f\n", platform.name.c_str(), "kestrel", wall, wall / bareWall,
            cpu, cpu / bareCpu);
        std::printf(
            "%-10s %-14s %9.1f %7.2f %9.1f %7.2f\n", platform.name.c_str(), "bare window", bareWall, 1.0, bareCpu, 1.0);
    }
    std::printf("target: kestrel at most 1.2 times the bare window\n");
    xvfb.reset();
    std::filesystem::remove_all(dir);
    return 0;
}
