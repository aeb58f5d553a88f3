#pragma once
// Reading and comparing the files of a review report: each side's name,
// path and SHA-256, the changes of the specification and of the procedure,
// and the coverage before and after. kestrel-cli report and the compare
// window's Export review both assemble their reports here, so both write
// the same report of the same files.
#include "core/app/review_report.h"
#include "core/base/local_date.h"

#include <map>
#include <optional>
#include <string>

namespace kestrel {

class MessageSink;
class Session;

// Where a comparison says what it meets: a side that cannot be read or
// opened (the report names it as well), and Create's messages while it
// makes one file's procedure.
class ReviewMessages {
public:
    virtual ~ReviewMessages() = default;
    virtual void failed(const std::string& why) = 0;
    virtual MessageSink& procedureMessages(const std::string& file) = 0;
};

class ReviewComparer {
public:
    // Both procedures are dated headerDate; the coverage is by standard, or
    // by the standard the newer file names when there is none.
    ReviewComparer(
        const Session& session, std::string headerDate, std::optional<std::string> standard, ReviewMessages& messages);

    // Compares the two versions of one file (paths in UTF-8); a side that
    // is nothing is a file added or removed. With quick, files of the same
    // bytes are not compared further.
    ReviewedPair compare(const std::string& key, const std::optional<std::string>& before,
        const std::optional<std::string>& after, bool quick);

private:
    std::optional<ReviewedFile> identify(const std::string& file, std::string& bytes, std::string& failure);
    bool open(const std::string& file, std::optional<ProcedureInputs>& inputs, std::string& failure);
    bool read(const std::string& file, std::optional<ProcedureInputs>& inputs, std::string& failure);
    std::optional<ReviewCoverage> coverageOf(const std::optional<ProcedureInputs>& inputs, const std::string& standard);
    std::string procedure(const std::string& file, const ProcedureInputs& inputs);
    bool fail(std::string& failure, const std::string& why);

    const Session& session_;
    std::string headerDate_;
    std::optional<std::string> standard_;
    ReviewMessages& messages_;
};

// A date as the report's settings give it: YYYY-MM-DD.
std::string reviewDateText(const CalendarDate& date);

// The settings of a report made in a running session on the given date:
// the locale in force and the folder of tessel.ini named only where they
// are not the user's own, as kestrel-cli report names only what its
// --lcid and --config-dir change.
ReviewSettings reviewSettingsOf(const Session& session, const CalendarDate& date);

// The report of two specification files with the given settings.
ReviewReport reviewOfTwoFiles(
    const ReviewSettings& settings, const std::string& before, const std::string& after, ReviewComparer& comparer);

// The specification files (*.json) directly in a folder, by name; problem
// says why the folder could not be listed (the files found so far stay).
std::map<std::string, std::string> reviewLibraryFiles(const std::string& folder, std::string& problem);

} // namespace kestrel
