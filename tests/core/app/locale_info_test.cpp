#include "core/app/locale_info.h"

#include "core/app/test_scratch_dir.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(LocaleTable, HoldsTheRequiredLocales)
{
    struct Case {
        int lcid;
        const char* decimal;
        const char* thousand;
        const char* december;
    };
    const Case cases[] = {
        {1033, ".", ",", "Dec"},         {2057, ".", ",", "Dec"},         {1031, ",", ".", "Dez"},
        {1036, ",", "\xC2\xA0", "d\xC3\xA9" "c."},                       {1040, ",", ".", "dic"},
        {3082, ",", ".", "dic"},         {1043, ",", ".", "dec"},         {1053, ",", "\xC2\xA0", "dec"},
        {1049, ",", "\xC2\xA0", "\xD0\xB4\xD0\xB5\xD0\xBA"},              {1046, ",", ".", "dez"},
        {2052, ".", ",", "12\xE6\x9C\x88"},                               {1041, ".", ",", "12"},
    };
    for (const Case& c : cases) {
        const LocaleInfo* info = findLocale(c.lcid);
        ASSERT_NE(info, nullptr) << c.lcid;
        EXPECT_EQ(info->decimalSeparator, c.decimal) << c.lcid;
        EXPECT_EQ(info->thousandSeparator, c.thousand) << c.lcid;
        EXPECT_EQ(info->monthAbbreviations[11], c.december) << c.lcid;
    }
    EXPECT_EQ(findLocale(9999), nullptr);
}

TEST(LocaleNames, TranslateToWindowsIdentifiers)
{
    struct Case {
        const char* name;
        int lcid;
    };
    for (const Case& c : {Case{"de_DE.UTF-8", 1031}, Case{"de", 1031}, Case{"de_CH.UTF-8", 2055},
                          Case{"de_XX", 1031}, Case{"en_GB.ISO-8859-1@euro", 2057}, Case{"fr_FR@euro", 1036},
                          Case{"zh_CN.GB18030", 2052}, Case{"pt", 1046}, Case{"C", 1033}, Case{"C.UTF-8", 1033},
                          Case{"POSIX", 1033}, Case{"", 1033}, Case{"xx_YY", 1033}, Case{"\xFF\xFE", 1033}})
        EXPECT_EQ(lcidFromLocaleName(c.name), c.lcid) << c.name;
}

TEST(LocaleNames, EnvironmentOrder)
{
    test::EnvGuard all("LC_ALL"), numeric("LC_NUMERIC"), messages("LC_MESSAGES"), lang("LANG");
    all.unset();
    numeric.unset();
    messages.unset();
    lang.set("de_DE.UTF-8");
    EXPECT_EQ(userDefaultLcidFromEnvironment(), 1031);
    EXPECT_EQ(userDefaultLanguageFromEnvironment(), 1031);
    numeric.set("fr_FR.UTF-8");
    messages.set("it_IT.UTF-8");
    EXPECT_EQ(userDefaultLcidFromEnvironment(), 1036);
    EXPECT_EQ(userDefaultLanguageFromEnvironment(), 1040);
    all.set("sv_SE.UTF-8");
    EXPECT_EQ(userDefaultLcidFromEnvironment(), 1053);
    EXPECT_EQ(userDefaultLanguageFromEnvironment(), 1053);
    all.set("");
    numeric.unset();
    messages.unset();
    lang.set("C");
    EXPECT_EQ(userDefaultLcidFromEnvironment(), 1033);
}

struct CommandLineCase {
    const char* commandLine;
    int userLcid;
    int userLanguage;
    int activeLcid;
    int charSet;
    const char* decimal;
    bool localized;
};

class CommandLine : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLine, SetsTheLocaleValues)
{
    const CommandLineCase& c = GetParam();
    const LocaleValues v = computeLocaleValues(c.userLcid, c.userLanguage, c.commandLine);
    EXPECT_EQ(v.activeLcid, c.activeLcid);
    EXPECT_EQ(v.activeCharSet, c.charSet);
    EXPECT_EQ(v.decimalSeparator, c.decimal);
    EXPECT_EQ(v.localizedMode, c.localized);
    EXPECT_EQ(v.userDefaultLanguage, c.userLanguage);
}

INSTANTIATE_TEST_SUITE_P(
    LocaleValues, CommandLine,
    ::testing::Values(CommandLineCase{"", 1033, 1033, 1033, 1, ".", false},
                      CommandLineCase{"", 1031, 1031, 1031, 1, ",", true},
                      CommandLineCase{"/lcid=2052", 1033, 1033, 2052, 134, ".", false},
                      CommandLineCase{"kestrel /LCID=1031", 1033, 1033, 1031, 1, ",", false},
                      CommandLineCase{"/lcid= 1036 extra", 1033, 1033, 1036, 1, ",", false},
                      // more than one "/" ignores the override
                      CommandLineCase{"/lcid=1031 /x", 1033, 1033, 1033, 1, ".", false},
                      CommandLineCase{"/lcid=1031/", 1033, 1033, 1033, 1, ".", false},
                      // a part without "lcid" is no override
                      CommandLineCase{"/locale=1031", 1033, 1033, 1033, 1, ".", false},
                      // an upper-case -L counts, also under US English
                      CommandLineCase{"-L", 1033, 1033, 1033, 1, ".", true},
                      CommandLineCase{"/lcid=1031 -l", 1033, 1033, 1031, 1, ",", true},
                      // unknown locale: US English separators
                      CommandLineCase{"/lcid=9999", 1031, 1033, 9999, 1, ".", false},
                      // no "=": the whole part reads as 0, the system default
                      CommandLineCase{"/lcid", 1031, 1033, 0, 1, ",", false},
                      CommandLineCase{"/lcid=99999999999", 1036, 1033, 1036, 1, ",", false},
                      // only the low 16 bits of the user's locale count
                      CommandLineCase{"", 0x10407, 1033, 1031, 1, ",", false},
                      CommandLineCase{"", 0xFFFF, 1033, -1, 1, ".", false}));

TEST(MediumDate, UsesTheLocaleMonthNames)
{
    EXPECT_EQ(formatMediumDate(2026, 12, 5, 1033), "05-Dec-26");
    EXPECT_EQ(formatMediumDate(2000, 3, 31, 1031), "31-M\xC3\xA4r-00");
    EXPECT_EQ(formatMediumDate(2009, 1, 1, 4242), "01-Jan-09");
    EXPECT_EQ(formatMediumDate(2026, 13, 1, 1033), "01-Dec-26");
}

} // namespace
} // namespace kestrel
