// The viewers' file lists against the demo Tessel installation, and the
// text of help and accuracy files as the panes show it.
#include "core/viewers/file_lists.h"

#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

const std::filesystem::path kDemo = std::filesystem::path(KESTREL_SOURCE_DIR) / "data" / "demo-tessel";

TEST(FileLists, PatternsMatchWithoutRegardToCase)
{
    const struct {
        const char* name;
        const char* patterns;
        bool match;
    } cases[] = {
        {"dmm_dcv.bmp", kPicturePattern.data(), true},
        {"LEADS.JPG", kPicturePattern.data(), true},
        {"scope.wfm", kPicturePattern.data(), true},
        {"notes.txt", kPicturePattern.data(), false},
        {"a.bmp.bak", kPicturePattern.data(), false},
        {"7300.hlp", "*.hlp", true},
        {"7300.hlpx", "*.hlp", false},
        {"README", "*.*", true}, // "*.*" takes names without a dot too
        {"m?30.hlp", "m?30.hlp", true},
        {"m730.hlp", "m?30.hlp", true},
        {"m30.hlp", "m?30.hlp", false},
        {"x", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(matchesFilePattern(c.name, c.patterns), c.match) << c.name << " ~ " << c.patterns;
}

TEST(FileLists, ListsMatchingFilesInListOrder)
{
    test::ScratchDir dir;
    for (const char* name : {"b.BMP", "A.jpg", "c.txt", "d.ico"})
        dir.write(name, "x");
    std::filesystem::create_directory(dir / "sub.bmp");
    EXPECT_EQ(listFiles(dir.path(), kPicturePattern), (std::vector<std::string>{"A.jpg", "b.BMP", "d.ico"}));
    EXPECT_TRUE(listFiles(dir / "missing", "*.*").empty());

    const auto help = listFiles(kDemo / "help", kHelpPattern);
    ASSERT_FALSE(help.empty());
    EXPECT_EQ(findListEntry(help, "VSET.HLP"), findListEntry(help, "vset.hlp"));
    EXPECT_GE(findListEntry(help, "confedit.hlp"), 0);
    EXPECT_EQ(findListEntry(help, "vset"), -1);
    EXPECT_EQ(findFileNoCase(kDemo / "help", "M730.HLP"), kDemo / "help" / "m730.hlp");
    EXPECT_EQ(findFileNoCase(kDemo / "help", "m7300.hlp"), std::nullopt);
}

TEST(FileLists, FileTextIsUtf8OrLatin1WithNewlines)
{
    EXPECT_EQ(displayText("a\r\nb\rc\nd"), "a\nb\nc\nd");
    EXPECT_EQ(displayText("\xEF\xBB\xBF"
                          "100 \xC2\xB5V"),
        "100 \xC2\xB5V");
    EXPECT_EQ(displayText("100 \xB5V \xB1"
                          "1"),
        "100 \xC2\xB5V \xC2\xB1"
        "1"); // Latin-1
    test::ScratchDir dir;
    EXPECT_EQ(readTextFile(dir.write("7300.acc", "DCV\r\n 1 V")), "DCV\n 1 V");
    EXPECT_EQ(readTextFile(dir / "missing.acc"), std::nullopt);
}

} // namespace
} // namespace kestrel
