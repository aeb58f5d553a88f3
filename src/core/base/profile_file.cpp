#include "core/base/profile_file.h"

#include "core/base/atomic_file.h"
#include "core/base/message_sink.h"
#include "core/base/text_util.h"

#include <climits>
#include <fstream>
#include <optional>
#include <system_error>
#include <vector>

namespace kestrel {
namespace {

bool isBlank(char ch)
{
    return ch == ' ' || ch == '\t';
}

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
    std::string content;
    std::string error;
};

Loaded load(const std::filesystem::path& path)
{
    Loaded result;
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status))
        return result;
    result.status = LoadStatus::Failed;
    if (!std::filesystem::is_regular_file(status)) {
        result.error = path.string() + " is not a file";
        return result;
    }
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) {
        result.error = "cannot read " + path.string() + ": " + ec.message();
        return result;
    }
    if (size > kMaxProfileFileSize) {
        result.error = path.string() + " is too large for a settings file";
        return result;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.error = "cannot open " + path.string();
        return result;
    }
    result.content.resize(static_cast<std::size_t>(size));
    in.read(result.content.data(), static_cast<std::streamsize>(size));
    if (in.gcount() != static_cast<std::streamsize>(size) || in.bad()) {
        result.error = "cannot read " + path.string();
        return result;
    }
    // A file that grew while it was read is still read completely.
    std::string rest((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (result.content.size() + rest.size() > kMaxProfileFileSize) {
        result.error = path.string() + " is too large for a settings file";
        return result;
    }
    result.content += rest;
    result.status = LoadStatus::Loaded;
    return result;
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

} // namespace

ProfileFile::ProfileFile(std::filesystem::path path) : path_(std::move(path)) {}

std::string ProfileFile::readString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                    std::size_t bufferLength) const
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

bool ProfileFile::writeString(std::string_view section, std::string_view key, std::string_view value,
                              MessageSink* sink)
{
    lastError_.clear();
    const auto fail = [&](std::string error) {
        lastError_ = std::move(error);
        if (sink)
            sink->inform(lastError_);
        return false;
    };
    section = trimBlanks(section);
    key = trimBlanks(key);
    const auto hasLineBreak = [](std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; };
    if (section.empty() || section.find(']') != std::string_view::npos || hasLineBreak(section))
        return fail("invalid section name \"" + std::string(section) + "\"");
    if (key.empty() || key.front() == ';' || key.front() == '[' || key.find('=') != std::string_view::npos ||
        hasLineBreak(key))
        return fail("invalid key name \"" + std::string(key) + "\"");
    if (hasLineBreak(value))
        return fail("the value of " + std::string(key) + " contains a line break");

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

    const std::string_view content = file.content;
    const bool bom = content.substr(0, 3) == "\xEF\xBB\xBF";
    const std::vector<std::string_view> lines = splitLines(content);
    const std::string keyLine = std::string(key) + "=" + std::string(value);

    // Where the key line goes: replacing the key's line, or after the last
    // non-empty line of the section, or in a new section at the end.
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

    std::string error;
    if (!writeFileAtomically(path_, out, error))
        return fail(error);
    return true;
}

} // namespace kestrel
