#include "core/base/locale_info.h"

#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kestrel {
namespace {

TEST(Locales, TableDatesAndNamesFromTheEnvironment)
{
    for (int lcid : {1033, 2057, 1031, 1036, 1040, 3082, 1043, 1053, 1049, 1046, 2052, 1041})
        EXPECT_NE(findLocale(lcid), nullptr) << lcid;
    EXPECT_EQ(findLocale(9999), nullptr);
    EXPECT_EQ(findLocale(1036)->thousandSeparator, "\xC2\xA0");
    EXPECT_EQ(formatMediumDate(2026, 12, 5, 1033), "05-Dec-26");
    EXPECT_EQ(formatMediumDate(2000, 3, 31, 1031), "31-M\xC3\xA4r-00");
    EXPECT_EQ(formatMediumDate(2009, 1, 1, 4242), "01-Jan-09") << "unknown locales use English months";

    for (const auto& [name, lcid] : {std::pair{"de_DE.UTF-8", 1031}, {"de", 1031}, {"de_CH.UTF-8", 2055},
                                     {"de_XX", 1031}, {"en_GB.ISO-8859-1@euro", 2057}, {"fr_FR@euro", 1036},
                                     {"zh_CN.GB18030", 2052}, {"C.UTF-8", 1033}, {"POSIX", 1033}, {"", 1033},
                                     {"xx_YY", 1033}, {"\xFF\xFE", 1033}})
        EXPECT_EQ(lcidFromLocaleName(name), lcid) << name;

    // Numbers follow LC_ALL, LC_NUMERIC, LANG; texts LC_ALL, LC_MESSAGES, LANG. Empty counts as unset.
    test::EnvGuard all("LC_ALL"), numeric("LC_NUMERIC"), messages("LC_MESSAGES"), lang("LANG");
    all.set("");
    numeric.set("fr_FR.UTF-8");
    messages.unset();
    lang.set("de_DE.UTF-8");
    EXPECT_EQ(std::pair(userDefaultLcidFromEnvironment(), userDefaultLanguageFromEnvironment()), std::pair(1036, 1031));
    messages.set("it_IT.UTF-8");
    all.set("sv_SE.UTF-8");
    EXPECT_EQ(std::pair(userDefaultLcidFromEnvironment(), userDefaultLanguageFromEnvironment()), std::pair(1053, 1053));
    all.unset();
    EXPECT_EQ(userDefaultLanguageFromEnvironment(), 1040);
}

TEST(LocaleValues, CommandLineAndUserDefaults)
{
    struct Case {
        const char* commandLine;
        int userLcid, userLanguage, activeLcid, charSet;
        const char* decimal;
        bool localized;
    } const cases[] = {
        {"", 1033, 1033, 1033, 1, ".", false}, {"", 1031, 1031, 1031, 1, ",", true},
        {"/lcid=2052", 1033, 1033, 2052, 134, ".", false}, {"kestrel /LCID=1031", 1033, 1033, 1031, 1, ",", false},
        {"/lcid= 1036 extra", 1033, 1033, 1036, 1, ",", false}, {"/lcid=9999", 1031, 1033, 9999, 1, ".", false},
        // more than one "/", no "lcid" in the part, or no number leaves the user's locale
        {"/lcid=1031 /x", 1033, 1033, 1033, 1, ".", false}, {"/lcid=1031/", 1033, 1033, 1033, 1, ".", false},
        {"/locale=1031", 1033, 1033, 1033, 1, ".", false}, {"/lcid=99999999999", 1036, 1033, 1036, 1, ",", false},
        // an upper-case -L anywhere counts, also under US English; no "=" reads as 0, the system default
        {"-L", 1033, 1033, 1033, 1, ".", true}, {"/lcid=1031 -l", 1033, 1033, 1031, 1, ",", true},
        {"/lcid", 1031, 1033, 0, 1, ",", false},
        // only the low 16 bits of the user's locale count, sign-extended
        {"", 0x10407, 1033, 1031, 1, ",", false}, {"", 0xFFFF, 1033, -1, 1, ".", false},
    };
    for (const Case& c : cases) {
        const LocaleValues v = computeLocaleValues(c.userLcid, c.userLanguage, c.commandLine);
        EXPECT_EQ(std::tuple(v.activeLcid, v.activeCharSet, v.decimalSeparator, v.localizedMode, v.userDefaultLanguage),
                  std::tuple(c.activeLcid, c.charSet, std::string(c.decimal), c.localized, c.userLanguage))
            << c.commandLine << " / " << c.userLcid;
    }
}

} // namespace
} // namespace kestrel
