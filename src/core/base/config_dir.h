#pragma once
// Where Kestrel's own settings file and Tessel's configuration file are
// found. Both are looked up by their bare names in one folder, so reads and
// writes always meet the same files.
#include <filesystem>
#include <string_view>
#include <vector>

namespace kestrel {

// KESTREL_CONFIG_DIR when set and not empty; otherwise the per-user
// configuration folder: $XDG_CONFIG_HOME/kestrel, else ~/.config/kestrel;
// on Windows %APPDATA%\Kestrel, whether or not the program runs as
// administrator.
std::filesystem::path configDirectory();

// Kestrel's own settings file, named without a folder.
inline constexpr std::string_view kKestrelIniName = "Kestrel.INI";

// The file of that name in the folder. On a case-sensitive file system an
// existing file whose name differs only in case ("kestrel.ini" for
// "Kestrel.INI") is taken, as the Windows profile functions would find it;
// with none, the name as given.
std::filesystem::path fileInFolder(const std::filesystem::path& folder, std::string_view name);

// The tessel.ini Kestrel reads: the one in the settings folder; else, on
// Windows, Tessel's own in the Windows directory; else the demo Tessel
// installation that came with the program (see demoTesselFolders). With
// none of them, the name in the settings folder, so that the message names
// where Kestrel looked first.
std::filesystem::path tesselIniIn(
    const std::filesystem::path& settingsFolder, const std::filesystem::path& programFolder);

// Where an installed Kestrel keeps its demo Tessel installation, relative to
// the program's folder: demo-tessel\ beside the programs on Windows,
// ../share/kestrel/demo-tessel/ elsewhere. Empty without a program folder.
std::vector<std::filesystem::path> demoTesselFolders(const std::filesystem::path& programFolder);

// Windows: the Kestrel.INI an older installation kept in the Windows
// directory, when the settings folder has none yet; it is read once as the
// starting settings. Empty otherwise, and always elsewhere.
std::filesystem::path olderSettingsFile(const std::filesystem::path& settingsFolder);

} // namespace kestrel
