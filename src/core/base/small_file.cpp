#include "core/base/small_file.h"

#include <array>
#include <cerrno>
#include <fstream>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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
        return fail(SmallFileStatus::Missing, kMissingFileProblem);
    if (ec)
        return fail(SmallFileStatus::Unreadable, "cannot be read: " + ec.message());
    if (std::filesystem::is_directory(status))
        return fail(SmallFileStatus::NotAFile, "is a folder, not a file");
    if (!std::filesystem::is_regular_file(status))
        return fail(SmallFileStatus::NotAFile, "is not a regular file (a device, a pipe or a socket)");

#ifndef _WIN32
    // Read through one descriptor opened without waiting: a pipe put under
    // the name after the check above would otherwise block the open until
    // a writer came. What was opened is checked again.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(SmallFileStatus::Unreadable, "cannot be opened: " + std::generic_category().message(errno));
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat opened { };
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode))
        return fail(SmallFileStatus::NotAFile, "is not a regular file (a device, a pipe or a socket)");
    std::array<char, 65536> buffer{};
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return fail(SmallFileStatus::Unreadable, "cannot be read completely");
        if (got == 0)
            break;
        file.content.append(buffer.data(), static_cast<std::size_t>(got));
        if (file.content.size() > maxSize)
            return fail(SmallFileStatus::TooLarge, "is larger than " + sizeText(maxSize));
    }
#else
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
#endif
    file.status = SmallFileStatus::Read;
    return file;
}

} // namespace kestrel
