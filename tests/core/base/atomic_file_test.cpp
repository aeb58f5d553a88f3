// Replacing a file: every step that can fail on a real disk is made to fail,
// and the old file must come through whole each time. Many files replaced
// with one flush: each file whole or not at all, every temporary flushed
// before the first rename, and no temporary left behind.
#include "core/base/atomic_file.h"

#include "core/base/atomic_temporaries.h"
#include "core/base/path_text.h"

#include "support/test_scratch_dir.h"
#include "support/unprivileged.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kestrel {
namespace {

using test::readFile;
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

std::set<std::string> namesIn(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(utf8FromPath(entry.path().filename()));
    return names;
}

// The steps as the system takes them, each call noted.
struct RecordedSteps {
    AtomicWriteSteps steps;
    std::vector<std::string> calls;

    explicit RecordedSteps(bool wholeFileSystem)
    {
        const AtomicWriteSteps system = AtomicWriteSteps::system();
        steps.write = system.write;
        steps.flushToDisk = [this, system](int fd) {
            calls.push_back("flush");
            return system.flushToDisk(fd);
        };
        steps.rename = [this, system](const std::filesystem::path& from, const std::filesystem::path& to) {
            calls.push_back("rename " + to.filename().string());
            return system.rename(from, to);
        };
        if (wholeFileSystem)
            steps.flushFileSystem = [this](const std::filesystem::path&) {
                calls.push_back("flush file system");
                return std::error_code{};
            };
    }
};

TEST(AtomicFileBatch, FlushesEveryFileBeforeTheFirstRename)
{
    for (const bool wholeFileSystem : {true, false}) {
        ScratchDir dir;
        dir.write("out/b.txt", "old b\n");
        RecordedSteps recorded(wholeFileSystem);
        AtomicFileBatch batch(recorded.steps);
        std::string error;
        for (const char* name : {"a.txt", "b.txt", "c.txt"})
            ASSERT_TRUE(batch.stage(dir / "out" / name, std::string("new ") + name, error)) << error;
        EXPECT_EQ(batch.staged(), 3u);
        EXPECT_TRUE(recorded.calls.empty()) << "nothing is flushed or renamed while staging";
        EXPECT_EQ(readFile(dir / "out/b.txt"), "old b\n");

        EXPECT_TRUE(batch.commit().empty());
        EXPECT_EQ(batch.staged(), 0u);
        // One flush of the file system, or one per file; then the renames;
        // then the folder's flush (Windows cannot flush a folder).
        std::vector<std::string> expected;
        if (wholeFileSystem)
            expected = {"flush file system"};
        else
            expected = {"flush", "flush", "flush"};
        expected.insert(expected.end(), {"rename a.txt", "rename b.txt", "rename c.txt"});
#ifndef _WIN32
        expected.push_back("flush");
#endif
        EXPECT_EQ(recorded.calls, expected) << wholeFileSystem;
        EXPECT_EQ(namesIn(dir / "out"), (std::set<std::string>{"a.txt", "b.txt", "c.txt"}));
        EXPECT_EQ(readFile(dir / "out/b.txt"), "new b.txt");
    }
}

// A file that cannot be flushed or renamed keeps its old content; the
// others are replaced, and no temporary file stays.
TEST(AtomicFileBatch, AFailedFileKeepsItsOldContentAndTheOthersAreReplaced)
{
    ScratchDir dir;
    dir.write("out/a.txt", "old a\n");
    dir.write("out/b.txt", "old b\n");
    AtomicWriteSteps steps = AtomicWriteSteps::system();
    // The file system's flush fails, so each file is flushed by itself to
    // find the one that did not reach the disk.
    steps.flushFileSystem = [](const std::filesystem::path&) { return std::make_error_code(std::errc::io_error); };
    int flushes = 0;
    steps.flushToDisk = [&](int fd) {
        return ++flushes == 1 ? std::make_error_code(std::errc::no_space_on_device)
                              : AtomicWriteSteps::system().flushToDisk(fd);
    };
    const AtomicWriteSteps system = AtomicWriteSteps::system();
    steps.rename = [&](const std::filesystem::path& from, const std::filesystem::path& to) {
        return to.filename() == "b.txt" ? std::make_error_code(std::errc::cross_device_link) : system.rename(from, to);
    };
    AtomicFileBatch batch(steps);
    std::string error;
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        ASSERT_TRUE(batch.stage(dir / "out" / name, "new", error)) << error;
    const std::vector<AtomicFileBatch::Failure> failures = batch.commit();
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0].path, dir / "out" / "a.txt");
    EXPECT_NE(failures[0].error.find("to the disk: " + std::make_error_code(std::errc::no_space_on_device).message()),
        std::string::npos)
        << failures[0].error;
    EXPECT_EQ(failures[1].path, dir / "out" / "b.txt");
    EXPECT_NE(failures[1].error.find("cannot replace "), std::string::npos) << failures[1].error;
    EXPECT_EQ(readFile(dir / "out/a.txt"), "old a\n");
    EXPECT_EQ(readFile(dir / "out/b.txt"), "old b\n");
    EXPECT_EQ(readFile(dir / "out/c.txt"), "new");
    EXPECT_EQ(namesIn(dir / "out"), (std::set<std::string>{"a.txt", "b.txt", "c.txt"}));
}

