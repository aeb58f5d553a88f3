// A cell held with "." as the grid shows it under each locale, and back.
#include "core/spec/numbers.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(Numbers, HeldCellsAreShownWithTheLocalesSeparatorAndTakenBack)
{
    const struct {
        const char* separator;
        const char* held;
        const char* shown;
    } cases[] = {
        {".", "1.5m", "1.5m"}, {",", "1.5m", "1,5m"}, {",", "-200.0\xC2\xB5", "-200,0\xC2\xB5"},
        {",", "2\t1.5\n0.5", "2\t1,5\n0,5"}, // a copied block
        {",", "", ""}, {"", "1.5", "1.5"},   // no separator known: nothing changes
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shownCell(c.held, c.separator), c.shown) << c.held << " under " << c.separator;
        EXPECT_EQ(heldCell(c.shown, c.separator), c.held) << c.shown << " under " << c.separator;
    }
}

} // namespace
} // namespace kestrel
