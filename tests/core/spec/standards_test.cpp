#include "core/spec/standards.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(Standards, FamiliesFollowTheModelNumber)
{
    for (int i = 0; i <= 6; ++i)
        EXPECT_EQ(familyOf(kReferences[static_cast<std::size_t>(i)]), CalibratorFamily::Family3xxx) << i;
    EXPECT_EQ(familyOf("7300"), CalibratorFamily::Family73xx);
    EXPECT_EQ(familyOf("7320"), CalibratorFamily::Family73xx);
    EXPECT_EQ(familyOf("7600"), CalibratorFamily::Family76xx);
    EXPECT_EQ(familyOf("7620"), CalibratorFamily::Family76xx);
    EXPECT_EQ(familyOf("6400"), CalibratorFamily::Family64xx);
    EXPECT_EQ(familyOf("7310"), std::nullopt);
    EXPECT_EQ(familyOf(""), std::nullopt);
}

TEST(Standards, SixFourHundredHasNoTypeUAndTwoRtds)
{
    const auto tc6400 = tcTypes("6400");
    ASSERT_EQ(tc6400.size(), 10u);
    EXPECT_EQ(tc6400.back(), "T");
    EXPECT_EQ(rtdTypes("6400"), (std::vector<std::string_view>{"100 ohm Pt 385", "100 ohm Pt 3926"}));

    const auto tc7300 = tcTypes("7300");
    ASSERT_EQ(tc7300.size(), 11u);
    EXPECT_EQ(tc7300.back(), "U");
    EXPECT_EQ(tc7300[kDefaultTcTypeIndex], "J");
    const auto rtd7300 = rtdTypes("7300");
    ASSERT_EQ(rtd7300.size(), 8u);
    EXPECT_EQ(rtd7300[kDefaultRtdTypeIndex], "100 ohm Pt 385");
    EXPECT_EQ(rtd7300.back(), "10 ohm  Cu");
}

TEST(Standards, RtdIndexDependsOnTheStandard)
{
    EXPECT_EQ(rtdTypeIndex("7300", "10 ohm  Cu"), 7);
    EXPECT_EQ(rtdTypeIndex("7300", "10 ohm Cu"), -1);
    EXPECT_EQ(rtdTypeIndex("6400", "120 ohm Ni"), -1);
    EXPECT_EQ(rtdTypeIndex("6400", "100 ohm Pt 3926"), 1);
}

TEST(Standards, StoredIndexesAreClamped)
{
    EXPECT_EQ(clampReferenceIndex(-3), 0);
    EXPECT_EQ(clampReferenceIndex(7), 7);
    EXPECT_EQ(kReferences[static_cast<std::size_t>(clampReferenceIndex(7))], "7300");
    EXPECT_EQ(clampReferenceIndex(12), 11);
    EXPECT_EQ(kReferences[kDefaultReferenceIndex], "3302");
    EXPECT_EQ(clampScopeReferenceIndex(-1), 0);
    EXPECT_EQ(clampScopeReferenceIndex(10), 9);
    EXPECT_EQ(clampScopeReferenceIndex(5), 5);
}

} // namespace
} // namespace kestrel