TEST(AtomicFileBatch, WhatIsNeverCommittedLeavesNothing)
{
    ScratchDir dir;
    dir.write("out/a.txt", "old\n");
    {
        AtomicFileBatch batch;
        std::string error;
        ASSERT_TRUE(batch.stage(dir / "out/a.txt", "new", error)) << error;
        ASSERT_TRUE(batch.stage(dir / "out/b.txt", "new", error)) << error;
        EXPECT_EQ(namesIn(dir / "out").size(), 3u); // a.txt and the two temporaries
        // A file that cannot be staged is refused at once.
        std::filesystem::create_directories(dir / "out/folder");
        EXPECT_FALSE(batch.stage(dir / "out/folder/x/../../a.txt/y", "new", error));
        EXPECT_FALSE(error.empty());
    }
    EXPECT_EQ(namesIn(dir / "out"), (std::set<std::string>{"a.txt", "folder"}));
    EXPECT_EQ(readFile(dir / "out/a.txt"), "old\n");
}

// Temporaries that a killed save left beside the targets go in one pass
// after the batch; others' files, and fresh temporaries, stay.
TEST(AtomicFileBatch, RemovesStaleTemporariesOfItsTargets)
{
    ScratchDir dir;
    std::filesystem::create_directories(dir / "out");
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    const auto left = [&](const std::string& target, bool stale) {
        const std::string name = temporaryPathBeside(dir / "out" / target).filename().string();
        dir.write("out/" + name, "left");
        if (stale)
            std::filesystem::last_write_time(dir / "out" / name, old);
        return name;
    };
    left("a.txt", true);
    left("b.txt", true);
    const std::string other = left("other.txt", true);
    const std::string running = left("a.txt", false); // a save still running
    AtomicFileBatch batch;
    std::string error;
    for (const char* name : {"a.txt", "b.txt"})
        ASSERT_TRUE(batch.stage(dir / "out" / name, "new", error)) << error;
    ASSERT_TRUE(batch.commit().empty());
    batch.removeStaleTemporaries();
    EXPECT_EQ(namesIn(dir / "out"), (std::set<std::string>{"a.txt", "b.txt", other, running}));
}

// A batch's outputs may have the longest names the file system takes (255
// bytes, here in ASCII and in three-byte characters): their temporaries'
// names are short.
TEST(AtomicFileBatch, WritesTheLongestNames)
{
    ScratchDir dir;
    std::string wide; // "€" is three bytes in UTF-8
    while (wide.size() < 255)
        wide += "\xE2\x82\xAC";
    const std::vector<std::string> names{std::string(255, 'o'), wide};
    ASSERT_EQ(wide.size(), 255u);
    if (test::beyondPathLimit(dir.path() / pathFromUtf8(names[0])))
        GTEST_SKIP() << "the path is longer than this system's programs may reach";
    AtomicFileBatch batch;
    std::string error;
    for (const std::string& name : names)
        ASSERT_TRUE(batch.stage(dir.path() / pathFromUtf8(name), name, error)) << error;
    ASSERT_TRUE(batch.commit().empty());
    for (const std::string& name : names)
        EXPECT_EQ(readFile(dir.path() / pathFromUtf8(name)), name);
    EXPECT_EQ(namesIn(dir.path()).size(), 2u);
}

} // namespace
} // namespace kestrel
