#include "core/base/locale_info.h"

#include "support/recording_sink.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

namespace kestrel {
namespace {

using test::RecordingSink;

TEST(LocaleDatabase, SeparatorsOfEveryLocaleItKnows)
{
    // Among them the locales a table of a few dozen once left with ".".
    struct Case {
        int lcid;
        const char* decimal;
        const char* thousands;
    } const cases[] = {
        {1033, ".", ","},
        {2057, ".", ","},
        {1031, ",", "."},
        {2055, ".", "\xE2\x80\x99"},
        {1055, ",", "."},
        {1032, ",", "."},
        {1050, ",", "."},
        {1058, ",", "\xC2\xA0"},
        {1048, ",", "."},
        {2052, ".", ","},
    };
    for (const Case& c : cases) {
        RecordingSink sink;
        EXPECT_EQ(std::pair(getLocaleInfo(c.lcid, LocaleItem::DecimalSeparator, sink),
                      getLocaleInfo(c.lcid, LocaleItem::ThousandSeparator, sink)),
            std::pair(std::string(c.decimal), std::string(c.thousands)))
            << c.lcid;
        EXPECT_TRUE(sink.messages.empty()) << c.lcid;
    }
}

TEST(LocaleDatabase, UnknownLocaleShowsTheErrorAndGivesNothing)
{
    for (int lcid : {9999, -1}) {
        RecordingSink sink;
        EXPECT_EQ(getLocaleInfo(lcid, LocaleItem::DecimalSeparator, sink), "") << lcid;
        ASSERT_EQ(sink.messages.size(), 1u) << lcid;
#ifdef _WIN32
        // The description is the system's, in the user's language.
        EXPECT_EQ(sink.messages[0].rfind("87, ", 0), 0u) << sink.messages[0];
#else
        EXPECT_EQ(sink.messages[0], "87, The parameter is incorrect.");
#endif
    }
}

TEST(LocaleDatabase, MediumDateWithTheLocalesMonthNames)
{
    EXPECT_EQ(formatMediumDate(2026, 12, 5, 1033), "05-Dec-26");
    EXPECT_EQ(formatMediumDate(2000, 3, 31, 1031), "31-M\xC3\xA4r-00");
    EXPECT_EQ(formatMediumDate(2026, 12, 5, 1055), "05-Ara-26");
    EXPECT_EQ(formatMediumDate(1999, 1, 9, 2052), "09-1\xE6\x9C\x88-99");
    EXPECT_EQ(formatMediumDate(2009, 1, 1, 9999), "01-Jan-09") << "unknown locales use English months";
}

TEST(LocaleDatabase, PosixNamesAndTheEnvironment)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows tells the user's locale itself; it has no POSIX locale names";
#else
    for (const auto& [name, lcid] : {std::pair{"de_DE.UTF-8", 1031}, {"de", 1031}, {"de_CH.UTF-8", 2055},
             {"de_XX", 1031}, {"en_GB.ISO-8859-1@euro", 2057}, {"fr_FR@euro", 1036}, {"zh_CN.GB18030", 2052},
             {"zh", 2052}, {"tr_TR.UTF-8", 1055}, {"uk_UA.UTF-8", 1058}, {"nb_NO.UTF-8", 1044}, {"sr_RS", 10266},
             {"sr_RS@latin", 9242}, {"ca_ES.UTF-8@valencia", 2051}, {"C.UTF-8", 1033}, {"POSIX", 1033}, {"", 1033},
             {"xx_YY", 1033}, {"\xFF\xFE", 1033}})
        EXPECT_EQ(lcidFromLocaleName(name), lcid) << name;

