#pragma once
// kestrel-cli generate --out-dir DIR FILE...: the procedure of every file
// written to DIR/<name>.txt in one process, on as many threads as the
// machine has cores. Each file's outcome is its own: a file that fails is
// reported with its name and the others are still written.
#include "cli/batch_outputs.h"
#include "cli/procedure_job.h"
#include "core/app/run_record.h"
#include "core/base/message_sink.h"

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace kestrel {
class Session;
}

namespace kestrel::cli {

struct BatchRequest {
    std::vector<std::string> files; // UTF-8, as typed
    std::filesystem::path outDir;
    std::string headerDate;
    ProcedureRequest procedure;
    unsigned threads = 0; // 0: one per core
    // For the run record, when set: each file's entry once its output has
    // landed or it failed (index into files; status, digests, reason and
    // warnings filled in), then, after each group of outputs, landed().
    std::function<void(std::size_t index, RunFile entry)> recordFile;
    std::function<void()> landed;
};

// Standard error of a batch, shared by its threads: the run's own messages,
// each file's report as one block in the files' order, a progress line
// when it is a terminal, and the summary.
class BatchReporter : public MessageSink {
public:
    BatchReporter(std::ostream& err, std::size_t files, bool progress);
    // The run's messages (start-up's, a text missing from the table).
    MessageAnswer show(const Message& message) override;
    // A file is done; its report (whole lines, maybe none) is written once
    // every file before it is.
    void finished(std::size_t index, std::string report);
    // unchanged: the files --changed skipped, named only when it was given.
    // The number of files the batch makes, when --changed left some out.
    void expect(std::size_t files);
    void summary(std::size_t written, std::size_t failed, double seconds, std::optional<std::size_t> unchanged = {});

private:
    void clearProgress();
    std::ostream& err_;
    bool progress_;
    std::vector<std::string> reports_;
    std::vector<bool> done_;
    std::size_t nextReport_ = 0, finished_ = 0;
    std::size_t progressWidth_ = 0;
    long long lastProgress_ = 0; // steady-clock milliseconds of the last progress line
    mutable std::mutex mutex_;
};

struct BatchOutcome {
    int status = 0;          // the worst of the files' exit statuses (see worseStatus)
    std::size_t written = 0; // complete procedures written
    std::size_t failed = 0;  // the other files
};

// Writes every procedure; the files' names were checked and the folder made.
BatchOutcome generateBatch(const BatchRequest& request, const Session& session, BatchReporter& reporter);

} // namespace kestrel::cli
