// The Scopes page as a model: which calibrators can test impedance, how the
// check boxes fill and clear their fields, the key filters, and the number
// texts the scope procedures write.
#include "core/base/failure.h"
#include "core/base/leading_number.h"
#include "core/scope/scope_inputs.h"
#include "core/scope/scope_numbers.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(ScopeInputs, EachStandardsModelOptionAndImpedanceTick)
{
    struct Expect {
        const char* fsc;
        bool is300, impedance;
    };
    const Expect expected[] = {
        {"7300", true, false},
        {"7300", false, false},
        {"7320", true, false},
        {"7320", false, true},
        {"7320", false, true},
        {"8240", false, true},
        {"8240", false, true},
        {"6400", false, false},
        {"8600", false, true},
        {"8600", false, true},
    };
    // One model across the loop: choosing any standard removes the impedance
    // tick, also when the previous one could measure impedance.
    ScopeInputs in;
    for (int i = 0; i < static_cast<int>(kScopeReferences.size()); ++i) {
        SCOPED_TRACE(kScopeReferences[static_cast<std::size_t>(i)]);
        EXPECT_EQ(scopeFsc(i), expected[i].fsc);
        EXPECT_EQ(is300MHzOption(i), expected[i].is300);
        EXPECT_EQ(impedanceTestAvailable(i), expected[i].impedance);
        ASSERT_TRUE(selectScopeReference(in, i));
        EXPECT_FALSE(in.impedanceTest);
        EXPECT_EQ(in.capacitance, "");
        EXPECT_EQ(setImpedanceTest(in, true), expected[i].impedance);
        EXPECT_EQ(in.capacitance, expected[i].impedance ? "13" : "");
    }
    EXPECT_FALSE(selectScopeReference(in, 10));
    EXPECT_FALSE(selectScopeReference(in, -1));
    EXPECT_EQ(in.reference, 9);
}

TEST(ScopeInputs, CheckBoxesFillAndClearTheirFields)
{
    ScopeInputs in;
    ASSERT_TRUE(selectScopeReference(in, 3)); // 7320 - 600 Mhz
    ASSERT_TRUE(setImpedanceTest(in, true));
    const std::pair<ScopeField, const char*> filled[] = {{ScopeField::Accuracy1MOhm, "0.1"},
        {ScopeField::Accuracy50Ohm, "0.1"}, {ScopeField::Capacitance, "13"}, {ScopeField::CapAccuracy, "0.1"}};
    for (const auto& [field, text] : filled) {
        EXPECT_EQ(scopeFieldText(in, field), text);
        EXPECT_TRUE(scopeFieldEnabled(in, field));
    }
    ASSERT_TRUE(setImpedanceTest(in, false));
    for (const auto& [field, text] : filled) {
        EXPECT_EQ(scopeFieldText(in, field), "");
        EXPECT_FALSE(scopeFieldEnabled(in, field));
    }

    // Ticking the risetime box again restores 50 ns, not the typed limit.
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
    // Digits and backspace everywhere; "." only where a fraction makes sense.
    const std::pair<ScopeField, bool> dotAccepted[] = {{ScopeField::VerticalAccuracy, true},
        {ScopeField::TimebaseAccuracy, true}, {ScopeField::Bandwidth, false}, {ScopeField::Risetime, false},
        {ScopeField::Accuracy1MOhm, true}, {ScopeField::Capacitance, true}, {ScopeField::CapAccuracy, true}};
    for (const auto& [field, dot] : dotAccepted) {
        SCOPED_TRACE(static_cast<int>(field));
        EXPECT_EQ(scopeFieldAccepts(field, '.'), dot);
        EXPECT_TRUE(scopeFieldAccepts(field, '7'));
        EXPECT_TRUE(scopeFieldAccepts(field, '\b'));
        for (char refused : {'a', ',', '-', ' ', 'e'})
            EXPECT_FALSE(scopeFieldAccepts(field, refused)) << refused;
    }
}

TEST(ScopeInputs, ChannelCountAndConnectorPicture)
{
    ScopeInputs in;
    const int counts[] = {4, 2, 1};
    const int widths[] = {2200, 1125, 525};
    for (int i = 0; i < 3; ++i) {
        in.numChannels = i;
        EXPECT_EQ(channelCount(in), counts[i]);
        // The entry the list shows reads as the count ("2 " as two).
        EXPECT_EQ(leadingNumber(kNumChannels[static_cast<std::size_t>(i)]), counts[i]);
        EXPECT_EQ(connectorPictureWidth(in), widths[i]);
    }
    in.numChannels = 3;
    EXPECT_EQ(connectorPictureWidth(in), std::nullopt);
    EXPECT_THROW(channelCount(in), ProcedureFailure);
}

TEST(ScopeInputs, RisetimeLimitTextHasOneToFourDecimalsRoundedHalfAwayFromZero)
{
    const std::pair<double, const char*> cases[] = {{350.0 / 300, "1.1667"}, {350.0 / 2240, "0.1563"},
        {350.0 / 200, "1.75"}, {350.0 / 350, "1.0"}, {350.0, "350.0"}, {9.99996, "10.0"}, {0.00004, "0.0"},
        {0.00005, "0.0001"}, {-1.23456, "-1.2346"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(decimalsText(value, 1, 4), text) << value;
}

} // namespace
} // namespace kestrel
