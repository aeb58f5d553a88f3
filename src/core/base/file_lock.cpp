#include "core/base/file_lock.h"

#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace kestrel {
namespace {

constexpr std::chrono::milliseconds kRetry{5};

} // namespace

FileLock::FileLock(const std::filesystem::path& lockFile, std::chrono::milliseconds patience)
{
    std::error_code ignored;
    if (!lockFile.parent_path().empty())
        std::filesystem::create_directories(lockFile.parent_path(), ignored);
    const auto deadline = std::chrono::steady_clock::now() + patience;
#ifdef _WIN32
    HANDLE h = ::CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    handle_ = h;
    for (;;) {
        OVERLAPPED at{};
        if (::LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
            locked_ = true;
            return;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return;
        std::this_thread::sleep_for(kRetry);
    }
#else
    fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0)
        return;
    // flock, not fcntl: its lock belongs to this open file, so two threads
    // of one process exclude each other too.
    for (;;) {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
            locked_ = true;
            return;
        }
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline)
            return;
        std::this_thread::sleep_for(kRetry);
    }
#endif
}

FileLock::~FileLock()
{
#ifdef _WIN32
    if (handle_) {
        if (locked_) {
            OVERLAPPED at{};
            ::UnlockFileEx(static_cast<HANDLE>(handle_), 0, 1, 0, &at);
        }
        ::CloseHandle(static_cast<HANDLE>(handle_));
    }
#else
    if (fd_ >= 0)
        ::close(fd_); // closing the file releases its lock
#endif
}

} // namespace kestrel
