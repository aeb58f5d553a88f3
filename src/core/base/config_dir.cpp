#include "core/base/config_dir.h"

#include "core/base/text_util.h"

#include <cstdlib>
#include <system_error>

namespace kestrel {
namespace {

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

} // namespace

std::filesystem::path configDirectory()
{
    if (auto dir = environment("KESTREL_CONFIG_DIR"); !dir.empty())
        return std::filesystem::path(dir);
#ifdef _WIN32
    if (auto dir = environment("WINDIR"); !dir.empty())
        return std::filesystem::path(dir);
    if (auto dir = environment("SystemRoot"); !dir.empty())
        return std::filesystem::path(dir);
    return std::filesystem::path("C:\\Windows");
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

std::filesystem::path tesselIniPath()
{
    return fileInFolder(configDirectory(), "tessel.ini");
}

} // namespace kestrel
