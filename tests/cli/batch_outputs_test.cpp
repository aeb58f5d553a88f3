// kestrel-cli generate --out-dir: no output may be an input or another
// output, whatever the spelling (a link, a hard link, "..", the case or
// composition of a name), and no symbolic link in the folder is written
// through.
#include "cli/batch_outputs.h"
#include "cli_run.h"
#include "core/base/path_text.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <system_error>
#include <vector>

namespace kestrel::cli {
namespace {

using kestrel::test::readFile;

constexpr int kUsageStatus = 2;       // wrong arguments: nothing is written
constexpr int kWriteFailedStatus = 5; // an output could not be written

class BatchOutputs : public ::testing::Test {
protected:
    BatchOutputs()
    {
        const std::string tessel = std::string(KESTREL_SOURCE_DIR) + "/data/demo-tessel";
        dir.write("installed/tessel.ini",
            "[startup]\naccdir=" + tessel + "/acc\npicdir=" + tessel + "/pics\nhelpdir=" + tessel +
                "/help\nconfig=" + tessel + "/config/instruments.cfg\n");
        std::filesystem::create_directories(dir / "out");
        meter = dir.write("agilent34401.kestrel.json", readFile(sample)).string();
        victim = dir.write("victim.kestrel.json", kVictim).string();
    }

    test::CliRun generate(const std::vector<std::string>& files)
    {
        std::vector<std::string> args{"generate", "--out-dir", (dir / "out").string()};
        args.insert(args.end(), files.begin(), files.end());
        args.insert(
            args.end(), {"--config-dir", (dir / "installed").string(), "--lcid", "1033", "--date", "2026-12-05"});
        return test::cli(args);
    }
    // A symbolic link in the output folder; false where the system has none.
    bool link(const std::filesystem::path& target, const std::string& name)
    {
        std::error_code ec;
        std::filesystem::create_symlink(target, dir / "out" / name, ec);
        return !ec;
    }

    static constexpr const char* kVictim = R"({"meter": {"reference": "7300"}})";
    const std::filesystem::path sample = std::string(KESTREL_SOURCE_DIR) + "/data/samples/agilent34401.kestrel.json";
    kestrel::test::ScratchDir dir;
    std::string meter, victim;
};

// An output that is an input or another output by some other path is
// refused before anything is made, and every file keeps its content.
TEST_F(BatchOutputs, AnOutputThatIsAnInputOrAnotherOutputIsRefused)
{
    if (!link("../victim.kestrel.json", "agilent34401.txt"))
        GTEST_SKIP() << "no symbolic links here";
    test::CliRun r = generate({meter, victim});
    EXPECT_EQ(r.status, kUsageStatus) << r.err;
    EXPECT_NE(r.err.find("out/agilent34401.txt\" is \"" + victim + "\" under another name: the procedure of \"" +
                  meter + "\" would replace it"),
        std::string::npos)
        << r.err;
    EXPECT_EQ(readFile(victim), kVictim);
    std::filesystem::remove(dir / "out/agilent34401.txt");

    // A hard link, and an input spelt through "..".
    std::filesystem::create_hard_link(victim, dir / "out/agilent34401.txt");
    r = generate({meter, (dir / "out/../victim.kestrel.json").string()});
    EXPECT_EQ(r.status, kUsageStatus) << r.err;
    EXPECT_NE(r.err.find("under another name"), std::string::npos) << r.err;
    EXPECT_EQ(readFile(victim), kVictim);
    std::filesystem::remove(dir / "out/agilent34401.txt");

    // Two outputs linked to one file: one procedure would be lost.
    const auto shared = dir.write("shared.txt", "mine");
    ASSERT_TRUE(link(shared, "agilent34401.txt") && link(shared, "victim.txt"));
    r = generate({meter, victim});
    EXPECT_EQ(r.status, kUsageStatus) << r.err;
    EXPECT_NE(r.err.find("are one file: the procedures of \"" + meter + "\" and \"" + victim +
                  "\" would both be written to it"),
        std::string::npos)
        << r.err;
    EXPECT_EQ(readFile(shared), "mine");
    EXPECT_EQ(r.err.find("written,"), std::string::npos) << "refused before the run: " << r.err;
}

// A link to a file of no concern to the run is not written through: that
// output fails, the link and its file stay, and the others are written.
TEST_F(BatchOutputs, ALinkInTheFolderIsNotWrittenThrough)
{
    const auto elsewhere = dir.write("elsewhere.txt", "someone's");
    if (!link(elsewhere, "agilent34401.txt") || !link(dir / "gone.txt", "dangling.txt"))
        GTEST_SKIP() << "no symbolic links here";
    const auto dangling = dir.write("dangling.kestrel.json", readFile(sample)).string();
    const auto other = dir.write("other.kestrel.json", readFile(sample)).string();
    const test::CliRun r = generate({meter, dangling, other});
    EXPECT_EQ(r.status, kWriteFailedStatus) << r.err;
    EXPECT_NE(r.err.find("kestrel-cli generate: " + meter + ": not written: \"" +
                  (dir / "out/agilent34401.txt").string() + "\" is a symbolic link"),
        std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("1 written, 2 failed"), std::string::npos) << r.err;
    EXPECT_EQ(readFile(elsewhere), "someone's");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "out/agilent34401.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir / "gone.txt")) << "a dangling link creates nothing";
    EXPECT_FALSE(readFile(dir / "out/other.txt").empty());
}

// Names that Windows and macOS take for one: letters beyond ASCII in
// another case, an accent composed or not.
TEST_F(BatchOutputs, NamesOneOnCaseBlindFileSystemsAreRefused)
{
    const std::string json = kVictim;
    const std::pair<std::string, std::string> cases[] = {
        {"\xC3\x84rger.kestrel.json", "\xC3\xA4rger.kestrel.json"},
        {"caf\xC3\xA9.kestrel.json", "cafe\xCC\x81.kestrel.json"},
        {"a/M\xC3\x9C"
         "LLER.json",
            "b/m\xC3\xBCller.kestrel.json"},
    };
    // The names are UTF-8: written and passed on as the program takes them,
    // whatever the platform's own code page.
    const auto write = [&](const std::string& name) {
        const std::filesystem::path file = dir.path() / pathFromUtf8(name);
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << json;
        return utf8FromPath(file);
    };
    for (const auto& [a, b] : cases) {
        const test::CliRun r = generate({write(a), write(b)});
        EXPECT_EQ(r.status, kUsageStatus) << a << " " << b;
        EXPECT_NE(r.err.find("would both be written to"), std::string::npos) << r.err;
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir / "out"));
    // Different names stay different.
    EXPECT_EQ(batchOutputsProblem({"cafe.kestrel.json", "caf\xC3\xA9.kestrel.json"}, dir / "out", false), "");
}

} // namespace
} // namespace kestrel::cli
