// Replacing a file: every step that can fail on a real disk is made to fail,
// and the old file must come through whole each time.
#include "core/base/atomic_file.h"

#include "support/test_scratch_dir.h"
#include "support/unprivileged.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kestrel {
namespace {

using test::ScratchDir;

std::size_t entriesIn(const std::filesystem::path& folder)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST(AtomicFile, AFailedStepKeepsTheOldFileWholeAndLeavesNoTemporaryFile)
{
    const std::string before = "[Kestrel]\nMaxDim=100.0\n";
    const std::string after(200000, 'n'); // written in more than one piece
    // Half of the first piece goes in, then the disk is full.
    const auto fullDisk = [calls = 0](int, const char*, std::size_t size, std::error_code& error) mutable {
        if (calls++ == 0)
            return static_cast<std::ptrdiff_t>(size / 2);
        error = std::make_error_code(std::errc::no_space_on_device);
        return std::ptrdiff_t{-1};
    };
    const auto noProgress = [](int, const char*, std::size_t, std::error_code&) -> std::ptrdiff_t { return 0; };
    const auto failedFlush = [](int) { return std::make_error_code(std::errc::io_error); };
    const auto failedRename = [](const std::filesystem::path&, const std::filesystem::path&) {
        return std::make_error_code(std::errc::cross_device_link);
    };
    struct Case {
        const char* name;
        AtomicWriteSteps steps;
        std::string error;
    };
    const auto says = [](std::errc e) { return std::make_error_code(e).message(); };
    std::vector<Case> cases{{"full disk", AtomicWriteSteps::system(), says(std::errc::no_space_on_device)},
        {"no progress", AtomicWriteSteps::system(), says(std::errc::io_error)},
        {"flush", AtomicWriteSteps::system(), "to the disk: " + says(std::errc::io_error)},
        {"rename", AtomicWriteSteps::system(), says(std::errc::cross_device_link)}};
    cases[0].steps.write = fullDisk;
    cases[1].steps.write = noProgress;
    cases[2].steps.flushToDisk = failedFlush;
    cases[3].steps.rename = failedRename;
    for (const Case& c : cases) {
        ScratchDir dir;
        const auto file = dir.write("Kestrel.INI", before);
        std::string error;
        EXPECT_FALSE(writeFileAtomically(file, after, error, c.steps)) << c.name;
        EXPECT_NE(error.find(c.error), std::string::npos) << c.name << ": " << error;
        EXPECT_EQ(test::readFile(file), before) << c.name;
        EXPECT_EQ(entriesIn(dir.path()), 1u) << c.name << ": the temporary file is removed";
    }

    // Interrupted writes are retried.
    ScratchDir dir;
    AtomicWriteSteps interrupted = AtomicWriteSteps::system();
    interrupted.write = [calls = 0](int fd, const char* data, std::size_t size, std::error_code& error) mutable {
        if (calls++ % 2 == 0) {
            error = std::make_error_code(std::errc::interrupted);
            return std::ptrdiff_t{-1};
        }
        return AtomicWriteSteps::system().write(fd, data, std::min<std::size_t>(size, 1000), error);
    };
    std::string error;
    ASSERT_TRUE(writeFileAtomically(dir / "a.ini", after, error, interrupted)) << error;
    EXPECT_EQ(test::readFile(dir / "a.ini"), after);
}

// Each step goes through to the system and is noted on the way, so that a
// flush left out, or made before the last write or after the rename, shows.
TEST(AtomicFile, WritesFlushesRenamesAndFlushesTheFolderInThatOrder)
{
    ScratchDir dir;
    const auto file = dir.write("Kestrel.INI", "old\n");
    const std::string content(200000, 'k'); // may take more than one write
    const AtomicWriteSteps system = AtomicWriteSteps::system();
    std::vector<std::string> calls;
    int written = -1; // the temporary file's descriptor
    const auto note = [&](const std::string& call) {
        if (calls.empty() || calls.back() != call) // a run of writes is one step
            calls.push_back(call);
    };
    AtomicWriteSteps recorded;
    recorded.write = [&](int fd, const char* data, std::size_t size, std::error_code& error) {
        written = fd;
        note("write");
        return system.write(fd, data, size, error);
    };
    recorded.flushToDisk = [&](int fd) {
        std::string what = "flush of another file";
#ifndef _WIN32
        struct stat opened {
        }, folder{};
        if (::fstat(fd, &opened) == 0 && ::stat(dir.path().c_str(), &folder) == 0) {
            if (S_ISDIR(opened.st_mode) && opened.st_dev == folder.st_dev && opened.st_ino == folder.st_ino)
                what = "flush of the folder";
            else if (fd == written)
                what = "flush of the file at " + std::to_string(opened.st_size) + " bytes";
        }
#else
        if (fd == written)
            what = "flush of the file";
#endif
        note(what);
        return system.flushToDisk(fd);
    };
    recorded.rename = [&](const std::filesystem::path& from, const std::filesystem::path& to) {
        note(from.parent_path() == file.parent_path() && to == file ? "rename" : "rename elsewhere");
        return system.rename(from, to);
    };

    std::string error;
    ASSERT_TRUE(writeFileAtomically(file, content, error, recorded)) << error;
    EXPECT_EQ(test::readFile(file), content);
#ifndef _WIN32
    const std::vector<std::string> expected{
        "write", "flush of the file at 200000 bytes", "rename", "flush of the folder"};
#else // Windows cannot flush a folder
    const std::vector<std::string> expected{"write", "flush of the file", "rename"};
#endif
    EXPECT_EQ(calls, expected);

#ifndef _WIN32
    // The system's flush is the real one: it sees that nothing is open.
    EXPECT_EQ(system.flushToDisk(-1), std::make_error_code(std::errc::bad_file_descriptor));
#endif
}

#ifndef _WIN32
// A link stays a link, however it is made, and the file keeps its mode and,
// where the writer may set them, its owner and group.
TEST(AtomicFile, WritesThroughLinksAndKeepsModeAndOwner)
{
    ScratchDir dir;
    std::filesystem::create_directories(dir / "real");
    const auto target = dir.write("real/Kestrel.INI", "old\n");
    std::filesystem::create_symlink("real/Kestrel.INI", dir / "relative.ini");
    std::filesystem::create_symlink(dir / "relative.ini", dir / "chain.ini");
    std::filesystem::create_symlink("real/new.ini", dir / "dangling.ini");
    std::string error;
    ASSERT_TRUE(writeFileAtomically(dir / "chain.ini", "through a chain\n", error)) << error;
    EXPECT_EQ(test::readFile(target), "through a chain\n");
    ASSERT_TRUE(writeFileAtomically(dir / "dangling.ini", "created\n", error)) << error;
    EXPECT_EQ(test::readFile(dir / "real/new.ini"), "created\n");
    for (const char* link : {"relative.ini", "chain.ini", "dangling.ini"})
        EXPECT_TRUE(std::filesystem::is_symlink(dir / link)) << link;

    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root) { // only a privileged writer can give a file back to another user
        ASSERT_EQ(::chown(target.c_str(), test::kNobody, test::kNobody), 0);
    }
    ASSERT_TRUE(writeFileAtomically(dir / "relative.ini", "kept\n", error)) << error;
    struct stat st { };
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(st.st_uid, root ? test::kNobody : ::geteuid());
    EXPECT_EQ(st.st_gid, root ? test::kNobody : ::getegid());
}

// A folder the user may not write in: nothing is written and the old file
// stays. Run as "nobody" when the tests run as root.
TEST(AtomicFile, ReadOnlyFolderRefusesTheWrite)
{
    ScratchDir dir;
    const auto file = dir.write("locked/a.ini", "old\n");
    test::runUnprivileged(dir.path(), [&] {
        std::filesystem::permissions(
            dir / "locked", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        std::string error;
        EXPECT_FALSE(writeFileAtomically(file, "new\n", error));
        EXPECT_NE(error.find("cannot write in the folder"), std::string::npos) << error;
        EXPECT_EQ(test::readFile(file), "old\n");
        std::filesystem::permissions(dir / "locked", std::filesystem::perms::owner_all);
    });
}

#endif

} // namespace
} // namespace kestrel
