#include "core/viewers/file_lists.h"

#include "core/base/path_text.h"
#include "core/base/text_util.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

namespace kestrel {
namespace {

// Wildcard match of one pattern, both lower-cased already.
bool wildcardMatch(std::string_view name, std::string_view pattern)
{
    std::size_t n = 0, p = 0;
    std::size_t starAt = std::string_view::npos, resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool lessNoCase(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return toLowerAscii(x) < toLowerAscii(y); });
}

} // namespace

bool matchesFilePattern(std::string_view name, std::string_view patterns)
{
    const std::string lowerName = toLower(name);
    std::size_t from = 0;
    while (from <= patterns.size()) {
        const std::size_t end = std::min(patterns.find(';', from), patterns.size());
        std::string pattern = toLower(trim(patterns.substr(from, end - from)));
        if (pattern == "*.*")
            pattern = "*";
        if (!pattern.empty() && wildcardMatch(lowerName, pattern))
            return true;
        from = end + 1;
    }
    return false;
}

std::vector<std::string> listFiles(const std::filesystem::path& folder, std::string_view patterns)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        std::string name = utf8FromPath(it->path().filename());
        if (matchesFilePattern(name, patterns))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), lessNoCase);
    return names;
}

int findListEntry(const std::vector<std::string>& entries, std::string_view name)
{
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (equalsNoCase(entries[i], name))
            return static_cast<int>(i);
    return -1;
}

std::optional<std::filesystem::path> findFileNoCase(const std::filesystem::path& folder, std::string_view name)
{
    if (name.empty())
        return std::nullopt;
    // The folder's own spelling of the name, on every file system: a name
    // spelt exactly so first, else the first that differs only in case.
    std::optional<std::filesystem::path> found;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        const std::string entry = utf8FromPath(it->path().filename());
        if (entry == name)
            return it->path();
        if (!found && equalsNoCase(entry, name))
            found = it->path();
    }
    return found;
}

std::string displayText(std::string_view bytes)
{
    if (startsWith(bytes, "\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    std::string text;
    text.reserve(bytes.size());
    if (isValidUtf8(bytes)) {
        text.assign(bytes);
    } else {
        for (const char ch : bytes)
            appendUtf8(text, static_cast<unsigned char>(ch));
    }
    return normalizeLineBreaks(text, "\n");
}

std::optional<std::string> readTextFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    return displayText(bytes);
}

} // namespace kestrel
