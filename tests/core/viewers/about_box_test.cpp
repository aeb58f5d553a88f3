// The About box's texts: description, version line and OK caption.
#include "core/base/version.h"
#include "core/i18n/local_text_store.h"
#include "core/i18n/text_lookup.h"
#include "core/viewers/about_box.h"
#include "support/recording_sink.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

LocaleValues localeOf(int lcid, int language)
{
    LocaleValues locale;
    locale.userDefaultLcid = lcid;
    locale.userDefaultLanguage = language;
    return locale;
}

TEST(AboutBox, VersionLineNamesTheUsersLocaleAndLanguage)
{
    const EnglishLookup english;
    const AboutBoxTexts german = aboutBoxTexts(english, localeOf(1031, 1031), {7, 0, 12});
    EXPECT_EQ(german.version, "Version\r\n7.0.12-1031-1031");
    EXPECT_EQ(german.description, "Procedure Development Software");
    EXPECT_EQ(german.okCaption, "&OK");
    // A Swiss German locale with a French language: locale first, then language.
    EXPECT_EQ(aboutBoxTexts(english, localeOf(2055, 1036), {7, 10, 0}).version, "Version\r\n7.10.0-2055-1036");

    // An override on the command line changes the active locale, not the line.
    LocaleValues overridden = localeOf(1033, 1033);
    overridden.activeLcid = 2052;
    EXPECT_EQ(aboutBoxTexts(english, overridden).version, std::string("Version\r\n") + kVersionText + "-1033-1033");
}

TEST(AboutBox, ShowsTheLocalTextsSaved)
{
    test::ScratchDir dir;
    test::RecordingSink sink;
    LocalTextStore store(sink);
    store.populate({dir.write("Kestrel_1031.MDB",
        "Kestrel localization 1\n1266\tFassung \n"
        "1267\tSoftware zur Prozedurerstellung\n262\t&Gut\n")});
    const AboutBoxTexts about = aboutBoxTexts(store, localeOf(1031, 1031), {7, 0, 12});
    EXPECT_EQ(about.description, "Software zur Prozedurerstellung");
    EXPECT_EQ(about.version, "Fassung\r\n7.0.12-1031-1031") << "the local text is trimmed before the line break";
    EXPECT_EQ(about.okCaption, "&Gut");
    EXPECT_TRUE(sink.messages.empty());
}

} // namespace
} // namespace kestrel
