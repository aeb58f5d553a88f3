// kestrel-cli texts: the text table as the program answers it, in English
// or over English in the named language.
#include "cli_run.h"
#include "core/i18n/english_texts.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kestrel::cli {
namespace {

using kestrel::test::ScratchDir;
using test::cli;

test::CliRun texts(const ScratchDir& dir, const char* lcid)
{
    return cli({"texts", "--config-dir", dir.path().string(), "--lcid", lcid});
}

std::size_t lineCount(const std::string& text) { return static_cast<std::size_t>(std::ranges::count(text, '\n')); }

// Printed as the program shows them: trimmed, LF line ends, one per line; a
// damaged file is reported and English printed all the same.
TEST(Commands, TextsPrintsTheEnglishTableWithoutAUsableFile)
{
    ScratchDir dir;
    const test::CliRun r = texts(dir, "1031");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
    EXPECT_EQ(lineCount(r.out), englishTexts().size());
    EXPECT_EQ(r.out.rfind("100\t&DMM's\n", 0), 0u);
    EXPECT_NE(r.out.find("\n1235\tWelch-Satterthwaite\n"), std::string::npos);
    // The windows' texts after the built-in ones, the last of the table last.
    EXPECT_NE(r.out.find("\n1581\tSet Degrees of Freedom\n2000\t&Open\xE2\x80\xA6\n"), std::string::npos);
    EXPECT_NE(r.out.find("\n2010\tKestrel\n"), std::string::npos);
    const EnglishText& last = englishTexts().back();
    EXPECT_TRUE(r.out.ends_with(std::to_string(last.number) + "\t" + std::string(last.text) + "\n"));

    dir.write("Kestrel_1031.MDB", "not a localization file\n");
    const test::CliRun damaged = texts(dir, "1031");
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.err.find("Error:Populate local rs "), std::string::npos) << damaged.err;
    EXPECT_EQ(damaged.out, r.out);
}

// Local texts of the language named, English where the file has none; the
// folder may come from the environment.
TEST(Commands, TextsOfTheNamedLanguageOverEnglish)
{
    ScratchDir dir;
    dir.write("Kestrel_1036.MDB",
        "Kestrel localization 1\n1223\t&Cr\xC3\xA9"
        "er\n1260\tConnexion\\tpause\n2005\t&Annuler\n");
    const std::string out = texts(dir, "1036").out;
    EXPECT_NE(out.find("\n2005\t&Annuler\n"), std::string::npos) << "a window text of the file";
    EXPECT_NE(out.find("\n1223\t&Cr\xC3\xA9"
                       "er\n"),
        std::string::npos);
    EXPECT_NE(out.find("\n1260\tConnexion\\tpause\n"), std::string::npos) << "a TAB stays escaped";
    EXPECT_NE(out.find("\n1224\tDisplay &Local Text\n"), std::string::npos);
    EXPECT_NE(texts(dir, "1031").out.find("\n1223\t&Create\n"), std::string::npos);
    kestrel::test::EnvGuard config("KESTREL_CONFIG_DIR");
    config.set(dir.path().string());
    EXPECT_EQ(cli({"texts", "--lcid", "1036"}).out, out);
}

} // namespace
} // namespace kestrel::cli
