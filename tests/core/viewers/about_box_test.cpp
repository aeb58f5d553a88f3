// The About box's version line: the version and the language settings in
// force, and the local text of "Version" above it.
#include "core/viewers/about_box.h"

#include "core/base/version.h"

#include <gtest/gtest.h>

#include <map>

namespace kestrel {
namespace {

class LocalTexts : public TextLookup {
public:
    std::string gettext(int number) const override
    {
        const auto it = local.find(number);
        return it != local.end() ? it->second : EnglishLookup{}.gettext(number);
    }
    std::map<int, std::string> local;
};

TEST(AboutBox, VersionLineNamesTheLocaleAndLanguage)
{
    EXPECT_EQ(aboutVersionLine(7, 0, 12, 1031, 1031), "7.0.12-1031-1031");
    EXPECT_EQ(aboutVersionLine(1, 2, 3, 2052, 1033), "1.2.3-2052-1033");

    LocalTexts texts;
    const std::string line = aboutVersionLine(kVersionMajor, kVersionMinor, kVersionPatch, 1033, 1033);
    EXPECT_EQ(aboutVersionCaption(texts, 1033, 1033), "Version\r\n" + line);
    texts.local[1266] = "Fassung";
    EXPECT_EQ(aboutVersionCaption(texts, 1033, 1033), "Fassung\r\n" + line);
}

} // namespace
} // namespace kestrel
