#include "core/spec/numbers.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

struct ParseCase {
    const char* text;
    const char* separator;
    double value;
};

class TextToValue : public ::testing::TestWithParam<ParseCase> {};

TEST_P(TextToValue, ReadsEngineeringNotation)
{
    const auto& p = GetParam();
    EXPECT_DOUBLE_EQ(textToValue(p.text, p.separator), p.value) << p.text;
}

INSTANTIATE_TEST_SUITE_P(Prefixes, TextToValue, ::testing::Values(
    ParseCase{"1.5M", ".", 1.5e6}, ParseCase{"2k", ".", 2000}, ParseCase{"2K", ".", 2000},
    ParseCase{"10mM", ".", 1e7}, ParseCase{"200m", ".", 0.2}, ParseCase{"10\xC2\xB5", ".", 1e-5},
    ParseCase{"10u", ".", 1e-5}, ParseCase{"5p", ".", 5e-12}, ParseCase{"3n", ".", 3e-9},
    ParseCase{"1G", ".", 1e9}, ParseCase{"1,5m", ",", 1.5e-3}, ParseCase{"-2.000", ".", -2},
    ParseCase{"", ".", 0}, ParseCase{"abc", ".", 0}, ParseCase{"  42x", ".", 42},
    ParseCase{"1e3", ".", 1000}, ParseCase{"1e", ".", 1}, ParseCase{"10999m", ".", 10.999},
    ParseCase{"1e999", ".", 0}, ParseCase{".5", ".", 0.5}, ParseCase{"-", ".", 0}));

struct FormatCase {
    double value;
    const char* text;
    const char* range;
};

class NumberText : public ::testing::TestWithParam<FormatCase> {};

TEST_P(NumberText, ShortestDecimalWithoutExponent)
{
    const auto& p = GetParam();
    EXPECT_EQ(numberText(p.value), p.text);
    EXPECT_EQ(rangeNumberText(p.value), p.range);
}

INSTANTIATE_TEST_SUITE_P(Values, NumberText, ::testing::Values(
    FormatCase{0, "0", "0"}, FormatCase{0.2, "0.2", ".2"}, FormatCase{-0.25, "-0.25", "-.25"},
    FormatCase{1100, "1100", "1100"}, FormatCase{2.2e7 / 300000, "73.3333333333333", "73.3333333333333"},
    FormatCase{0.1 + 0.2, "0.3", ".3"}, FormatCase{1e-9, "0.000000001", ".000000001"},
    FormatCase{1e9, "1000000000", "1000000000"}, FormatCase{0.00005, "0.00005", ".00005"},
    FormatCase{123456789012345678.0, "123456789012346000", "123456789012346000"}));

} // namespace
} // namespace kestrel
