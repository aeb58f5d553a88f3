#include "core/procgen/test_messages.h"

#include "core/app/procedure_inputs.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

class TestMessages : public ::testing::Test {
protected:
    std::string write(std::string_view function, std::string_view range, int column)
    {
        addTestMessages(writer, inputs.connections, inputs.options, texts, function, range, column);
        return writer.text();
    }

    ProcedureInputs inputs;
    EnglishLookup texts;
    ProcedureWriter writer;
};

TEST_F(TestMessages, InstructionLinesShareOneNumberAndThePictureTakesTheNext)
{
    inputs.connections.append({"dcv", "0", "probe.bmp", "Connect the leads\r\nto V and COM"});
    EXPECT_EQ(write("dcv", "200m", 0),
              "  1.007  DISP         Connect the leads\r\n"
              "  1.007  DISP         to V and COM\r\n"
              "  1.008  PIC          probe.bmp\r\n"
              "\r\n");
    EXPECT_EQ(writer.stepThousandths(), 1009);
}

TEST_F(TestMessages, StepAfterADisplayBlockHasTheNextNumber)
{
    inputs.connections.append({"acv", "2", std::nullopt, "one\r\ntwo\r\nthree"});
    write("acv", "2", 2);
    writer.step("HEAD");
    EXPECT_EQ(writer.text(),
              "  1.007  DISP         one\r\n"
              "  1.007  DISP         two\r\n"
              "  1.007  DISP         three\r\n"
              "\r\n"
              "  1.008  HEAD\r\n");
}

TEST_F(TestMessages, TextEndingInALineBreakGivesAnEmptyLastDisplay)
{
    inputs.connections.append({"ohm", "1", std::nullopt, "Short the leads\r\n"});
    EXPECT_EQ(write("ohm", "200", 1),
              "  1.007  DISP         Short the leads\r\n"
              "  1.007  DISP         \r\n"
              "\r\n");
}

TEST_F(TestMessages, PictureAloneIsOneStepAndABlankLine)
{
    inputs.connections.append({"dci", "0", "shunt.bmp", std::nullopt});
    EXPECT_EQ(write("dci", "2", 0), "  1.007  PIC          shunt.bmp\r\n\r\n");
}

TEST_F(TestMessages, RecordOfAnotherColumnOrFunctionIsNotUsed)
{
    inputs.connections.append({"dcv", "1", "x.bmp", std::nullopt});
    inputs.connections.append({"acv", "0", "y.bmp", std::nullopt});
    EXPECT_EQ(write("dcv", "200m", 0), "  1.007  DISP         Set UUT mode to dcv\r\n");
}

TEST_F(TestMessages, TwoRecordsForOneColumnCountAsNone)
{
    inputs.connections.append({"dcv", "0", "a.bmp", std::nullopt});
    inputs.connections.append({"dcv", "0", "b.bmp", std::nullopt});
    inputs.options.autoranging = false;
    EXPECT_EQ(write("dcv", "200m", 0),
              "  1.007  DISP         Set UUT mode to dcv\r\n"
              "  1.008  DISP         Set UUT range to 200m\r\n");
}

TEST_F(TestMessages, ModeMessageOnlyInTheFirstColumnRangeMessageInEveryColumn)
{
    inputs.options.autoranging = false;
    EXPECT_EQ(write("freq", "1.000M", 3), "  1.007  DISP         Set UUT range to 1.000M\r\n");
}

TEST_F(TestMessages, AutorangingAndNoFunctionMessagesWriteNothing)
{
    inputs.options.functionMessages = false;
    inputs.options.autoranging = true;
    EXPECT_EQ(write("dcv", "200m", 0), "");
    EXPECT_EQ(writer.stepThousandths(), 1007);
}

TEST_F(TestMessages, ModeOfARecordMatchesWithoutRegardToCase)
{
    inputs.connections.append({"TC", "0", std::nullopt, "Use extension wire"});
    EXPECT_EQ(write("tc", "100", 0), "  1.007  DISP         Use extension wire\r\n\r\n");
}

} // namespace
} // namespace kestrel
