#include "core/base/atomic_temporaries.h"

#include "core/base/path_text.h"

#include <atomic>
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
    std::random_device device;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::string suffix = std::string(kTag) + std::to_string(device()) + "-" + std::to_string(stamp) + "-" +
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
    std::error_code ec;
    const auto written = std::filesystem::last_write_time(target, ec);
    if (ec)
        return;
    const std::string targetName = utf8FromPath(target.filename());
    const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::filesystem::path& entry = it->path();
        if (!isTemporaryOf(utf8FromPath(entry.filename()), targetName))
            continue;
        std::error_code entryError;
        // Never through a link, never a folder: only a file this writer made.
        if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(entry, entryError)))
            continue;
        const auto left = std::filesystem::last_write_time(entry, entryError);
        if (!entryError && left + kStaleTemporaryAge <= written)
            std::filesystem::remove(entry, entryError);
    }
}

} // namespace kestrel
