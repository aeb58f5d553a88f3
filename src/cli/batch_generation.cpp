#include "cli/batch_generation.h"

#include "cli/arguments.h"
#include "cli/exit_status.h"
#include "cli/run_recording.h"
#include "core/app/open_spec_file.h"
#include "core/app/session.h"
#include "core/base/atomic_file.h"
#include "core/base/path_text.h"
#include "core/base/sha256.h"
#include "core/base/text_util.h"
#include "core/base/user_text.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <ostream>
#include <sstream>
#include <system_error>
#include <thread>

namespace kestrel::cli {
namespace {

// Staged outputs are flushed to the disk together: one flush of a shared
// disk takes 30 to 40 ms, as long as a hundred procedures take to make.
constexpr std::size_t kFilesPerFlush = 1024;

constexpr long long kProgressIntervalMs = 100;

long long nowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// What became of one file.
struct FileResult {
    int status = kExitOk;
    std::string report;
    RunFile entry; // for the run record: what is known before the output lands
};

// Why a file failed, for its record: its report without the warnings and
// without the "kestrel-cli generate: FILE: " before each line.
std::string failureReason(const std::string& report, const std::string& prefix)
{
    std::string reason;
    std::size_t start = 0;
    while (start < report.size()) {
        std::size_t end = report.find('\n', start);
        if (end == std::string::npos)
            end = report.size();
        std::string_view line(report.data() + start, end - start);
        start = end + 1;
        if (line.substr(0, prefix.size()) == prefix)
            line.remove_prefix(prefix.size());
        else if (line.substr(0, 22) == "kestrel-cli generate: ")
            line.remove_prefix(22);
        if (line.empty() || line.substr(0, 9) == "warning: ")
            continue;
        reason += (reason.empty() ? "" : " ") + std::string(line);
    }
    return reason;
}

class Worker {
public:
    Worker(
        const BatchRequest& request, const Session& session, BatchReporter& reporter, std::vector<FileResult>& results)
        : request_(request), session_(session), reporter_(reporter), results_(results)
    {
    }

    void run(std::atomic<std::size_t>& next)
    {
        for (std::size_t i = next++; i < request_.files.size(); i = next++) {
            if (make(i)) {
                pending_.push_back(i);
                if (outputs_.staged() >= kFilesPerFlush)
                    commit();
            } else {
                finished(i);
            }
        }
        commit();
        outputs_.removeStaleTemporaries();
    }

private:
    // Makes file i's procedure and stages its output; false when nothing
    // was staged and the file is done.
    bool make(std::size_t i)
    {
        const std::string& file = request_.files[i];
        const std::string shown = escapeForMessage(file);
        FileResult& result = results_[i];
        std::ostringstream report;
        const auto line = [&](const std::string& text) {
            report << "kestrel-cli generate: " << shown << ": " << text << "\n";
        };

        const std::filesystem::path path = pathFromUtf8(file);
        RunFile& entry = result.entry;
        if (request_.recordFile) {
            entry.input = recordedPath(file);
            entry.output = batchOutputName(path, request_.procedure.rtf);
            std::string ignored; // a file that cannot be read says so when it is opened
            entry.inputSha256 = fileSha256Hex(path, ignored).value_or("");
        }
        OpenedSpecFile opened = openSpecFile(path, session_, request_.headerDate);
        if (!opened.inputs) {
            result.status = kExitUnreadableFile;
            result.report = "kestrel-cli generate: " + openFailureText(file, opened) + "\n";
            return false;
        }
        for (const std::string& text : openWarningLines(opened)) {
            line(text);
            entry.warnings.push_back(text);
        }
        // Create's messages, each named with the file.
        StreamSink sink(report, "generate: " + shown);
        const ProcedureOutcome outcome = makeProcedure(*opened.inputs, session_.texts, sink, request_.procedure);
        for (const std::string& text : outcome.lines) {
            line(text);
            if (text.rfind("warning: ", 0) == 0)
                entry.warnings.push_back(text);
        }
        entry.standard = standardName(*opened.inputs);
        result.status = outcome.status;
        if (outcome.output) {
            std::string error;
            const auto target = request_.outDir / pathFromUtf8(batchOutputName(path, request_.procedure.rtf));
            // Looked at just before the write: a link put there since the
            // run's check is refused too.
            if (const std::string problem = batchOutputLinkProblem(target); !problem.empty()) {
                line(problem);
                result.status = kExitWriteFailed;
            } else if (!outputs_.stage(target, *outcome.output, error)) {
                line(error);
                result.status = kExitWriteFailed;
            } else if (request_.recordFile) {
                entry.outputSha256 = sha256Hex(*outcome.output);
            }
        }
        result.report = report.str();
        return result.status != kExitWriteFailed && outcome.output;
    }

