#include "core/procgen/build_header.h"

#include "core/app/failure.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

const std::string kAskMinus = "ASK-" + std::string(41, ' ') + "F" + std::string(20, ' ') + "V";
const std::string kHeaderTop = "INSTRUMENT:            Enter Name\r\n"
                               "DATE:                  05-Dec-26\r\n"
                               "AUTHOR:                Enter your name\r\n"
                               "REVISION:              1.0\r\n"
                               "ADJUSTMENT THRESHOLD:  70%\r\n";
const std::string kRuleAndColumns =
    std::string(77, '=') + "\r\n" +
    " STEP    FSC    RANGE NOMINAL        TOLERANCE     MOD1        MOD2  3  4 CON \r\n";

class BuildHeader : public ::testing::Test {
protected:
    BuildHeader() { inputs.headerDate = "05-Dec-26"; }

    // A body of one test: heading, dash line, calibrator step, then Next_Test.
    void writeOneTestBody()
    {
        writer.step("HEAD   \\{DC Volts Test\\}");
        writer.comment("#---");
        writer.step("7300   2     2V");
        writer.nextTest();
    }

    ProcedureInputs inputs;
    EnglishLookup texts;
    ProcedureWriter writer;
};

TEST_F(BuildHeader, WholeTextAroundABodyOfOneTest)
{
    writeOneTestBody();
    buildHeader(writer, inputs, texts, PreambleGap::TwoBlankLines, false);
    EXPECT_EQ(writer.text(), kHeaderTop +
                                 "NUMBER OF TESTS:       2\r\n"
                                 "NUMBER OF LINES:       14\r\n" +
                                 kRuleAndColumns +
                                 "\r\n"
                                 "\r\n"
                                 "# Procedure by Kestrel\r\n"
                                 "# \r\n"
                                 "\r\n"
                                 "\r\n"
                                 "# System Flags\r\n"
                                 "# -------------\r\n"
                                 "  2.001  " + kAskMinus + "\r\n"
                                 "  2.002  ASK+           K\r\n"
                                 "\r\n"
                                 "# Enable Measurement Uncertanity & set # Measurements\r\n"
                                 "  2.003  VSET         nmeas = 1\r\n"
                                 "\r\n"
                                 "# Enable Welch-Satterthwaite\r\n"
                                 "  2.004  VSET         WS = Yes\r\n"
                                 "\r\n"
                                 "\r\n"
                                 "\r\n"
                                 "\r\n"
                                 "  1.007  HEAD   \\{DC Volts Test\\}\r\n"
                                 "#---\r\n"
                                 "  1.008  7300   2     2V\r\n"
                                 "  2.005  HEAD\r\n"
                                 "  2.006  DISP         !               P R O C E D U R E\r\n"
                                 "  2.007  DISP         !               C O M P L E T E D\r\n");
}

TEST_F(BuildHeader, EmptyBodyWritesNothing)
{
    buildHeader(writer, inputs, texts, PreambleGap::TwoBlankLines, false);
    EXPECT_EQ(writer.text(), "");
}

TEST_F(BuildHeader, AmplifierNoteThenOneBlankLine)
{
    inputs.identity.comments = "Bench 4";
    writeOneTestBody();
    buildHeader(writer, inputs, texts, PreambleGap::AmplifierNote, true);
    EXPECT_NE(writer.text().find("# Procedure by Kestrel\r\n"
                                 "# Bench 4\r\n"
                                 "# Procedure is written to use the configured 7625A.\r\n"
                                 "\r\n"
                                 "# System Flags\r\n"),
              std::string::npos)
        << writer.text();
}

TEST_F(BuildHeader, NoAmplifierNoteStillOneBlankLine)
{
    writeOneTestBody();
    buildHeader(writer, inputs, texts, PreambleGap::AmplifierNote, false);
    EXPECT_NE(writer.text().find("# Procedure by Kestrel\r\n# \r\n\r\n# System Flags\r\n"), std::string::npos);
}

TEST_F(BuildHeader, NoMeasurementsLeavesOneBlankLineBeforeTheBody)
{
    inputs.options.measurements = 0;
    writeOneTestBody();
    buildHeader(writer, inputs, texts, PreambleGap::TwoBlankLines, false);
    EXPECT_NE(writer.text().find("  2.002  ASK+           K\r\n\r\n\r\n  1.007  HEAD"), std::string::npos);
}

TEST_F(BuildHeader, MessageSwitchesOnlyWithInstructionRecords)
{
    writeOneTestBody();
    ProcedureWriter withoutRecords = writer;
    buildHeader(withoutRecords, inputs, texts, PreambleGap::TwoBlankLines, false);
    EXPECT_EQ(withoutRecords.text().find("ASK-   R"), std::string::npos);

    inputs.connections.append({"dcv", "0", "a.bmp", std::nullopt});
    buildHeader(writer, inputs, texts, PreambleGap::TwoBlankLines, false);
    EXPECT_NE(writer.text().find("  2.002  ASK+           K\r\n"
                                 "\r\n"
                                 "# Turn off automatic mode messages\r\n"
                                 "  2.003  ASK-" + std::string(62, ' ') + "W\r\n"
                                 "\r\n"
                                 "# Turn off automatic range messages\r\n"
                                 "  2.004  ASK-   R\r\n"
                                 "\r\n"
                                 "# Enable Measurement"),
              std::string::npos)
        << writer.text();
}

TEST_F(BuildHeader, LineCountPlusElevenMustFitSixteenBits)
{
    for (int i = 0; i < 32699; ++i)
        writer.blank();
    writer.step("HEAD");
    ProcedureWriter tooLong = writer;
    for (int i = 0; i < 57; ++i)
        tooLong.blank(); // 32757 lines: + 11 passes 32767
    buildHeader(writer, inputs, texts, PreambleGap::TwoBlankLines, false);
    EXPECT_NE(writer.text().find("NUMBER OF LINES:       32711\r\n"), std::string::npos);
    EXPECT_THROW(buildHeader(tooLong, inputs, texts, PreambleGap::TwoBlankLines, false), ProcedureFailure);
}

} // namespace
} // namespace kestrel
