#include "core/base/atomic_temporaries.h"

#include "core/base/path_text.h"

#include <atomic>
#include <map>
#include <optional>
#include <random>
#include <string>

namespace kestrel {
namespace {

constexpr std::string_view kTag = ".tmp-";

// Reads one run of decimal digits from the front of s.
bool takeNumber(std::string_view& s)
{
    std::size_t n = 0;
    while (n < s.size() && s[n] >= '0' && s[n] <= '9')
        ++n;
    s.remove_prefix(n);
    return n > 0;
}

} // namespace

std::filesystem::path temporaryPathBeside(const std::filesystem::path& target)
{
    static std::atomic<unsigned> counter{0};
    // Seeded once a thread: opening the system's random source for every
    // name would cost more than writing a procedure.
    thread_local std::mt19937 random{std::random_device{}()};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::string suffix = std::string(kTag) + std::to_string(random()) + "-" + std::to_string(stamp) + "-" +
        std::to_string(counter.fetch_add(1));
    return target.parent_path() / pathFromUtf8("." + utf8FromPath(target.filename()) + suffix);
}

bool isTemporaryOf(std::string_view fileName, std::string_view targetName)
{
    if (targetName.empty() || fileName.size() < 1 + targetName.size() + kTag.size() || fileName[0] != '.')
        return false;
    fileName.remove_prefix(1);
    if (!fileName.starts_with(targetName))
        return false;
    fileName.remove_prefix(targetName.size());
    if (!fileName.starts_with(kTag))
        return false;
    fileName.remove_prefix(kTag.size());
    for (int part = 0; part < 3; ++part) {
        if (part > 0) {
            if (!fileName.starts_with('-'))
                return false;
            fileName.remove_prefix(1);
        }
        if (!takeNumber(fileName))
            return false;
    }
    return fileName.empty();
}

void removeStaleTemporaries(const std::filesystem::path& target)
{
    removeStaleTemporariesIn(target.parent_path(), {utf8FromPath(target.filename())});
}

void removeStaleTemporariesIn(const std::filesystem::path& folder, const std::set<std::string>& targetNames)
{
    const std::filesystem::path where = folder.empty() ? "." : folder;
    // When each target was replaced, read once; nullopt when it cannot be read.
    std::map<std::string, std::optional<std::filesystem::file_time_type>, std::less<>> written;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(where, ec), end; !ec && it != end; it.increment(ec)) {
        const std::filesystem::path& entry = it->path();
        const std::string name = utf8FromPath(entry.filename());
        // ".NAME.tmp-R-T-N": the digits after the last tag hold none, so
        // the target's name is what stands before it.
        const std::size_t tag = name.rfind(kTag);
        if (name.empty() || name[0] != '.' || tag == std::string::npos || tag < 1)
            continue;
        const std::string targetName = name.substr(1, tag - 1);
        if (!targetNames.contains(targetName) || !isTemporaryOf(name, targetName))
            continue;
        auto [time, first] = written.try_emplace(targetName);
        if (first) {
            std::error_code targetError;
            const auto t = std::filesystem::last_write_time(where / pathFromUtf8(targetName), targetError);
            if (!targetError)
                time->second = t;
        }
        if (!time->second)
            continue;
        std::error_code entryError;
        // Never through a link, never a folder: only a file this writer made.
        if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(entry, entryError)))
            continue;
        const auto left = std::filesystem::last_write_time(entry, entryError);
        if (!entryError && left + kStaleTemporaryAge <= *time->second)
            std::filesystem::remove(entry, entryError);
    }
}

} // namespace kestrel
