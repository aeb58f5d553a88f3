#include "core/base/config_dir.h"

#include "core/base/text_util.h"

#include <cstdlib>
#include <system_error>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace kestrel {
namespace {

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

#ifdef _WIN32
std::filesystem::path windowsDirectory()
{
    if (auto dir = environment("WINDIR"); !dir.empty())
        return std::filesystem::path(dir);
    if (auto dir = environment("SystemRoot"); !dir.empty())
        return std::filesystem::path(dir);
    return std::filesystem::path("C:\\Windows");
}

// Whether the user may create files in the folder: only administrators may
// write into the Windows directory.
bool canCreateFilesIn(const std::filesystem::path& folder)
{
    const std::filesystem::path probe = folder / ("Kestrel-" + std::to_string(GetCurrentProcessId()) + ".tmp");
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}
#endif

} // namespace

std::filesystem::path configDirectory()
{
    if (auto dir = environment("KESTREL_CONFIG_DIR"); !dir.empty())
        return std::filesystem::path(dir);
#ifdef _WIN32
    // The Windows directory, where the settings files have always been,
    // when the user may write there; else the user's own application-data
    // folder, so that the defaults saved at exit are there at the next start.
    const std::filesystem::path windows = windowsDirectory();
    if (canCreateFilesIn(windows))
        return windows;
    if (auto dir = environment("APPDATA"); !dir.empty())
        return std::filesystem::path(dir) / "Kestrel";
    return windows;
#else
    // The XDG rules ignore a relative XDG_CONFIG_HOME.
    if (auto dir = environment("XDG_CONFIG_HOME"); !dir.empty() && dir.front() == '/')
        return std::filesystem::path(dir) / "kestrel";
    if (auto home = environment("HOME"); !home.empty())
        return std::filesystem::path(home) / ".config" / "kestrel";
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
        if (toLower(it->path().filename().string()) == wanted)
            return it->path();
    }
    return exact;
}

std::filesystem::path kestrelIniPath()
{
    return fileInFolder(configDirectory(), "Kestrel.INI");
}

std::filesystem::path tesselIniIn(const std::filesystem::path& settingsFolder)
{
    std::filesystem::path ini = fileInFolder(settingsFolder, "tessel.ini");
#ifdef _WIN32
    // Tessel keeps its own tessel.ini in the Windows directory; a user who
    // may not write there still reads it.
    std::error_code ec;
    if (!std::filesystem::exists(ini, ec)) {
        const std::filesystem::path tessels = fileInFolder(windowsDirectory(), "tessel.ini");
        if (std::filesystem::exists(tessels, ec))
            ini = tessels;
    }
#endif
    return ini;
}

std::filesystem::path tesselIniPath()
{
    return tesselIniIn(configDirectory());
}

} // namespace kestrel
