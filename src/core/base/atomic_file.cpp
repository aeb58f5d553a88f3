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

std::error_code lastSystemError() { return {errno, std::generic_category()}; }

// The file a path names once every symbolic link on the way to it is
// followed; a relative link counts from the link's own folder. `exists`
// tells whether that file is there already.
bool followLinks(std::filesystem::path& path, std::string& error, bool& exists)
{
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code ec;
        const std::filesystem::file_status status = std::filesystem::symlink_status(path, ec);
        if (!std::filesystem::is_symlink(status)) {
            exists = std::filesystem::exists(status);
            return true;
        }
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

// A staged temporary opened again to flush it.
int openForFlush(const std::filesystem::path& temp)
{
#ifdef _WIN32
    return ::_wopen(temp.c_str(), _O_WRONLY | _O_BINARY);
#else
    return ::open(temp.c_str(), O_WRONLY | O_CLOEXEC);
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
    struct stat old { };
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

struct StagedFile {
    std::filesystem::path target; // the file the temporary will replace
    std::filesystem::path temp;
};

// The first half of a replacement: the target (its links followed, its
// folder made) and the content in a closed temporary file beside it, flushed
// to the disk when asked. On failure nothing is left behind.
bool writeTemporary(const std::filesystem::path& path, std::string_view content, bool flush,
    const AtomicWriteSteps& steps, StagedFile& staged, std::string& error,
    std::set<std::filesystem::path>* madeFolders = nullptr)
{
    error.clear();
    std::filesystem::path target = path;
    bool exists = false;
    if (!followLinks(target, error, exists))
        return false;
    std::error_code ec;
    // A batch makes each folder once.
    if (!target.parent_path().empty() && !(madeFolders && madeFolders->contains(target.parent_path()))) {
        std::filesystem::create_directories(target.parent_path(), ec);
        if (ec) {
            error = "cannot create the folder " + utf8FromPath(target.parent_path()) + ": " + ec.message();
            return false;
        }
        if (madeFolders)
            madeFolders->insert(target.parent_path());
    }

    // A name another save drew too is drawn again.
    std::filesystem::path temp;
    int fd = -1;
    for (int draw = 0; draw < 8 && fd < 0; ++draw) {
        temp = temporaryPathBeside(target);
        fd = openTemporary(temp);
        if (fd < 0 && errno != EEXIST)
            break;
    }
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

    if (exists)
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
    if (flush)
        if (const std::error_code why = steps.flushToDisk(fd))
            return abandon("cannot write " + utf8FromPath(temp) + " to the disk", why);
    const int closed = closeFile(fd);
    const std::error_code closeError = lastSystemError();
    fd = -1;
    if (closed != 0)
        return abandon("cannot write " + utf8FromPath(temp), closeError);
    staged = {std::move(target), temp};
    return true;
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
#ifdef __linux__
    steps.flushFileSystem = [](const std::filesystem::path& folder) -> std::error_code {
        const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return lastSystemError();
        const std::error_code error = ::syncfs(fd) == 0 ? std::error_code{} : lastSystemError();
        ::close(fd);
        return error;
    };
#endif
    return steps;
}

bool writeFileAtomically(const std::filesystem::path& path, std::string_view content, std::string& error)
{
    return writeFileAtomically(path, content, error, AtomicWriteSteps::system());
}

bool writeFileAtomically(
    const std::filesystem::path& path, std::string_view content, std::string& error, const AtomicWriteSteps& steps)
{
    StagedFile staged;
    if (!writeTemporary(path, content, true, steps, staged, error))
        return false;
    if (const std::error_code why = steps.rename(staged.temp, staged.target)) {
        std::error_code ignored;
        std::filesystem::remove(staged.temp, ignored);
        error = "cannot replace " + utf8FromPath(staged.target) + ": " + why.message();
        return false;
    }
    flushFolder(staged.target.parent_path(), steps);
    removeStaleTemporaries(staged.target); // those of saves killed before their rename
    return true;
}

AtomicFileBatch::AtomicFileBatch(AtomicWriteSteps steps) : steps_(std::move(steps)) { }

AtomicFileBatch::~AtomicFileBatch()
{
    for (const Staged& file : staged_) {
        std::error_code ignored;
        std::filesystem::remove(file.temp, ignored);
    }
}

bool AtomicFileBatch::stage(const std::filesystem::path& path, std::string_view content, std::string& error)
{
    StagedFile staged;
    if (!writeTemporary(path, content, false, steps_, staged, error, &madeFolders_))
        return false;
    staged_.push_back({path, std::move(staged.target), std::move(staged.temp)});
    return true;
}

std::vector<AtomicFileBatch::Failure> AtomicFileBatch::commit()
{
    std::vector<Failure> failures;
    std::vector<Staged> files = std::move(staged_);
    staged_.clear();
    const auto fail = [&](Staged& file, std::string error) {
        std::error_code ignored;
        std::filesystem::remove(file.temp, ignored);
        file.temp.clear();
        failures.push_back({file.path, std::move(error)});
    };

    // Every temporary reaches the disk before any rename: one flush per
    // folder where the system flushes a whole file system, else one per file
    // (and so for every file of a folder whose flush failed, to find out
    // which of them did not get there).
    std::map<std::filesystem::path, bool> wholeFileSystemFlushed;
    for (Staged& file : files) {
        if (steps_.flushFileSystem) {
            const std::filesystem::path folder = file.target.parent_path();
            auto [flush, first] = wholeFileSystemFlushed.try_emplace(folder, false);
            if (first)
                flush->second = !steps_.flushFileSystem(folder);
            if (flush->second)
                continue;
        }
        const int fd = openForFlush(file.temp);
        const std::error_code why = fd < 0 ? lastSystemError() : steps_.flushToDisk(fd);
        if (fd >= 0)
            closeFile(fd);
        if (why)
            fail(file, "cannot write " + utf8FromPath(file.temp) + " to the disk: " + why.message());
    }

    std::set<std::filesystem::path> folders;
    for (Staged& file : files) {
        if (file.temp.empty())
            continue;
        if (const std::error_code why = steps_.rename(file.temp, file.target)) {
            fail(file, "cannot replace " + utf8FromPath(file.target) + ": " + why.message());
            continue;
        }
        folders.insert(file.target.parent_path());
        committed_[file.target.parent_path()].insert(utf8FromPath(file.target.filename()));
    }
    for (const auto& folder : folders)
        flushFolder(folder, steps_);
    return failures;
}

void AtomicFileBatch::removeStaleTemporaries()
{
    for (const auto& [folder, names] : committed_)
        removeStaleTemporariesIn(folder, names);
    committed_.clear();
}

} // namespace kestrel
