#include "core/base/atomic_file.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <random>
#include <system_error>

namespace kestrel {
namespace {

std::filesystem::path temporaryPathBeside(const std::filesystem::path& target)
{
    static std::atomic<unsigned> counter{0};
    std::random_device device;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::string suffix = ".tmp-" + std::to_string(device()) + "-" + std::to_string(stamp) + "-" +
                               std::to_string(counter.fetch_add(1));
    return target.parent_path() / ("." + target.filename().string() + suffix);
}

} // namespace

bool writeFileAtomically(const std::filesystem::path& path, std::string_view content, std::string& error)
{
    error.clear();
    std::error_code ec;
    std::filesystem::path target = path;
    if (std::filesystem::is_symlink(target, ec)) {
        auto resolved = std::filesystem::weakly_canonical(target, ec);
        if (!ec)
            target = resolved;
    }
    if (!target.parent_path().empty()) {
        std::filesystem::create_directories(target.parent_path(), ec);
        if (ec) {
            error = "cannot create the folder " + target.parent_path().string() + ": " + ec.message();
            return false;
        }
    }
    const std::filesystem::path temp = temporaryPathBeside(target);
    {
        std::ofstream stream(temp, std::ios::binary | std::ios::trunc);
        if (!stream) {
            error = "cannot write in the folder " + target.parent_path().string();
            return false;
        }
        stream.write(content.data(), static_cast<std::streamsize>(content.size()));
        stream.flush();
        if (!stream) {
            stream.close();
            std::filesystem::remove(temp, ec);
            error = "cannot write " + temp.string();
            return false;
        }
    }
    if (std::filesystem::exists(target, ec)) {
        const auto perms = std::filesystem::status(target, ec).permissions();
        if (!ec)
            std::filesystem::permissions(temp, perms, ec);
    }
    std::filesystem::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        error = "cannot replace " + target.string() + ": " + ec.message();
        return false;
    }
    return true;
}

} // namespace kestrel
