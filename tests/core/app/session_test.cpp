// Start-up and shut-down against a scratch settings folder: what is read,
// in which order messages come, and what is saved at the end.
#include "core/app/session.h"

#include "support/native.h"
#include "support/recording_sink.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

using test::RecordingSink;
using test::ScratchDir;

StartUpEnvironment scratchEnvironment(const ScratchDir& dir, int lcid = 1033, int language = 1033)
{
    return {lcid, language, dir.path() / "config", dir.path() / "program"};
}

TEST(Session, FirstStartWithoutAnySettings)
{
    ScratchDir dir;
    RecordingSink sink;
    const auto session = startUp("", scratchEnvironment(dir), sink);
    // Only the missing Tessel installation is reported, once.
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].rfind("Error: Get Tessel directory Tessel's configuration file", 0), 0u);
    EXPECT_TRUE(session->tessel.picDir.empty() && session->tessel.helpDir.empty() && session->tessel.accDir.empty());

    EXPECT_FALSE(session->locale.localizedMode);
    EXPECT_FALSE(session->texts.localFilePresent());
    EXPECT_TRUE(session->settings.topMost);
    const ProcedureInputs& in = session->inputs;
    EXPECT_EQ(in.identity, ProcedureIdentity{});
    EXPECT_EQ(in.selections.reference, "3302");
    EXPECT_EQ(in.scope.reference, 0);
    EXPECT_EQ(in.decimalSeparator, ".");
}

TEST(Session, RestoresLocaleTextsTesselAndDefaults)
{
    ScratchDir dir;
    const std::filesystem::path tessel = dir.path() / "Tessel";
    dir.write("Tessel/instruments.cfg", "calibrator 7600 with 7625 amplifier\n");
    dir.write("config/tessel.ini",
        "[startup]\naccdir=" + (tessel / "Acc").string() + "\npicdir=" + (tessel / "Pics").string() +
            "\nhelpdir=" + (tessel / "Help").string() + "\nconfig=" + (tessel / "instruments.cfg").string() + "\n");
    dir.write("config/Kestrel.INI",
        "[Kestrel]\nAuthorName=Ann\nProcName=Saved\nLastReference_Index=9\n"
        "LastScopeReference_Index=12\nTopMost=0\nComments=a~b\n");
    // A local text beside the program; the user's folder has none.
    dir.write("program/Kestrel_1031.MDB", "Kestrel localization 1\n1223\t&Erstellen\n");
    RecordingSink sink;
    const auto session = startUp("kestrel /lcid=1031", scratchEnvironment(dir, 1033, 1031), sink);
    EXPECT_TRUE(sink.messages.empty()) << sink.messages[0];

    EXPECT_EQ(session->locale.activeLcid, 1031);
    EXPECT_EQ(session->locale.decimalSeparator, ",");
    EXPECT_TRUE(session->locale.localizedMode);
    EXPECT_EQ(session->texts.gettext(1223), "&Erstellen");
    EXPECT_TRUE(session->texts.localFilePresent());
    EXPECT_EQ(session->localizationSavePath(), dir.path() / "config" / "Kestrel_1031.MDB");

    EXPECT_EQ(session->tessel.helpDir, folderWithSeparator(test::nativeFolderCase((tessel / "Help").string())));
    EXPECT_TRUE(session->inputs.has7625);
    EXPECT_FALSE(session->inputs.has3711);

    EXPECT_FALSE(session->settings.topMost);
    EXPECT_EQ(session->inputs.identity.name, "Enter Name");
    EXPECT_EQ(session->inputs.identity.author, "Ann");
    EXPECT_EQ(session->inputs.identity.comments, "a\r\nb");
    EXPECT_EQ(session->inputs.selections.reference, "7600");
    EXPECT_EQ(session->inputs.scope.reference, 9);
    EXPECT_EQ(session->inputs.decimalSeparator, ",");
    // The date follows the user's own locale, not the /lcid override.
    EXPECT_EQ(session->headerDate({2026, 12, 5}), "05-Dec-26");
}