    // Numbers follow LC_ALL, LC_NUMERIC, LANG; texts LC_ALL, LC_MESSAGES, LANG. Empty counts as unset.
    test::EnvGuard all("LC_ALL"), numeric("LC_NUMERIC"), messages("LC_MESSAGES"), lang("LANG");
    all.set("");
    numeric.set("fr_FR.UTF-8");
    messages.unset();
    lang.set("de_DE.UTF-8");
    EXPECT_EQ(std::pair(platformUserDefaultLcid(), platformUserDefaultLanguage()), std::pair(1036, 1031));
    messages.set("it_IT.UTF-8");
    all.set("sv_SE.UTF-8");
    EXPECT_EQ(std::pair(platformUserDefaultLcid(), platformUserDefaultLanguage()), std::pair(1053, 1053));
    all.unset();
    EXPECT_EQ(platformUserDefaultLanguage(), 1040);
#endif
}

TEST(LocaleValues, CommandLineAndUserDefaults)
{
    struct Case {
        const char* commandLine;
        int userLcid, userLanguage, activeLcid, charSet;
        const char* decimal;
        bool localized;
    } const cases[] = {
        {"", 1033, 1033, 1033, 1, ".", false},
        {"", 1031, 1031, 1031, 1, ",", true},
        {"", 1055, 1055, 1055, 1, ",", true},
        {"", 1048, 1048, 1048, 1, ",", true},
        {"/lcid=2052", 1033, 1033, 2052, 134, ".", false},
        {"kestrel /LCID=1031", 1033, 1033, 1031, 1, ",", false},
        {"/lcid= 1036 extra", 1033, 1033, 1036, 1, ",", false},
        // more than one "/", no "lcid" in the part, or no number leaves the user's locale
        {"/lcid=1031 /x", 1033, 1033, 1033, 1, ".", false},
        {"/lcid=1031/", 1033, 1033, 1033, 1, ".", false},
        {"/locale=1031", 1033, 1033, 1033, 1, ".", false},
        {"/lcid=99999999999", 1036, 1033, 1036, 1, ",", false},
        // an upper-case -L anywhere counts, also under US English; no "=" reads as 0, the system default,
        // which the test environment pins to US English
        {"-L", 1033, 1033, 1033, 1, ".", true},
        {"/lcid=1031 -l", 1033, 1033, 1031, 1, ",", true},
        {"/lcid", 1031, 1033, 0, 1, ".", false},
        // only the low 16 bits of the user's locale count, sign-extended
        {"", 0x10407, 1033, 1031, 1, ",", false},
    };
    for (const Case& c : cases) {
        RecordingSink sink;
        const LocaleValues v =
            computeLocaleValues(c.userLcid, c.userLanguage, readStartUpSwitches(c.commandLine), sink);
        EXPECT_EQ(std::tuple(v.activeLcid, v.activeCharSet, v.decimalSeparator, v.localizedMode, v.userDefaultLanguage),
            std::tuple(c.activeLcid, c.charSet, std::string(c.decimal), c.localized, c.userLanguage))
            << c.commandLine << " / " << c.userLcid;
        EXPECT_TRUE(sink.messages.empty()) << c.commandLine << " / " << c.userLcid;
    }
}

// What the command line says, read once into typed switches: the command
// line of kestrel-cli passes its --lcid as a number and must get the same.
TEST(LocaleValues, SwitchesReadFromTheCommandLine)
{
    struct Case {
        const char* commandLine;
        std::optional<int> lcid;
        bool menus;
    } const cases[] = {{"", std::nullopt, false}, {"kestrel /lcid=2052", 2052, false}, {"/LCID=1031 -L", 1031, true},
        {"/lcid", 0, false}, {"/lcid=1031 /x", std::nullopt, false}, {"/lcid=99999999999", std::nullopt, false},
        {"/lcid=-5", -5, false}};
    for (const Case& c : cases) {
        const StartUpSwitches s = readStartUpSwitches(c.commandLine);
        EXPECT_EQ(std::pair(s.lcid, s.localizationMenus), std::pair(c.lcid, c.menus)) << c.commandLine;
    }
    RecordingSink sink;
    for (const int lcid : {2052, 1031, 1036}) {
        const LocaleValues typed = computeLocaleValues(1033, 1033, StartUpSwitches{lcid, false}, sink);
        const LocaleValues read =
            computeLocaleValues(1033, 1033, readStartUpSwitches("/lcid=" + std::to_string(lcid)), sink);
        EXPECT_EQ(std::tuple(typed.activeLcid, typed.activeCharSet, typed.decimalSeparator, typed.thousandSeparator),
            std::tuple(read.activeLcid, read.activeCharSet, read.decimalSeparator, read.thousandSeparator))
            << lcid;
    }
    EXPECT_TRUE(sink.messages.empty());
}

TEST(LocaleValues, LocaleTheDatabaseDoesNotKnow)
{
    // Both separators are asked for, so both report; numbers then keep ".".
    for (const auto& [commandLine, userLcid] : {std::pair{"/lcid=9999", 1031}, {"", 0xFFFF}}) {
        RecordingSink sink;
        const LocaleValues v = computeLocaleValues(userLcid, 1033, readStartUpSwitches(commandLine), sink);
        EXPECT_EQ(std::tuple(v.decimalSeparator, v.thousandSeparator, v.numberSeparator(), sink.messages.size()),
            std::tuple("", "", ".", 2u))
            << commandLine;
    }
}

} // namespace
} // namespace kestrel
