// The run record's JSON: what is written reads back the same, and a file
// of another schema or with a key missing or mistyped is refused by name.
#include "core/app/run_record.h"

#include <gtest/gtest.h>

#include <regex>

namespace kestrel {
namespace {

RunRecord filledRecord()
{
    RunRecord record;
    record.completed = true;
    record.started = "2026-12-05T14:03:27Z";
    record.finished = "2026-12-05T14:03:29Z";
    RunSettings& s = record.settings;
    s = {"1.0.0", "2026-12-05", "05-Dec-26", 1031, 1031, 1033, 1033, "7600", true, true, "/cfg", "/cfg/tessel.ini",
        "/opt/tessel/instruments.cfg", true, false, "/cfg/Kestrel_1031.MDB", std::string(64, 'a')};
    record.files.push_back({"/in/a.kestrel.json", std::string(64, 'b'), "7600", "a.rtf", std::string(64, 'c'),
        RunFileStatus::Written, 0, "", {"warning: one", "warning: two \"quoted\""}, true});
    record.files.push_back({"/in/b\xC3\xA4.json", std::string(64, 'd'), "7320", "b\xC3\xA4.rtf", "",
        RunFileStatus::Failed, 6, "refused", {}, false});
    record.files.push_back({"/in/c.json", "", "", "c.rtf", "", RunFileStatus::Pending, 0, "", {}, false});
    return record;
}

TEST(RunRecord, ReadsBackWhatItWrites)
{
    RunRecord record = filledRecord();
    RunRecordRead read = parseRunRecord(runRecordJson(record));
    ASSERT_TRUE(read.record) << read.error;
    EXPECT_EQ(*read.record, record);

    // Running, without the options, the localization file or an end.
    record.completed = false;
    record.finished.clear();
    record.settings.lcidSwitch.reset();
    record.settings.reference.reset();
    record.settings.localizationFile.clear();
    record.settings.localizationSha256.clear();
    const std::string json = runRecordJson(record);
    EXPECT_NE(json.find("\"state\": \"running\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"finished\": null"), std::string::npos) << json;
    read = parseRunRecord(json);
    ASSERT_TRUE(read.record) << read.error;
    EXPECT_EQ(*read.record, record);
}

TEST(RunRecord, RefusesWhatItCannotTrust)
{
    const std::string good = runRecordJson(filledRecord());
    const struct {
        std::string from, to, error;
    } cases[] = {
        {"\"schema\": 1", "\"schema\": 2", "is of schema 2, this Kestrel reads schema 1"},
        {"\"state\": \"completed\"", "\"state\": \"done\"", "state is not"},
        {"\"input_sha256\"", "\"input_hash\"", "files[0].input_sha256 is missing"},
        {"\"strict\": true", "\"strict\": \"yes\"", "settings.strict has the wrong type"},
        {"\"status\": \"failed\"", "\"status\": \"lost\"", "files[1].status is not"},
        {"\"7625\": true", "\"7625\": 1", "tessel.amplifiers.7625 has the wrong type"},
        {"{", "[", "is not a Kestrel run record"},
    };
    for (const auto& c : cases) {
        const std::size_t at = good.find(c.from);
        ASSERT_NE(at, std::string::npos) << c.from;
        std::string text = good;
        text.replace(at, c.from.size(), c.to);
        const RunRecordRead read = parseRunRecord(text);
        EXPECT_FALSE(read.record) << c.to;
        EXPECT_NE(read.error.find(c.error), std::string::npos) << read.error;
    }
}

TEST(RunRecord, TimestampsAreUtc)
{
    EXPECT_TRUE(std::regex_match(utcTimestamp(), std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ)")));
}

} // namespace
} // namespace kestrel
