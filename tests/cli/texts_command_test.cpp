#include "cli/texts_command.h"

#include "core/app/test_scratch_dir.h"
#include "core/i18n/english_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace kestrel::cli {
namespace {

using test::ScratchDir;

struct Result {
    int status;
    std::string out, err;
};

Result runTexts(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    std::vector<std::string> line{"texts"};
    line.insert(line.end(), args.begin(), args.end());
    const int status = run(line, out, err);
    return {status, out.str(), err.str()};
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

TEST(TextsCommand, PrintsTheEnglishTableWithoutFile)
{
    ScratchDir dir;
    const Result r = runTexts({"--config-dir", dir.path().string(), "--lcid", "1031"});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.find('\r'), std::string::npos) << "LF line ends only";
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), englishTexts().size());
    EXPECT_EQ(out.front(), "100\t&DMM's");
    EXPECT_EQ(out.back(), "1581\tSet Degrees of Freedom");
    const auto welch = std::find(out.begin(), out.end(), "1235\tWelch-Satterthwaite");
    EXPECT_NE(welch, out.end()) << "texts are printed as the program shows them, trimmed";
}

TEST(TextsCommand, PrintsLocalTextsWhereSaved)
{
    ScratchDir dir;
    dir.write("Kestrel_1036.MDB", "Kestrel localization 1\n1223\t&Cr\xC3\xA9" "er\n1260\tConnexion\\tpause\n");
    const Result r = runTexts({"--lcid", "1036", "--config-dir", dir.path().string()});
    EXPECT_EQ(r.status, kExitOk);
    const auto out = lines(r.out);
    EXPECT_NE(std::find(out.begin(), out.end(), "1223\t&Cr\xC3\xA9" "er"), out.end());
    EXPECT_NE(std::find(out.begin(), out.end(), "1260\tConnexion\\tpause"), out.end()) << "a TAB stays escaped";
    EXPECT_NE(std::find(out.begin(), out.end(), "1224\tDisplay &Local Text"), out.end());

    const Result german = runTexts({"--lcid", "1031", "--config-dir", dir.path().string()});
    EXPECT_NE(german.out.find("1223\t&Create\n"), std::string::npos) << "--lcid names the file";
}

TEST(TextsCommand, DamagedFileStillPrintsEnglish)
{
    ScratchDir dir;
    dir.write("Kestrel_1031.MDB", "not a localization file\n");
    const Result r = runTexts({"--config-dir", dir.path().string(), "--lcid", "1031"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Error:Populate local rs "), std::string::npos) << r.err;
    EXPECT_EQ(lines(r.out).size(), englishTexts().size());
    EXPECT_NE(r.out.find("1223\t&Create\n"), std::string::npos);
}

TEST(TextsCommand, ConfigDirectoryFromTheEnvironment)
{
    ScratchDir dir;
    dir.write("Kestrel_1031.MDB", "Kestrel localization 1\n1223\tErstellen\n");
    test::EnvGuard config("KESTREL_CONFIG_DIR");
    config.set(dir.path().string());
    const Result r = runTexts({"--lcid", "1031"});
    EXPECT_NE(r.out.find("1223\tErstellen\n"), std::string::npos);
}

TEST(TextsCommand, HelpAndBadArguments)
{
    const Result help = runTexts({"--help"});
    EXPECT_EQ(help.status, kExitOk);
    EXPECT_NE(help.out.find("Usage: kestrel-cli texts [--lcid N] [--config-dir DIR]"), std::string::npos);
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--lcid"}, {"--lcid", "abc"}, {"--lcid", "10x"}, {"--config-dir"}, {"--frobnicate"}}) {
        const Result r = runTexts(args);
        EXPECT_EQ(r.status, kExitUsage) << args.front();
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("kestrel-cli texts: "), std::string::npos);
    }
}

TEST(TextsCommand, ListedInTheUsage)
{
    std::ostringstream out, err;
    EXPECT_EQ(run({"--help"}, out, err), kExitOk);
    EXPECT_NE(out.str().find("  texts"), std::string::npos);
}

} // namespace
} // namespace kestrel::cli
