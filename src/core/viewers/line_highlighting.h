#pragma once
// Keyword highlighting of one procedure line, as the viewer colours it:
// a walk over the line's characters that collects words and looks each one
// up in the keyword and instrument lists, and a comment from "#" to the end
// of the line.
#include <cstddef>
#include <string_view>
#include <vector>

namespace kestrel {

enum class HighlightColour { Keyword, Instrument, Comment };

// Offsets and lengths count characters of the line (UTF-8 code points), not
// bytes: procedures carry "µ", "°" and "±".
struct HighlightSpan {
    std::size_t start = 0;
    std::size_t length = 0;
    HighlightColour colour = HighlightColour::Keyword;
    bool operator==(const HighlightSpan&) const = default;
};

// The spans of one line (without its line break), in the order they are
// coloured. Words are made of "0"-"9", "A"-"Z", "a"-"z", the double quote,
// "=", "+", "-" and "."; blanks, tabs, CR and LF end them; any other
// character is passed over without ending the word, so "MEM*" is read as
// "MEM". A word's span is the length of the word ending just before the
// character that ended it. A word in both lists is coloured as an
// instrument. At "#" the walk stops: the word being collected is dropped
// and the rest of the line is a comment.
std::vector<HighlightSpan> highlightLine(std::string_view line);

} // namespace kestrel
