// The localization file and the texts the program answers from it.
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

TEST(LocalTextStore, WithoutFileAnswersTrimmedEnglishAndReportsMissingNumbers)
{
    ScratchDir dir;
    test::RecordingSink sink;
    LocalTextStore store(sink);
    EXPECT_EQ(store.gettext(1223), "") << "nothing before the first populate";
    store.populate({dir.write("Kestrel_1031.MDB", kHeader)});
    EXPECT_TRUE(store.localFilePresent());
    std::filesystem::remove(dir / "Kestrel_1031.MDB");
    store.populate({dir / "Kestrel_1031.MDB"});
    EXPECT_FALSE(store.localFilePresent()) << "the flag tells whether the texts come from a file";
    EXPECT_EQ(store.loadedFile(), std::filesystem::path());
    ASSERT_EQ(store.records().size(), englishTexts().size());
    for (const EnglishText& entry : englishTexts())
        EXPECT_EQ(store.gettext(entry.number), trim(entry.text)) << entry.number;
    EXPECT_EQ(
        store.gettext(1235) + "|" + store.gettext(1571), "Welch-Satterthwaite|Connect channels 1 to 4 of the <fsc> to");
    for (int number : {215, 99, 1601, -1})
        EXPECT_EQ(store.gettext(number), "");
    // The editor's save leaves only the texts saved, in number order, until the next populate.
    store.replaceLocalTexts({{1224, "Lokal"}, {1223, "Erstellen"}, {1225, "  "}});
    EXPECT_EQ(store.records(),
        (std::vector<std::pair<int, std::optional<std::string>>>{{1223, "Erstellen"}, {1224, "Lokal"}}));
    const std::string missing = "Internal Error: Cannot find text string #";
    EXPECT_EQ(sink.messages,
        (std::vector<std::string>{
            missing + "1223", missing + "215", missing + "99", missing + "1601", missing + "-1"}));
}

TEST(LocalTextStore, LocalTextsOverEnglishFromTheFirstFileFound)
{
    ScratchDir dir;
    const auto user = dir.write("user/Kestrel_1031.MDB", kHeader + "1223\t  &Erstellen  \n1224\t   \n");
    const auto beside = dir.write("program/Kestrel_1031.MDB",
        kHeader +
            "1223\tCr\xC3\xA9"
            "er\n");
    test::RecordingSink sink;
    LocalTextStore store(sink);
    store.populate({dir / "none/Kestrel_1031.MDB", user, beside});
    EXPECT_TRUE(store.localFilePresent());
    // A blank local text means the English one, as in the editor; the
    // numbers the file does not hold stay English.
    EXPECT_EQ(store.gettext(1223) + "|" + store.gettext(1224) + "|" + store.gettext(1235),
        "&Erstellen|" + trim(*englishText(1224)) + "|Welch-Satterthwaite");
    store.populate({beside});
    EXPECT_EQ(store.gettext(1223),
        "Cr\xC3\xA9"
        "er");
    EXPECT_TRUE(sink.messages.empty());
}

// A hand-written file's blank text for a procedure's section title (DC
// Volts Test, empty or blanks only) keeps the English title: the procedure
// never gets a HEAD {} without one.
TEST(LocalTextStore, ABlankTextIsTheEnglishText)
{
    ScratchDir dir;
    test::RecordingSink sink;
    LocalTextStore store(sink);
    for (const char* blank : {"", " ", "     "}) {
        store.populate({dir.write("Kestrel_1031.MDB", kHeader + "242\t" + blank + "\n243\tAC-Spannungstest\n")});
        EXPECT_EQ(store.gettext(242), "DC Volts Test") << "\"" << blank << "\"";
        EXPECT_EQ(store.gettext(243), "AC-Spannungstest");
    }
    EXPECT_TRUE(sink.messages.empty());
}

// A symbolic link put where the file belongs is meant as the file: when
// what it names is gone, that is said, not taken for no localization.
TEST(LocalTextStore, ADanglingLinkIsReported)
{
    ScratchDir dir;
    std::error_code ec;
    std::filesystem::create_symlink(dir / "moved.MDB", dir / "Kestrel_1031.MDB", ec);
    if (ec)
        GTEST_SKIP() << "no symbolic links here";
    test::RecordingSink sink;
    LocalTextStore store(sink);
    store.populate({dir / "Kestrel_1031.MDB", dir.write("program/Kestrel_1031.MDB", kHeader + "1223\tErstellen\n")});
    EXPECT_EQ(store.gettext(1223), "&Create") << "not the next candidate's texts";
    EXPECT_EQ(store.loadedFile(), dir / "Kestrel_1031.MDB");
    EXPECT_EQ(sink.messages,
        std::vector<std::string>{"Error:Populate local rs " + (dir / "Kestrel_1031.MDB").string() +
            ": is a symbolic link to " + (dir / "moved.MDB").string() + ", which does not exist"});
}

TEST(LocalTextStore, BadFilesAreReportedAndEnglishStays)
{
    ScratchDir dir;
    test::RecordingSink sink;
    LocalTextStore store(sink);
    // Records are applied in the file's order: an unknown number ends the
    // rebuild, the texts before it stay, the ones after it are not applied.
    store.populate({dir.write("a.MDB", kHeader + "1500\tKan\xC3\xA4le\n215\tnirgends\n1223\tErstellen\n")});
    EXPECT_EQ(store.gettext(1500) + "|" + store.gettext(1223), "Kan\xC3\xA4le|&Create");
    store.populate({dir.write("b.MDB", kHeader + "1223\tErstellen\n1599\tnirgends\n1500\tKan\xC3\xA4le\n")});
    EXPECT_EQ(store.gettext(1223) + "|" + store.gettext(1500), "Erstellen|Channels");
    store.populate({dir.write("c.MDB", kHeader + "1223\tErstellen\n1224 no tab\n")});
    EXPECT_EQ(store.gettext(1223), "&Create") << "a damaged file is used not at all";
    EXPECT_TRUE(store.localFilePresent()) << "the file exists, even if it cannot be used";
    const auto error = [&](const char* file) { return "Error:Populate local rs " + (dir / file).string(); };
    EXPECT_EQ(sink.messages,
        (std::vector<std::string>{error("a.MDB") + ": text number 215 has no built-in text",
            error("b.MDB") + ": text number 1599 has no built-in text",
            error("c.MDB") + ": line 3: no TAB between the text number and the text"}));
}

} // namespace
} // namespace kestrel
