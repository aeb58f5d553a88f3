#include "core/base/atomic_temporaries.h"

#include "core/base/path_text.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace kestrel {
namespace {

constexpr std::string_view kPrefix = ".kestrel-";
constexpr std::string_view kSuffix = ".tmp";
constexpr std::size_t kHashDigits = 8;
constexpr std::size_t kRandomDigits = 16;
static_assert(kPrefix.size() + kHashDigits + 1 + kRandomDigits + kSuffix.size() == kTemporaryNameLength);

// FNV-1a over the name's bytes: the same name gives the same digits on
// every system and in every run.
std::uint32_t nameHash(std::string_view name)
{
    std::uint32_t hash = 2166136261u;
    for (const char ch : name) {
        hash ^= static_cast<unsigned char>(ch);
        hash *= 16777619u;
    }
    return hash;
}

std::string hexDigits(std::uint64_t value, std::size_t digits)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text(digits, '0');
    for (std::size_t i = digits; i-- > 0; value >>= 4)
        text[i] = kHex[value & 0xF];
    return text;
}

bool allHexDigits(std::string_view s)
{
    for (const char ch : s)
        if (!((ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f')))
            return false;
    return true;
}

// The hash digits of a temporary's name; nullopt for any other name.
std::optional<std::string_view> hashOfTemporary(std::string_view name)
{
    if (name.size() != kTemporaryNameLength || !name.starts_with(kPrefix) || !name.ends_with(kSuffix))
        return std::nullopt;
    const std::string_view hash = name.substr(kPrefix.size(), kHashDigits);
    const std::string_view random = name.substr(kPrefix.size() + kHashDigits + 1, kRandomDigits);
    if (name[kPrefix.size() + kHashDigits] != '-' || !allHexDigits(hash) || !allHexDigits(random))
        return std::nullopt;
    return hash;
}

std::string hashDigitsOf(std::string_view targetName) { return hexDigits(nameHash(targetName), kHashDigits); }

} // namespace

std::filesystem::path temporaryPathBeside(const std::filesystem::path& target)
{
    // Seeded once a thread, from the system's random source and the clock
    // (a random source that repeats itself across processes still gives
    // them different names): opening the source for every name would cost
    // more than writing a procedure.
    thread_local std::mt19937_64 random = [] {
        std::random_device device;
        const auto clock = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        std::seed_seq seed{device(), device(), static_cast<unsigned>(clock), static_cast<unsigned>(clock >> 32)};
        return std::mt19937_64(seed);
    }();
    const std::string name = std::string(kPrefix) + hashDigitsOf(utf8FromPath(target.filename())) + "-" +
        hexDigits(random(), kRandomDigits) + std::string(kSuffix);
    return target.parent_path() / pathFromUtf8(name);
}

bool isTemporaryOf(std::string_view fileName, std::string_view targetName)
{
    const std::optional<std::string_view> hash = hashOfTemporary(fileName);
    return !targetName.empty() && hash && *hash == hashDigitsOf(targetName);
}

void removeStaleTemporaries(const std::filesystem::path& target)
{
    removeStaleTemporariesIn(target.parent_path(), {utf8FromPath(target.filename())});
}

void removeStaleTemporariesIn(const std::filesystem::path& folder, const std::set<std::string>& targetNames)
{
    const std::filesystem::path where = folder.empty() ? "." : folder;
    struct Targets {
        std::vector<std::string> names; // the targets whose names hash alike
        bool read = false;
        // When the earliest of them was replaced; nullopt when none can be read.
        std::optional<std::filesystem::file_time_type> written;
    };
    std::map<std::string, Targets, std::less<>> byHash;
    for (const std::string& name : targetNames)
        if (!name.empty())
            byHash[hashDigitsOf(name)].names.push_back(name);

    std::error_code ec;
    for (std::filesystem::directory_iterator it(where, ec), end; !ec && it != end; it.increment(ec)) {
        const std::filesystem::path& entry = it->path();
        const std::string name = utf8FromPath(entry.filename());
        const std::optional<std::string_view> hash = hashOfTemporary(name);
        if (!hash)
            continue;
        const auto targets = byHash.find(*hash);
        if (targets == byHash.end())
            continue;
        Targets& t = targets->second;
        if (!t.read) {
            t.read = true;
            for (const std::string& name : t.names) {
                std::error_code targetError;
                const auto time = std::filesystem::last_write_time(where / pathFromUtf8(name), targetError);
                if (!targetError && (!t.written || time < *t.written))
                    t.written = time;
            }
        }
        if (!t.written)
            continue;
        std::error_code entryError;
        // Never through a link, never a folder: only a file this writer made.
        if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(entry, entryError)))
            continue;
        const auto left = std::filesystem::last_write_time(entry, entryError);
        if (!entryError && left + kStaleTemporaryAge <= *t.written)
            std::filesystem::remove(entry, entryError);
    }
}

} // namespace kestrel
