// The preamble rules the golden procedures do not reach: every operator flag,
// the range-message switch and the 16-bit line count of the header.
#include "core/procgen/build_header.h"

#include "core/base/failure.h"
#include "core/procgen/preamble.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

std::string spaces(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

TEST(Preamble, AskFlagsFollowTheOptions)
{
    ProcedureOptions options; // all buttons on, post-test window on failure, keyboard entry
    EXPECT_EQ(askMinus(options), "ASK-" + spaces(41) + "F" + spaces(20) + "V");
    EXPECT_EQ(askPlus(options), "ASK+" + spaces(11) + "K");

    options.operatorButtons = {false, false, false};
    options.postTestWindow = PostTestWindow::Never;
    options.dataEntry = DataEntry::Slew;
    EXPECT_EQ(askMinus(options), "ASK-" + spaces(25) + "P" + spaces(17) + "X" + spaces(13) + "L" + spaces(4) + "V");
    EXPECT_EQ(askPlus(options), "");

    options.postTestWindow = PostTestWindow::Always;
    options.dataEntry = DataEntry::GoNoGo;
    EXPECT_EQ(askPlus(options), "ASK+" + spaces(11) + "G" + spaces(41) + "A");
}

TEST(BuildHeader, RangeMessagesTurnedOffOnlyWhenInstructionRecordsExist)
{
    MeterInputs inputs;
    inputs.options.functionMessages = false; // autoranging stays on
    ProcedureWriter writer;
    writer.step("HEAD   \\{DC Volts Test\\}");
    ProcedureWriter withRecords = writer;
    buildHeader(writer, inputs, EnglishLookup{}, PreambleGap::TwoBlankLines, false);
    EXPECT_EQ(writer.text().find("ASK-   R"), std::string::npos);

    inputs.connections.append({MeterFunction::Dcv, 0, "a.bmp", std::nullopt});
    buildHeader(withRecords, inputs, EnglishLookup{}, PreambleGap::TwoBlankLines, false);
    EXPECT_NE(withRecords.text().find("\r\n\r\n# Turn off automatic range messages\r\n  1.010  ASK-   R\r\n"),
        std::string::npos)
        << withRecords.text();
    EXPECT_EQ(withRecords.text().find("mode messages"), std::string::npos);
}

// Every line of the comments is a comment line, whatever line breaks the
// text box used: a line typed there never stands in the procedure as a step.
// The comments are one comment line: "# " and the text, whose later lines
// stand as typed; every line break comes out as CR LF.
TEST(BuildHeader, CommentsFollowTheirMarkAsTyped)
{
    MeterInputs inputs;
    inputs.identity.comments = "first\r\nsecond\nthird\rfourth\r\n";
    ProcedureWriter writer;
    writer.step("HEAD   \\{DC Volts Test\\}");
    buildHeader(writer, inputs, EnglishLookup{}, PreambleGap::TwoBlankLines, false);
    EXPECT_NE(
        writer.text().find("# Procedure by Kestrel\r\n# first\r\nsecond\r\nthird\r\nfourth\r\n\r\n\r\n\r\n# System"),
        std::string::npos)
        << writer.text();
}

TEST(BuildHeader, LineCountPlusElevenMustFitSixteenBits)
{
    MeterInputs inputs;
    ProcedureWriter writer;
    for (int i = 0; i < 32699; ++i)
        writer.blank();
    writer.step("HEAD");
    ProcedureWriter tooLong = writer;
    for (int i = 0; i < 57; ++i)
        tooLong.blank(); // 32757 lines: + 11 passes 32767
    buildHeader(writer, inputs, EnglishLookup{}, PreambleGap::TwoBlankLines, false);
    EXPECT_NE(writer.text().find("NUMBER OF LINES:       32711\r\n"), std::string::npos);
    EXPECT_THROW(buildHeader(tooLong, inputs, EnglishLookup{}, PreambleGap::TwoBlankLines, false), ProcedureFailure);
}

} // namespace
} // namespace kestrel
