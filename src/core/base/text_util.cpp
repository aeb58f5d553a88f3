#include "core/base/text_util.h"

#include <algorithm>
#include <vector>

namespace kestrel {

std::string trimLeft(std::string_view s)
{
    const auto first = s.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string{} : std::string(s.substr(first));
}

std::string trimRight(std::string_view s)
{
    const auto last = s.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string{} : std::string(s.substr(0, last + 1));
}

std::string trim(std::string_view s) { return trimRight(trimLeft(s)); }

bool isBlank(std::string_view s) { return s.find_first_not_of(' ') == std::string_view::npos; }

std::string toLower(std::string_view s)
{
    std::string out(s);
    for (char& ch : out)
        ch = toLowerAscii(ch);
    return out;
}

std::string toUpper(std::string_view s)
{
    std::string out(s);
    for (char& ch : out)
        ch = toUpperAscii(ch);
    return out;
}

std::string properCase(std::string_view s)
{
    std::string out = toLower(s);
    bool wordStart = true;
    for (char& ch : out) {
        if (ch == ' ') {
            wordStart = true;
            continue;
        }
        if (wordStart)
            ch = toUpperAscii(ch);
        wordStart = false;
    }
    return out;
}

std::string replaceAll(std::string text, std::string_view what, std::string_view with)
{
    if (what.empty() || what == with)
        return text;
    std::size_t pos = text.find(what);
    if (pos == std::string::npos)
        return text;
    // One pass into a new string: replacing in place moves the tail on
    // every hit, which made a text of many line breaks take seconds.
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (; pos != std::string::npos; pos = text.find(what, from)) {
        out.append(text, from, pos - from);
        out.append(with);
        from = pos + what.size();
    }
    out.append(text, from, std::string::npos);
    return out;
}

std::string normalizeLineBreaks(std::string_view text, std::string_view lineEnd)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch != '\r' && ch != '\n') {
            out += ch;
            continue;
        }
        if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        out += lineEnd;
    }
    return out;
}

std::vector<std::string_view> splitLines(std::string_view content)
{
    if (content.substr(0, 3) == "\xEF\xBB\xBF")
        content.remove_prefix(3);
    std::vector<std::string_view> lines;
    while (!content.empty()) {
        const std::size_t nl = content.find('\n');
        std::string_view line = content.substr(0, nl);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (nl == std::string_view::npos)
            break;
        content.remove_prefix(nl + 1);
    }
    return lines;
}

bool contains(std::string_view s, std::string_view part) { return s.find(part) != std::string_view::npos; }
bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }
bool containsNoCase(std::string_view s, std::string_view part) { return contains(toLower(s), toLower(part)); }
bool equalsNoCase(std::string_view a, std::string_view b) { return a.size() == b.size() && toLower(a) == toLower(b); }

std::size_t findControlCharacter(std::string_view s, std::string_view allowed)
{
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if ((c < 0x20 || c == 0x7F) && allowed.find(s[i]) == std::string_view::npos)
            return i;
        // U+0080 to U+009F are C2 80 to C2 9F in UTF-8.
        if (c == 0xC2 && i + 1 < s.size() && static_cast<unsigned char>(s[i + 1]) >= 0x80 &&
            static_cast<unsigned char>(s[i + 1]) <= 0x9F)
            return i;
    }
    return std::string_view::npos;
}

std::string controlCharacterName(std::string_view s, std::size_t position)
{
    unsigned code = static_cast<unsigned char>(s[position]);
    if (code == 0xC2 && position + 1 < s.size())
        code = static_cast<unsigned char>(s[position + 1]);
    static constexpr char kHex[] = "0123456789ABCDEF";
    return std::string("U+00") + kHex[code >> 4] + kHex[code & 0xF];
}

namespace {

// Byte offsets of the start of every UTF-8 character, plus the end.
std::vector<std::size_t> charOffsets(std::string_view s)
{
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < s.size(); ++i)
        if (!isUtf8Continuation(s[i]))
            offsets.push_back(i);
    offsets.push_back(s.size());
    return offsets;
}

} // namespace

std::size_t charCount(std::string_view s)
{
    std::size_t n = 0;
    for (char ch : s)
        if (!isUtf8Continuation(ch))
            ++n;
    return n;
}

std::string charSubstr(std::string_view s, std::size_t from, std::size_t count)
{
    const auto offsets = charOffsets(s);
    const std::size_t chars = offsets.size() - 1;
    if (from >= chars)
        return {};
    const std::size_t to = (count == std::string_view::npos || count > chars - from) ? chars : from + count;
    return std::string(s.substr(offsets[from], offsets[to] - offsets[from]));
}

namespace {

bool isAscii(std::string_view s)
{
    for (char ch : s)
        if (static_cast<unsigned char>(ch) >= 0x80)
            return false;
    return true;
}

} // namespace

void overwriteAt(std::string& line, std::size_t column, std::string_view value)
{
    if (column == 0)
        return;
    // Step bodies are nearly always plain ASCII: write in place.
    if (isAscii(line) && isAscii(value)) {
        if (column > line.size())
            return;
        const std::size_t n = std::min(value.size(), line.size() - (column - 1));
        line.replace(column - 1, n, value.substr(0, n));
        return;
    }
    const std::size_t width = charCount(line);
    if (column > width)
        return;
    const std::size_t room = width - (column - 1);
    const std::string head = charSubstr(line, 0, column - 1);
    const std::string field = charSubstr(value, 0, room);
    const std::size_t fieldChars = charCount(field);
    const std::string tail = charSubstr(line, column - 1 + fieldChars);
    line = head + field + tail;
}

bool isValidUtf8(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t extra = 0;
        unsigned min = 0, code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1, min = 0x80, code = c & 0x1Fu;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, min = 0x800, code = c & 0x0Fu;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, min = 0x10000, code = c & 0x07u;
        } else {
            return false;
        }
        if (i + extra >= s.size())
            return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (cc & 0x3Fu);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

void appendUtf8(std::string& out, char32_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

} // namespace kestrel
