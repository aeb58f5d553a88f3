#pragma once
// The temporary files the atomic writer puts beside its target, and clearing
// away those a killed save left behind. A temporary's name is short whatever
// its target's ("." + "kestrel-" + 8 hex digits of a hash of the target's
// name + "-" + 16 random hex digits + ".tmp", 38 bytes), so that every name
// the file system takes can be written: a name of 255 bytes, the most most
// file systems take, has no room beside it for a longer one. Only names of
// exactly that form, with the hash of the target's name, are ever removed.
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

namespace kestrel {

// The length of every temporary file's name, in bytes.
inline constexpr std::size_t kTemporaryNameLength = 38;

// A fresh temporary name beside target. Two processes drawing the same one
// is unlikely but possible: the writer creates it exclusively and draws
// again when the name is taken.
std::filesystem::path temporaryPathBeside(const std::filesystem::path& target);

// True when fileName is a temporary name temporaryPathBeside makes for a
// target named targetName (or for another target whose name hashes alike:
// the age rule below keeps such a file while its save may still run).
bool isTemporaryOf(std::string_view fileName, std::string_view targetName);

// A save of another instance takes milliseconds; a temporary file this much
// older than the one just renamed belongs to no save still running.
inline constexpr std::chrono::minutes kStaleTemporaryAge{1};

// Removes the regular files beside target that are temporaries of it and
// were last written kStaleTemporaryAge or more before target, which has just
// been replaced. Failures are ignored: the leftovers only take room.
void removeStaleTemporaries(const std::filesystem::path& target);

// The same for many targets of one folder in one pass over it: the names of
// targets just replaced.
void removeStaleTemporariesIn(const std::filesystem::path& folder, const std::set<std::string>& targetNames);

} // namespace kestrel