TEST(Session, LocaleTheDatabaseDoesNotKnow)
{
    ScratchDir dir;
    RecordingSink sink;
    const auto session = startUp("kestrel /lcid=9999", scratchEnvironment(dir), sink);
    // Thousands and decimal separator each report, before Tessel's folders do.
    ASSERT_EQ(sink.messages.size(), 3u);
    EXPECT_EQ(sink.messages[0], sink.messages[1]);
    EXPECT_EQ(sink.messages[0].rfind("87, ", 0), 0u) << sink.messages[0];
    EXPECT_EQ(session->locale.decimalSeparator, "");
    EXPECT_EQ(session->inputs.decimalSeparator, ".");
}

TEST(Session, ShutDownSavesWhatTheWindowHolds)
{
    ScratchDir dir;
    RecordingSink sink;
    auto session = startUp("", scratchEnvironment(dir), sink);
    session->inputs.identity.name = "DMM 62";
    session->inputs.identity.comments = "one\r\ntwo";
    session->inputs.options.dataEntry = DataEntry::GoNoGo;
    session->inputs.options.measurements = 0;
    selectReference(session->inputs.selections, "7320");
    session->settings.maxDim = "12";
    shutDown(*session);
    EXPECT_EQ(test::readFile(dir.path() / "config" / "Kestrel.INI"),
        test::nativeLineEnds(
            "[Kestrel]\nProcName=DMM 62\nAuthorName=Enter your name\nRevision=1.0\nComments=one~two\nMaxDim=12\n"
            "UUTAccuracyUnitsListIndex=0\nLastReference_Index=8\nLastScopeReference_Index=0\n"
            "chk_Add_FUNCTION_Message=1\nchk_Add_RANGE_message=1\nDataEntry=1\nMeas_Unc_No_Readings=0\n"));

    // The next start restores them, except the name, which always starts afresh.
    const auto next = startUp("", scratchEnvironment(dir), sink);
    EXPECT_EQ(next->inputs.identity.name, "Enter Name");
    EXPECT_EQ(next->inputs.identity.comments, "one\r\ntwo");
    EXPECT_EQ(next->inputs.selections.reference, "7320");
    EXPECT_EQ(next->settings.maxDim, "12");
}

// A restored value that a specification file could not hold is dropped at
// start-up with a message; at shut-down a value that cannot be saved is
// saved as its default, and a save that fails is reported, not ignored.
TEST(Session, BadSettingsAreDroppedAndAFailedSaveIsReported)
{
    ScratchDir dir;
    dir.write("config/Kestrel.INI", "[Kestrel]\nAuthorName=Ann\x1b]0;x\x07\nRevision=2.1\n");
    RecordingSink sink;
    auto session = startUp("", scratchEnvironment(dir), sink);
    ASSERT_EQ(sink.messages.size(), 2u); // the missing Tessel installation first
    EXPECT_EQ(sink.messages[1],
        "The saved value of AuthorName in Kestrel.INI holds the control character U+001B; "
        "its default is used instead.");
    EXPECT_EQ(session->inputs.identity.author, "Enter your name");
    EXPECT_EQ(session->inputs.identity.revision, "2.1");

    session->settings.maxDim = "1\r2";
    session->inputs.identity.revision = "3.0";
    RecordingSink atExit;
    EXPECT_TRUE(shutDown(*session, &atExit));
    EXPECT_EQ(atExit.messages,
        std::vector<std::string>{"Error: save default values the value of MaxDim holds the "
                                 "control character U+000D; its default is saved instead"});
    const auto next = startUp("", scratchEnvironment(dir), sink);
    EXPECT_EQ(next->inputs.identity.revision, "3.0");
    EXPECT_EQ(next->settings.maxDim, "100.0");

    // A settings folder that is a file: nothing can be saved, and the caller learns it.
    dir.write("blocked", "");
    auto blocked = startUp("", {1033, 1033, dir.path() / "blocked", dir.path() / "program"}, sink);
    EXPECT_FALSE(shutDown(*blocked));
    RecordingSink failure;
    EXPECT_FALSE(shutDown(*blocked, &failure));
    ASSERT_EQ(failure.messages.size(), 1u);
    EXPECT_EQ(failure.messages[0].rfind("Error: save default values ", 0), 0u) << failure.messages[0];
}

} // namespace
} // namespace kestrel
