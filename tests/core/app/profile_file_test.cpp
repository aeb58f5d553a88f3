#include "core/app/profile_file.h"

#include "core/app/test_scratch_dir.h"
#include "support/recording_sink.h"

#include <gtest/gtest.h>

#include <climits>
#include <unistd.h>

namespace kestrel {
namespace {

using test::readFile;
using test::ScratchDir;

TEST(ProfileFile, MissingFileGivesDefaults)
{
    ScratchDir dir;
    const ProfileFile ini(dir / "absent.ini");
    EXPECT_EQ(ini.readString("Kestrel", "MaxDim", "100.0", 50), "100.0");
    EXPECT_EQ(ini.readInt("Kestrel", "TopMost", 1), 1);
}

TEST(ProfileFile, SectionsAndKeysIgnoreCaseAndBlanks)
{
    ScratchDir dir;
    const ProfileFile ini(dir.write("a.ini", "  [ KeStReL ]  \r\n\tmaxdim  =  12.5  \r\n; Revision=9\r\n"
                                             "quoted=\"  spaced  \"\r\n"));
    EXPECT_EQ(ini.readString("Kestrel", "MaxDim", "", 50), "12.5");
    EXPECT_EQ(ini.readString(" kestrel ", " MAXDIM ", "", 50), "12.5");
    EXPECT_EQ(ini.readString("Kestrel", "Revision", "1.0", 50), "1.0") << "a comment line is no key";
    EXPECT_EQ(ini.readString("Kestrel", "quoted", "", 50), "  spaced  ");
}

TEST(ProfileFile, FirstSectionAndFirstKeyWin)
{
    ScratchDir dir;
    const ProfileFile ini(dir.write("a.ini", "key=outside\n[s]\nkey=first\nkey=second\n[S]\nkey=third\nother=x\n"));
    EXPECT_EQ(ini.readString("s", "key", "", 50), "first");
    EXPECT_EQ(ini.readString("s", "other", "none", 50), "none");
}

TEST(ProfileFile, BufferLengthCutsValuesAndDefaults)
{
    ScratchDir dir;
    const std::string longValue(300, 'x');
    std::string accents;
    for (int i = 0; i < 60; ++i)
        accents += "\xC3\xA9";
    const ProfileFile ini(dir.write("a.ini", "[s]\nlong=" + longValue + "\naccents=" + accents + "\n"));
    EXPECT_EQ(ini.readString("s", "long", "", 50), std::string(49, 'x'));
    EXPECT_EQ(ini.readString("s", "long", "", 255), std::string(254, 'x'));
    EXPECT_EQ(ini.readString("s", "missing", longValue, 50), std::string(49, 'x'));
    EXPECT_EQ(ini.readString("s", "long", "", 0), "");
    EXPECT_EQ(ini.readString("s", "accents", "", 50), accents.substr(0, 98)) << "a cut never splits a character";
}

TEST(ProfileFile, ReadIntTakesTheLeadingInteger)
{
    ScratchDir dir;
    const ProfileFile ini(dir.write("a.ini", "[s]\nplain=25\nneg=-3\ntail=12abc\nword=abc\nempty=\n"
                                             "huge=99999999999\ntiny=-99999999999\nplus=+7\n"));
    struct Case {
        const char* key;
        int expected;
    };
    for (const Case& c : {Case{"plain", 25}, Case{"neg", -3}, Case{"tail", 12}, Case{"word", 0}, Case{"empty", 42},
                          Case{"huge", INT_MAX}, Case{"tiny", INT_MIN}, Case{"plus", 7}, Case{"absent", 42}})
        EXPECT_EQ(ini.readInt("s", c.key, 42), c.expected) << c.key;
}

TEST(ProfileFile, WriteCreatesFileAndFolder)
{
    ScratchDir dir;
    ProfileFile ini(dir / "new/folder/Kestrel.INI");
    ASSERT_TRUE(ini.writeString("Kestrel", "MaxDim", "50.0"));
    EXPECT_EQ(readFile(ini.path()), "[Kestrel]\nMaxDim=50.0\n");
    EXPECT_EQ(ini.readString("Kestrel", "MaxDim", "", 50), "50.0");
    EXPECT_TRUE(ini.lastError().empty());
}

TEST(ProfileFile, WriteReplacesOrAddsAndKeepsEverythingElse)
{
    ScratchDir dir;
    ProfileFile ini(dir.write("a.ini", "; settings\n[One]\na=1\nB = 2\n\n[Two]\nc=3\n"));
    ASSERT_TRUE(ini.writeString("one", "b", "20"));
    ASSERT_TRUE(ini.writeString("One", "d", "4"));
    ASSERT_TRUE(ini.writeString("Three", "e", "5"));
    EXPECT_EQ(readFile(ini.path()), "; settings\n[One]\na=1\nb=20\nd=4\n\n[Two]\nc=3\n\n[Three]\ne=5\n");
}

TEST(ProfileFile, WriteKeepsTheLineEndsAndByteOrderMark)
{
    ScratchDir dir;
    ProfileFile ini(dir.write("a.ini", "\xEF\xBB\xBF[s]\r\nk=1\r\nlast=2"));
    ASSERT_TRUE(ini.writeString("s", "k", "9"));
    EXPECT_EQ(readFile(ini.path()), "\xEF\xBB\xBF[s]\r\nk=9\r\nlast=2\r\n");
    EXPECT_EQ(ini.readString("s", "k", "", 50), "9");
}

TEST(ProfileFile, WriteRejectsLineBreaksAndBadNamesWithoutTouchingTheFile)
{
    ScratchDir dir;
    const std::string before = "[s]\nk=1\n";
    ProfileFile ini(dir.write("a.ini", before));
    test::RecordingSink sink;
    EXPECT_FALSE(ini.writeString("s", "k", "two\r\nlines", &sink));
    EXPECT_FALSE(ini.writeString("s", "a=b", "x"));
    EXPECT_FALSE(ini.writeString("s]", "k", "x"));
    EXPECT_FALSE(ini.writeString("s", " ", "x"));
    EXPECT_EQ(readFile(ini.path()), before);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].find("line break"), std::string::npos);
    EXPECT_FALSE(ini.lastError().empty());
}

