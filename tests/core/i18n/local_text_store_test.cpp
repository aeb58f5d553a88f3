#include "core/i18n/local_text_store.h"

#include "core/app/test_scratch_dir.h"
#include "core/app/text_util.h"
#include "core/i18n/english_texts.h"
#include "core/i18n/localization_file.h"
#include "support/recording_sink.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

using test::RecordingSink;
using test::ScratchDir;

const std::string kHeader = "Kestrel localization 1\n";

TEST(LocalTextStore, StartsEmpty)
{
    RecordingSink sink;
    const LocalTextStore store(sink);
    EXPECT_TRUE(store.records().empty());
    EXPECT_FALSE(store.localFilePresent());
    EXPECT_EQ(store.gettext(1223), "");
    EXPECT_EQ(sink.messages, std::vector<std::string>{"Internal Error: Cannot find text string #1223"});
}

TEST(LocalTextStore, WithoutFileAnswersTrimmedEnglish)
{
    ScratchDir dir;
    RecordingSink sink;
    LocalTextStore store(sink);
    store.populate({dir / "Kestrel_1031.MDB"});
    EXPECT_FALSE(store.localFilePresent());
    ASSERT_EQ(store.records().size(), englishTexts().size());
    for (const EnglishText& entry : englishTexts())
        EXPECT_EQ(store.gettext(entry.number), trim(entry.text)) << entry.number;
    EXPECT_EQ(store.gettext(1235), "Welch-Satterthwaite");
    EXPECT_EQ(store.gettext(1571), "Connect channels 1 to 4 of the <fsc> to");
    EXPECT_TRUE(sink.messages.empty());

    store.setLocalFilePresent(true);
    store.populate({dir / "Kestrel_1031.MDB"});
    EXPECT_TRUE(store.localFilePresent()) << "a missing file leaves the flag as it was";
}

TEST(LocalTextStore, NumbersWithoutTextAreReported)
{
    RecordingSink sink;
    LocalTextStore store(sink);
    store.populate({});
    for (int number : {215, 99, 1601, -1}) {
        EXPECT_EQ(store.gettext(number), "");
        ASSERT_FALSE(sink.messages.empty());
        EXPECT_EQ(sink.messages.back(), "Internal Error: Cannot find text string #" + std::to_string(number));
    }
}

TEST(LocalTextStore, LocalTextsOverEnglish)
{
    ScratchDir dir;
    const auto file = dir.write("Kestrel_1031.MDB", kHeader + "1223\t  &Erstellen  \n1224\t   \n");
    RecordingSink sink;
    LocalTextStore store(sink);
    store.populate({file});
    EXPECT_TRUE(store.localFilePresent());
    EXPECT_EQ(store.loadedFile(), file);
    EXPECT_EQ(store.gettext(1223), "&Erstellen");
    EXPECT_EQ(store.gettext(1224), "Display &Local Text") << "a blank local text leaves English";
    EXPECT_EQ(store.gettext(1235), "Welch-Satterthwaite");
    EXPECT_TRUE(sink.messages.empty());
}

TEST(LocalTextStore, FirstExistingCandidateWins)
{
    ScratchDir dir;
    const auto user = dir.write("user/Kestrel_1031.MDB", kHeader + "1223\tvom Benutzer\n");
    const auto beside = dir.write("program/Kestrel_1031.MDB", kHeader + "1223\tneben dem Programm\n");
    RecordingSink sink;
    LocalTextStore store(sink);
    store.populate({user, beside});
    EXPECT_EQ(store.gettext(1223), "vom Benutzer");
    store.populate({dir / "none/Kestrel_1031.MDB", beside});
    EXPECT_EQ(store.gettext(1223), "neben dem Programm");
}

TEST(LocalTextStore, UnknownNumberEndsThePopulate)
{
    ScratchDir dir;
    const auto file = dir.write("k.MDB", kHeader + "1223\tErstellen\n215\tnirgends\n1500\tKan\xC3\xA4le\n");
    RecordingSink sink;
    LocalTextStore store(sink);
    store.populate({file});
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].rfind("Error:Populate local rs ", 0), 0u) << sink.messages[0];
    EXPECT_NE(sink.messages[0].find("215"), std::string::npos);
    // The file's records are applied in number order: 215 comes first.
    EXPECT_EQ(store.gettext(1223), "&Create");
    EXPECT_EQ(store.gettext(1500), "Channels");

    const auto later = dir.write("k2.MDB", kHeader + "1223\tErstellen\n1599\tnirgends\n");
    store.populate({later});
    EXPECT_EQ(store.gettext(1223), "Erstellen") << "texts applied before the bad record stay";
}

TEST(LocalTextStore, DamagedFileLeavesEnglish)
{
    ScratchDir dir;
    const auto file = dir.write("k.MDB", kHeader + "1223\tErstellen\n1224 no tab\n");
    RecordingSink sink;
    LocalTextStore store(sink);
    store.populate({file});
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].rfind("Error:Populate local rs ", 0), 0u);
    EXPECT_NE(sink.messages[0].find("line 3"), std::string::npos);
    EXPECT_EQ(store.gettext(1223), "&Create");
    EXPECT_TRUE(store.localFilePresent()) << "the file exists, even if it cannot be used";
}

TEST(LocalTextStore, EditorSaveKeepsOnlyTheSavedTexts)
{
    RecordingSink sink;
    LocalTextStore store(sink);
    store.populate({});
    store.replaceLocalTexts({{1224, "Lokal"}, {1223, "Erstellen"}, {1225, "  "}});
    const auto records = store.records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].first, 1223);
    EXPECT_EQ(records[1].first, 1224);
    EXPECT_EQ(store.gettext(1223), "Erstellen");
    EXPECT_EQ(store.gettext(1225), "");
    EXPECT_EQ(sink.messages.back(), "Internal Error: Cannot find text string #1225");
}

TEST(LocalTextStore, SavedFileComesBackAfterRepopulate)
{
    ScratchDir dir;
    std::string error;
    ASSERT_TRUE(writeLocalizationFile(dir / "k.MDB", {{1223, "Cr\xC3\xA9" "er"}}, error));
    RecordingSink sink;
    LocalTextStore store(sink);
    store.populate({dir / "k.MDB"});
    EXPECT_EQ(store.gettext(1223), "Cr\xC3\xA9" "er");
    EXPECT_EQ(store.records().size(), englishTexts().size());
}

} // namespace
} // namespace kestrel
