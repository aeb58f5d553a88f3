// kestrel-cli verify: the records of random runs are reproduced, a
// one-character hand edit in one of many procedures is found and placed,
// and every other verdict has its reason and exit status.
#include "cli_run.h"
#include "core/app/run_record.h"
#include "core/app/spec_file.h"
#include "support/random_specification.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace kestrel::cli {
namespace {

using kestrel::test::readFile;

// The exit statuses verify's help documents.
constexpr int kUnchanged = 0, kDiffers = 1, kUnreadable = 2;

class Verify : public ::testing::Test {
protected:
    Verify()
    {
        const std::string tessel = std::string(KESTREL_SOURCE_DIR) + "/data/demo-tessel";
        dir.write("installed/tessel.ini",
            "[startup]\naccdir=" + tessel + "/acc\npicdir=" + tessel + "/pics\nhelpdir=" + tessel +
                "/help\nconfig=" + (dir / "instruments.cfg").string() + "\n");
        dir.write("instruments.cfg", "7320 calibrator\n");
    }
    // Random specifications, each a file of its own; generated into out/.
    std::vector<std::string> randomRun(unsigned seed, std::size_t count, const std::vector<std::string>& options)
    {
        kestrel::test::RandomSpecification random(seed);
        std::vector<std::string> args{"generate", "--out-dir", out().string(), "--config-dir",
            (dir / "installed").string(), "--date", "2026-12-05", "--lcid", "1033"};
        args.insert(args.end(), options.begin(), options.end());
        std::vector<std::string> files;
        for (std::size_t i = 0; i < count; ++i) {
            files.push_back(dir.write("in/s" + std::to_string(seed) + "-" + std::to_string(i) + ".kestrel.json",
                                   writeSpecFile(random.make()))
                                .string());
            args.push_back(files.back());
        }
        const test::CliRun run = test::cli(args);
        EXPECT_NE(run.status, 5) << run.err;
        return files;
    }
    std::filesystem::path out() const { return dir / "out"; }
    RunRecord record() const { return readRunRecord(out() / "kestrel-run.json").record.value_or(RunRecord{}); }
    std::vector<std::string> writtenOutputs() const
    {
        std::vector<std::string> names;
        for (const RunFile& file : record().files)
            if (!file.outputSha256.empty())
                names.push_back(file.output);
        return names;
    }
    kestrel::test::ScratchDir dir;
};

TEST_F(Verify, RecordsOfRandomRunsAreReproduced)
{
    const std::vector<std::vector<std::string>> options{{}, {"--rtf"}, {"--reference", "7600"}, {"--strict"}};
    for (unsigned seed = 0; seed < options.size(); ++seed) {
        std::filesystem::remove_all(out());
        randomRun(seed, 12, options[seed]);
        const std::size_t written = writtenOutputs().size();
        ASSERT_GT(written, 0u) << "seed " << seed;
        const test::CliRun r = test::cli({"verify", out().string()});
        EXPECT_EQ(r.status, kUnchanged) << "seed " << seed << "\n" << r.out << r.err;
        EXPECT_NE(r.out.find(std::to_string(written) + " unchanged, 0 differ, 0 could not be read"), std::string::npos)
            << "seed " << seed << "\n"
            << r.out;
        // One of them alone, against the folder's record.
        const std::string one = (out() / writtenOutputs().front()).string();
        EXPECT_EQ(test::cli({"verify", "--record", (out() / "kestrel-run.json").string(), one}).status, kUnchanged);
    }
}

// One character of one procedure among many replaced by hand: verify names
// that file alone, with the line as generated and as edited.
TEST_F(Verify, AOneCharacterEditIsFoundAndPlaced)
{
    randomRun(100, 16, {});
    const std::vector<std::string> names = writtenOutputs();
    ASSERT_GT(names.size(), 4u);
    std::mt19937 random(31);
    for (int round = 0; round < 8; ++round) {
        const std::string name = names[random() % names.size()];
        const std::filesystem::path file = out() / name;
        const std::string original = readFile(file);
        std::size_t at = random() % original.size();
        while (original[at] == '\r' || original[at] == '\n')
            at = (at + 1) % original.size();
        std::string edited = original;
        edited[at] = original[at] == '#' ? '%' : '#';
        dir.write("out/" + name, edited);

        const test::CliRun r = test::cli({"verify", out().string()});
        EXPECT_EQ(r.status, kDiffers) << r.out;
        EXPECT_NE(r.out.find(name + ": edited after generation:\n"), std::string::npos) << r.out;
        EXPECT_NE(r.out.find(std::to_string(names.size() - 1) + " unchanged, 1 differ"), std::string::npos) << r.out;
        // The line of the edit, both ways, and where it is.
        const std::size_t lineStart = original.rfind('\n', at) == std::string::npos ? 0 : original.rfind('\n', at) + 1;
        const std::size_t lineEnd = original.find('\r', at);
        const std::size_t lineNumber = 1 +
            static_cast<std::size_t>(
                std::count(original.begin(), original.begin() + static_cast<std::ptrdiff_t>(lineStart), '\n'));
        EXPECT_NE(r.out.find("  - " + original.substr(lineStart, lineEnd - lineStart) + "\n"), std::string::npos)
            << r.out;
        EXPECT_NE(r.out.find("  + " + edited.substr(lineStart, lineEnd - lineStart) + "\n"), std::string::npos)
            << r.out;
        EXPECT_NE(r.out.find("(A line " + std::to_string(lineNumber) + ", B line " + std::to_string(lineNumber) + ")"),
            std::string::npos)
            << "line " << lineNumber << "\n"
            << r.out;
        dir.write("out/" + name, original);
    }
    EXPECT_EQ(test::cli({"verify", out().string()}).status, kUnchanged);
}

TEST_F(Verify, EachOtherVerdictHasItsReason)
{
    const std::vector<std::string> files = randomRun(200, 6, {});
    const std::vector<std::string> names = writtenOutputs();
    ASSERT_GE(names.size(), 3u);
    const auto verify = [&] { return test::cli({"verify", out().string()}); };

    // A specification changed since.
    std::string input;
    for (const RunFile& file : record().files)
        if (file.output == names[0])
            input = file.input;
    const std::string spec = readFile(input);
    dir.write(std::filesystem::relative(input, dir.path()).string(), spec + "\n");
    test::CliRun r = verify();
    EXPECT_EQ(r.status, kDiffers);
    EXPECT_NE(r.out.find(names[0] + ": specification changed since: \"" + input +
                  "\" is not the file recorded; the file is the one recorded (SHA-256)"),
        std::string::npos)
        << r.out;
    dir.write(std::filesystem::relative(input, dir.path()).string(), spec);

    // An output gone, a stray procedure.
    const std::string kept = readFile(out() / names[1]);
    std::filesystem::remove(out() / names[1]);
    dir.write("out/stray.txt", "x");
    r = verify();
    EXPECT_EQ(r.status, kUnreadable);
    EXPECT_NE(r.out.find(names[1] + ": cannot be read: "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("stray.txt: not in the record\n"), std::string::npos) << r.out;
    dir.write("out/" + names[1], kept);
    std::filesystem::remove(out() / "stray.txt");
    EXPECT_EQ(verify().status, kUnchanged);

    // The installation changed: an amplifier in the configuration, then a
    // localization file, then another program version.
    dir.write("instruments.cfg", "7625 amplifier\n");
    r = verify();
    EXPECT_EQ(r.status, kDiffers);
    EXPECT_NE(r.out.find(names[0] + ": cannot be reproduced: the instrument configuration differs"), std::string::npos)
        << r.out;
    dir.write("instruments.cfg", "7320 calibrator\n");
    EXPECT_EQ(verify().status, kUnchanged);

    dir.write("installed/Kestrel_1033.MDB", "Kestrel localization 1\n1223\tMake\n");
    r = verify();
    EXPECT_EQ(r.status, kDiffers);
    EXPECT_NE(r.out.find("cannot be reproduced: it was made with the English texts alone"), std::string::npos) << r.out;
    std::filesystem::remove(dir / "installed/Kestrel_1033.MDB");

    RunRecord older = record();
    older.settings.kestrelVersion = "0.9.0";
    dir.write("out/kestrel-run.json", runRecordJson(older));
    r = verify();
    EXPECT_EQ(r.status, kDiffers);
    EXPECT_NE(r.out.find("cannot be reproduced: it was made by Kestrel 0.9.0, this is Kestrel "), std::string::npos)
        << r.out;

    // No record at all.
    std::filesystem::remove(out() / "kestrel-run.json");
    r = verify();
    EXPECT_EQ(r.status, kUnreadable);
    EXPECT_NE(r.err.find("kestrel-run.json\" does not exist"), std::string::npos) << r.err;
}

TEST_F(Verify, HelpAndArguments)
{
    const test::CliRun help = test::cli({"verify", "--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* line : {"  0  every procedure is unchanged", "  1  a procedure differs",
             "  2  wrong arguments, or a record, procedure or specification file could not"})
        EXPECT_NE(help.out.find(line), std::string::npos) << line;
    EXPECT_NE(test::cli({"--help"}).out.find("verify"), std::string::npos);
    for (const std::vector<std::string>& args :
        {std::vector<std::string>{"verify"}, {"verify", "a", "b"}, {"verify", "--record"}, {"verify", "--bogus", "a"}})
        EXPECT_EQ(test::cli(args).status, kUnreadable) << args.back();
}

} // namespace
} // namespace kestrel::cli
