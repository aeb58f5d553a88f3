// Instruction records of one function and column: found wherever they stand
// in the list, in any case of the function's code, and named by key path.
#include "core/app/instruction_clashes.h"

#include "core/app/spec_file.h"
#include "core/i18n/text_lookup.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(InstructionClashes, EveryColumnWithMoreThanOneRecord)
{
    const SpecFileResult read = readSpecFile(R"({"connections": [
        {"function": "acv", "column": 3, "text": "a"}, {"function": "dcv", "column": 0, "text": "b"},
        {"function": "ACV", "column": 3, "picture": "c.bmp"}, {"function": "dcv", "column": 1, "text": "d"},
        {"function": "Dcv", "column": 0, "text": "e"}, {"function": "acv", "column": 3, "text": "f"},
        {"function": "tc", "column": 0, "text": "g"}]})",
        ".");
    ASSERT_TRUE(read.inputs) << read.error;
    const std::vector<InstructionClash> clashes = instructionClashes(read.inputs->connections);
    ASSERT_EQ(clashes.size(), 2u);
    EXPECT_EQ(instructionClashText(clashes[0], englishLookup()),
        "connections[0], connections[2] and connections[5] are instructions for the same function and column (acv "
        "column 3); none of them is used.");
    EXPECT_EQ(instructionClashText(clashes[1], englishLookup()),
        "connections[1] and connections[4] are instructions for the same function and column (dcv column 0); none "
        "of them is used.");
    // The rule the warning explains: neither record is the column's.
    EXPECT_EQ(read.inputs->connections.findUnique(MeterFunction::Dcv, 0), nullptr);
    EXPECT_NE(read.inputs->connections.findUnique(MeterFunction::Dcv, 1), nullptr);
    EXPECT_TRUE(instructionClashes(ConnectionStore{}).empty());
}

} // namespace
} // namespace kestrel
