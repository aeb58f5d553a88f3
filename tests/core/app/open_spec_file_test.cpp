// Opening a specification file for a run: the file's inputs with the run's
// own values, or the step that failed and why.
#include "core/app/open_spec_file.h"

#include "core/app/session.h"
#include "core/app/spec_file.h"
#include "support/recording_sink.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

using test::RecordingSink;
using test::ScratchDir;

// A session under German (decimal ",") whose Tessel installation has the
// 7625 amplifier.
std::unique_ptr<Session> germanSessionWith7625(const ScratchDir& dir, RecordingSink& sink)
{
    const std::filesystem::path tessel = dir.path() / "Tessel";
    dir.write("Tessel/instruments.cfg", "calibrator 7600 with 7625 amplifier\n");
    dir.write("config/tessel.ini",
        "[startup]\naccdir=" + (tessel / "Acc").string() + "\npicdir=" + (tessel / "Pics").string() +
            "\nhelpdir=" + (tessel / "Help").string() + "\nconfig=" + (tessel / "instruments.cfg").string() + "\n");
    return startUp(StartUpSwitches{1031, false}, {1033, 1033, dir.path() / "config", {}}, sink);
}

TEST(OpenSpecFile, TheFileWithTheValuesOfTheRun)
{
    ScratchDir dir;
    RecordingSink sink;
    const auto session = germanSessionWith7625(dir, sink);
    const auto file = dir.write("dmm.kestrel.json", R"({"format": "kestrel-spec", "version": 1,
        "procedure": {"name": "DMM"}, "meter": {"reference": "7600",
        "functions": {"dcv": [{"range": "2.5", "reading_pct": "0.05"}]}}})");

    const OpenedSpecFile opened = openSpecFile(file, *session, "05-Dez-26");
    ASSERT_TRUE(opened.inputs) << opened.reason;
    EXPECT_EQ(opened.failure, OpenFailure::None);
    const ProcedureInputs& in = *opened.inputs;
    EXPECT_EQ(in.identity.name, "DMM");
    // Held as the file writes them; the inputs carry the locale's separator.
    EXPECT_EQ(in.meter.table(MeterFunction::Dcv).cell(0, 0), "2.5");
    EXPECT_EQ(in.decimalSeparator, ",");
    EXPECT_TRUE(in.has7625);
    EXPECT_FALSE(in.has3711);
    EXPECT_EQ(in.headerDate, "05-Dez-26");
    EXPECT_TRUE(sink.messages.empty()) << sink.messages[0];
}

// Nothing of a failed file: which step failed, and the reason that follows
// the file's name in a message.
TEST(OpenSpecFile, SaysWhichStepFailed)
{
    ScratchDir dir;
    RecordingSink sink;
    const auto session = germanSessionWith7625(dir, sink);
    std::filesystem::create_directories(dir / "folder.kestrel.json");
    struct Case {
        std::filesystem::path path;
        OpenFailure failure;
        const char* reason;
    } const cases[] = {
        {dir / "missing.kestrel.json", OpenFailure::Unreadable, "does not exist"},
        {dir / "folder.kestrel.json", OpenFailure::Unreadable, "is a folder"},
        {dir.write("bad.kestrel.json", R"({"meter": {"functions": {"dcv": [{"range": "2"}, {"range": "1m5"}]}}})"),
            OpenFailure::Invalid, "meter.functions.dcv[1].range: "},
        // The file's "." is the decimal mark on every machine; a "," never is.
        {dir.write("comma.kestrel.json", R"({"meter": {"functions": {"dcv": [{"range": "2,5"}]}}})"),
            OpenFailure::Invalid, "meter.functions.dcv[0].range: "},
    };
    for (const Case& c : cases) {
        const OpenedSpecFile opened = openSpecFile(c.path, *session, "today");
        EXPECT_FALSE(opened.inputs) << c.path;
        EXPECT_EQ(opened.failure, c.failure) << c.path;
        EXPECT_NE(opened.reason.find(c.reason), std::string::npos) << opened.reason;
    }
}

} // namespace
} // namespace kestrel
