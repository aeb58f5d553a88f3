#pragma once
// Keeping the run record of kestrel-cli generate: the settings of a run as
// the session and the command line set them, each file's entry, and the
// record file itself, written "running" when the run starts, again as
// outputs land, and "completed" when it ends, each time replaced whole.
// verify starts a session with a record's settings to make the same bytes.
#include "cli/procedure_job.h"
#include "core/app/run_record.h"
#include "core/base/local_date.h"

#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace kestrel {
class MessageSink;
class Session;
} // namespace kestrel

namespace kestrel::cli {

// The settings of a run of this program: the session's locale, Tessel
// installation and localization file, the DATE and the procedure options.
RunSettings runSettings(const Session& session, std::optional<int> lcidSwitch, const CalendarDate& date,
    const std::string& headerDate, const ProcedureRequest& request);

// The name of the standard the inputs' page uses ("7320", "7300 - 300 Mhz").
std::string standardName(const ProcedureInputs& inputs);

// A file's path as a record keeps it: absolute, UTF-8.
std::string recordedPath(const std::string& file);

// Why outputs made now with these settings need not match the recorded
// ones, or "": another Kestrel version, locale, localization file or
// Tessel installation (tessel.ini, its instrument configuration or the
// amplifiers found in it).
std::string reproductionProblem(const RunSettings& recorded, const RunSettings& now);

// A session started as the recorded run's was: its settings folder, its
// user locale and language and its --lcid.
std::unique_ptr<Session> startUpAsRecorded(const RunSettings& recorded, MessageSink& sink);

// The record of one run, shared by the threads of a batch.
class RunRecorder {
public:
    RunRecorder(std::filesystem::path file, RunRecord record);
    // Writes the record as it stands: "running" until finish(). false with
    // error set when it could not be written.
    bool save(std::string& error);
    void set(std::size_t index, RunFile file);
    bool finish(std::string& error);
    RunRecord snapshot() const;

private:
    std::filesystem::path file_;
    RunRecord record_;
    mutable std::mutex mutex_;
    std::mutex writing_; // one write at a time, in order
};

} // namespace kestrel::cli
