// The instruction block written before each test: a wizard record of the
// column, or else the automatic mode and range messages.
#include "core/procgen/test_messages.h"

#include "core/app/procedure_inputs.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

using F = MeterFunction;

struct MessageCase {
    const char* name;
    std::vector<ConnectionRecord> records;
    MeterFunction function;
    const char* range;
    int column;
    bool autoranging;
    std::string expected; // the block, then a HEAD step that shows the next number
};
void PrintTo(const MessageCase& c, std::ostream* os) { *os << c.name; }

class TestMessages : public ::testing::TestWithParam<MessageCase> { };

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
        {{F::Dcv, 0, "probe.bmp", "Connect the leads\r\nto V and COM"}}, F::Dcv, "200m", 0, true,
        "  1.007  DISP         Connect the leads\r\n  1.007  DISP         to V and COM\r\n"
        "  1.008  PIC          probe.bmp\r\n\r\n  1.009  HEAD\r\n"},
    MessageCase{"TextEndingInALineBreakGivesAnEmptyLastDisplay",
        {{F::Ohm, 1, std::nullopt, "Short the leads\r\n"}}, F::Ohm, "200", 1, true,
        "  1.007  DISP         Short the leads\r\n  1.007  DISP         \r\n\r\n  1.008  HEAD\r\n"},
    MessageCase{"PictureAlone", {{F::Dci, 0, "shunt.bmp", std::nullopt}}, F::Dci, "2", 0, true,
        "  1.007  PIC          shunt.bmp\r\n\r\n  1.008  HEAD\r\n"},
    MessageCase{"RecordOfAnotherColumnOrFunctionIsNotUsed",
        {{F::Dcv, 1, "x.bmp", std::nullopt}, {F::Acv, 0, "y.bmp", std::nullopt}}, F::Dcv, "200m", 0, true,
        "  1.007  DISP         Set UUT mode to dcv\r\n  1.008  HEAD\r\n"},
    MessageCase{"TwoRecordsForOneColumnCountAsNone",
        {{F::Dcv, 0, "a.bmp", std::nullopt}, {F::Dcv, 0, "b.bmp", std::nullopt}}, F::Dcv, "200m", 0, false,
        "  1.007  DISP         Set UUT mode to dcv\r\n  1.008  DISP         Set UUT range to 200m\r\n"
        "  1.009  HEAD\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

} // namespace
} // namespace kestrel
