// The atomic writer's leftovers: a save killed before its rename leaves a
// temporary file, and the next save of that file removes it, touching
// nothing else in the folder.
#include "core/base/atomic_temporaries.h"

#include "core/base/atomic_file.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

#include <set>

namespace kestrel {
namespace {

std::set<std::string> namesIn(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

TEST(AtomicTemporaries, TheWritersOwnNamesAndNoOthers)
{
    const struct {
        const char* name;
        bool ours;
    } cases[] = {
        {".Kestrel.INI.tmp-1-2-3", true},
        {".Kestrel.INI.tmp-3141592653-998877665544-0", true},
        {"Kestrel.INI.tmp-1-2-3", false},    // no leading dot
        {".Kestrel.INI.tmp-1-2", false},     // a part missing
        {".Kestrel.INI.tmp-1-2-3-4", false}, // a part too many
        {".Kestrel.INI.tmp-1-x-3", false},
        {".Kestrel.INI.tmp-1-2-3.bak", false},
        {".Kestrel.INI.tmp--2-3", false},
        {".Kestrel.INIX.tmp-1-2-3", false}, // another file's
        {".Kestrel.tmp-1-2-3", false},
        {".Kestrel.INI", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isTemporaryOf(c.name, "Kestrel.INI"), c.ours) << c.name;
    const std::filesystem::path made = temporaryPathBeside("/some/folder/Kestrel.INI");
    EXPECT_EQ(made.parent_path(), "/some/folder");
    EXPECT_TRUE(isTemporaryOf(made.filename().string(), "Kestrel.INI")) << made;
}

TEST(AtomicTemporaries, ASaveRemovesOnlyItsTargetsStaleTemporaries)
{
    test::ScratchDir dir;
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    const auto aged = [&](const std::string& name) {
        const auto path = dir.write(name, "partial");
        std::filesystem::last_write_time(path, old);
        return path;
    };
    aged(".Kestrel.INI.tmp-1-2-3");           // a killed save's: removed
    aged(".Kestrel.INI.tmp-4-5-6");           // another: removed
    dir.write(".Kestrel.INI.tmp-7-8-9", "x"); // fresh: another instance may be saving
    aged(".Other.INI.tmp-1-2-3");             // another target's
    aged(".Kestrel.INI.tmp-1-2");             // not our pattern
    aged("notes.txt");
    std::filesystem::create_directory(dir / ".Kestrel.INI.tmp-9-9-9"); // a folder is never ours
#ifndef _WIN32
    std::filesystem::create_symlink(dir / "notes.txt", dir / ".Kestrel.INI.tmp-5-5-5"); // nor a link
#endif
    std::string error;
    ASSERT_TRUE(writeFileAtomically(dir / "Kestrel.INI", "[Kestrel]\r\n", error)) << error;
    std::set<std::string> expected{"Kestrel.INI", ".Kestrel.INI.tmp-7-8-9", ".Other.INI.tmp-1-2-3",
        ".Kestrel.INI.tmp-1-2", "notes.txt", ".Kestrel.INI.tmp-9-9-9"};
#ifndef _WIN32
    expected.insert(".Kestrel.INI.tmp-5-5-5");
#endif
    EXPECT_EQ(namesIn(dir.path()), expected);
    EXPECT_EQ(test::readFile(dir / "notes.txt"), "partial");
}

} // namespace
} // namespace kestrel
