// The localization print-out's page texts.
#include "core/i18n/localization_print.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(LocalizationPrint, PageTexts)
{
    EXPECT_EQ(printStampText({{2026, 3, 7}, 15, 5}, 1033), "07 Mar 2026 @ 3:05 PM");
    EXPECT_EQ(printStampText({{2026, 12, 31}, 0, 0}, 1033), "31 Dec 2026 @ 12:00 AM");
    EXPECT_EQ(printStampText({{2026, 5, 1}, 12, 30}, 1031), "01 Mai 2026 @ 12:30 PM");
    EXPECT_EQ(localizationPageHeader("stamp", 2, 7), (PageHeader{"stamp", "Page: 2 of  7", "Kestrel"}));
    EXPECT_EQ(localizationPageFooter(2, 7), "2 of 7");
}

} // namespace
} // namespace kestrel
