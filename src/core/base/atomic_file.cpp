#include "core/base/atomic_file.h"

#include "core/base/atomic_temporaries.h"
#include "core/base/path_text.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kestrel {
namespace {

std::error_code lastSystemError()
{
    return {errno, std::generic_category()};
}

// The file a path names once every symbolic link on the way to it is
// followed; a relative link counts from the link's own folder.
bool followLinks(std::filesystem::path& path, std::string& error)
{
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec)))
            return true;
        const std::filesystem::path target = std::filesystem::read_symlink(path, ec);
        if (ec) {
            error = "cannot follow the link " + utf8FromPath(path) + ": " + ec.message();
            return false;
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    error = "cannot follow the link " + utf8FromPath(path) + ": too many levels of links";
    return false;
}

int openTemporary(const std::filesystem::path& temp)
{
#ifdef _WIN32
    return ::_wopen(temp.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    return ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
}

int closeFile(int fd)
{
#ifdef _WIN32
    return ::_close(fd);
#else
    return ::close(fd);
#endif
}

// Gives the temporary file the owner, group and permissions of the file it
// replaces. The owner can be changed only by a privileged writer and the
// group only to one of the writer's groups: where that is refused the
// writer's own stay, which is what a new file would get anyway.
void takeOverAttributes(int fd, const std::filesystem::path& temp, const std::filesystem::path& target)
{
#ifdef _WIN32
    std::error_code ec;
    const auto perms = std::filesystem::status(target, ec).permissions();
    if (!ec)
        std::filesystem::permissions(temp, perms, ec);
    (void)fd;
#else
    (void)temp;
    struct stat old {};
    if (::stat(target.c_str(), &old) != 0)
        return;
    if (::fchown(fd, old.st_uid, old.st_gid) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    (void)::fchmod(fd, old.st_mode & 07777);
#endif
}

// After the rename the folder's entry is what must reach the disk; where a
// file system cannot flush a folder there is nothing more to be done.
void flushFolder(const std::filesystem::path& folder, const AtomicWriteSteps& steps)
{
#ifndef _WIN32
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)steps.flushToDisk(fd);
        ::close(fd);
    }
#else
    (void)folder;
    (void)steps;
#endif
}

} // namespace

AtomicWriteSteps AtomicWriteSteps::system()
{
    AtomicWriteSteps steps;
    steps.write = [](int fd, const char* data, std::size_t size, std::error_code& error) -> std::ptrdiff_t {
#ifdef _WIN32
        const int chunk = static_cast<int>(std::min<std::size_t>(size, 1u << 30));
        const auto written = ::_write(fd, data, static_cast<unsigned>(chunk));
#else
        const auto written = ::write(fd, data, size);
#endif
        if (written < 0)
            error = lastSystemError();
        return written;
    };
    steps.flushToDisk = [](int fd) -> std::error_code {
#ifdef _WIN32
        return ::_commit(fd) == 0 ? std::error_code{} : lastSystemError();
#else
        return ::fsync(fd) == 0 ? std::error_code{} : lastSystemError();
#endif
    };
    steps.rename = [](const std::filesystem::path& from, const std::filesystem::path& to) {
        std::error_code ec;
        std::filesystem::rename(from, to, ec);
        return ec;
    };
    return steps;
}

bool writeFileAtomically(const std::filesystem::path& path, std::string_view content, std::string& error)
{
    return writeFileAtomically(path, content, error, AtomicWriteSteps::system());
}

bool writeFileAtomically(const std::filesystem::path& path, std::string_view content, std::string& error,
                         const AtomicWriteSteps& steps)
{
    error.clear();
    std::filesystem::path target = path;
    if (!followLinks(target, error))
        return false;
    std::error_code ec;
    if (!target.parent_path().empty()) {
        std::filesystem::create_directories(target.parent_path(), ec);
        if (ec) {
            error = "cannot create the folder " + utf8FromPath(target.parent_path()) + ": " + ec.message();
            return false;
        }
    }

    const std::filesystem::path temp = temporaryPathBeside(target);
    int fd = openTemporary(temp);
    if (fd < 0) {
        error = "cannot write in the folder " + utf8FromPath(target.parent_path()) + ": " + lastSystemError().message();
        return false;
    }
    // Every failure from here on removes the temporary file and leaves the
    // old file as it was.
    const auto abandon = [&](const std::string& what, std::error_code why) {
        if (fd >= 0)
            closeFile(fd);
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        error = what + ": " + why.message();
        return false;
    };

    takeOverAttributes(fd, temp, target);
    for (std::size_t done = 0; done < content.size();) {
        std::error_code why;
        const std::ptrdiff_t written = steps.write(fd, content.data() + done, content.size() - done, why);
        if (written < 0 && why == std::errc::interrupted)
            continue;
        if (written <= 0)
            return abandon("cannot write " + utf8FromPath(temp), why ? why : std::make_error_code(std::errc::io_error));
        done += static_cast<std::size_t>(written);
    }
    if (const std::error_code why = steps.flushToDisk(fd))
        return abandon("cannot write " + utf8FromPath(temp) + " to the disk", why);
    const int closed = closeFile(fd);
    const std::error_code closeError = lastSystemError();
    fd = -1;
    if (closed != 0)
        return abandon("cannot write " + utf8FromPath(temp), closeError);
    if (const std::error_code why = steps.rename(temp, target))
        return abandon("cannot replace " + utf8FromPath(target), why);
    flushFolder(target.parent_path(), steps);
    removeStaleTemporaries(target); // those of saves killed before their rename
    return true;
}

} // namespace kestrel
