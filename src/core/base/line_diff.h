#pragma once
// Two texts compared line by line: the shortest edit script between their
// lines (Myers' O(ND) algorithm in its linear-space form) and the unified
// diff that patch programs apply.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

// A text's lines, each without its "\n" (a CR before it stays part of the
// line, so CR LF texts compare and come back as they are).
struct TextLines {
    std::vector<std::string_view> lines;
    bool lastEnded = true; // false when the text does not end with "\n"
};
TextLines diffableLines(std::string_view text);

enum class LineEdit {
    Same,    // a line of both
    Removed, // a line of the first text only
    Added,   // a line of the second text only
};

// Half the edits a region may take before the search for its shortest
// script gives up and takes the region as removed and added whole: the work
// stays within (N + M) times this, whatever the texts.
inline constexpr std::size_t kMaxDiffSearch = 4096;

// The edits that turn a into b, in order; the fewest there are unless a
// region needs more than twice maxSearch of them.
std::vector<LineEdit> diffLines(const TextLines& a, const TextLines& b, std::size_t maxSearch = kMaxDiffSearch);

// One row of two texts shown side by side: a line of each, or of one with
// a blank filler on the other side.
enum class AlignedKind {
    Equal,   // the same line on both sides
    Changed, // a removed line beside the added line that took its place
    Removed, // a line of the first text only
    Added,   // a line of the second text only
};
struct AlignedLine {
    std::optional<std::size_t> left;  // index into a's lines
    std::optional<std::size_t> right; // index into b's lines
    AlignedKind kind;
    bool operator==(const AlignedLine&) const = default;
};

// The rows of a beside b, built from their edit script: equal lines side by
// side; in each run of edits between two equal lines, the run's removed
// lines paired in order with its added lines as changed rows, the lines
// left over removed or added beside a filler. Every line of both comes
// once, in order.
std::vector<AlignedLine> alignSideBySide(
    const TextLines& a, const TextLines& b, std::size_t maxSearch = kMaxDiffSearch);

// The unified diff of the two texts: "--- nameA", "+++ nameB", then hunks
// "@@ -l,n +l,n @@" with `context` unchanged lines around each change, a
// line's removals before its additions, and "\ No newline at end of file"
// after a last line without one. Empty when the texts are equal.
std::string unifiedDiff(std::string_view a, std::string_view b, std::string_view nameA, std::string_view nameB,
    std::size_t context = 3, std::size_t maxSearch = kMaxDiffSearch);

} // namespace kestrel
