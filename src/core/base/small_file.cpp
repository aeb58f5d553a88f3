#include "core/base/small_file.h"

#include <array>
#include <cerrno>
#include <fstream>
#include <system_error>

namespace kestrel {

std::string sizeText(std::uintmax_t bytes)
{
    constexpr std::uintmax_t kKiB = 1024;
    if (bytes >= kKiB * kKiB && bytes % (kKiB * kKiB) == 0)
        return std::to_string(bytes / (kKiB * kKiB)) + " MiB";
    if (bytes >= kKiB && bytes % kKiB == 0)
        return std::to_string(bytes / kKiB) + " KiB";
    return std::to_string(bytes) + " bytes";
}

SmallFile readSmallFile(const std::filesystem::path& path, std::uintmax_t maxSize)
{
    SmallFile file;
    const auto fail = [&](SmallFileStatus status, std::string problem) {
        file.status = status;
        file.content.clear();
        file.problem = std::move(problem);
        return file;
    };
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found)
        return fail(SmallFileStatus::Missing, "does not exist");
    if (ec)
        return fail(SmallFileStatus::Unreadable, "cannot be read: " + ec.message());
    if (std::filesystem::is_directory(status))
        return fail(SmallFileStatus::NotAFile, "is a folder, not a file");
    if (!std::filesystem::is_regular_file(status))
        return fail(SmallFileStatus::NotAFile, "is not a regular file (a device, a pipe or a socket)");

    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return fail(SmallFileStatus::Unreadable,
                    "cannot be opened: " + std::generic_category().message(errno != 0 ? errno : EACCES));
    std::array<char, 65536> buffer{};
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        file.content.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
        if (file.content.size() > maxSize)
            return fail(SmallFileStatus::TooLarge, "is larger than " + sizeText(maxSize));
    }
    if (in.bad())
        return fail(SmallFileStatus::Unreadable, "cannot be read completely");
    file.status = SmallFileStatus::Read;
    return file;
}

} // namespace kestrel
