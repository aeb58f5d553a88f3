// The run record of generate: written for a batch and a single file, each
// entry's digests those of the files, and --changed making again only what
// changed, an interrupted run included.
#include "cli_run.h"
#include "core/app/run_record.h"
#include "core/base/path_text.h"
#include "core/base/sha256.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace kestrel::cli {
namespace {

using kestrel::test::readFile;

constexpr const char* kGood =
    R"({"meter": {"reference": "7320", "functions": {"dcv": [{"range": "2", "reading_pct": "0.01"}]}}})";

class Recording : public ::testing::Test {
protected:
    Recording()
    {
        const std::string tessel = std::string(KESTREL_SOURCE_DIR) + "/data/demo-tessel";
        dir.write("installed/tessel.ini",
            "[startup]\naccdir=" + tessel + "/acc\npicdir=" + tessel + "/pics\nhelpdir=" + tessel +
                "/help\nconfig=" + tessel + "/config/instruments.cfg\n");
    }
    test::CliRun generate(std::vector<std::string> args, const std::string& date = "2026-12-05")
    {
        args.insert(args.begin(), "generate");
        args.insert(args.end(), {"--config-dir", (dir / "installed").string(), "--lcid", "1033", "--date", date});
        return test::cli(args);
    }
    test::CliRun batch(const std::vector<std::string>& files, std::vector<std::string> options = {})
    {
        options.insert(options.begin(), {"--out-dir", out().string()});
        options.insert(options.end(), files.begin(), files.end());
        return generate(options);
    }
    std::filesystem::path out() const { return dir / "out"; }
    RunRecord record() const
    {
        const RunRecordRead read = readRunRecord(out() / "kestrel-run.json");
        EXPECT_TRUE(read.record) << read.error;
        return read.record.value_or(RunRecord{});
    }
    // Eight files named f0 .. f7, each a little different.
    std::vector<std::string> eightFiles()
    {
        std::vector<std::string> files;
        for (int i = 0; i < 8; ++i)
            files.push_back(dir.write("in/f" + std::to_string(i) + ".kestrel.json",
                                   R"({"meter": {"reference": "7320", "functions": {"dcv": [{"range": ")" +
                                       std::to_string(i + 1) + R"(", "reading_pct": "0.01"}]}}})")
                                .string());
        return files;
    }
    kestrel::test::ScratchDir dir;
};

TEST_F(Recording, ABatchRecordsEveryFile)
{
    const std::string good = dir.write("in/good.kestrel.json", kGood).string();
    const std::string bad =
        dir.write("in/bad.kestrel.json", R"({"meter": {"functions": {"dcv": [{"range": "x"}]}}})").string();
    const std::string longRange =
        dir.write("in/long.json",
               R"({"meter": {"reference": "7320", "functions": {"dcv": [{"range": "1.23456789012345", "reading_pct": "0.01"}]}}})")
            .string();
    const test::CliRun run = batch({good, bad, longRange}, {"--reference", "7600"});
    EXPECT_EQ(run.status, 1) << run.err;
    const RunRecord r = record();
    EXPECT_TRUE(r.completed);
    EXPECT_FALSE(r.finished.empty());
    EXPECT_EQ(r.settings.date, "2026-12-05");
    EXPECT_EQ(r.settings.lcidSwitch, 1033);
    EXPECT_EQ(r.settings.reference, "7600");
    EXPECT_EQ(r.settings.tesselIni, (dir / "installed" / "tessel.ini").string());
    // Paths as files, not as texts: Windows spells them with its drive and
    // backslashes.
    EXPECT_TRUE(std::filesystem::equivalent(pathFromUtf8(r.settings.instrumentConfig),
        std::filesystem::path(KESTREL_SOURCE_DIR) / "data/demo-tessel/config/instruments.cfg"));
    ASSERT_EQ(r.files.size(), 3u);
    const RunFile& written = r.files[0];
    EXPECT_TRUE(std::filesystem::equivalent(pathFromUtf8(written.input), pathFromUtf8(good)));
    EXPECT_EQ(written.inputSha256, sha256Hex(readFile(good)));
    EXPECT_EQ(written.standard, "7600");
    EXPECT_EQ(written.output, "good.txt");
    EXPECT_EQ(written.outputSha256, sha256Hex(readFile(out() / "good.txt")));
    EXPECT_EQ(written.status, RunFileStatus::Written);
    const RunFile& failed = r.files[1];
    EXPECT_EQ(failed.status, RunFileStatus::Failed);
    EXPECT_EQ(failed.exitStatus, 1);
    EXPECT_NE(failed.reason.find("meter.functions.dcv[0].range"), std::string::npos) << failed.reason;
    EXPECT_EQ(failed.outputSha256, "");
    const RunFile& warned = r.files[2];
    EXPECT_EQ(warned.status, RunFileStatus::Written);
    ASSERT_FALSE(warned.warnings.empty());
    EXPECT_TRUE(warned.warnings[0].starts_with("warning: meter.functions.dcv[0]")) << warned.warnings[0];
}

