#include "core/base/user_text.h"

#include "core/base/text_util.h"

#include <algorithm>
#include <array>

namespace kestrel {
namespace {

enum class Kind { None, Invisible, Direction, LineSeparator, ParagraphSeparator };

struct Refused {
    char32_t code;
    Kind kind;
};

// The refused characters beyond the control characters; each is three
// bytes of UTF-8.
constexpr std::array<Refused, 17> kRefused{{
    {0x200B, Kind::Invisible},
    {0x200C, Kind::Invisible},
    {0x200D, Kind::Invisible},
    {0x200E, Kind::Direction},
    {0x200F, Kind::Direction}, // the left-to-right and right-to-left marks
    {0x2028, Kind::LineSeparator},
    {0x2029, Kind::ParagraphSeparator},
    {0x202A, Kind::Direction},
    {0x202B, Kind::Direction},
    {0x202C, Kind::Direction},
    {0x202D, Kind::Direction},
    {0x202E, Kind::Direction},
    {0x2066, Kind::Direction},
    {0x2067, Kind::Direction},
    {0x2068, Kind::Direction},
    {0x2069, Kind::Direction},
    {0xFEFF, Kind::Invisible},
}};

// The code point of a three-byte UTF-8 sequence at position, 0 when there
// is none.
char32_t threeByteCode(std::string_view s, std::size_t position)
{
    if (position + 2 >= s.size())
        return 0;
    const auto b0 = static_cast<unsigned char>(s[position]);
    const auto b1 = static_cast<unsigned char>(s[position + 1]);
    const auto b2 = static_cast<unsigned char>(s[position + 2]);
    if ((b0 & 0xF0) != 0xE0 || (b1 & 0xC0) != 0x80 || (b2 & 0xC0) != 0x80)
        return 0;
    return static_cast<char32_t>(((b0 & 0x0Fu) << 12) | ((b1 & 0x3Fu) << 6) | (b2 & 0x3Fu));
}

Kind kindAt(std::string_view s, std::size_t position)
{
    // Every refused character starts with E2 or EF; anything else is quick.
    const auto lead = static_cast<unsigned char>(s[position]);
    if (lead != 0xE2 && lead != 0xEF)
        return Kind::None;
    const char32_t code = threeByteCode(s, position);
    for (const Refused& r : kRefused)
        if (r.code == code)
            return r.kind;
    return Kind::None;
}

std::string codeName(char32_t code)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out = "U+";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += kHex[(code >> shift) & 0xF];
    return out;
}

bool isControlAt(std::string_view s, std::size_t i)
{
    const auto c = static_cast<unsigned char>(s[i]);
    return c < 0x20 || c == 0x7F || (c == 0xC2 && findControlCharacter(s.substr(i, 2)) == 0);
}

bool refusedAt(std::string_view s, std::size_t i) { return isControlAt(s, i) || kindAt(s, i) != Kind::None; }

} // namespace

std::size_t findRefusedCharacter(std::string_view text, std::string_view allowed)
{
    for (std::size_t i = 0; i < text.size(); ++i)
        if (refusedAt(text, i) && allowed.find(text[i]) == std::string_view::npos)
            return i;
    return std::string_view::npos;
}

std::string refusedCharacterName(std::string_view text, std::size_t position)
{
    switch (kindAt(text, position)) {
    case Kind::Invisible:
        return "the invisible character " + codeName(threeByteCode(text, position));
    case Kind::Direction:
        return "the direction-changing character " + codeName(threeByteCode(text, position));
    case Kind::LineSeparator:
        return "the line separator U+2028";
    case Kind::ParagraphSeparator:
        return "the paragraph separator U+2029";
    case Kind::None:
        break;
    }
    return "the control character " + controlCharacterName(text, position);
}

std::string escapeForMessage(std::string_view text, std::string_view allowed)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!refusedAt(text, i) || allowed.find(text[i]) != std::string_view::npos) {
            out += text[i];
            continue;
        }
        char32_t code = static_cast<unsigned char>(text[i]);
        if (code == 0xC2) { // a C1 control character, two bytes
            code = static_cast<unsigned char>(text[++i]);
        } else if (code >= 0x80) { // one of the three-byte characters
            code = threeByteCode(text, i);
            i += 2;
        }
        out += "\\u";
        for (int shift = 12; shift >= 0; shift -= 4)
            out += kHex[(code >> shift) & 0xF];
    }
    return out;
}

std::string oneLineTextProblem(std::string_view text)
{
    if (const std::size_t at = findRefusedCharacter(text); at != std::string_view::npos)
        return "holds " + refusedCharacterName(text, at);
    return {};
}

std::string multiLineTextProblem(std::string_view text)
{
    // One pass: a text of a million line breaks is checked as fast as one.
    std::size_t line = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '\n') {
            ++line;
        } else if (ch == '\r') {
            if (i + 1 == text.size() || text[i + 1] != '\n')
                return "line " + std::to_string(line) +
                    " holds a CR that is not followed by LF; line breaks are LF or CR LF";
        } else if (ch != '\t' && refusedAt(text, i)) {
            return "line " + std::to_string(line) + " holds " + refusedCharacterName(text, i);
        }
    }
    return {};
}

std::string textBlockProblem(
    std::string_view text, std::size_t maxLines, std::size_t maxLineLength, bool finalEmptyLineCounts)
{
    std::size_t lines = 0;
    for (std::size_t start = 0; start < text.size() || (finalEmptyLineCounts && start == text.size());) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (++lines > maxLines)
            return "has more than " + std::to_string(maxLines) + " lines";
        if (charCount(line) > maxLineLength)
            return "line " + std::to_string(lines) + " is longer than " + std::to_string(maxLineLength) + " characters";
        start = end + 1;
    }
    return {};
}

} // namespace kestrel
