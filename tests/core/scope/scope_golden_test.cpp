// Whole scope procedures, one per calibrator model and generator, compared
// with reviewed texts. Each case ticks a different mix of tests so that
// every section and model rule appears in at least one golden text.
#include "core/app/procedure_inputs.h"
#include "core/i18n/text_lookup.h"
#include "core/scope/scope_generators.h"
#include "support/golden.h"
#include "support/recording_sink.h"
#include "support/test_names.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

struct GoldenCase {
    const char* file;
    bool multi;
    int reference, channels, gain1, gain2, sweep1, sweep2; // list indexes
    const char* bandwidth;
    bool risetime, impedance;
    void (*more)(ProcedureInputs&);
};

// The header counts the closing test but not the closing lines: a golden
// rewritten by hand or by tool still has to agree with its own body.
void expectHeaderCountsTheBody(const std::string& text)
{
    std::vector<std::string> lines;
    for (std::size_t from = 0, at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
        lines.push_back(text.substr(from, at - from));
    ASSERT_GT(lines.size(), 15u);
    const std::size_t closing = lines.size() - 4; // HEAD, two DISP, the final empty line
    ASSERT_EQ(lines[closing].substr(9), "HEAD");
    const std::string step = lines[closing].substr(lines[closing].find_first_not_of(' '), 7);
    EXPECT_EQ(lines[5], "NUMBER OF TESTS:       " + step.substr(0, step.find('.')));
    EXPECT_EQ(step.substr(step.find('.'), 4), ".001");
    EXPECT_EQ(lines[6], "NUMBER OF LINES:       " + std::to_string(closing));
    EXPECT_EQ(lines.back(), "");
}

class ScopeGolden : public testing::TestWithParam<GoldenCase> { };

TEST_P(ScopeGolden, MatchesReviewedText)
{
    const GoldenCase& c = GetParam();
    ProcedureInputs in;
    in.page = Page::Scope;
    in.identity = {"Orvik 2440 Oscilloscope", "J. Smith", "2.1", ""};
    in.headerDate = "05-Dec-26";
    selectScopeReference(in.scope, c.reference);
    in.scope.numChannels = c.channels;
    in.scope.vertGain1 = c.gain1;
    in.scope.vertGain2 = c.gain2;
    in.scope.sweep1 = c.sweep1;
    in.scope.sweep2 = c.sweep2;
    if (c.bandwidth)
        in.scope.bandwidth = c.bandwidth;
    setRisetimeTest(in.scope, c.risetime);
    ASSERT_TRUE(!c.impedance || setImpedanceTest(in.scope, true));
    if (c.more)
        c.more(in);
    test::RecordingSink sink;
    const GeneratedProcedure result = c.multi ? scopeProcedureMultiChannel(in, in.scope, EnglishLookup{}, sink)
                                              : scopeProcedureSingleChannel(in, in.scope, EnglishLookup{}, sink);
    EXPECT_FALSE(result.failed);
    EXPECT_TRUE(sink.messages.empty());
    test::expectMatchesGolden(c.file, result.text);
    expectHeaderCountsTheBody(result.text);
}

// Channels: 0 = "4", 1 = "2 ", 2 = "1". A null bandwidth keeps "200".
INSTANTIATE_TEST_SUITE_P(Models, ScopeGolden,
    testing::Values(
        // 600 MHz head: modifiers rewritten, first point on the M4 marker mode;
        // the risetime limit derived from the bandwidth.
        GoldenCase{"scope_7300_single.txt", false, 1, 2, 2, 3, 2, 1, "300", true, false,
            [](ProcedureInputs& in) {
                in.scope.risetime.clear();
                in.options.measurements = 0;
            }},
        GoldenCase{"scope_7320_single.txt", false, 4, 1, 0, 5, 0, 0, "1000", true, true,
            [](ProcedureInputs& in) {
                in.scope.timebaseAccuracy = "25ppm";
                in.options.autoranging = false;
                in.options.dataEntry = DataEntry::Slew;
                in.options.postTestWindow = PostTestWindow::Never;
            }},
        GoldenCase{"scope_8240_single.txt", false, 5, 2, 5, 0, 3, 2, nullptr, false, false,
            [](ProcedureInputs& in) {
                in.connections.append({MeterFunction::Dcv, 0, std::nullopt, std::string("Connect the probe")});
            }},
        GoldenCase{"scope_6400_single.txt", false, 7, 2, 1, 4, 0, 3, nullptr, false, false,
            [](ProcedureInputs& in) {
                in.scope.verticalAccuracy = "1.5";
                in.options.functionMessages = false;
                in.options.measurements = 3;
            }},
        GoldenCase{"scope_8600_single.txt", false, 8, 2, 0, 5, 1, 0, "500", false, true,
            [](ProcedureInputs& in) { in.scope.capacitance = ""; }},
        GoldenCase{"scope_8240_multi.txt", true, 6, 1, 1, 5, 0, 0, nullptr, true, true, nullptr},
        // 10 ns/div: M2 from the first point.
        GoldenCase{"scope_8600_multi.txt", true, 9, 0, 0, 5, 3, 0, "2000", false, true,
            [](ProcedureInputs& in) { in.scope.timebaseAccuracy = "0.0025%"; }}),
    [](const auto& info) {
        const std::string_view file = info.param.file;
        return test::testName(file.substr(0, file.rfind('.')));
    });

} // namespace
} // namespace kestrel