// --changed makes again exactly the files whose input or output changed;
// other settings make every file again.
TEST_F(Recording, ChangedMakesAgainOnlyWhatChanged)
{
    const std::vector<std::string> files = eightFiles();
    ASSERT_EQ(batch(files).status, 0);
    const std::string before = readFile(out() / "f0.txt");
    dir.write("in/f1.kestrel.json", R"({"meter": {"reference": "7320", "functions": {"dcv": [{"range": "50"}]}}})");
    std::filesystem::remove(out() / "f2.txt");
    dir.write("out/f3.txt", readFile(out() / "f3.txt") + "hand edit\r\n");
    const test::CliRun again = batch(files, {"--changed"});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_NE(again.err.find("3 written, 0 failed, 5 unchanged and skipped, "), std::string::npos) << again.err;
    EXPECT_EQ(readFile(out() / "f0.txt"), before);
    const RunRecord r = record();
    EXPECT_TRUE(r.completed);
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(r.files[i].carriedOver, i < 1 || i > 3) << i;
        EXPECT_EQ(r.files[i].outputSha256, sha256Hex(readFile(out() / ("f" + std::to_string(i) + ".txt")))) << i;
    }
    EXPECT_EQ(test::cli({"verify", out().string()}).status, 0);

    const test::CliRun otherDay = generate({"--out-dir", out().string(), "--changed", files[0]}, "2026-12-06");
    EXPECT_NE(otherDay.err.find("the settings are not those recorded"), std::string::npos) << otherDay.err;
    EXPECT_NE(otherDay.err.find("1 written, 0 failed, 0 unchanged and skipped"), std::string::npos) << otherDay.err;
}

// A run cut short leaves its record "running" with the files it did not
// finish pending; --changed finishes the folder and the record.
TEST_F(Recording, AnInterruptedRunIsRecognisedAndResumed)
{
    const std::vector<std::string> files = eightFiles();
    ASSERT_EQ(batch(files).status, 0);
    // What the kill of a run midway leaves: the record as the run started
    // it (files 5 to 7 not landed), an old output of file 6 and none of 7.
    RunRecord cut = record();
    cut.completed = false;
    cut.finished.clear();
    for (std::size_t i = 5; i < 8; ++i)
        cut.files[i] =
            RunFile{cut.files[i].input, {}, {}, cut.files[i].output, {}, RunFileStatus::Pending, 0, {}, {}, false};
    dir.write("out/kestrel-run.json", runRecordJson(cut));
    dir.write("out/f6.txt", "an older procedure\r\n");
    std::filesystem::remove(out() / "f7.txt");

    const test::CliRun check = test::cli({"verify", out().string()});
    EXPECT_EQ(check.status, 1);
    EXPECT_NE(check.out.find("did not finish"), std::string::npos) << check.out;
    EXPECT_NE(check.out.find("f6.txt: not made: its run did not finish it"), std::string::npos) << check.out;

    const test::CliRun resumed = batch(files, {"--changed"});
    EXPECT_EQ(resumed.status, 0) << resumed.err;
    EXPECT_NE(resumed.err.find("3 written, 0 failed, 5 unchanged and skipped"), std::string::npos) << resumed.err;
    EXPECT_TRUE(record().completed);
    const test::CliRun after = test::cli({"verify", out().string()});
    EXPECT_EQ(after.status, 0) << after.out;
    EXPECT_NE(after.out.find("8 unchanged, 0 differ, 0 could not be read"), std::string::npos) << after.out;
}

