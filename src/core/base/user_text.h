#pragma once
// What characters a text a user wrote may hold, for every reader that takes
// one in (specification files, Kestrel.INI, the localization file, the
// window's one-line boxes). Tessel shows a procedure line as its characters
// run, so a control character, an invisible one (zero-width space and
// joiners, byte order mark) or one that turns the direction of what follows
// (the bidirectional marks, embeddings, overrides and isolates) makes the line read
// differently from what it holds; U+2028 and U+2029 break lines that Tessel
// does not see as broken.
#include <cstddef>
#include <string>
#include <string_view>

namespace kestrel {

// Where the first character a user text may not hold stands (its first
// byte), skipping the ASCII control characters in allowed; npos when the
// text holds none.
std::size_t findRefusedCharacter(std::string_view text, std::string_view allowed = {});

// The character at that position as messages name it: "the control
// character U+0007", "the invisible character U+200B", "the
// direction-changing character U+202E", "the line separator U+2028".
std::string refusedCharacterName(std::string_view text, std::size_t position);

// Why a text written on one line of a procedure cannot stand there
// ("holds the control character U+000A"), or "" when it can.
std::string oneLineTextProblem(std::string_view text);

// Why a text of several lines cannot stand in a procedure: a CR that does
// not start a CR LF pair (Tessel would see a line end where the text shows
// none), or a refused character other than TAB and the line breaks, named
// with its 1-based line ("line 2 holds ..."). "" when it can.
std::string multiLineTextProblem(std::string_view text);

// Why a multi-line text that passes multiLineTextProblem does not fit a
// block of at most maxLines lines of at most maxLineLength characters each
// (line breaks LF or CR LF), or "": "has more than 8 lines", "line 2 is
// longer than 56 characters". Counted as it goes, so that a text of a
// million line breaks is refused at the line past the limit. With
// finalEmptyLineCounts, a text that ends in a line break has one more,
// empty line.
std::string textBlockProblem(
    std::string_view text, std::size_t maxLines, std::size_t maxLineLength, bool finalEmptyLineCounts);

// The text with every refused character except those in allowed written
// as its escape ("\u001b" for ESC), for a message that quotes what a file
// or a command line holds: a terminal would otherwise obey an escape
// sequence, and a line break would forge a line of output. Escapes are
// lower-case hex, as JSON writes them.
std::string escapeForMessage(std::string_view text, std::string_view allowed = {});

} // namespace kestrel
