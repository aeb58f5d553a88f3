#pragma once
// Two procedures compared step by step. Every later step number moves when
// a test is put in or taken out, so the lines are aligned with their step
// numbers set aside: a test put in is one change, steps that only got
// other numbers are no change but a renumbering, and a step whose fields
// differ is one change that names the fields. The command line, the
// compare window and the reports built on them all read this result.
#include "core/base/line_diff.h"
#include "core/procgen/step_number.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

// A run of one procedure's lines, 0-based, and the steps it holds.
struct ProcedureLines {
    std::size_t first = 0;
    std::size_t count = 0;
    std::optional<StepNumber> firstStep; // none when no line of it is a step line
    std::optional<StepNumber> lastStep;
    bool operator==(const ProcedureLines&) const = default;
};

// A field of a step line whose text differs, by the column header's title
// ("NOMINAL"); a text that runs on from one field into the next one
// ("Set UUT range to 2.0000" of a DISP step) is one field named by both
// titles ("RANGE-TOLERANCE"). The texts without their trailing blanks.
struct StepFieldChange {
    std::string field;
    std::string before;
    std::string after;
    bool operator==(const StepFieldChange&) const = default;
};

enum class ProcedureChangeKind {
    Inserted, // lines of the second procedure only
    Removed,  // lines of the first procedure only
    Changed,  // lines of the first replaced by lines of the second
};

struct ProcedureChange {
    ProcedureChangeKind kind;
    std::optional<ProcedureLines> before; // none for Inserted
    std::optional<ProcedureLines> after;  // none for Removed
    // For a step line changed into a step line: the fields that differ.
    std::vector<StepFieldChange> fields;
    bool operator==(const ProcedureChange&) const = default;
};

// Steps whose lines are the same but whose numbers all moved by one amount:
// tests (12.001 to 13.001: +1 test) or steps within a test (1.008 to 1.009:
// +1 step), or both.
struct Renumbering {
    StepNumber firstBefore, lastBefore;
    StepNumber firstAfter, lastAfter;
    int tests = 0;
    int steps = 0;
    bool operator==(const Renumbering&) const = default;
};

// One row of the two procedures side by side, as alignSideBySide gives it
// for the lines without their step numbers; `renumbered` marks an equal row
// whose step numbers differ.
struct ProcedureRow {
    AlignedLine line;
    bool renumbered = false;
    bool operator==(const ProcedureRow&) const = default;
};

struct ProcedureComparison {
    std::vector<ProcedureRow> rows;
    std::vector<ProcedureChange> changes;  // in the order of the rows
    std::vector<Renumbering> renumberings; // in the order of the rows
    bool same() const { return changes.empty() && renumberings.empty(); }
};

// Compares the procedure texts a and b (lines ended by LF or CR LF). Within
// a run of edits between equal lines, lines are paired by their step
// instruction (FSC) and number; each step of the paired lines (with the
// comment lines before its step line) is one change, and each stretch of
// lines left unpaired is one change: inserted, removed, or changed when it
// holds lines of both.
ProcedureComparison compareProcedures(std::string_view a, std::string_view b, std::size_t maxSearch = kMaxDiffSearch);

} // namespace kestrel