// A stream that calls peek once, at its first write.
class PeekingBuffer : public std::stringbuf {
public:
    explicit PeekingBuffer(std::function<void()> peek) : peek_(std::move(peek)) { }

protected:
    std::streamsize xsputn(const char* text, std::streamsize size) override
    {
        if (peek_)
            std::exchange(peek_, nullptr)();
        return std::stringbuf::xsputn(text, size);
    }

private:
    std::function<void()> peek_;
};

// While the run goes on, its record says "running" and lists every file as
// pending: a run killed then is recognised as such.
TEST_F(Recording, TheRecordSaysRunningUntilTheRunEnds)
{
    // The unreadable file's report is the run's first write to standard error.
    std::vector<std::string> files{(dir / "in" / "missing.kestrel.json").string()};
    const std::vector<std::string> eight = eightFiles();
    files.insert(files.end(), eight.begin(), eight.end());
    std::optional<RunRecord> during;
    PeekingBuffer buffer([&] {
        const RunRecordRead read = readRunRecord(out() / "kestrel-run.json");
        during = read.record;
    });
    std::ostream err(&buffer);
    std::ostringstream stdOut;
    std::vector<std::string> args{
        "generate", "--out-dir", out().string(), "--config-dir", (dir / "installed").string(), "--date", "2026-12-05"};
    args.insert(args.end(), files.begin(), files.end());
    EXPECT_EQ(run(args, stdOut, err), 1);
    ASSERT_TRUE(during);
    EXPECT_FALSE(during->completed);
    EXPECT_EQ(during->finished, "");
    ASSERT_EQ(during->files.size(), files.size());
    for (const RunFile& file : during->files)
        EXPECT_EQ(file.status, RunFileStatus::Pending) << file.input;
    EXPECT_TRUE(record().completed);
}

TEST_F(Recording, OneFileIsRecordedWithRecord)
{
    const std::string good = dir.write("in/good.kestrel.json", kGood).string();
    const std::string runJson = (dir / "run.json").string();
    const test::CliRun run = generate({good, "--record", runJson});
    ASSERT_EQ(run.status, 0) << run.err;
    const RunRecordRead read = readRunRecord(runJson);
    ASSERT_TRUE(read.record) << read.error;
    ASSERT_EQ(read.record->files.size(), 1u);
    EXPECT_TRUE(read.record->completed);
    EXPECT_EQ(read.record->files[0].output, "");
    EXPECT_EQ(read.record->files[0].outputSha256, sha256Hex(run.out));
    EXPECT_EQ(read.record->files[0].standard, "7320");

    const std::string saved = dir.write("procedure.txt", run.out).string();
    EXPECT_EQ(test::cli({"verify", "--record", runJson, saved}).status, 0);

    // A file that specifies nothing: recorded as failed, with Create's message.
    const std::string empty = dir.write("in/empty.kestrel.json", R"({"meter": {"reference": "7300"}})").string();
    EXPECT_EQ(generate({empty, "--record", runJson}).status, 3);
    const RunRecordRead failed = readRunRecord(runJson);
    ASSERT_TRUE(failed.record) << failed.error;
    EXPECT_EQ(failed.record->files[0].status, RunFileStatus::Failed);
    EXPECT_TRUE(failed.record->files[0].reason.starts_with("Could not create the procedure. "))
        << failed.record->files[0].reason;
}

TEST_F(Recording, RefusedArguments)
{
    const std::string good = dir.write("in/good.kestrel.json", kGood).string();
    for (const std::vector<std::string>& args :
        {std::vector<std::string>{good, "--changed"}, {"--out-dir", out().string(), "--record", "r.json", good},
            {"--sample", "test", "--record", "r.json"}, {good, "--record"}, {good, "--record", good},
            {"--out-dir", (dir / "in").string(), "--changed", good, dir.write("in/kestrel-run.json", "{}").string()}}) {
        const test::CliRun r = generate(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_NE(r.err.find("--help' for the options"), std::string::npos) << r.err;
    }
}

} // namespace
} // namespace kestrel::cli
