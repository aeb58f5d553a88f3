// Whole scope procedures, one per calibrator model and generator, compared
// with reviewed texts. Each case ticks a different mix of tests so that
// every section and model rule appears in at least one golden text.
#include "core/i18n/text_lookup.h"
#include "core/scope/scope_generators.h"
#include "support/golden.h"
#include "support/recording_sink.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

struct GoldenCase {
    const char* file;
    bool multi;
    void (*setUp)(ProcedureInputs&);
};

ProcedureInputs baseInputs()
{
    ProcedureInputs inputs;
    inputs.page = Page::Scope;
    inputs.identity.name = "Orvik 2440 Oscilloscope";
    inputs.identity.author = "J. Smith";
    inputs.identity.revision = "2.1";
    inputs.headerDate = "05-Dec-26";
    return inputs;
}

void scope7300(ProcedureInputs& in)
{
    // 600 MHz head: modifiers rewritten, first point on the M4 marker mode.
    selectScopeReference(in.scope, 1);
    in.scope.numChannels = 2; // "1"
    in.scope.vertGain1 = 2;   // 10 mV/div
    in.scope.vertGain2 = 3;   // 0.5 V/div
    in.scope.sweep1 = 2;      // 5 ns/div
    in.scope.sweep2 = 1;      // 100 ms/div
    in.scope.bandwidth = "300";
    setRisetimeTest(in.scope, true);
    in.scope.risetime.clear(); // derived from the bandwidth
    in.options.measurements = 0;
}

void scope7320(ProcedureInputs& in)
{
    selectScopeReference(in.scope, 4); // 1.1 GHz
    in.scope.numChannels = 1;          // "2 "
    in.scope.vertGain1 = 0;
    in.scope.vertGain2 = 5;
    in.scope.sweep1 = 0;
    in.scope.sweep2 = 0;
    in.scope.timebaseAccuracy = "25ppm";
    in.scope.bandwidth = "1000";
    setRisetimeTest(in.scope, true);
    setImpedanceTest(in.scope, true);
    in.options.autoranging = false;
    in.options.dataEntry = DataEntry::Slew;
    in.options.postTestWindow = PostTestWindow::Never;
}

void scope8240(ProcedureInputs& in)
{
    selectScopeReference(in.scope, 5);
    in.scope.numChannels = 2;
    in.scope.vertGain1 = 5;
    in.scope.vertGain2 = 0;
    in.scope.sweep1 = 3; // 10 ns/div
    in.scope.sweep2 = 2;
    in.connections.append({"dcv", "0", std::nullopt, std::string("Connect the probe")});
}

void scope6400(ProcedureInputs& in)
{
    selectScopeReference(in.scope, 7);
    in.scope.numChannels = 2;
    in.scope.vertGain1 = 1;
    in.scope.vertGain2 = 4;
    in.scope.sweep1 = 0;
    in.scope.sweep2 = 3;
    in.scope.verticalAccuracy = "1.5";
    in.options.functionMessages = false;
    in.options.measurements = 3;
}

void scope8600(ProcedureInputs& in)
{
    selectScopeReference(in.scope, 8);
    in.scope.numChannels = 2;
    in.scope.vertGain1 = 0;
    in.scope.vertGain2 = 5;
    in.scope.sweep1 = 1; // 2 ns/div
    in.scope.sweep2 = 0;
    in.scope.bandwidth = "500";
    setImpedanceTest(in.scope, true);
    in.scope.capacitance = "";
}

void multi8240(ProcedureInputs& in)
{
    selectScopeReference(in.scope, 6);
    in.scope.numChannels = 1; // "2 "
    in.scope.vertGain1 = 1;
    in.scope.vertGain2 = 5;
    in.scope.sweep1 = 0;
    in.scope.sweep2 = 0;
    setRisetimeTest(in.scope, true);
    setImpedanceTest(in.scope, true);
}

void multi8600(ProcedureInputs& in)
{
    selectScopeReference(in.scope, 9);
    in.scope.numChannels = 0; // "4"
    in.scope.vertGain1 = 0;
    in.scope.vertGain2 = 5;
    in.scope.sweep1 = 3; // 10 ns/div: M2 from the first point
    in.scope.sweep2 = 0;
    in.scope.bandwidth = "2000";
    setImpedanceTest(in.scope, true);
    in.scope.timebaseAccuracy = "0.0025%";
}

class ScopeGolden : public testing::TestWithParam<GoldenCase> {};

TEST_P(ScopeGolden, MatchesReviewedText)
{
    const GoldenCase& c = GetParam();
    ProcedureInputs inputs = baseInputs();
    c.setUp(inputs);
    test::RecordingSink sink;
    const GeneratedProcedure result = c.multi ? scopeProcedureMultiChannel(inputs, EnglishLookup{}, sink)
                                              : scopeProcedureSingleChannel(inputs, EnglishLookup{}, sink);
    EXPECT_FALSE(result.failed);
    EXPECT_TRUE(sink.messages.empty());
    test::expectMatchesGolden(c.file, result.text);
}

INSTANTIATE_TEST_SUITE_P(Models, ScopeGolden,
                         testing::Values(GoldenCase{"scope_7300_single.txt", false, scope7300},
                                         GoldenCase{"scope_7320_single.txt", false, scope7320},
                                         GoldenCase{"scope_8240_single.txt", false, scope8240},
                                         GoldenCase{"scope_6400_single.txt", false, scope6400},
                                         GoldenCase{"scope_8600_single.txt", false, scope8600},
                                         GoldenCase{"scope_8240_multi.txt", true, multi8240},
                                         GoldenCase{"scope_8600_multi.txt", true, multi8600}));

} // namespace
} // namespace kestrel
