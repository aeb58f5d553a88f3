// The texts the program answers: the local text over English, from the
// first localization file found, and what is wrong with a file reported.
#include "core/base/text_util.h"
#include "core/i18n/english_texts.h"
#include "core/i18n/local_text_store.h"
#include "core/i18n/localization_file.h"
#include "support/recording_sink.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

using test::ScratchDir;

const std::string kHeader = "Kestrel localization 1\n";

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
