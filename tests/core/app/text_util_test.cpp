#include "core/app/text_util.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(TextUtil, OverwriteNeverGrowsTheLine)
{
    std::string line(10, ' ');
    overwriteAt(line, 8, "ABCDE");
    EXPECT_EQ(line, "       ABC");
    overwriteAt(line, 1, "\xC2\xB5x");
    EXPECT_EQ(line, "\xC2\xB5x     ABC");
    EXPECT_EQ(charCount(line), 10u);
    overwriteAt(line, 11, "Z");
    EXPECT_EQ(charCount(line), 10u);
}

TEST(TextUtil, CaseChangesLeaveNonAsciiAlone)
{
    EXPECT_EQ(properCase("set the temperature standards to 100\xC2\xB0" "F"),
              "Set The Temperature Standards To 100\xC2\xB0" "f");
    EXPECT_EQ(toUpper("2\xC2\xB5m"), "2\xC2\xB5M");
    EXPECT_EQ(trim("  a b  "), "a b");
    EXPECT_EQ(charSubstr("\xC2\xB0" "C", 1), "C");
}

} // namespace
} // namespace kestrel
