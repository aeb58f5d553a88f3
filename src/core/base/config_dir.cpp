#include "core/base/config_dir.h"

#include "core/base/path_text.h"
#include "core/base/text_util.h"

#include <cstdlib>
#include <system_error>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace kestrel {
namespace {

// An environment variable naming a folder; empty when unset. Windows keeps
// the environment in UTF-16: a user name outside the ANSI code page must
// still give its own folder.
std::filesystem::path environmentPath(const char* name)
{
#ifdef _WIN32
    const std::wstring wideName(name, name + std::char_traits<char>::length(name));
    const wchar_t* value = _wgetenv(wideName.c_str());
#else
    const char* value = std::getenv(name);
#endif
    return value ? std::filesystem::path(value) : std::filesystem::path();
}

#ifdef _WIN32
std::filesystem::path windowsDirectory()
{
    if (auto dir = environmentPath("WINDIR"); !dir.empty())
        return dir;
    if (auto dir = environmentPath("SystemRoot"); !dir.empty())
        return dir;
    return std::filesystem::path("C:\\Windows");
}
#endif

bool isFile(const std::filesystem::path& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

} // namespace

std::filesystem::path configDirectory()
{
    if (auto dir = environmentPath("KESTREL_CONFIG_DIR"); !dir.empty())
        return dir;
#ifdef _WIN32
    // One place for a user, whether or not Kestrel runs as administrator:
    // the user's own application-data folder.
    if (auto dir = environmentPath("APPDATA"); !dir.empty())
        return dir / "Kestrel";
    return windowsDirectory();
#else
    // The XDG rules ignore a relative XDG_CONFIG_HOME.
    if (auto dir = environmentPath("XDG_CONFIG_HOME"); dir.is_absolute())
        return dir / "kestrel";
    if (auto home = environmentPath("HOME"); !home.empty())
        return home / ".config" / "kestrel";
    // No home at all (a bare service account): the current folder is the
    // only place that reads and writes can still agree on.
    return std::filesystem::current_path() / ".config" / "kestrel";
#endif
}

std::filesystem::path fileInFolder(const std::filesystem::path& folder, std::string_view name)
{
    const std::filesystem::path exact = folder / std::filesystem::path(std::string(name));
    std::error_code ec;
    if (std::filesystem::exists(exact, ec))
        return exact;
    const std::string wanted = toLower(name);
    std::filesystem::directory_iterator it(folder, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        if (toLower(utf8FromPath(it->path().filename())) == wanted)
            return it->path();
    }
    return exact;
}

std::filesystem::path tesselIniIn(
    const std::filesystem::path& settingsFolder, const std::filesystem::path& programFolder)
{
    const std::filesystem::path ini = fileInFolder(settingsFolder, "tessel.ini");
    if (isFile(ini))
        return ini;
#ifdef _WIN32
    // Tessel keeps its own tessel.ini in the Windows directory.
    if (const auto tessels = fileInFolder(windowsDirectory(), "tessel.ini"); isFile(tessels))
        return tessels;
#endif
    // No Tessel on this computer: the demo installation that came with
    // Kestrel, so that a new installation starts without an error.
    for (const auto& demo : demoTesselFolders(programFolder))
        if (const auto demoIni = demo / "tessel.ini"; isFile(demoIni))
            return demoIni;
    return ini;
}

std::vector<std::filesystem::path> demoTesselFolders(const std::filesystem::path& programFolder)
{
    if (programFolder.empty())
        return {};
    // Windows: one folder, the programs beside their data. Elsewhere:
    // bin/ beside share/kestrel/.
    return {programFolder / "demo-tessel", programFolder.parent_path() / "share" / "kestrel" / "demo-tessel"};
}

std::filesystem::path olderSettingsFile(const std::filesystem::path& settingsFolder)
{
#ifdef _WIN32
    if (isFile(fileInFolder(settingsFolder, kKestrelIniName)))
        return {};
    if (const auto older = fileInFolder(windowsDirectory(), kKestrelIniName); isFile(older))
        return older;
#else
    (void)settingsFolder;
#endif
    return {};
}

} // namespace kestrel
