// Many files replaced with one flush: each file whole or not at all, every
// temporary flushed before the first rename, and no temporary left behind.
#include "core/base/atomic_file.h"

#include "core/base/atomic_temporaries.h"
#include "core/base/path_text.h"

#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace kestrel {
namespace {

using test::readFile;
using test::ScratchDir;

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
