#pragma once
// Which file a path names, whatever the spelling: a symbolic link, a hard
// link, ".." or another case of a name on a case-blind file system all lead
// to the same identity (the device and the file's number on it). Two paths
// with one identity are one file, and writing through one replaces the
// other's content.
#include <compare>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace kestrel {

struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t file = 0;

    auto operator<=>(const FileIdentity&) const = default;
};

// The identity of the file the path names once its links are followed;
// nullopt when nothing is there (a dangling link included) or the system
// does not say.
std::optional<FileIdentity> fileIdentity(const std::filesystem::path& path);

} // namespace kestrel
