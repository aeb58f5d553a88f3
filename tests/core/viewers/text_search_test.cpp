// The viewers' search: case-insensitive, forward from a character
// position, positions in characters.
#include "core/viewers/text_search.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(TextSearch, FindsWithoutRegardToCaseFromAPosition)
{
    const std::string text = "VSET nmeas = 5\nvset WS = Yes\n\xC2\xB5V range";
    const struct {
        const char* needle;
        std::size_t from;
        std::optional<std::size_t> hit;
    } cases[] = {
        {"vset", 0, 0},
        {"VSET", 1, 15}, // Search again: one character after the last hit
        {"Vset", 16, std::nullopt},
        {"ws = YES", 0, 20},
        {"v range", 0, 30}, // after "µ": a character, not two bytes
        {"\xC2\xB5v", 0, 29},
        {"nothing", 0, std::nullopt},
        {"", 0, std::nullopt},
        {"range", 1000, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(findNoCase(text, c.needle, c.from), c.hit) << c.needle << " from " << c.from;
}

} // namespace
} // namespace kestrel
