// The viewer shows, and its Copy and Save As give, exactly the procedure the
// clipboard gets: a typed "\", "{" or "}" is a character wherever it was
// typed, and only the generators' own section braces are rich-text escapes.
#include "core/app/create.h"

#include "core/base/text_util.h"
#include "core/procgen/rich_text_escapes.h"
#include "core/scope/scope_inputs.h"
#include "core/spec/samples.h"
#include "core/spec/standards.h"
#include "core/viewers/rich_text_form.h"
#include "support/recording_sink.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

// What the viewer's Copy gives: the shown text with its lines ended by CR LF.
std::string viewerCopy(std::string_view procedure)
{
    return replaceAll(richTextToPlain(viewerForm(procedure)), "\n", "\r\n");
}

// A local text as a translator may write it, with rich-text syntax in it.
class HostileLookup : public TextLookup {
public:
    std::string gettext(int number) const override { return EnglishLookup().gettext(number) + " {\\b x}\\"; }
};

class ViewerForm : public ::testing::Test {
protected:
    ViewerForm() { inputs.meter.table(MeterFunction::Dcv).setCell(RowRange, 0, "2"); }

    std::string created(const TextLookup& texts = EnglishLookup())
    {
        const CreateResult result = createProcedure(inputs, texts, sink);
        EXPECT_EQ(result.status, CreateStatus::Created);
        return result.text;
    }

    ProcedureInputs inputs;
    test::RecordingSink sink;
};

TEST_F(ViewerForm, TypedRichTextSyntaxReachesTesselAsTyped)
{
    const struct {
        const char* what;
        void (*put)(ProcedureInputs&, const std::string&);
    } places[] = {
        {"name", [](ProcedureInputs& in, const std::string& t) { in.identity.name = t; }},
        {"author", [](ProcedureInputs& in, const std::string& t) { in.identity.author = t; }},
        {"revision", [](ProcedureInputs& in, const std::string& t) { in.identity.revision = t; }},
        {"comments", [](ProcedureInputs& in, const std::string& t) { in.identity.comments = t + "\r\n" + t; }},
        {"instruction",
            [](ProcedureInputs& in, const std::string& t) {
                in.connections.append({MeterFunction::Dcv, 0, std::nullopt, t + "\r\n" + t});
            }},
        {"picture",
            [](ProcedureInputs& in, const std::string& t) {
                in.connections.append({MeterFunction::Dcv, 0, t, std::nullopt});
            }},
    };
    const char* const hostile[] = {
        "Bench DMM\\",           // would swallow the DATE line's "\par"
        "C:\\Tessel\\tab\\x",    // a control word in a path
        "{\\*\\x hidden",        // an unknown destination hides the rest
        "\\'0d\\'0a STEP",       // a forged line break
        "\\{escaped\\} \\\\ }{", // typed escapes stay as typed
        "\\u8364? \\par",
    };
    for (const auto& place : places) {
        for (const char* text : hostile) {
            inputs.connections = {};
            inputs.identity = {};
            place.put(inputs, text);
            const std::string procedure = created();
            const std::string plain = clipboardForm(procedure);
            EXPECT_NE(plain.find(text), std::string::npos) << place.what << ": " << text;
            EXPECT_EQ(viewerCopy(procedure), plain) << place.what << ": " << text;
        }
    }
}

TEST_F(ViewerForm, LocalTextsWithRichTextSyntaxShowAsWritten)
{
    inputs.options.autoranging = false; // a DISP step with a local text for each range
    const std::string procedure = created(HostileLookup());
    const std::string plain = clipboardForm(procedure);
    EXPECT_NE(plain.find(" {\\b x}\\ 2\r\n"), std::string::npos) << plain;
    EXPECT_EQ(viewerCopy(procedure), plain);

    inputs.page = Page::Scope;
    const std::string scope = created(HostileLookup());
    EXPECT_NE(clipboardForm(scope).find("{\\b x}\\"), std::string::npos);
    EXPECT_EQ(viewerCopy(scope), clipboardForm(scope));
}

// The samples and the scope page under every standard: the viewer's text is
// the procedure, to the last byte.
TEST_F(ViewerForm, EverySampleAndScopeStandardReadsBackAsThePlainProcedure)
{
    const EnglishLookup texts;
    for (const SampleDefinition& sample : samples()) {
        for (const std::string_view reference : kReferences) {
            inputs = {};
            loadSample(sample, inputs, texts);
            selectReference(inputs.selections, reference);
            const CreateResult result = createProcedure(inputs, texts, sink);
            if (result.status == CreateStatus::NothingCreated)
                continue;
            EXPECT_EQ(viewerCopy(result.text), clipboardForm(result.text)) << sample.name << " " << reference;
        }
    }
    inputs = {};
    inputs.page = Page::Scope;
    for (int reference = 0; reference < static_cast<int>(kScopeReferences.size()); ++reference) {
        inputs.scope.reference = reference;
        const std::string procedure = created();
        EXPECT_EQ(viewerCopy(procedure), clipboardForm(procedure)) << reference;
    }
}

// A DISP text is measured as Tessel gets it: an escaped backslash is one
// character of the 56.
TEST_F(ViewerForm, EscapesDoNotCountTowardsALineLength)
{
    const std::string line = std::string(55, 'x') + "\\";
    inputs.connections.append({MeterFunction::Dcv, 0, std::nullopt, line});
    EXPECT_EQ(fieldOverflows(inputs, EnglishLookup()), FieldOverflows{});
    inputs.connections = {};
    inputs.connections.append({MeterFunction::Dcv, 0, std::nullopt, line + "}"});
    const FieldOverflows overflows = fieldOverflows(inputs, EnglishLookup());
    ASSERT_EQ(overflows.size(), 1u);
    EXPECT_EQ(overflows[0].text, line + "}");
}

TEST(RichTextEscapes, UnescapingUndoesEscaping)
{
    for (const std::string_view typed : {"", "\\", "\\\\{", "a{b}c\\d", "}\\{\\}{", "\\x \\'0d"})
        EXPECT_EQ(unescapeProcedureText(escapeTypedText(typed)), typed) << typed;
    // A backslash before anything else is not an escape and stays.
    EXPECT_EQ(unescapeProcedureText("\\x \\\\\\{ \\"), "\\x \\{ \\");
}

} // namespace
} // namespace kestrel
