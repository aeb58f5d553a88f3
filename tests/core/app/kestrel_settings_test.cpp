#include "core/app/kestrel_settings.h"

#include "core/app/test_scratch_dir.h"
#include "core/i18n/text_lookup.h"
#include "support/recording_sink.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

using test::readFile;
using test::ScratchDir;

TEST(KestrelSettings, NoFileGivesTheDefaults)
{
    ScratchDir dir;
    const KestrelSettings s = readDefaultValues(ProfileFile(dir / "Kestrel.INI"));
    EXPECT_TRUE(s.topMost);
    EXPECT_EQ(s.maxDim, "100.0");
    EXPECT_EQ(s.revision, "1.0");
    EXPECT_EQ(s.authorName, "Enter your name");
    EXPECT_EQ(s.procName, "Enter Name");
    EXPECT_EQ(s.unitsText, "PSI");
    EXPECT_EQ(s.unitsListIndex, 1);
    EXPECT_EQ(s.comments, "");
    EXPECT_TRUE(s.addFunctionMessage);
    EXPECT_TRUE(s.addRangeMessage);
    EXPECT_EQ(s.pauseBetweenTests, 0);
    EXPECT_EQ(s.lastReferenceIndex, 1);
    EXPECT_EQ(s.lastScopeReferenceIndex, 0);
    EXPECT_EQ(s.dataEntry, 2);
    EXPECT_EQ(s.measurementsText, "1");
}

TEST(KestrelSettings, RestoresStoredValues)
{
    ScratchDir dir;
    const KestrelSettings s = readDefaultValues(ProfileFile(dir.write(
        "Kestrel.INI", "[kestrel]\nMaxDim=250\nUnitsListIndex=0\nUnitsText=kPa\nComments=first~second~~\n"
                       "Revision=2.1\nAuthorName=R. Vance\nProcName=Saved Name\nchk_Add_FUNCTION_Message=0\n"
                       "chk_Add_RANGE_message=0\nDataEntry=0\nMeas_Unc_No_Readings=7\nUUTAccuracyUnitsListIndex=3\n")));
    EXPECT_EQ(s.maxDim, "250");
    EXPECT_EQ(s.unitsListIndex, 0);
    EXPECT_EQ(s.unitsText, "kPa");
    EXPECT_EQ(s.comments, "first\r\nsecond\r\n\r\n");
    EXPECT_EQ(s.revision, "2.1");
    EXPECT_EQ(s.authorName, "R. Vance");
    EXPECT_EQ(s.procName, "Enter Name") << "ProcName is never read";
    EXPECT_FALSE(s.addFunctionMessage);
    EXPECT_FALSE(s.addRangeMessage);
    EXPECT_EQ(s.dataEntry, 2) << "only written";
    EXPECT_EQ(s.measurementsText, "1") << "only written";
    EXPECT_EQ(s.uutAccuracyUnitsListIndex, 0) << "not applied";
}

TEST(KestrelSettings, ListIndexesAreClamped)
{
    struct Case {
        const char* stored;
        int reference;
        int scope;
    };
    ScratchDir dir;
    for (const Case& c : {Case{"25", 11, 9}, Case{"-3", 0, 0}, Case{"12", 11, 9}, Case{"5", 5, 5}, Case{"x", 0, 0}}) {
        const auto file = dir.write("Kestrel.INI", std::string("[Kestrel]\nLastReference_Index=") + c.stored +
                                                       "\nLastScopeReference_Index=" + c.stored + "\n");
        const KestrelSettings s = readDefaultValues(ProfileFile(file));
        EXPECT_EQ(s.lastReferenceIndex, c.reference) << c.stored;
        EXPECT_EQ(s.lastScopeReferenceIndex, c.scope) << c.stored;
    }
}

