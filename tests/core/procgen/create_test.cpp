#include "core/procgen/create.h"

#include "core/procgen/meter_generator.h"
#include "core/procgen/meter_test_support.h"
#include "core/scope/scope_generators.h"
#include "support/recording_sink.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

using test::setColumn;
using F = MeterFunction;

const std::string kNothingCreated = "Could not create the procedure.\r\nBe sure that specifications have been entered.";

class Create : public ::testing::Test {
protected:
    Create() { setColumn(inputs, F::Ohm, 0, {{RowRange, "5"}}); }

    ProcedureInputs inputs = test::meterInputs("3300");
    EnglishLookup texts;
    test::RecordingSink sink;
};

TEST_F(Create, MeterStandardChoosesItsFamily)
{
    struct Case {
        const char* reference;
        GeneratedProcedure (*generator)(const ProcedureInputs&, const TextLookup&, MessageSink&);
    };
    for (const Case c : {Case{"7300", meterProcedure73xx}, Case{"7320", meterProcedure73xx},
                         Case{"7600", meterProcedure76xx}, Case{"7620", meterProcedure76xx},
                         Case{"6400", meterProcedure64xx}, Case{"3300", meterProcedure3xxx},
                         Case{"3406", meterProcedure3xxx}}) {
        inputs.selections.reference = c.reference;
        const CreateResult result = createProcedure(inputs, texts, sink);
        EXPECT_EQ(result.status, CreateStatus::Created) << c.reference;
        EXPECT_EQ(result.text, c.generator(inputs, texts, sink).text) << c.reference;
    }
    // The 3300 measures 5 ohms by hand: only the 3XXX generator ran.
    inputs.selections.reference = "3300";
    EXPECT_NE(createProcedure(inputs, texts, sink).text.find("Apply a 5 ohm resistor"), std::string::npos);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(Create, UnknownStandardCreatesNothingAndSaysSo)
{
    inputs.selections.reference = "9100";
    const CreateResult result = createProcedure(inputs, texts, sink);
    EXPECT_EQ(result.status, CreateStatus::NothingCreated);
    EXPECT_EQ(result.text, "");
    EXPECT_EQ(sink.messages, std::vector<std::string>{kNothingCreated});
}

TEST_F(Create, EmptySpecificationCreatesNothing)
{
    inputs.meter.clear();
    EXPECT_EQ(createProcedure(inputs, texts, sink).status, CreateStatus::NothingCreated);
    EXPECT_EQ(sink.messages, std::vector<std::string>{kNothingCreated});
}

TEST_F(Create, FailedGeneratorKeepsItsPartialText)
{
    inputs.selections.reference = "7600";
    setColumn(inputs, F::Ohm, 0, {{RowRange, "-5"}});
    setColumn(inputs, F::Dcv, 0, {{RowRange, "2"}});
    const CreateResult result = createProcedure(inputs, texts, sink);
    EXPECT_EQ(result.status, CreateStatus::Failed);
    EXPECT_EQ(sink.messages, std::vector<std::string>{"Procedure Error: \r\n9\r\nSubscript out of range"});
    EXPECT_EQ(result.text.rfind("  1.007  HEAD   \\{DC Volts Test\\}\r\n", 0), 0u);
}

TEST_F(Create, ScopePageChoosesSingleOrMultiChannel)
{
    inputs.page = Page::Scope;
    for (int index = 0; index < static_cast<int>(kScopeReferences.size()); ++index) {
        inputs.scope.reference = index;
        const bool multi = index == 6 || index == 9; // "8240 - 5 Channel", "8600 - 4 Channel"
        const GeneratedProcedure expected = multi ? scopeProcedureMultiChannel(inputs, texts, sink)
                                                  : scopeProcedureSingleChannel(inputs, texts, sink);
        const CreateResult result = createProcedure(inputs, texts, sink);
        EXPECT_EQ(result.text, expected.text) << kScopeReferences[static_cast<std::size_t>(index)];
    }
    inputs.scope.reference = 10;
    EXPECT_EQ(createProcedure(inputs, texts, sink).status, CreateStatus::NothingCreated);
}

TEST_F(Create, ClipboardGetsPlainBracesAroundTheTitle)
{
    inputs.meter.clear();
    inputs.selections.reference = "7300";
    inputs.options.functionMessages = false;
    setColumn(inputs, F::Dcv, 0, {{RowRange, "2"}});
    const std::string clip = clipboardForm(createProcedure(inputs, texts, sink).text);
    EXPECT_EQ(clip.rfind("INSTRUMENT:            Enter Name\r\n", 0), 0u);
    EXPECT_NE(clip.find("# Procedure by Kestrel\r\n"), std::string::npos);
    EXPECT_NE(clip.find("\r\n  1.007  HEAD   {DC Volts Test}\r\n#------------------------------\r\n"
                        "  1.008  7300   2     2V" + std::string(51, ' ') + "2W\r\n"),
              std::string::npos);
    EXPECT_EQ(clip.find('\\'), std::string::npos);
}

TEST_F(Create, ClipboardAndViewerForms)
{
    EXPECT_EQ(clipboardForm("Head   \\{AC Volts Test\\} \\x \\"), "Head   {AC Volts Test} \\x \\");
    EXPECT_EQ(viewerForm("  1.007  HEAD   \\{DC\\}\r\n# x\r\n"),
              "{\\rtf{\\colortbl;\\red0\\green0\\blue0;\\red255\\green0\\blue0;\\red0\\green0\\blue255; "
              "\\red222\\green18\\blue205;}  1.007  HEAD   \\{DC\\}\\par\n# x\\par\n }");
}

} // namespace
} // namespace kestrel
