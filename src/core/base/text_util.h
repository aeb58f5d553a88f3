#pragma once
// Small text helpers with the meaning the program's texts need: "blank" is
// the space character, case changes touch ASCII letters only (so "µ" and "°"
// pass unchanged), and character positions count UTF-8 characters.
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

// One character's case changed, ASCII letters only; any other byte as it is.
constexpr char toLowerAscii(char ch) { return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch; }
constexpr char toUpperAscii(char ch) { return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch; }
// Whether a byte of UTF-8 continues a character rather than starting one.
constexpr bool isUtf8Continuation(char ch) { return (static_cast<unsigned char>(ch) & 0xC0) == 0x80; }

std::string trim(std::string_view s); // spaces off both ends
bool isBlank(std::string_view s);     // nothing but spaces, or empty: trim(s) would be ""
std::string trimLeft(std::string_view s);
std::string trimRight(std::string_view s);
std::string toLower(std::string_view s);
std::string toUpper(std::string_view s);
// First letter of each blank-separated word upper case, the rest lower case.
std::string properCase(std::string_view s);

// Every occurrence of what replaced by with, case-sensitively (placeholders,
// decimal separators).
std::string replaceAll(std::string text, std::string_view what, std::string_view with);

// Every line break of a text, whichever kind (CR LF, LF or a lone CR),
// written as lineEnd: "\r\n" for the program's own texts, "\n" for a
// window's, "~" for a settings value that must stay on one line.
std::string normalizeLineBreaks(std::string_view text, std::string_view lineEnd);

// The lines of a text file's content, without their line ends (LF or
// CR LF); a leading UTF-8 byte order mark is dropped. The views point into
// content.
std::vector<std::string_view> splitLines(std::string_view content);

bool contains(std::string_view s, std::string_view part);
bool startsWith(std::string_view s, std::string_view prefix);
bool containsNoCase(std::string_view s, std::string_view part);
bool equalsNoCase(std::string_view a, std::string_view b);

// Where the first control character of a UTF-8 text stands (C0, DEL or a
// C1 character), skipping the ASCII characters in allowed; npos when
// there is none. Control characters in a procedure line are either line
// breaks that Tessel would read as new lines or bytes it cannot show.
std::size_t findControlCharacter(std::string_view s, std::string_view allowed = {});
// "U+0000": the control character at that position, as messages name it.
std::string controlCharacterName(std::string_view s, std::size_t position);

// Well-formed UTF-8: no overlong forms, no surrogates.
bool isValidUtf8(std::string_view s);

// Appends one character (a Unicode code point) in UTF-8.
void appendUtf8(std::string& out, char32_t codePoint);

// Number of UTF-8 characters.
std::size_t charCount(std::string_view s);
// Characters [from, from + count) counted in UTF-8 characters (0-based).
std::string charSubstr(std::string_view s, std::size_t from, std::size_t count = std::string_view::npos);

// Writes value into line starting at the 1-based column, overwriting; the
// line never grows, text past its end is cut. Lines are ASCII-addressed
// except that a multi-byte character counts as one column.
void overwriteAt(std::string& line, std::size_t column, std::string_view value);

} // namespace kestrel
