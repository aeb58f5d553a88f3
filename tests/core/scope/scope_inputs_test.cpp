// The Scopes page as a model: which calibrators can test impedance, how the
// check boxes fill and clear their fields, the key filters, and the number
// texts the scope procedures write.
#include "core/app/failure.h"
#include "core/scope/scope_inputs.h"
#include "core/scope/scope_numbers.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(ScopeInputs, ModelAndOptionOfEachStandard)
{
    struct Expect {
        const char* fsc;
        bool is300;
        bool impedance;
    };
    const Expect expected[] = {
        {"7300", true, false},  {"7300", false, false}, {"7320", true, false}, {"7320", false, true},
        {"7320", false, true},  {"8240", false, true},  {"8240", false, true}, {"6400", false, false},
        {"8600", false, true},  {"8600", false, true},
    };
    for (int i = 0; i < static_cast<int>(kScopeReferences.size()); ++i) {
        SCOPED_TRACE(kScopeReferences[static_cast<std::size_t>(i)]);
        EXPECT_EQ(scopeFsc(i), expected[i].fsc);
        EXPECT_EQ(is300MHzOption(i), expected[i].is300);
        EXPECT_EQ(impedanceTestAvailable(i), expected[i].impedance);
    }
}

TEST(ScopeInputs, ChoosingAStandardAlwaysRemovesTheImpedanceTick)
{
    ScopeInputs in;
    ASSERT_TRUE(selectScopeReference(in, 5)); // 8240 - 1 Channel
    ASSERT_TRUE(setImpedanceTest(in, true));
    ASSERT_TRUE(selectScopeReference(in, 8)); // another that could test it
    EXPECT_FALSE(in.impedanceTest);
    EXPECT_EQ(in.capacitance, "");
    EXPECT_EQ(in.accuracy1MOhm, "");

    EXPECT_FALSE(selectScopeReference(in, 10));
    EXPECT_FALSE(selectScopeReference(in, -1));
    EXPECT_EQ(in.reference, 8);
}

TEST(ScopeInputs, ImpedanceTickFillsAndClearsItsFields)
{
    ScopeInputs in;
    ASSERT_TRUE(selectScopeReference(in, 3)); // 7320 - 600 Mhz
    ASSERT_TRUE(setImpedanceTest(in, true));
    EXPECT_EQ(in.capacitance, "13");
    EXPECT_EQ(in.capAccuracy, "0.1");
    EXPECT_EQ(in.accuracy1MOhm, "0.1");
    EXPECT_EQ(in.accuracy50Ohm, "0.1");
    for (ScopeField f : {ScopeField::Accuracy1MOhm, ScopeField::Accuracy50Ohm, ScopeField::Capacitance,
                         ScopeField::CapAccuracy})
        EXPECT_TRUE(scopeFieldEnabled(in, f));

    ASSERT_TRUE(setImpedanceTest(in, false));
    EXPECT_EQ(in.capacitance, "");
    EXPECT_EQ(in.capAccuracy, "");
    EXPECT_FALSE(scopeFieldEnabled(in, ScopeField::Capacitance));
}

TEST(ScopeInputs, ImpedanceTickRefusedWhereTheCalibratorCannotMeasureIt)
{
    for (int reference : {0, 1, 2, 7}) {
        ScopeInputs in;
        ASSERT_TRUE(selectScopeReference(in, reference));
        EXPECT_FALSE(setImpedanceTest(in, true)) << reference;
        EXPECT_FALSE(in.impedanceTest);
        EXPECT_EQ(in.capacitance, "");
    }
}

TEST(ScopeInputs, RisetimeTickRestoresFiftyNanoseconds)
{
    ScopeInputs in;
    EXPECT_FALSE(scopeFieldEnabled(in, ScopeField::Risetime));
    setRisetimeTest(in, true);
    EXPECT_EQ(in.risetime, "50");
    EXPECT_TRUE(scopeFieldEnabled(in, ScopeField::Risetime));
    scopeFieldText(in, ScopeField::Risetime) = "7";
    setRisetimeTest(in, false);
    EXPECT_EQ(in.risetime, "");
    setRisetimeTest(in, true);
    EXPECT_EQ(in.risetime, "50");
}

TEST(ScopeInputs, KeyFilters)
{
    for (ScopeField f : {ScopeField::VerticalAccuracy, ScopeField::TimebaseAccuracy, ScopeField::Bandwidth,
                         ScopeField::Risetime, ScopeField::Accuracy1MOhm, ScopeField::Capacitance}) {
        EXPECT_FALSE(scopeFieldAccepts(f, 'a'));
        EXPECT_FALSE(scopeFieldAccepts(f, ','));
        EXPECT_TRUE(scopeFieldAccepts(f, '7'));
        EXPECT_TRUE(scopeFieldAccepts(f, '\b'));
    }
    EXPECT_TRUE(scopeFieldAccepts(ScopeField::VerticalAccuracy, '.'));
    EXPECT_TRUE(scopeFieldAccepts(ScopeField::CapAccuracy, '.'));
    EXPECT_FALSE(scopeFieldAccepts(ScopeField::Bandwidth, '.'));
    EXPECT_FALSE(scopeFieldAccepts(ScopeField::Risetime, '.'));
}

TEST(ScopeInputs, ChannelCountAndConnectorPicture)
{
    ScopeInputs in;
    const int counts[] = {4, 2, 1};
    const int widths[] = {2200, 1125, 525};
    for (int i = 0; i < 3; ++i) {
        in.numChannels = i;
        EXPECT_EQ(channelCount(in), counts[i]);
        EXPECT_EQ(connectorPictureWidth(in), widths[i]);
    }
    in.numChannels = 3;
    EXPECT_EQ(connectorPictureWidth(in), std::nullopt);
    EXPECT_THROW(channelCount(in), ProcedureFailure);
}

TEST(ScopeInputs, InitialSelections)
{
    const ScopeInputs in;
    EXPECT_EQ(kNumChannels[static_cast<std::size_t>(in.numChannels)], "4");
    EXPECT_EQ(kVertGain1[static_cast<std::size_t>(in.vertGain1)], "2 mv/div");
    EXPECT_EQ(kVertGain2[static_cast<std::size_t>(in.vertGain2)], "5 v/div");
    EXPECT_EQ(kSweep1[static_cast<std::size_t>(in.sweep1)], "1 ns/div");
    EXPECT_EQ(kSweep2[static_cast<std::size_t>(in.sweep2)], "5 s/div");
    EXPECT_EQ(in.bandwidth, "200");
    EXPECT_EQ(in.verticalAccuracy, "2.0");
    EXPECT_EQ(in.timebaseAccuracy, "0.01");
}

struct DecimalsCase {
    double value;
    const char* text;
};

class RisetimeLimitText : public testing::TestWithParam<DecimalsCase> {};

TEST_P(RisetimeLimitText, OneToFourDecimalsHalfAwayFromZero)
{
    EXPECT_EQ(decimalsText(GetParam().value, 1, 4), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, RisetimeLimitText,
                         testing::Values(DecimalsCase{350.0 / 300, "1.1667"}, DecimalsCase{350.0 / 2240, "0.1563"},
                                         DecimalsCase{350.0 / 200, "1.75"}, DecimalsCase{350.0 / 350, "1.0"},
                                         DecimalsCase{350.0, "350.0"}, DecimalsCase{350.0 / 7, "50.0"},
                                         DecimalsCase{9.99996, "10.0"}, DecimalsCase{0.00004, "0.0"},
                                         DecimalsCase{0.00005, "0.0001"}, DecimalsCase{-1.23456, "-1.2346"}));

} // namespace
} // namespace kestrel
