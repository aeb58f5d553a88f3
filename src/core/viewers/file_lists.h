#pragma once
// The viewers' file lists: the files of a Tessel folder that match a
// pattern, in list order, and the entry a viewer preselects. Tessel's file
// names compare without regard to case, as on the system Tessel runs on.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

// The lists' patterns.
inline constexpr std::string_view kPicturePattern = "*.bmp;*.jpg;*.emf;*.wfm;*.ico";
inline constexpr std::string_view kHelpPattern = "*.hlp";
inline constexpr std::string_view kAccuracyPattern = "*.*";

// Whether name matches one of the ";"-separated wildcard patterns ("*" any
// run of characters, "?" one character), without regard to case. "*.*"
// matches every name, with or without a dot.
bool matchesFilePattern(std::string_view name, std::string_view patterns);

// The regular files of folder that match, sorted without regard to case;
// empty when the folder is missing or unreadable.
std::vector<std::string> listFiles(const std::filesystem::path& folder, std::string_view patterns);

// The index of the entry equal to name without regard to case; -1 when no
// entry is.
int findListEntry(const std::vector<std::string>& entries, std::string_view name);

// The file of folder whose name equals name without regard to case, as
// the folder spells it (an exact spelling first).
std::optional<std::filesystem::path> findFileNoCase(const std::filesystem::path& folder, std::string_view name);

// A help or accuracy file's text as the viewers show it: UTF-8 when the
// file is valid UTF-8 (a byte order mark dropped), Latin-1 otherwise;
// lines separated by "\n" whether the file ends them with LF, CR LF or CR.
// nullopt when the file cannot be read.
std::optional<std::string> readTextFile(const std::filesystem::path& path);
std::string displayText(std::string_view bytes);

} // namespace kestrel