TEST(KestrelSettings, TopMostIsOnFromOne)
{
    ScratchDir dir;
    for (const auto& [stored, on] : {std::pair{"0", false}, std::pair{"5", true}, std::pair{"1", true},
                                     std::pair{"-1", false}, std::pair{"", true}}) {
        const auto file = dir.write("Kestrel.INI", std::string("[Kestrel]\nTopMost=") + stored + "\n");
        EXPECT_EQ(readDefaultValues(ProfileFile(file)).topMost, on) << stored;
    }
    ProfileFile ini(dir / "Kestrel.INI");
    ASSERT_TRUE(writeTopMost(ini, false));
    EXPECT_FALSE(readDefaultValues(ini).topMost);
    ASSERT_TRUE(writeTopMost(ini, true));
    EXPECT_TRUE(readDefaultValues(ini).topMost);
}

TEST(KestrelSettings, PauseBetweenTestsLastTrueReadWins)
{
    // The one stored value is read once per option with the defaults
    // "1", "0", "0": the last option that reads true is selected.
    ScratchDir dir;
    for (const auto& [stored, option] : {std::pair{"0", 0}, std::pair{"1", 2}, std::pair{"2", 2},
                                         std::pair{"True", 2}, std::pair{"false", 0}, std::pair{"abc", 0}}) {
        const auto file = dir.write("Kestrel.INI", std::string("[Kestrel]\nPauseBetweenTests=") + stored + "\n");
        EXPECT_EQ(readDefaultValues(ProfileFile(file)).pauseBetweenTests, option) << stored;
    }
}

TEST(KestrelSettings, ValuesComeBackCutTo49Characters)
{
    ScratchDir dir;
    const std::string author(60, 'a');
    const auto file = dir.write("Kestrel.INI", "[Kestrel]\nAuthorName=" + author + "\nComments=" + std::string(48, 'c') + "~x\n");
    const KestrelSettings s = readDefaultValues(ProfileFile(file));
    EXPECT_EQ(s.authorName, std::string(49, 'a'));
    EXPECT_EQ(s.comments, std::string(48, 'c') + "\r\n") << "cut before the line breaks come back";
}

TEST(KestrelSettings, SaveWritesTheKeysInOrder)
{
    ScratchDir dir;
    ProfileFile ini(dir / "Kestrel.INI");
    KestrelSettings s;
    s.procName = "DMM 62";
    s.comments = "line one\r\nline two\nthree";
    s.addRangeMessage = false;
    s.lastReferenceIndex = 4;
    s.dataEntry = 3;
    s.measurementsText = "5";
    test::RecordingSink sink;
    ASSERT_TRUE(saveDefaultValues(ini, s, sink, EnglishLookup()));
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(readFile(ini.path()), "[Kestrel]\nProcName=DMM 62\nAuthorName=Enter your name\nRevision=1.0\n"
                                    "Comments=line one~line two~three\nMaxDim=100.0\nUUTAccuracyUnitsListIndex=0\n"
                                    "LastReference_Index=4\nLastScopeReference_Index=0\nchk_Add_FUNCTION_Message=1\n"
                                    "chk_Add_RANGE_message=0\nDataEntry=3\nMeas_Unc_No_Readings=5\n");
    const KestrelSettings back = readDefaultValues(ini);
    EXPECT_EQ(back.comments, "line one\r\nline two\r\nthree");
    EXPECT_EQ(back.lastReferenceIndex, 4);
    EXPECT_FALSE(back.addRangeMessage);
}

TEST(KestrelSettings, SaveKeepsOtherKeys)
{
    ScratchDir dir;
    ProfileFile ini(dir.write("Kestrel.INI", "[Kestrel]\nTopMost=0\nUnitsText=bar\n"));
    test::RecordingSink sink;
    ASSERT_TRUE(saveDefaultValues(ini, KestrelSettings{}, sink, EnglishLookup()));
    const KestrelSettings back = readDefaultValues(ini);
    EXPECT_FALSE(back.topMost);
    EXPECT_EQ(back.unitsText, "bar");
}

TEST(KestrelSettings, SaveFailureIsReported)
{
    ScratchDir dir;
    dir.write("not-a-folder", "");
    ProfileFile ini(dir / "not-a-folder/Kestrel.INI");
    test::RecordingSink sink;
    EXPECT_FALSE(saveDefaultValues(ini, KestrelSettings{}, sink, EnglishLookup()));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].rfind("Error: save default values cannot", 0), 0u) << sink.messages[0];
}

} // namespace
} // namespace kestrel
