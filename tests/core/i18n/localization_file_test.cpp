// The localization file: its names and places, and reading and writing it.
#include "core/base/text_util.h"
#include "core/i18n/english_texts.h"
#include "core/i18n/local_text_store.h"
#include "core/i18n/localization_file.h"
#include "support/recording_sink.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace kestrel {
namespace {

using namespace std::string_literals;
using test::ScratchDir;

const std::string kHeader = "Kestrel localization 1\n";
using FileTexts = std::vector<std::pair<int, std::string>>; // in the file's order

TEST(LocalizationFile, NamesAndPlaces)
{
    const std::filesystem::path settings = "/home/tech/.config/kestrel";
    EXPECT_EQ(localizationFileCandidates(1031, settings, "/opt/kestrel/bin"),
        (std::vector<std::filesystem::path>{
            "/home/tech/.config/kestrel/Kestrel_1031.MDB", "/opt/kestrel/bin/Kestrel_1031.MDB"}));
    EXPECT_EQ(localizationFileCandidates(1031, settings, settings).size(), 1u);
    EXPECT_EQ(localizationFileCandidates(1036, settings, {}).size(), 1u);
}

TEST(LocalizationFile, RoundTripKeepsEveryCharacterUpTo128)
{
    ScratchDir dir;
    const auto file = dir / "new/folder/Kestrel_1031.MDB";
    std::string longest; // 128 characters, 256 bytes
    for (int i = 0; i < 128; ++i)
        longest += "\xC3\xBC";
    const std::map<int, std::string> texts{{1223, "&Erstellen"}, {1235, "  Welch-Satterthwaite  "}, {257, "\xC2\xB1"},
        {1260, "Anleitung\tund Anschluss \\ Bild"}, {-5, "negative"}, {1300, longest}};
    auto withBlanks = texts;
    withBlanks.insert({{1224, "   "}, {1225, ""}}); // blank texts are not written
    std::string error;
    ASSERT_TRUE(writeLocalizationFile(file, withBlanks, error)) << error;
    EXPECT_EQ(test::readFile(file),
        kHeader +
            "-5\tnegative\n257\t\xC2\xB1\n1223\t&Erstellen\n1235\t  Welch-Satterthwaite  \n"
            "1260\tAnleitung\\tund Anschluss \\\\ Bild\n1300\t" +
            longest + "\n");
    EXPECT_EQ(readLocalizationFile(file).texts, FileTexts(texts.begin(), texts.end()));
    // Refused saves keep the old file.
    EXPECT_FALSE(writeLocalizationFile(file, {{1223, longest + "x"}}, error));
    EXPECT_EQ(error, "the text of 1223 is longer than 128 characters");
    EXPECT_FALSE(writeLocalizationFile(file, {{1224, "\xFF"}}, error));
    EXPECT_EQ(error, "the text of 1224 is not valid UTF-8");
    EXPECT_FALSE(writeLocalizationFile(file, {{1225, "two\r\nlines"}}, error));
    EXPECT_EQ(error, "the text of 1225 holds the control character U+000D; every text is one line");
    EXPECT_EQ(readLocalizationFile(file).texts, FileTexts(texts.begin(), texts.end()));
    // Hand-edited files: byte order mark, CR LF, comments, blank lines, no last
    // line end, numbers in any order and empty texts.
    const auto edited = readLocalizationFile(dir.write("k.MDB",
        "\xEF\xBB\xBF"
        "Kestrel localization 1\r\n# German\r\n\r\n"
        "1225\tEnglisch\r\n1224\t\r\n1223\t&Erstellen"));
    EXPECT_EQ(edited.texts, (FileTexts{{1225, "Englisch"}, {1224, ""}, {1223, "&Erstellen"}})) << edited.error;
}

TEST(LocalizationFile, DamagedFilesAreRejectedWhole)
{
    ScratchDir dir;
    for (const auto& [content, errorPart] : std::initializer_list<std::pair<std::string, std::string>>{
             {"", "the file is empty"}, {"Kestrel localization 2\n1223\tx\n", "not a Kestrel localization file"},
             {"1223\tx\n", "not a Kestrel localization file"}, {"\0\x01\x02"s, "not a Kestrel localization file"},
             {kHeader + "1223\tgood\n1224 no tab\n", "line 3: no TAB"},
             {kHeader + "\ttext\n", "\"\" is not a text number"},
             {kHeader + "12x\ttext\n", "line 2: \"12x\" is not a text number"},
             {kHeader + "99999999999\ttext\n", "is not"},
             {kHeader + "1223\ta\n1223\tb\n", "text number 1223 appears twice"},
             {kHeader + "1223\tq\\q\n", "escape \\q"}, {kHeader + "1223\tends in \\\n", "backslash at the end"},
             {kHeader + "1223\ttab\tinside\n", "control character"},
             {kHeader + "1223\tnul\0here\n"s, "control character"},
             {kHeader + "1223\tinjected\\r\\n  1.001  HEAD\n", "a line break (\\r) in the text"},
             {kHeader + "1223\tnext\xC2\x85line\n", "the control character U+0085"},
             {kHeader + "1223\t\xC3\x28\n", "not valid UTF-8"},
             // Quoted with its control characters escaped.
             {kHeader + "\x1b[2J\ttext\n", "line 2: \"\\u001b[2J\" is not a text number"},
             // A text that reads differently from what it holds.
             {kHeader + "1223\t&Create\xE2\x80\xAE\n",
                 "the direction-changing character U+202E; every text is one line"},
             {kHeader + "1223\tC\xE2\x80\x8Breate\n", "the invisible character U+200B"},
             {kHeader + "1223\tone\xE2\x80\xA8two\n", "the line separator U+2028"},
             {kHeader + "1223\t\xED\xA0\x80\n", "not valid UTF-8"}, {kHeader + "1223\t\xC0\xAF\n", "not valid UTF-8"},
             {kHeader + "1223\t" + std::string(129, 'x') + "\n", "longer than 128"},
             {kHeader + std::string(5 * 1024 * 1024, '#'), "too large for a localization file"}}) {
        const auto read = readLocalizationFile(dir.write("k.MDB", content));
        EXPECT_TRUE(read.texts.empty()) << errorPart;
        EXPECT_EQ(read.error.rfind((dir / "k.MDB").string() + ": ", 0), 0u) << read.error;
        EXPECT_NE(read.error.find(errorPart), std::string::npos) << read.error;
    }
    // What is wrong with the name is said: not "not found" for a folder or a pipe.
    std::filesystem::create_directories(dir / "folder.MDB");
    std::vector<std::pair<std::string, std::string>> refused{
        {"absent.MDB", "does not exist"}, {"folder.MDB", "is a folder, not a file"}};
#ifndef _WIN32
    ASSERT_EQ(::mkfifo((dir / "pipe.MDB").c_str(), 0600), 0);
    refused.emplace_back("pipe.MDB", "is not a regular file (a device, a pipe or a socket)");
#endif
    for (const auto& [name, problem] : refused)
        EXPECT_EQ(readLocalizationFile(dir / name).error, (dir / name).string() + ": " + problem);
}

} // namespace
} // namespace kestrel
