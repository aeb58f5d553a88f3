#include "core/i18n/localization_file.h"

#include "core/app/test_scratch_dir.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

using test::readFile;
using test::ScratchDir;

const std::string kHeader = "Kestrel localization 1\n";

TEST(LocalizationFile, NamesAndPlaces)
{
    EXPECT_EQ(localizationFileName(1031), std::filesystem::path("Kestrel_1031.MDB"));
    test::EnvGuard config("KESTREL_CONFIG_DIR");
    config.set("/home/tech/.config/kestrel");
    const auto candidates = localizationFileCandidates(1031, "/opt/kestrel/bin");
    ASSERT_EQ(candidates.size(), 2u);
    EXPECT_EQ(candidates[0], std::filesystem::path("/home/tech/.config/kestrel/Kestrel_1031.MDB"));
    EXPECT_EQ(candidates[1], std::filesystem::path("/opt/kestrel/bin/Kestrel_1031.MDB"));
    EXPECT_EQ(localizationFileCandidates(1031, "").size(), 1u);
    EXPECT_EQ(localizationFileCandidates(1031, "/home/tech/.config/kestrel").size(), 1u);
    EXPECT_EQ(localizationSavePath(1036), std::filesystem::path("/home/tech/.config/kestrel/Kestrel_1036.MDB"));
}

TEST(LocalizationFile, RoundTripKeepsEveryCharacter)
{
    ScratchDir dir;
    const std::map<int, std::string> texts{
        {1223, "&Erstellen"},
        {1235, "  Welch-Satterthwaite  "},
        {1260, "Anleitung\tund\r\nAnschluss \\ Bild"},
        {257, "\xC2\xB1"},
        {-5, "negative numbers are numbers too"},
    };
    std::string error;
    ASSERT_TRUE(writeLocalizationFile(dir / "Kestrel_1031.MDB", texts, error)) << error;
    const auto read = readLocalizationFile(dir / "Kestrel_1031.MDB");
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(read.texts, texts);
    EXPECT_EQ(readFile(dir / "Kestrel_1031.MDB"),
              kHeader + "-5\tnegative numbers are numbers too\n257\t\xC2\xB1\n1223\t&Erstellen\n"
                        "1235\t  Welch-Satterthwaite  \n1260\tAnleitung\\tund\\r\\nAnschluss \\\\ Bild\n");
}

TEST(LocalizationFile, BlankTextsAreNotWritten)
{
    ScratchDir dir;
    std::string error;
    ASSERT_TRUE(writeLocalizationFile(dir / "k.MDB", {{1223, "   "}, {1224, ""}, {1225, "Englisch"}}, error));
    EXPECT_EQ(readFile(dir / "k.MDB"), kHeader + "1225\tEnglisch\n");
}

TEST(LocalizationFile, AcceptsHandEditedFiles)
{
    ScratchDir dir;
    const auto file = dir.write("k.MDB", "\xEF\xBB\xBF" "Kestrel localization 1\r\n# German\r\n\r\n1223\t&Erstellen\r\n"
                                         "1224\t\r\n1225\tEnglisch");
    const auto read = readLocalizationFile(file);
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(read.texts, (std::map<int, std::string>{{1223, "&Erstellen"}, {1224, ""}, {1225, "Englisch"}}));
}

TEST(LocalizationFile, TextsUpTo128Characters)
{
    ScratchDir dir;
    std::string longest;
    for (int i = 0; i < 128; ++i)
        longest += "\xC3\xBC";
    std::string error;
    ASSERT_TRUE(writeLocalizationFile(dir / "k.MDB", {{1223, longest}}, error)) << "128 characters, 256 bytes";
    EXPECT_EQ(readLocalizationFile(dir / "k.MDB").texts.at(1223), longest);

    EXPECT_FALSE(writeLocalizationFile(dir / "k.MDB", {{1223, longest + "x"}}, error));
    EXPECT_NE(error.find("longer than 128"), std::string::npos);
    EXPECT_FALSE(writeLocalizationFile(dir / "k.MDB", {{1224, "\xFF"}}, error));
    EXPECT_NE(error.find("UTF-8"), std::string::npos);
    EXPECT_EQ(readLocalizationFile(dir / "k.MDB").texts.at(1223), longest) << "a refused save keeps the old file";
}

TEST(LocalizationFile, DamagedFilesAreRejectedWhole)
{
    struct Case {
        std::string content;
        std::string errorPart;
    };
    const Case cases[] = {
        {"", "empty"},
        {"Kestrel localization 2\n1223\tx\n", "not a Kestrel localization file"},
        {"1223\tx\n", "not a Kestrel localization file"},
        {std::string("\0\x01\x02", 3), "not a Kestrel localization file"},
        {kHeader + "1223\tgood\n1224 no tab\n", "line 3: no TAB"},
        {kHeader + "12x\ttext\n", "line 2: \"12x\" is not a text number"},
        {kHeader + "\ttext\n", "is not a text number"},
        {kHeader + "99999999999\ttext\n", "is not a text number"},
        {kHeader + "1223\ta\n1223\tb\n", "appears twice"},
        {kHeader + "1223\tbad \\q escape\n", "unknown escape \\q"},
        {kHeader + "1223\tends in \\\n", "backslash at the end"},
        {kHeader + "1223\ttab\tinside\n", "control character"},
        {kHeader + std::string("1223\tnul\0here\n", 14), "control character"},
        {kHeader + "1223\t\xC3\x28\n", "not valid UTF-8"},
        {kHeader + "1223\t\xED\xA0\x80\n", "not valid UTF-8"},
        {kHeader + "1223\t\xC0\xAF\n", "not valid UTF-8"},
        {kHeader + "1223\t\xF0\x9F\x98\n", "not valid UTF-8"},
        {kHeader + "1223\t" + std::string(129, 'x') + "\n", "longer than 128"},
    };
    ScratchDir dir;
    for (const Case& c : cases) {
        const auto file = dir.write("k.MDB", c.content);
        const auto read = readLocalizationFile(file);
        EXPECT_TRUE(read.texts.empty()) << c.errorPart;
        EXPECT_NE(read.error.find(c.errorPart), std::string::npos) << read.error;
        EXPECT_NE(read.error.find("k.MDB"), std::string::npos) << "the error names the file";
    }
}

TEST(LocalizationFile, MissingFolderOrOversizedFile)
{
    ScratchDir dir;
    EXPECT_NE(readLocalizationFile(dir / "absent.MDB").error, "");
    std::filesystem::create_directories(dir / "folder.MDB");
    EXPECT_NE(readLocalizationFile(dir / "folder.MDB").error, "");
    const auto big = dir.write("big.MDB", kHeader + std::string(5 * 1024 * 1024, '#'));
    EXPECT_NE(readLocalizationFile(big).error.find("too large"), std::string::npos);
    std::string error;
    EXPECT_TRUE(writeLocalizationFile(dir / "new/folder/k.MDB", {{1223, "x"}}, error)) << error;
}

} // namespace
} // namespace kestrel
