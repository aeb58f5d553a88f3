// The first start's meter lists hold what filling them for the first
// start's standard selects, so a first start and a change back to that
// standard show the same lists.
#include "core/spec/first_start.h"

#include "core/spec/meter_inputs.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(FirstStart, TheSensorListsHoldWhatAFillForTheStandardSelects)
{
    const MeterSelections first;
    MeterSelections filled;
    filled.tcType = "K";
    filled.rtdType = "120 ohm Ni";
    selectReference(filled, first.reference);
    EXPECT_EQ(filled, first);
}

} // namespace
} // namespace kestrel
