#pragma once
// An exclusive lock on a lock file, between processes and between threads,
// for a read-merge-write of a file several instances of Kestrel share (the
// recent files). POSIX: flock on the lock file; Windows: LockFileEx. The
// lock file stays behind empty: removing it would let a waiter lock a file
// that a newcomer no longer sees.
#include <chrono>
#include <filesystem>

namespace kestrel {

class FileLock {
public:
    // Waits up to `patience` for the lock (creating the lock file and its
    // folder when missing). A merge is not worth a frozen window, so a lock
    // held longer is given up on and the caller goes on without it.
    explicit FileLock(
        const std::filesystem::path& lockFile, std::chrono::milliseconds patience = std::chrono::seconds(2));
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
    bool locked_ = false;
};

} // namespace kestrel
