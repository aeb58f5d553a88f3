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
    if (auto dir = environmentPath("KESTREL_CONFIG_DIR"); !dir.empty())
        return dir;
#ifdef _WIN32
    // The Windows directory, where the settings files have always been,
    // when the user may write there; else the user's own application-data
    // folder, so that the defaults saved at exit are there at the next start.
    const std::filesystem::path windows = windowsDirectory();
    if (canCreateFilesIn(windows))
        return windows;
    if (auto dir = environmentPath("APPDATA"); !dir.empty())
        return dir / "Kestrel";
    return windows;
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

} // namespace kestrel
