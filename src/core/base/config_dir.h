#pragma once
// Where Kestrel's own settings file and Tessel's configuration file are
// found. Both are looked up by their bare names in one folder, so reads and
// writes always meet the same files.
#include <filesystem>
#include <string_view>

namespace kestrel {

// KESTREL_CONFIG_DIR when set and not empty; otherwise the per-user
// configuration folder: $XDG_CONFIG_HOME/kestrel, else ~/.config/kestrel.
// On Windows the settings files traditionally live in the Windows directory
// (%WINDIR%), so that is where they are when the user may create files
// there; otherwise in %APPDATA%\Kestrel.
std::filesystem::path configDirectory();

// Kestrel's own settings file, named without a folder.
inline constexpr std::string_view kKestrelIniName = "Kestrel.INI";

// The file of that name in the folder. On a case-sensitive file system an
// existing file whose name differs only in case ("kestrel.ini" for
// "Kestrel.INI") is taken, as the Windows profile functions would find it;
// with none, the name as given.
std::filesystem::path fileInFolder(const std::filesystem::path& folder, std::string_view name);

// tessel.ini in the settings folder; on Windows, when that folder has none,
// Tessel's own in the Windows directory if there is one there.
std::filesystem::path tesselIniIn(const std::filesystem::path& settingsFolder);

} // namespace kestrel