TEST(ProfileFile, WriteLeavesNoTemporaryFiles)
{
    ScratchDir dir;
    ProfileFile ini(dir / "a.ini");
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(ini.writeString("s", "k" + std::to_string(i), "v"));
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1u);
}

TEST(ProfileFile, OversizedFileReadsAsEmptyAndIsNeverRewritten)
{
    ScratchDir dir;
    const std::string big = "[s]\nk=1\n" + std::string(kMaxProfileFileSize, ';');
    ProfileFile ini(dir.write("big.ini", big));
    EXPECT_EQ(ini.readString("s", "k", "default", 50), "default");
    EXPECT_FALSE(ini.writeString("s", "k", "2"));
    EXPECT_EQ(std::filesystem::file_size(ini.path()), big.size());
}

TEST(ProfileFile, BinaryAndEmptyFilesReadSafelyAndCanBeWritten)
{
    ScratchDir dir;
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>((i * 37) & 0xFF);
    for (const std::string& content : {std::string(), binary, std::string("\0\0[s]\0k=\0", 9)}) {
        ProfileFile ini(dir.write("b.ini", content));
        EXPECT_EQ(ini.readString("s", "missing", "d", 50), "d");
        ASSERT_TRUE(ini.writeString("s", "missing", "v"));
        EXPECT_EQ(ini.readString("s", "missing", "d", 50), "v");
    }
}

TEST(ProfileFile, FolderInsteadOfFile)
{
    ScratchDir dir;
    std::filesystem::create_directories(dir / "x.ini");
    ProfileFile ini(dir / "x.ini");
    EXPECT_EQ(ini.readString("s", "k", "d", 50), "d");
    EXPECT_FALSE(ini.writeString("s", "k", "v"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "x.ini"));
}

TEST(ProfileFile, WriteThroughSymbolicLinkKeepsTheLink)
{
    ScratchDir dir;
    const auto target = dir.write("real.ini", "[s]\nk=1\n");
    std::filesystem::create_symlink(target, dir / "link.ini");
    ProfileFile ini(dir / "link.ini");
    ASSERT_TRUE(ini.writeString("s", "k", "2"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.ini"));
    EXPECT_EQ(readFile(target), "[s]\nk=2\n");
}

TEST(ProfileFile, UnwritableFolderKeepsTheOldFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    ScratchDir dir;
    const std::string before = "[s]\nk=1\n";
    ProfileFile ini(dir.write("locked/a.ini", before));
    std::filesystem::permissions(dir / "locked", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_FALSE(ini.writeString("s", "k", "2"));
    std::filesystem::permissions(dir / "locked", std::filesystem::perms::owner_all);
    EXPECT_EQ(readFile(ini.path()), before);
}

} // namespace
} // namespace kestrel
