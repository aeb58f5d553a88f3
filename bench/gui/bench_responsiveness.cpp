// The window's responsiveness with the largest specification files the
// reader accepts, one of each shape: comments at their limit, line breaks
// at their limit, connection records at their limit, every grid full. A
// heartbeat timer on the window's thread measures the longest stall of the
// event loop while the window (1,600 x 1,000, offscreen, the preview and
// the calibrator coverage shown) opens the file and the user edits: a
// stored cell, undo, a typed comment, F8 and F9 twice, a change of tab and
// back, another cell, a column inserted and the insertion undone. Each step
// waits until the preview, the coverage and the grid's marks are made.
// Reported per run: the longest stall (wall-clock and the window thread's
// processor time, and the step it fell in: 0 is Open), the time from Open
// to everything shown, and the peak resident memory of the process (Linux:
// VmHWM, reset per run through clear_refs where the kernel allows it).
// (main() is bench_viewer.cpp's.)
#include "core/app/session.h"
#include "core/app/spec_file.h"
#include "core/base/message_sink.h"
#include "core/spec/procedure_comments.h"
#include "full_specification.h"
#include "gui/common/background_worker.h"
#include "gui/document/document.h"
#include "gui/main/main_window.h"
#include "gui/viewer/procedure_preview.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kestrel {
namespace {

// ---- the files ----

std::string commentLine(std::size_t characters)
{
    const std::string words = "Checked against the laboratory's reference after repair. ";
    std::string line;
    while (line.size() < characters)
        line += words;
    line.resize(characters);
    return line;
}

// kCommentLines lines of kCommentLineLength characters each, and the
// header's one-line values as long as a file holds them.
ProcedureInputs commentsAtTheLimit()
{
    ProcedureInputs in = fullSpecification("7320", 26);
    for (std::string* value : {&in.identity.name, &in.identity.author, &in.identity.revision})
        *value = commentLine(kLongestLineText);
    std::string comments;
    for (std::size_t i = 0; i < kCommentLines; ++i)
        comments += (i ? "\r\n" : "") + commentLine(kCommentLineLength);
    in.identity.comments = comments;
    return in;
}

// As many line breaks as the comments take, and every column's instruction
// text of eight empty lines.
ProcedureInputs lineBreaksAtTheLimit()
{
    ProcedureInputs in = fullSpecification("7320", 26);
    std::string comments;
    for (std::size_t i = 0; i < kCommentLines; ++i)
        comments += "\r\n";
    in.identity.comments = comments;
    ConnectionStore records;
    for (const ConnectionRecord& record : in.connections.records())
        records.append({record.function, record.column, record.pic, std::string("\r\n\r\n\r\n\r\n\r\n\r\n\r\n")});
    in.connections = records;
    return in;
}

// As many instruction records as a file holds (one on each column of every
// function), each with a picture name and eight lines of the most
// characters a line takes.
ProcedureInputs recordsAtTheLimit()
{
    ProcedureInputs in = fullSpecification("7320", 26);
    std::string text;
    for (std::size_t i = 0; i < kInstructionLines; ++i)
        text += (i ? "\r\n" : "") + commentLine(kInstructionLineLength);
    const std::string picture = "p" + std::string(kPictureNameLength - 5, 'x') + ".bmp";
    ConnectionStore records;
    for (const ConnectionRecord& record : in.connections.records())
        records.append({record.function, record.column, picture, text});
    in.connections = records;
    return in;
}

ProcedureInputs fullGrids() { return fullSpecification("7320", 26); }

// ---- the window ----

// Peak resident memory since the last reset, in MB (0 where unknown).
double peakResidentMegabytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

void resetPeakResident() { std::ofstream("/proc/self/clear_refs") << "5"; }

// The window's thread's processor time in ms (0 where unknown): on a loaded
// machine a stall's wall-clock time includes the waits for a core, its
// processor time does not.
double threadCpuMilliseconds()
{
#ifdef CLOCK_THREAD_CPUTIME_ID
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
#else
    return 0;
#endif
}

// The longest gap between two ticks of a 1 ms timer on the window's
// thread, in wall-clock and in the thread's processor time, and the step
// it fell in.
class Heartbeat {
public:
    Heartbeat()
    {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const qint64 wall = clock_.restart();
            const double cpu = threadCpuMilliseconds();
            if (wall > longest_) {
                longest_ = wall;
                longestStep_ = step_;
            }
            longestCpu_ = std::max(longestCpu_, cpu - lastCpu_);
            lastCpu_ = cpu;
        });
    }
    void start()
    {
        clock_.start();
        lastCpu_ = threadCpuMilliseconds();
        timer_.start();
    }
    void stop() { timer_.stop(); }
    void setStep(int step) { step_ = step; }
    qint64 longestMilliseconds() const { return longest_; }
    double longestCpuMilliseconds() const { return longestCpu_; }
    int longestStep() const { return longestStep_; }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 longest_ = 0;
    double lastCpu_ = 0;
    double longestCpu_ = 0;
    int step_ = 0;
    int longestStep_ = 0;
};

