#pragma once
// The run record kestrel-run.json: what produced the procedures of a
// folder (or of one file), so that a quality system can show which
// specification file, calibrator, configuration and program version made a
// released procedure, and whether anyone changed it since. Its layout is
// described in docs/run-record.md; "schema" names that layout's version.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

inline constexpr int kRunRecordSchema = 1;
inline constexpr const char* kRunRecordFileName = "kestrel-run.json";
// A record holds some hundred bytes for each file: 64 MiB keeps a batch of
// a hundred thousand files readable and a runaway file from costing long.
inline constexpr std::uintmax_t kMaxRunRecordSize = 64u << 20;

// Everything of a run an output depends on besides its specification file.
struct RunSettings {
    std::string kestrelVersion;
    std::string date;       // YYYY-MM-DD, the header's DATE
    std::string headerDate; // the DATE value as written ("05-Dec-26")
    std::optional<int> lcidSwitch;
    int activeLcid = 1033;
    int userDefaultLcid = 1033;
    int userDefaultLanguage = 1033;
    std::optional<std::string> reference; // --reference
    bool strict = false;
    bool rtf = false;
    // The Tessel installation: the settings folder, tessel.ini and the
    // instrument configuration it names (empty paths when there were none).
    std::string configDir;
    std::string tesselIni;
    std::string instrumentConfig;
    bool has7625 = false, has3711 = false;
    // The localization file the texts came from, empty when English alone.
    std::string localizationFile;
    std::string localizationSha256;
    bool operator==(const RunSettings&) const = default;
};

enum class RunFileStatus {
    Pending, // not finished when the record was written: its output may be old or new
    Written, // a complete procedure written
    Failed,  // see reason; an output may still have been written (a generator's partial text)
};

struct RunFile {
    std::string input; // absolute path, UTF-8
    std::string inputSha256;
    std::string standard;     // the calibration standard the procedure is made for
    std::string output;       // the output's name in the folder; empty for standard output
    std::string outputSha256; // empty when nothing was written
    RunFileStatus status = RunFileStatus::Pending;
    int exitStatus = 0;
    std::string reason; // why it failed
    std::vector<std::string> warnings;
    // Written by an earlier run of this record and found unchanged (--changed).
    bool carriedOver = false;
    bool operator==(const RunFile&) const = default;
};

struct RunRecord {
    bool completed = false;        // false: "running", the run did not end (yet)
    std::string started, finished; // UTC, "2026-12-05T14:03:27Z"; finished empty while running
    RunSettings settings;
    std::vector<RunFile> files;
    bool operator==(const RunRecord&) const = default;
};

// The record as JSON text (UTF-8, LF line ends). Text that is not valid
// UTF-8 (a file name on a system that allows it) is written with U+FFFD.
std::string runRecordJson(const RunRecord& record);

struct RunRecordRead {
    std::optional<RunRecord> record;
    std::string error; // to follow the file's name when record is empty
};
// Reads a record of schema kRunRecordSchema; a record of another schema,
// a file larger than kMaxRunRecordSize or one missing a key is refused.
RunRecordRead readRunRecord(const std::filesystem::path& path);
RunRecordRead parseRunRecord(const std::string& text);

// The time now in UTC as a record writes it.
std::string utcTimestamp();

} // namespace kestrel
