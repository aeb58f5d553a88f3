#pragma once
// Checks that need file permissions to bind, as they bind every user but
// root. As an ordinary user the check runs in this process. As root (CI
// runs as root) it runs in a child process that has given up root for the
// user and group "nobody", after the folder it works in has been handed to
// that user; the child's failures fail the calling test. POSIX only:
// Windows tests of permissions are skipped where they are called.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <system_error>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kestrel::test {

inline constexpr uid_t kNobody = 65534;

inline void runUnprivileged(const std::filesystem::path& folder, const std::function<void()>& check)
{
    if (::geteuid() != 0) {
        check();
        return;
    }
    std::error_code ec;
    ASSERT_EQ(::chown(folder.c_str(), kNobody, kNobody), 0);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, ec))
        ASSERT_EQ(::lchown(entry.path().c_str(), kNobody, kNobody), 0) << entry.path();
    std::fflush(nullptr);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(3);
        check();
        std::fflush(nullptr);
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the check run as \"nobody\" failed (its messages are above), status " << status;
}

} // namespace kestrel::test
#endif
