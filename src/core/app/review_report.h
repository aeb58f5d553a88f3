#pragma once
// A review report: what changed between two versions of a specification
// file (or of a whole library of them), written for the people who prepare,
// review and approve a release of procedures. It holds the files'
// identities, the settings the procedures were made with, the changes of
// the specification (diffSpecifications), the changes of the procedure
// step by step (compareProcedures) and the calibrator coverage before and
// after, and is written as one self-contained HTML page or as JSON. Every
// text of the HTML is a numbered text; every value is escaped for HTML.
#include "core/app/coverage.h"
#include "core/app/spec_diff.h"
#include "core/procgen/procedure_comparison.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

class TextLookup;

struct ReviewedFile {
    std::string name;   // the file name
    std::string path;   // as given
    std::string sha256; // of the bytes read
};

// The coverage of one file's meter page by the chosen standard.
struct ReviewCoverage {
    std::string standard;
    CoverageCounts counts;
    bool generatorFailed = false;
    bool operator==(const ReviewCoverage&) const = default;
};

// One file compared: before and after are both there for a file that
// both versions hold, one of them for a file added or removed.
struct ReviewedPair {
    std::string key; // the file's name in the library, or "" for a single pair
    std::optional<ReviewedFile> before, after;
    std::string failure;    // why a side could not be read or made, "" when both were
    bool identical = false; // the same bytes: nothing else was compared
    std::vector<SpecChange> specChanges;
    std::string procedureBefore, procedureAfter; // the procedures compared
    ProcedureComparison procedure;
    bool scope = false; // a Scopes file: no coverage
    std::optional<ReviewCoverage> coverageBefore, coverageAfter;

    bool changed() const { return !identical; }
    // A file both versions hold whose coverage changed; a file added or
    // removed counts as that alone.
    bool coverageChanged() const { return before && after && coverageBefore != coverageAfter; }
};

struct ReviewSettings {
    std::string lcid;      // "" for the user's locale
    std::string configDir; // "" for the default folder
    std::string date;      // the DATE of both procedures, YYYY-MM-DD
    std::string standard;  // the standard chosen for coverage, "" for each file's own
};

struct ReviewReport {
    ReviewSettings settings;
    bool library = false;
    std::string libraryBefore, libraryAfter; // the folders, for a library
    std::vector<ReviewedPair> files;         // in the order of their names
};

// The counts of a library's summary table.
struct ReviewSummary {
    int changed = 0;
    int unchanged = 0;
    int added = 0;
    int removed = 0;
    int coverageChanged = 0;
    bool operator==(const ReviewSummary&) const = default;
};
ReviewSummary reviewSummary(const ReviewReport& report);

// Text as HTML writes it: & < > " ' as entities, and every control or
// invisible character as its escape (\u001b), so that no value can open a
// tag, close an attribute or hide itself.
std::string htmlEscaped(std::string_view text);

// One HTML document, styled inline, without script, laid out for A4 and
// Letter. Its texts in the words of `texts`.
std::string reviewReportHtml(const ReviewReport& report, const TextLookup& texts);

// The same facts as JSON: the changes as kestrel-cli diff --json and
// diff --procedure --json write them.
std::string reviewReportJson(const ReviewReport& report);

} // namespace kestrel