// Lets the 0 ms timers start their jobs and waits until every result is in.
void waitUntilShown(const gui::ProcedurePreview& preview)
{
    for (int pass = 0; pass < 3; ++pass) {
        QApplication::processEvents();
        gui::BackgroundWorker::waitForAll();
    }
    while (!preview.upToDate())
        gui::BackgroundWorker::waitForAll();
}

void timeWindow(benchmark::State& state, const ProcedureInputs& shape)
{
    QTemporaryDir scratch;
    const QString path = scratch.filePath(QStringLiteral("largest.kestrel.json"));
    const std::string json = writeSpecFile(shape);
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(json.data(), static_cast<qint64>(json.size()));
    }
    if (!readSpecFile(json, ".").inputs) {
        state.SkipWithError(("the reader refuses the file: " + readSpecFile(json, ".").error).c_str());
        return;
    }
    qint64 longestStall = 0;
    double longestStallCpu = 0;
    int stallStep = 0; // 0: Open, then the edits in turn
    qint64 longestOpen = 0;
    double peak = 0;
    for (auto _ : state) {
        resetPeakResident();
        SilentSink sink;
        auto session =
            std::make_unique<Session>(StartUpEnvironment{1033, 1033, scratch.path().toStdString(), {}}, sink);
        gui::Document document(std::move(session));
        gui::MainWindow window(document);
        window.resize(1600, 1000);
        window.show();
        for (const char* pane : {"mnuPreview", "mnuCoverage"})
            if (auto* entry = window.control<QAction>(QString::fromLatin1(pane)); !entry->isChecked())
                entry->trigger();
        auto& preview = *window.control<gui::ProcedurePreview>(QStringLiteral("dock_Preview"));
        waitUntilShown(preview);

        Heartbeat heartbeat;
        heartbeat.start();
        QElapsedTimer opening;
        opening.start();
        double openCallCpu = 0;
        QTimer::singleShot(0, &window, [&] {
            const double before = threadCpuMilliseconds();
            window.openFile(path);
            openCallCpu = threadCpuMilliseconds() - before;
        });
        waitUntilShown(preview);
        longestOpen = std::max(longestOpen, opening.elapsed());
        state.counters["open_call_cpu_ms"] = openCallCpu;

        auto* comments = window.control<QPlainTextEdit>(QStringLiteral("Comments"));
        auto* tabs = window.control<QTabWidget>(QStringLiteral("Main_TabStrip"));
        const std::vector<std::function<void()>> steps{
            [&] { document.setCell(0, 1, "7.5"); },
            [&] { document.undoStack().undo(); },
            [&] {
                comments->moveCursor(QTextCursor::End);
                comments->insertPlainText(QStringLiteral("!"));
            },
            [&] { window.control<QAction>(QStringLiteral("mnuPreview"))->trigger(); },
            [&] { window.control<QAction>(QStringLiteral("mnuPreview"))->trigger(); },
            [&] { window.control<QAction>(QStringLiteral("mnuCoverage"))->trigger(); },
            [&] { window.control<QAction>(QStringLiteral("mnuCoverage"))->trigger(); },
            [&] { tabs->setCurrentIndex(1); },
            [&] { tabs->setCurrentIndex(0); },
            [&] { document.setCell(1, 2, "0.02"); },
            [&] { document.insertColumn(3); },
            [&] { document.undoStack().undo(); },
        };
        for (std::size_t i = 0; i < steps.size(); ++i) {
            heartbeat.setStep(static_cast<int>(i) + 1);
            QTimer::singleShot(0, &window, steps[i]);
            waitUntilShown(preview);
        }
        heartbeat.stop();
        if (heartbeat.longestMilliseconds() > longestStall)
            stallStep = heartbeat.longestStep();
        longestStall = std::max(longestStall, heartbeat.longestMilliseconds());
        longestStallCpu = std::max(longestStallCpu, heartbeat.longestCpuMilliseconds());
        peak = std::max(peak, peakResidentMegabytes());
        state.counters["lines"] = preview.textBox()->blockCount();
    }
    state.counters["file_MiB"] = static_cast<double>(json.size()) / (1024.0 * 1024.0);
    state.counters["stall_ms"] = static_cast<double>(longestStall);
    state.counters["stall_cpu_ms"] = longestStallCpu;
    state.counters["stall_step"] = stallStep;
    state.counters["open_ms"] = static_cast<double>(longestOpen);
    state.counters["peak_MB"] = peak;
}

void BM_LargestFileComments(benchmark::State& state) { timeWindow(state, commentsAtTheLimit()); }
void BM_LargestFileLineBreaks(benchmark::State& state) { timeWindow(state, lineBreaksAtTheLimit()); }
void BM_LargestFileRecords(benchmark::State& state) { timeWindow(state, recordsAtTheLimit()); }
void BM_LargestFileFullGrids(benchmark::State& state) { timeWindow(state, fullGrids()); }

BENCHMARK(BM_LargestFileComments)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LargestFileLineBreaks)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LargestFileRecords)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LargestFileFullGrids)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace kestrel
