// One complete procedure per calibrator family, from the generator test set,
// compared byte for byte with reviewed texts.
#include "core/app/create.h"

#include "core/spec/samples.h"
#include "support/golden.h"
#include "support/recording_sink.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

ProcedureInputs testSet(const std::string& reference)
{
    ProcedureInputs inputs;
    const SampleDefinition* sample = findSample("test");
    EXPECT_NE(sample, nullptr);
    if (sample)
        loadSample(*sample, inputs, EnglishLookup{});
    inputs.selections.reference = reference;
    inputs.headerDate = "05-Dec-26";
    return inputs;
}

std::string create(const ProcedureInputs& inputs)
{
    EnglishLookup texts;
    test::RecordingSink sink;
    const CreateResult result = createProcedure(inputs, texts, sink);
    EXPECT_EQ(result.status, CreateStatus::Created);
    EXPECT_TRUE(sink.messages.empty());
    return clipboardForm(result.text);
}

TEST(MeterGolden, Family73xxOnThe7320) { test::expectMatchesGolden("meter_73xx.txt", create(testSet("7320"))); }

TEST(MeterGolden, Family76xxWithThe7625)
{
    ProcedureInputs inputs = testSet("7600");
    inputs.has7625 = true;
    inputs.options.postTestWindow = PostTestWindow::Always;
    inputs.options.dataEntry = DataEntry::All;
    inputs.options.measurements = 0;
    test::expectMatchesGolden("meter_76xx.txt", create(inputs));
}

TEST(MeterGolden, Family64xxWithToleranceInUnits)
{
    ProcedureInputs inputs = testSet("6400");
    inputs.options.toleranceStyle = ToleranceStyle::Units;
    inputs.options.operatorButtons.list = false;
    test::expectMatchesGolden("meter_64xx.txt", create(inputs));
}

TEST(MeterGolden, Family3xxxWithSmallResistances)
{
    ProcedureInputs inputs = testSet("3302");
    SpecTable& ohm = inputs.meter.table(MeterFunction::Ohm);
    ohm.insertColumn(0);
    ohm.insertColumn(0);
    ohm.setCell(RowRange, 0, "0");
    ohm.setCell(RowRange, 1, "5.0");
    ohm.setCell(RowRangePct, 0, "0.05");
    ohm.setCell(RowRangePct, 1, "0.05");
    ohm.setCell(RowDigits, 1, "2");
    test::expectMatchesGolden("meter_3xxx.txt", create(inputs));
}

} // namespace
} // namespace kestrel
