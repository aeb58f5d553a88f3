#include "core/app/create.h"

#include "core/i18n/text_numbers.h"
#include "core/procgen/meter_generator.h"
#include "core/scope/scope_generators.h"
#include "core/spec/samples.h"
#include "support/recording_sink.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

class Create : public ::testing::Test {
protected:
    Create() { cell(MeterFunction::Ohm, 0, "5"); }

    void cell(MeterFunction f, int column, const std::string& range)
    {
        inputs.meter.table(f).setCell(RowRange, column, range);
    }
    CreateResult create() { return createProcedure(inputs, texts, sink); }

    ProcedureInputs inputs;
    EnglishLookup texts;
    test::RecordingSink sink;
};

TEST_F(Create, MeterStandardChoosesItsFamily)
{
    using enum CalibratorFamily;
    struct Case {
        const char* reference;
        CalibratorFamily family;
    };
    for (const Case c : {Case{"7300", Family73xx}, Case{"7320", Family73xx}, Case{"7600", Family76xx},
             Case{"7620", Family76xx}, Case{"6400", Family64xx}, Case{"3300", Family3xxx}, Case{"3406", Family3xxx}}) {
        inputs.selections.reference = c.reference;
        const CreateResult result = create();
        EXPECT_EQ(result.status, CreateStatus::Created) << c.reference;
        EXPECT_EQ(result.text, meterProcedure(c.family, inputs, texts, sink).text) << c.reference;
    }
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(Create, UnknownStandardOrEmptySpecificationCreatesNothingAndSaysSo)
{
    const std::string message = "Could not create the procedure.\r\nBe sure that specifications have been entered.";
    inputs.selections.reference = "9100";
    const CreateResult unknown = create();
    EXPECT_EQ(unknown.status, CreateStatus::NothingCreated);
    EXPECT_EQ(unknown.text, "");
    inputs.selections.reference = "7300";
    inputs.meter.clear();
    EXPECT_EQ(create().status, CreateStatus::NothingCreated);
    EXPECT_EQ(sink.messages, (std::vector<std::string>{message, message}));
}

// The 76xx has no fixed resistance value for a negative nominal.
TEST_F(Create, FailedGeneratorKeepsItsTextWithoutHeader)
{
    inputs.selections.reference = "7600";
    cell(MeterFunction::Dcv, 0, "2");
    cell(MeterFunction::Ohm, 0, "100");
    cell(MeterFunction::Ohm, 1, "-5");
    const CreateResult result = create();
    EXPECT_EQ(result.status, CreateStatus::Failed);
    EXPECT_EQ(sink.messages, std::vector<std::string>{"Procedure Error: \r\n9\r\nSubscript out of range"});
    EXPECT_EQ(result.text.rfind("  1.007  HEAD   \\{DC Volts Test\\}\r\n", 0), 0u);
    EXPECT_TRUE(result.text.ends_with("\r\n  2.003  7600   100   100Z" + std::string(49, ' ') + "2W\r\n"))
        << result.text;
}

TEST_F(Create, ScopePageChoosesSingleOrMultiChannel)
{
    inputs.page = Page::Scope;
    for (int index = 0; index < static_cast<int>(kScopeReferences.size()); ++index) {
        inputs.scope.reference = index;
        const bool multi = index == 6 || index == 9; // "8240 - 5 Channel", "8600 - 4 Channel"
        const GeneratedProcedure expected = multi ? scopeProcedureMultiChannel(inputs, inputs.scope, texts, sink)
                                                  : scopeProcedureSingleChannel(inputs, inputs.scope, texts, sink);
        EXPECT_EQ(create().text, expected.text) << kScopeReferences[static_cast<std::size_t>(index)];
    }
    inputs.scope.reference = 10;
    EXPECT_EQ(create().status, CreateStatus::NothingCreated);
}

TEST(CreateForms, ClipboardAndViewer)
{
    EXPECT_EQ(clipboardForm("Head   \\{AC Volts Test\\} \\x \\"), "Head   {AC Volts Test} \\x \\");
    EXPECT_EQ(shownForm("Head   \\{AC\\} \\\\par\r\n# x\r\n"), "Head   {AC} \\par\n# x\n");
    EXPECT_EQ(viewerForm("  1.007  HEAD   \\{DC\\}\r\n# x\r\n"),
        "{\\rtf{\\colortbl;\\red0\\green0\\blue0;\\red255\\green0\\blue0;\\red0\\green0\\blue255; "
        "\\red222\\green18\\blue205;}  1.007  HEAD   \\{DC\\}\\par\n# x\\par\n}");
}

// The fields that do not fit their columns are found where the generators
// write them: the texts typed are named with the input they come from.
TEST_F(Create, FieldOverflowsNameEveryTextLongerThanItsField)
{
    inputs = {};
    inputs.selections.reference = "7320";
    SpecTable& acv = inputs.meter.table(MeterFunction::Acv);
    acv.setCell(RowRange, 0, "2");
    acv.setCell(RowLevel, 0, "1.23456789012345");
    acv.setCell(RowReadingPct, 0, "0.1");
    acv.setCell(RowFrequency, 0, "123456789012K");
    EXPECT_EQ(fieldOverflows(inputs, texts),
        (FieldOverflows{{"acv", 0, "level", "NOMINAL", "1.23456789012345V", 15},
            {"acv", 0, "frequency", "MOD1", "123456789012KH", 12}}));

    inputs.page = Page::Scope;
    inputs.scope.verticalAccuracy = "0.000000000001";
    inputs.scope.bandwidth = "12345678901";
    EXPECT_EQ(fieldOverflows(inputs, texts),
        (FieldOverflows{{"scope", -1, "vertical_accuracy", "TOLERANCE", "0.000000000001%", 14},
            {"scope", -1, "bandwidth", "MOD1", "12345678901MH    ", 16}}))
        << "each once, though every channel writes them";
}

// A local text as long as the localization file allows.
class LongRangeMessage : public TextLookup {
public:
    std::string gettext(int number) const override
    {
        return number == kTextSetUutRange ? std::string(128, 'r') : EnglishLookup().gettext(number);
    }
};

// Header values and DISP texts are held to the lines Tessel shows, as step
// fields are to their columns: the procedure is written as before, and the
// user is told of each text that runs past its line.
TEST_F(Create, HeaderValuesAndDisplayTextsLongerThanTheirLines)
{
    inputs.identity.name = std::string(55, 'n'); // fits: columns 24 to 78
    inputs.identity.author = std::string(56, 'a');
    inputs.identity.revision = std::string(1000000, 'v');
    const CreateResult result = create();
    FieldOverflows overflows;
    EXPECT_EQ(createProcedure(inputs, texts, sink, &overflows).text, result.text);
    EXPECT_EQ(overflows,
        (FieldOverflows{{"procedure", -1, "author", "AUTHOR", inputs.identity.author, 55},
            {"procedure", -1, "revision", "REVISION", inputs.identity.revision, 55}}));
    EXPECT_EQ(describeOverflow(overflows[1]),
        "REVISION \"" + std::string(kOverflowTextShown, 'v') + "...\" is 1000000 characters long, its field holds 55");

    inputs.identity = {};
    inputs.options.autoranging = false; // a DISP step asks for each range
    const FieldOverflows local = fieldOverflows(inputs, LongRangeMessage());
    ASSERT_EQ(local.size(), 1u);
    EXPECT_EQ(local[0].field, "DISP");
    EXPECT_EQ(local[0].text, std::string(128, 'r') + " 5");
    EXPECT_EQ(local[0].room, 56u);
    const std::string stepLine = local[0].input.substr(5) + "  DISP         " + local[0].text + "\r\n";
    EXPECT_EQ(local[0].input.rfind("step ", 0), 0u);
    EXPECT_NE(createProcedure(inputs, LongRangeMessage(), sink).text.find(stepLine), std::string::npos) << stepLine;
    EXPECT_EQ(fieldOverflows(inputs, texts), FieldOverflows{}) << "the English text fits";
}

// No false alarms: every sample under every meter standard, and the scope
// inputs under every scope standard, fit their fields, the thermocouple's
// type running on into column 3 included.
TEST_F(Create, SamplesAndScopeDefaultsFitTheirFields)
{
    for (const SampleDefinition& sample : samples()) {
        for (const std::string_view reference : kReferences) {
            inputs = {};
            loadSample(sample, inputs, texts);
            selectReference(inputs.selections, reference);
            EXPECT_EQ(fieldOverflows(inputs, texts), FieldOverflows{}) << sample.name << " " << reference;
        }
    }
    inputs = {};
    inputs.page = Page::Scope;
    inputs.scope.capacitance = "20";
    inputs.scope.capAccuracy = "5";
    inputs.scope.accuracy1MOhm = inputs.scope.accuracy50Ohm = "2";
    for (int reference = 0; reference < static_cast<int>(kScopeReferences.size()); ++reference) {
        inputs.scope.reference = reference;
        inputs.scope.impedanceTest = impedanceTestAvailable(reference);
        EXPECT_EQ(fieldOverflows(inputs, texts), FieldOverflows{})
            << kScopeReferences[static_cast<std::size_t>(reference)];
    }
}

} // namespace
} // namespace kestrel
