#pragma once
// Reading a whole file that is small by nature (a settings file, a
// localization file, a specification file) without trusting its name: a
// folder, a device or a pipe under that name is refused before it is
// opened, and reading stops one byte past the size limit, so neither
// /dev/zero nor a file that keeps growing can exhaust memory.
#include <cstdint>
#include <filesystem>
#include <string>

namespace kestrel {

enum class SmallFileStatus { Read, Missing, NotAFile, TooLarge, Unreadable };

// The problem of a file that is not there, as SmallFile::problem says it.
inline constexpr const char* kMissingFileProblem = "does not exist";

struct SmallFile {
    SmallFileStatus status = SmallFileStatus::Missing;
    std::string content; // the whole file when status is Read
    // What went wrong, to follow the file's name: "is a folder, not a file",
    // "is larger than 4 MiB", "cannot be read: Permission denied".
    std::string problem;
};

SmallFile readSmallFile(const std::filesystem::path& path, std::uintmax_t maxSize);

// "4 MiB", "512 KiB", "100 bytes": a size limit as a message names it.
std::string sizeText(std::uintmax_t bytes);

} // namespace kestrel
