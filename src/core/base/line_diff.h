#pragma once
// Two texts compared line by line: the shortest edit script between their
// lines (Myers' O(ND) algorithm in its linear-space form) and the unified
// diff that patch programs apply.
#include <cstddef>
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

// The unified diff of the two texts: "--- nameA", "+++ nameB", then hunks
// "@@ -l,n +l,n @@" with `context` unchanged lines around each change, a
// line's removals before its additions, and "\ No newline at end of file"
// after a last line without one. Empty when the texts are equal.
std::string unifiedDiff(std::string_view a, std::string_view b, std::string_view nameA, std::string_view nameB,
    std::size_t context = 3, std::size_t maxSearch = kMaxDiffSearch);

} // namespace kestrel
