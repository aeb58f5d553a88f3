// A reader that closes the pipe early: the command must see the failed
// write and exit with status 5 and its message, not die of SIGPIPE. Run in a
// child process whose standard output is a pipe nobody reads, set up as
// kestrel-cli's main sets itself up.
#include "cli/closed_pipe.h"
#include "cli/run.h"

#include <gtest/gtest.h>

#include <iostream>
#include <string>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace kestrel::cli {
namespace {

TEST(ClosedPipe, AWriteIntoAClosedPipeExitsWithStatus5)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no SIGPIPE";
#else
    int out[2], err[2];
    ASSERT_EQ(::pipe(out), 0);
    ASSERT_EQ(::pipe(err), 0);
    ::close(out[0]); // the reader is gone before anything is written
    std::cout.flush();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::dup2(err[1], STDERR_FILENO);
        ::close(err[0]);
        ignoreClosedPipe();
        const int status =
            run({"generate", "--sample", "agilent34401", "--config-dir", "/nonexistent"}, std::cout, std::cerr);
        std::cerr.flush();
        ::_exit(status);
    }
    ::close(out[1]);
    ::close(err[1]);
    std::string messages;
    char buffer[4096];
    for (ssize_t n; (n = ::read(err[0], buffer, sizeof buffer)) > 0;)
        messages.append(buffer, static_cast<std::size_t>(n));
    ::close(err[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 5);
    EXPECT_NE(messages.find("kestrel-cli: the output could not be written completely"), std::string::npos) << messages;
#endif
}

} // namespace
} // namespace kestrel::cli
