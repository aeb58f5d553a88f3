#include "core/base/profile_file.h"

#include "core/base/ansi_code_page.h"
#include "core/base/atomic_file.h"
#include "core/base/message_sink.h"
#include "core/base/path_text.h"
#include "core/base/small_file.h"
#include "core/base/text_util.h"

#include <climits>
#include <optional>
#include <vector>

namespace kestrel {
namespace {

// A CR left at the end of a line (a file saved with CR CR LF line ends, or
// CR LF ends read as LF ones) is as blank as a space: otherwise a rewrite,
// which ends the line with the file's own line break, would turn "[Kestrel]"
// plus a stray CR into another section name than the one that was read.
bool isBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r'; }

std::string_view trimBlanks(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// One line of the file, split into what the lookups compare.
struct Line {
    enum class Kind { Other, Section, Key };
    Kind kind = Kind::Other;
    std::string_view name;  // section or key, trimmed
    std::string_view value; // key's value, trimmed, quotes removed
};

std::string_view unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

Line classify(std::string_view raw)
{
    Line line;
    const std::string_view text = trimBlanks(raw);
    if (text.empty() || text.front() == ';')
        return line;
    if (text.front() == '[') {
        const std::size_t close = text.find(']');
        line.kind = Line::Kind::Section;
        line.name = trimBlanks(text.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
        return line;
    }
    const std::size_t eq = text.find('=');
    if (eq == std::string_view::npos)
        return line;
    line.kind = Line::Kind::Key;
    line.name = trimBlanks(text.substr(0, eq));
    line.value = unquote(trimBlanks(text.substr(eq + 1)));
    return line;
}

enum class LoadStatus { Missing, Loaded, Failed };

struct Loaded {
    LoadStatus status = LoadStatus::Missing;
    std::string content; // UTF-8
    std::string error;
    int ansiCodePage = 0; // the code page the file was read in; 0 for UTF-8
};

// Windows' profile functions and editors write settings in the system's
// ANSI code page: a file that is not UTF-8 is read in it, so that its
// values arrive as the user wrote them. A rewrite then saves UTF-8.
Loaded loaded(std::string bytes)
{
    const bool utf16 = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"); // refused by problem()
    if (utf16 || isValidUtf8(bytes) || bytes.find('\0') != std::string::npos)
        return {LoadStatus::Loaded, std::move(bytes), {}};
    return {LoadStatus::Loaded, utf8FromAnsi(bytes), {}, ansiCodePage()};
}

Loaded load(const std::filesystem::path& path)
{
    SmallFile file = readSmallFile(path, kMaxProfileFileSize);
    switch (file.status) {
    case SmallFileStatus::Read:
        return loaded(std::move(file.content));
    case SmallFileStatus::Missing:
        return {};
    case SmallFileStatus::TooLarge:
        return {LoadStatus::Failed, {}, utf8FromPath(path) + " " + file.problem + ", too large for a settings file"};
    default:
        return {LoadStatus::Failed, {}, utf8FromPath(path) + " " + file.problem};
    }
}

std::optional<std::string> lookup(const std::filesystem::path& path, std::string_view section, std::string_view key)
{
    const Loaded file = load(path);
    if (file.status != LoadStatus::Loaded)
        return std::nullopt;
    section = trimBlanks(section);
    key = trimBlanks(key);
    bool inSection = false;
    for (std::string_view raw : splitLines(file.content)) {
        const Line line = classify(raw);
        if (line.kind == Line::Kind::Section) {
            if (inSection)
                return std::nullopt; // only the first matching section counts
            inSection = equalsNoCase(line.name, section);
        } else if (inSection && line.kind == Line::Kind::Key && equalsNoCase(line.name, key)) {
            return std::string(line.value);
        }
    }
    return std::nullopt;
}

// The content with key=value set in the section: the key's line replaced,
// or the line added after the last non-empty line of the section, or a new
// section at the end. Every other line stays as it was.
std::string withKey(std::string_view content, std::string_view section, std::string_view key, std::string_view value,
    const std::string& newline)
{
    const bool bom = content.substr(0, 3) == "\xEF\xBB\xBF";
    const std::vector<std::string_view> lines = splitLines(content);
    const std::string keyLine = std::string(key) + "=" + std::string(value);

    std::optional<std::size_t> replaceAt, insertAfter;
    bool inSection = false, sectionSeen = false;
    for (std::size_t i = 0; i < lines.size() && !replaceAt; ++i) {
        const Line line = classify(lines[i]);
        if (line.kind == Line::Kind::Section) {
            if (inSection)
                break;
            inSection = !sectionSeen && equalsNoCase(line.name, section);
            if (inSection) {
                sectionSeen = true;
                insertAfter = i;
            }
        } else if (inSection) {
            if (line.kind == Line::Kind::Key && equalsNoCase(line.name, key))
                replaceAt = i;
            else if (!trimBlanks(lines[i]).empty())
                insertAfter = i;
        }
    }

    std::string out;
    out.reserve(content.size() + keyLine.size() + section.size() + 8);
    if (bom)
        out += "\xEF\xBB\xBF";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (replaceAt && *replaceAt == i)
            out.append(keyLine);
        else
            out.append(lines[i]);
        out += newline;
        if (!replaceAt && insertAfter && *insertAfter == i)
            out += keyLine + newline;
    }
    if (!sectionSeen) {
        if (!lines.empty() && !trimBlanks(lines.back()).empty())
            out += newline;
        out += "[" + std::string(section) + "]" + newline + keyLine + newline;
    }
    return out;
}

} // namespace

ProfileFile::ProfileFile(std::filesystem::path path) : path_(std::move(path)) { }

std::string ProfileFile::readString(
    std::string_view section, std::string_view key, std::string_view defaultValue, std::size_t bufferLength) const
{
    if (bufferLength == 0)
        return {};
    const auto value = lookup(path_, section, key);
    return charSubstr(value ? std::string_view(*value) : defaultValue, 0, bufferLength - 1);
}

int ProfileFile::readInt(std::string_view section, std::string_view key, int defaultValue) const
{
    const auto value = lookup(path_, section, key);
    if (!value || value->empty())
        return defaultValue;
    std::string_view text = *value;
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long long number = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9')
            break;
        number = number * 10 + (ch - '0');
        if (number > static_cast<long long>(INT_MAX) + 1)
            number = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        number = -number;
    if (number > INT_MAX)
        return INT_MAX;
    return static_cast<int>(number < INT_MIN ? INT_MIN : number);
}

int ProfileFile::ansiCodePage() const { return load(path_).ansiCodePage; }

std::string ProfileFile::problem() const
{
    const Loaded file = load(path_);
    if (file.status != LoadStatus::Loaded)
        return file.error;
    const std::string_view content = file.content;
    if (content.substr(0, 2) == "\xFF\xFE" || content.substr(0, 2) == "\xFE\xFF")
        return utf8FromPath(path_) + " is UTF-16 text; settings files are read as UTF-8 or ANSI text";
    if (content.find('\0') != std::string_view::npos)
        return utf8FromPath(path_) + " holds NUL bytes: it is not a text file";
    return {};
}

bool ProfileFile::writeString(std::string_view section, std::string_view key, std::string_view value, MessageSink* sink)
{
    const std::pair<std::string_view, std::string_view> entry{key, value};
    return writeStrings(section, std::span(&entry, 1), sink);
}

bool ProfileFile::writeStrings(
    std::string_view section, std::span<const std::pair<std::string_view, std::string_view>> entries, MessageSink* sink)
{
    lastError_.clear();
    const auto fail = [&](std::string error) {
        lastError_ = std::move(error);
        if (sink)
            sink->inform(lastError_);
        return false;
    };
    section = trimBlanks(section);
    const auto hasLineBreak = [](std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; };
    if (section.empty() || section.find(']') != std::string_view::npos || hasLineBreak(section))
        return fail("invalid section name \"" + std::string(section) + "\"");
    // Every entry is checked before anything is written: the file gets all
    // of them or none.
    for (const auto& [rawKey, value] : entries) {
        const std::string_view key = trimBlanks(rawKey);
        if (key.empty() || key.front() == ';' || key.front() == '[' || key.find('=') != std::string_view::npos ||
            hasLineBreak(key))
            return fail("invalid key name \"" + std::string(key) + "\"");
        if (hasLineBreak(value))
            return fail("the value of " + std::string(key) + " contains a line break");
    }

    Loaded file = load(path_);
    if (file.status == LoadStatus::Failed)
        return fail(file.error);
#ifdef _WIN32
    std::string newline = "\r\n";
#else
    std::string newline = "\n";
#endif
    if (file.status == LoadStatus::Loaded)
        newline = file.content.find("\r\n") != std::string::npos ? "\r\n" : "\n";

    std::string content = std::move(file.content);
    for (const auto& [key, value] : entries)
        content = withKey(content, section, trimBlanks(key), value, newline);

    std::string error;
    if (!writeFileAtomically(path_, content, error))
        return fail(error);
    return true;
}

} // namespace kestrel
