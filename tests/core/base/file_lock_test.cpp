// The lock that two instances take around a read-merge-write of a shared
// file: with it, no update of the other is lost.
#include "core/base/file_lock.h"

#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace kestrel {
namespace {

// Reads a number from the file, waits a moment, writes it back one higher:
// two such writers without a lock lose each other's updates.
void increment(const std::filesystem::path& counter, const std::filesystem::path& lockFile)
{
    const FileLock lock(lockFile, std::chrono::seconds(30));
    int value = 0;
    std::ifstream(counter) >> value;
    std::this_thread::yield();
    std::ofstream(counter, std::ios::trunc) << value + 1;
}

TEST(FileLock, TwoWritersLoseNoUpdate)
{
    test::ScratchDir dir;
    const auto counter = dir.write("counter", "0");
    const auto lockFile = dir / "sub" / "counter.lock"; // its folder is made
    constexpr int kRounds = 200;
    const auto writer = [&] {
        for (int i = 0; i < kRounds; ++i)
            increment(counter, lockFile);
    };
    std::thread a(writer), b(writer);
    a.join();
    b.join();
    EXPECT_EQ(test::readFile(counter), std::to_string(2 * kRounds));
}

#ifndef _WIN32
// Two instances of the program are two processes: the lock holds between
// them as between threads.
TEST(FileLock, TwoProcessesLoseNoUpdate)
{
    test::ScratchDir dir;
    const auto counter = dir.write("counter", "0");
    const auto lockFile = dir / "counter.lock";
    constexpr int kRounds = 200;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        for (int i = 0; i < kRounds; ++i)
            increment(counter, lockFile);
        _exit(0);
    }
    for (int i = 0; i < kRounds; ++i)
        increment(counter, lockFile);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(test::readFile(counter), std::to_string(2 * kRounds));
}
#endif

// A lock held longer than the patience is given up on; one of another lock
// file is not waited for at all (its patience would outlast the bound).
TEST(FileLock, AHeldLockIsGivenUpOnAfterThePatience)
{
    test::ScratchDir dir;
    const FileLock held(dir / "x.lock");
    std::thread([&] {
        const auto start = std::chrono::steady_clock::now();
        const FileLock second(dir / "x.lock", std::chrono::milliseconds(50));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    }).join();
    std::thread([&] {
        const auto start = std::chrono::steady_clock::now();
        const FileLock again(dir / "y.lock", std::chrono::seconds(30));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5))
            << "another lock file is another lock";
    }).join();
}

} // namespace
} // namespace kestrel
