// The atomic writer's temporaries: short names whatever the target's, so
// that a file of the longest name the file system takes can be replaced;
// and a save killed before its rename leaves a temporary file, which the
// next save of that file removes, touching nothing else in the folder.
#include "core/base/atomic_temporaries.h"

#include "core/base/atomic_file.h"
#include "core/base/path_text.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

#include <set>

namespace kestrel {
namespace {

std::set<std::string> namesIn(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(utf8FromPath(entry.path().filename()));
    return names;
}

std::string temporaryNameOf(const std::string& target)
{
    return utf8FromPath(temporaryPathBeside(pathFromUtf8("/some/folder/" + target)).filename());
}

// 255 bytes: the most a name may have on the common file systems; the
// second in two-byte characters ("ä"), with one byte of ASCII to make 255.
const std::string kLongest(255, 'n');
const std::string kLongestUtf8 = [] {
    std::string name = "x";
    while (name.size() < 255)
        name += "\xC3\xA4";
    return name;
}();

TEST(AtomicTemporaries, NamesAreShortAndTheirTargetsOwn)
{
    for (const std::string& target : {std::string("Kestrel.INI"), std::string("a"), kLongest, kLongestUtf8}) {
        const std::string name = temporaryNameOf(target);
        EXPECT_EQ(name.size(), 38u) << name;  // the same length for every target
        EXPECT_EQ(name.front(), '.') << name; // hidden where a leading dot hides
        EXPECT_TRUE(isTemporaryOf(name, target)) << name;
        EXPECT_NE(temporaryNameOf(target), name); // drawn afresh every time
    }
    const std::filesystem::path made = temporaryPathBeside("/some/folder/Kestrel.INI");
    EXPECT_EQ(made.parent_path(), "/some/folder");

    const std::string ours = temporaryNameOf("Kestrel.INI");
    const struct {
        std::string name;
        const char* why;
    } others[] = {
        {ours.substr(1), "no leading dot"},
        {ours + "x", "one character too many"},
        {ours.substr(0, 37), "one too few"},
        {ours.substr(0, 34) + ".bak", "another ending"},
        {ours.substr(0, 20) + "G" + ours.substr(21), "not a hex digit"},
        {ours.substr(0, 20) + "A" + ours.substr(21), "an upper-case digit"},
        {ours.substr(0, 17) + "_" + ours.substr(18), "no dash between the parts"},
        {temporaryNameOf("Kestrel.INIX"), "another file's"},
        {".Kestrel.INI", "the target's own name"},
        {".Kestrel.INI.tmp-1-2-3", "a name of another form"},
    };
    for (const auto& other : others)
        EXPECT_FALSE(isTemporaryOf(other.name, "Kestrel.INI")) << other.name << ": " << other.why;
    EXPECT_FALSE(isTemporaryOf(ours, ""));
}

TEST(AtomicTemporaries, ASaveRemovesOnlyItsTargetsStaleTemporaries)
{
    test::ScratchDir dir;
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    const auto aged = [&](const std::string& name) {
        const auto path = dir.write(name, "partial");
        std::filesystem::last_write_time(path, old);
        return name;
    };
    aged(temporaryNameOf("Kestrel.INI")); // a killed save's: removed
    aged(temporaryNameOf("Kestrel.INI")); // another: removed
    const std::string fresh = temporaryNameOf("Kestrel.INI");
    dir.write(fresh, "x");                                        // fresh: another instance may be saving
    const std::string other = aged(temporaryNameOf("Other.INI")); // another target's
    const std::string unlike = aged(".Kestrel.INI.tmp-1-2-3");    // not this writer's form
    aged("notes.txt");
    const std::string folder = temporaryNameOf("Kestrel.INI");
    std::filesystem::create_directory(dir / folder); // a folder is never ours
    std::set<std::string> expected{"Kestrel.INI", fresh, other, unlike, "notes.txt", folder};
#ifndef _WIN32
    const std::string link = temporaryNameOf("Kestrel.INI");
    std::filesystem::create_symlink(dir / "notes.txt", dir / link); // nor a link
    expected.insert(link);
#endif
    std::string error;
    ASSERT_TRUE(writeFileAtomically(dir / "Kestrel.INI", "[Kestrel]\r\n", error)) << error;
    EXPECT_EQ(namesIn(dir.path()), expected);
    EXPECT_EQ(test::readFile(dir / "notes.txt"), "partial");
}

// The longest names, in ASCII and in two-byte characters, are written,
// replaced and cleared up after like any other.
TEST(AtomicTemporaries, TheLongestNamesAreWrittenAndReplaced)
{
    for (const std::string& name : {kLongest, kLongestUtf8}) {
        SCOPED_TRACE(name.size());
        test::ScratchDir dir;
        const std::filesystem::path target = dir.path() / pathFromUtf8(name);
        if (test::beyondPathLimit(target))
            GTEST_SKIP() << "the path is longer than this system's programs may reach";
        std::string error;
        ASSERT_TRUE(writeFileAtomically(target, "first\n", error)) << error;
        const std::string left = temporaryNameOf(name);
        dir.write(left, "partial");
        std::filesystem::last_write_time(
            dir / left, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
        ASSERT_TRUE(writeFileAtomically(target, "second\n", error)) << error;
        EXPECT_EQ(test::readFile(target), "second\n");
        EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{name});
    }
}

} // namespace
} // namespace kestrel
