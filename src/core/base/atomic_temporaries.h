#pragma once
// The temporary files the atomic writer puts beside its target
// (".NAME.tmp-R-T-N"), and clearing away those a killed save left behind.
// Only names of exactly that form, for that target, are ever removed.
#include <chrono>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

namespace kestrel {

// A fresh temporary name beside target, unique across processes (a random
// number, a clock reading and a counter).
std::filesystem::path temporaryPathBeside(const std::filesystem::path& target);

// True when fileName is a temporary name temporaryPathBeside makes for a
// target named targetName.
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