    // Replaces the staged outputs, then reports their files.
    void commit()
    {
        std::map<std::filesystem::path, std::string> failed;
        for (AtomicFileBatch::Failure& failure : outputs_.commit())
            failed.emplace(std::move(failure.path), std::move(failure.error));
        for (const std::size_t i : pending_) {
            const std::filesystem::path target = request_.outDir /
                pathFromUtf8(batchOutputName(pathFromUtf8(request_.files[i]), request_.procedure.rtf));
            if (const auto f = failed.find(target); f != failed.end()) {
                results_[i].status = kExitWriteFailed;
                results_[i].report +=
                    "kestrel-cli generate: " + escapeForMessage(request_.files[i]) + ": " + f->second + "\n";
            }
            finished(i);
        }
        pending_.clear();
        if (request_.landed)
            request_.landed();
    }

    // File i is done: its report, and its record's entry.
    void finished(std::size_t i)
    {
        FileResult& result = results_[i];
        if (request_.recordFile) {
            RunFile entry = std::move(result.entry);
            entry.exitStatus = result.status;
            // A generator's partial text landed but is no procedure; a
            // failed write left the old file, which is not this run's.
            if (result.status == kExitWriteFailed)
                entry.outputSha256.clear();
            entry.status = result.status == kExitOk ? RunFileStatus::Written : RunFileStatus::Failed;
            if (result.status != kExitOk)
                entry.reason =
                    failureReason(result.report, "kestrel-cli generate: " + escapeForMessage(request_.files[i]) + ": ");
            request_.recordFile(i, std::move(entry));
        }
        reporter_.finished(i, result.report);
    }

    const BatchRequest& request_;
    const Session& session_;
    BatchReporter& reporter_;
    std::vector<FileResult>& results_;
    AtomicFileBatch outputs_;
    std::vector<std::size_t> pending_; // files whose outputs are staged
};

} // namespace

BatchReporter::BatchReporter(std::ostream& err, std::size_t files, bool progress)
    : err_(err), progress_(progress), reports_(files), done_(files, false)
{
}

void BatchReporter::expect(std::size_t files)
{
    const std::lock_guard lock(mutex_);
    reports_.assign(files, {});
    done_.assign(files, false);
    nextReport_ = finished_ = 0;
}

MessageAnswer BatchReporter::show(const Message& message)
{
    const std::lock_guard lock(mutex_);
    clearProgress();
    return StreamSink(err_, "generate").show(message);
}

void BatchReporter::finished(std::size_t index, std::string report)
{
    const std::lock_guard lock(mutex_);
    reports_[index] = std::move(report);
    done_[index] = true;
    ++finished_;
    for (; nextReport_ < done_.size() && done_[nextReport_]; ++nextReport_) {
        if (reports_[nextReport_].empty())
            continue;
        clearProgress();
        err_ << reports_[nextReport_];
        std::string().swap(reports_[nextReport_]);
    }
    if (progress_ && nowMs() - lastProgress_ >= kProgressIntervalMs) {
        lastProgress_ = nowMs();
        const std::string line =
            "kestrel-cli generate: " + std::to_string(finished_) + " of " + std::to_string(done_.size()) + " files";
        err_ << '\r' << line;
        progressWidth_ = std::max(progressWidth_, line.size());
        err_.flush();
    }
}

void BatchReporter::clearProgress()
{
    if (progressWidth_ == 0)
        return;
    err_ << '\r' << std::string(progressWidth_, ' ') << '\r';
    progressWidth_ = 0;
}

void BatchReporter::summary(
    std::size_t written, std::size_t failed, double seconds, std::optional<std::size_t> unchanged)
{
    const std::lock_guard lock(mutex_);
    clearProgress();
    char time[32];
    std::snprintf(time, sizeof time, "%.2f", seconds);
    err_ << "kestrel-cli generate: " << written << " written, " << failed << " failed, ";
    if (unchanged)
        err_ << *unchanged << " unchanged and skipped, ";
    err_ << time << " seconds\n";
}

BatchOutcome generateBatch(const BatchRequest& request, const Session& session, BatchReporter& reporter)
{
    std::vector<FileResult> results(request.files.size());
    const unsigned cores = request.threads ? request.threads : std::max(1u, std::thread::hardware_concurrency());
    const auto threads = static_cast<unsigned>(std::min<std::size_t>(cores, request.files.size()));
    std::atomic<std::size_t> next{0};
    {
        std::vector<std::unique_ptr<Worker>> workers;
        for (unsigned t = 0; t < threads; ++t)
            workers.push_back(std::make_unique<Worker>(request, session, reporter, results));
        std::vector<std::jthread> pool; // joined before the workers go
        for (unsigned t = 1; t < threads; ++t)
            pool.emplace_back([&, t] { workers[t]->run(next); });
        if (threads > 0)
            workers[0]->run(next); // this thread works too
    }
    BatchOutcome outcome;
    for (const FileResult& result : results) {
        outcome.status = worseStatus(outcome.status, result.status);
        ++(result.status == kExitOk ? outcome.written : outcome.failed);
    }
    return outcome;
}

} // namespace kestrel::cli
