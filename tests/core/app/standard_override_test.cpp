// Another standard than the file's own: only the standard changes, unless
// the new one cannot take what the inputs hold.
#include "core/app/standard_override.h"

#include "core/app/spec_file.h"
#include "core/spec/standards.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(StandardOverride, MeterStandardKeepsTheSensorTypesItLists)
{
    struct Case {
        const char* from;
        const char* tc;
        const char* rtd;
        const char* to;
        const char* tcAfter;
        const char* rtdAfter;
    } const cases[] = {
        {"7600", "K", "120 ohm Ni", "7320", "K", "120 ohm Ni"},
        // The 6400 sources neither "U" nor a nickel RTD: the choices of a change by hand.
        {"7600", "U", "120 ohm Ni", "6400", "J", "100 ohm Pt 385"},
        {"6400", "K", "100 ohm Pt 3926", "3302", "K", "100 ohm Pt 3926"},
    };
    for (const Case& c : cases) {
        ProcedureInputs inputs;
        inputs.selections = {c.from, c.tc, c.rtd,
            "\xC2\xB0"
            "F"};
        inputs.meter.table(MeterFunction::Dcv).setCell(0, 0, "2");
        const ProcedureInputs before = inputs;
        ASSERT_TRUE(overrideStandard(inputs, c.to)) << c.to;
        ProcedureInputs expected = before;
        expected.selections = {c.to, c.tcAfter, c.rtdAfter,
            "\xC2\xB0"
            "F"};
        EXPECT_EQ(inputs, expected) << c.from << " -> " << c.to;
        // Still what a file may hold.
        EXPECT_TRUE(readSpecFile(writeSpecFile(inputs), ".").inputs) << c.to;
    }
}

TEST(StandardOverride, ScopeStandardDropsAnImpedanceTestItCannotMeasure)
{
    ProcedureInputs inputs;
    inputs.page = Page::Scope;
    inputs.scope.reference = 3; // "7320 - 600 Mhz"
    inputs.scope.impedanceTest = true;
    inputs.scope.capacitance = "13";
    ASSERT_TRUE(overrideStandard(inputs, "8600 - 4 Channel"));
    EXPECT_EQ(inputs.scope.reference, 9);
    EXPECT_TRUE(inputs.scope.impedanceTest);
    ASSERT_TRUE(overrideStandard(inputs, "6400"));
    EXPECT_EQ(inputs.scope.reference, 7);
    EXPECT_FALSE(inputs.scope.impedanceTest);
    EXPECT_EQ(inputs.scope.capacitance, "13");
    EXPECT_TRUE(readSpecFile(writeSpecFile(inputs), ".").inputs);
}

// A name of the other page's list, or of none, changes nothing.
TEST(StandardOverride, OnlyTheNamesOfThePagesList)
{
    ProcedureInputs meter;
    ProcedureInputs scope;
    scope.page = Page::Scope;
    for (const char* name : {"8600 - 4 Channel", "7320 - 300 Mhz", "7320 - 300 MHz", "73", ""}) {
        ProcedureInputs in = meter;
        EXPECT_FALSE(overrideStandard(in, name)) << name;
        EXPECT_EQ(in, meter) << name;
    }
    for (const char* name : {"7320", "3302", "8600 - 4 channel", ""}) {
        ProcedureInputs in = scope;
        EXPECT_FALSE(overrideStandard(in, name)) << name;
        EXPECT_EQ(in, scope) << name;
    }
    for (const std::string_view name : kReferences)
        EXPECT_TRUE(isStandardName(name)) << name;
    EXPECT_TRUE(isStandardName("8240 - 5 Channel"));
    EXPECT_FALSE(isStandardName("8240 - 5 channel"));
    EXPECT_EQ(standardNamesForMessage().substr(0, 16), "\"3300\", \"3302\", ");
    EXPECT_TRUE(standardNamesForMessage().ends_with("\"8600 - 1 Channel\", \"8600 - 4 Channel\""));
}

} // namespace
} // namespace kestrel
