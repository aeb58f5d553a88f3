// The instruction block written before each test: a wizard record of the
// column, or else the automatic mode and range messages.
#include "core/procgen/test_messages.h"

#include "core/app/procedure_inputs.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

struct MessageCase {
    const char* name;
    std::vector<ConnectionRecord> records;
    const char* function;
    const char* range;
    int column;
    bool autoranging;
    std::string expected; // the block, then a HEAD step that shows the next number
};
void PrintTo(const MessageCase& c, std::ostream* os) { *os << c.name; }

class TestMessages : public ::testing::TestWithParam<MessageCase> {};

TEST_P(TestMessages, WriteTheBlock)
{
    const MessageCase& c = GetParam();
    MeterInputs inputs;
    for (const ConnectionRecord& record : c.records)
        inputs.connections.append(record);
    inputs.options.autoranging = c.autoranging;
    ProcedureWriter writer;
    addTestMessages(writer, inputs.connections, inputs.options, EnglishLookup{}, c.function, c.range, c.column);
    writer.step("HEAD");
    EXPECT_EQ(writer.text(), c.expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, TestMessages, ::testing::Values(
    MessageCase{"TextLinesShareANumberAndThePictureTakesTheNext",
        {{"dcv", "0", "probe.bmp", "Connect the leads\r\nto V and COM"}}, "dcv", "200m", 0, true,
        "  1.007  DISP         Connect the leads\r\n  1.007  DISP         to V and COM\r\n"
        "  1.008  PIC          probe.bmp\r\n\r\n  1.009  HEAD\r\n"},
    MessageCase{"TextEndingInALineBreakGivesAnEmptyLastDisplay",
        {{"ohm", "1", std::nullopt, "Short the leads\r\n"}}, "ohm", "200", 1, true,
        "  1.007  DISP         Short the leads\r\n  1.007  DISP         \r\n\r\n  1.008  HEAD\r\n"},
    MessageCase{"PictureAlone", {{"dci", "0", "shunt.bmp", std::nullopt}}, "dci", "2", 0, true,
        "  1.007  PIC          shunt.bmp\r\n\r\n  1.008  HEAD\r\n"},
    MessageCase{"ModeMatchesWithoutRegardToCase", {{"TC", "0", std::nullopt, "Use extension wire"}}, "tc", "100", 0,
        true, "  1.007  DISP         Use extension wire\r\n\r\n  1.008  HEAD\r\n"},
    MessageCase{"RecordOfAnotherColumnOrFunctionIsNotUsed",
        {{"dcv", "1", "x.bmp", std::nullopt}, {"acv", "0", "y.bmp", std::nullopt}}, "dcv", "200m", 0, true,
        "  1.007  DISP         Set UUT mode to dcv\r\n  1.008  HEAD\r\n"},
    MessageCase{"TwoRecordsForOneColumnCountAsNone",
        {{"dcv", "0", "a.bmp", std::nullopt}, {"dcv", "0", "b.bmp", std::nullopt}}, "dcv", "200m", 0, false,
        "  1.007  DISP         Set UUT mode to dcv\r\n  1.008  DISP         Set UUT range to 200m\r\n"
        "  1.009  HEAD\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

} // namespace
} // namespace kestrel
