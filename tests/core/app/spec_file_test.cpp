// Specification files: round trips of every sample and of every other
// setting, and the files that are refused whole, hostile ones included. (The
// documented example: spec_file_document_test; the names written for each
// value are pinned by data/samples, compared in the command-line tests.)
#include "core/app/spec_file.h"

#include "core/app/spec_file_names.h"
#include "core/base/text_util.h"
#include "core/spec/samples.h"
#include "support/test_scratch_dir.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <chrono>
#include <functional>
#include <string>

namespace kestrel {
namespace {

TEST(SpecFile, EverySampleRoundTripsUnderBothSeparators)
{
    for (const char* sep : {".", ","}) {
        for (const auto& sample : samples()) {
            ProcedureInputs in;
            in.decimalSeparator = sep;
            loadSample(sample, in, EnglishLookup{});
            const std::string text = writeSpecFile(in);
            const SpecFileResult back = readSpecFile(text, sep);
            ASSERT_TRUE(back.inputs) << sample.name << " " << sep << ": " << back.error;
            EXPECT_EQ(*back.inputs, in) << sample.name << " " << sep;
            // The file itself never depends on the locale.
            ProcedureInputs dotted;
            loadSample(sample, dotted, EnglishLookup{});
            EXPECT_EQ(text, writeSpecFile(dotted)) << sample.name;
        }
    }
}

TEST(SpecFile, EveryOtherSettingRoundTrips)
{
    ProcedureInputs in;
    in.page = Page::Scope;
    in.identity = {"Scope 1", "A. Tester", "2.1", "one\r\ntwo\r\n"};
    in.options = {
        ToleranceStyle::Units, false, false, PostTestWindow::Never, {false, true, false}, DataEntry::GoNoGo, false, 10};
    in.selections = {"6400", "T", "100 ohm Pt 3926",
        "\xC2\xB0"
        "F"};
    in.scope = {.reference = 3,
        .numChannels = 1,
        .vertGain1 = 5,
        .vertGain2 = 3,
        .verticalAccuracy = "1.5",
        .sweep1 = 16,
        .sweep2 = 0,
        .timebaseAccuracy = "0.001",
        .bandwidth = "350",
        .risetimeTest = true,
        .risetime = "50",
        .impedanceTest = true,
        .accuracy1MOhm = "0.1",
        .accuracy50Ohm = "0.2",
        .capacitance = "13",
        .capAccuracy = "0.1"};
    in.connections.append({MeterFunction::Ohm, 25, std::string("ohm.bmp"), std::nullopt});
    in.connections.append({MeterFunction::Ohm, 25, std::nullopt, std::string("second record, same column")});
    in.meter.table(MeterFunction::Freq).setCell(RowRange, 25, "1M");
    const SpecFileResult back = readSpecFile(writeSpecFile(in), ".");
    ASSERT_TRUE(back.inputs) << back.error;
    EXPECT_EQ(*back.inputs, in);
    // A key left out holds its first-start value.
    EXPECT_EQ(*readSpecFile("{}", ".").inputs, ProcedureInputs{});
}

TEST(SpecFile, CellsAreTypedThroughTheGrid)
{
    const SpecFileResult r = readSpecFile(
        R"({"meter":{"functions":{"dcv":[{"range":"2u","level":"5k","reading_pct":"0","fixed":"1.5m"}]}}})", ",");
    ASSERT_TRUE(r.inputs) << r.error;
    const SpecTable& t = r.inputs->meter.table(MeterFunction::Dcv);
    // Held as the file writes them, whatever the locale's separator.
    EXPECT_EQ(t.cell(0, 0) + " " + t.cell(1, 0) + " " + t.cell(2, 0) + " " + t.cell(6, 0), "2\xC2\xB5 5K  1.5m");
}

// The sample files pin the writer's layout; no sample has a gap in a list.
TEST(SpecFile, WriterKeepsAGapInAListAsAnEmptyObject)
{
    ProcedureInputs in;
    in.meter.table(MeterFunction::Acv).setCell(RowFrequency, 1, "1K");
    in.meter.table(MeterFunction::Acv).setCell(RowRange, 1, "2");
    EXPECT_NE(writeSpecFile(in).find(
                  "\"acv\": [\n        {},\n        {\n          \"range\": \"2\",\n          \"frequency\": \"1K\""),
        std::string::npos);
}

TEST(SpecFile, RefusedWholeWithTheKeyPath)
{
    // The error starts with the key path; the file's decimal mark is "." whatever the locale.
    const std::pair<std::string, const char*> refused[] = {
        {R"({"procedure":{"name":"New"},"meter":{"functions":{"dcv":[{"range":"x"}]}}})",
            "meter.functions.dcv[0].range: \"x\" is not accepted in this row of the grid"},
        {R"({"meter":{"functions":{"dcv":[{},{},{},{"range":"1m5"}]}}})",
            "meter.functions.dcv[3].range: \"1m5\": Invalid data format"},
        {R"({"meter":{"functions":{"dcv":[{"range":"1,5"}]}}})", "meter.functions.dcv[0].range: "},
        {R"({"meter":{"functions":{"dcv":[{"frequency":"1K"}]}}})", "meter.functions.dcv[0].frequency: unknown key"},
        {R"({"meter":{"functions":{"dcv":[{"range":2}]}}})", "meter.functions.dcv[0].range: must be a text"},
        {R"({"meter":{"functions":{"dcv":[{"rang":"2"}]}}})", "meter.functions.dcv[0].rang: unknown key"},
        {R"({"meter":{"functions":{"volts":[]}}})", "meter.functions.volts: unknown key"},
        {R"({"meter":{"functions":{"dcv":{}}}})", "meter.functions.dcv: must be a list"},
        {R"({"meter":{"functions":{"dcv":[[]]}}})", "meter.functions.dcv[0]: must be an object"},
        {R"({"meter":{"functions":{"dcv":[{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{}]}}})",
            "meter.functions.dcv: has more than 26"},
        {R"({"meter":{"reference":"7330"}})", "meter.reference: \"7330\" is not one of"},
        {R"({"meter":{"reference":"6400","tc_type":"U"}})", "meter.tc_type: "},
        {R"({"meter":{"reference":"6400","rtd_type":"120 ohm Ni"}})", "meter.rtd_type: "},
        {R"({"meter":{"rtd_type":"10 ohm Cu"}})", "meter.rtd_type: "},
        {R"({"meter":{"temp_scale":"C"}})", "meter.temp_scale: "}, {R"({"meter":[]})", "meter: must be an object"},
        {R"({"colour":"red"})", "colour: unknown key"}, {R"({"format":"other"})", "format: "},
        {R"({"version":2})", "version: "}, {R"({"version":"1"})", "version: must be a whole number"},
        {R"({"page":"dmm"})", "page: "}, {R"({"procedure":{"name":7}})", "procedure.name: must be a text"},
        {R"({"procedure":{"title":"x"}})", "procedure.title: unknown key"},
        {R"({"options":{"autoranging":"yes"}})", "options.autoranging: must be true or false"},
        {R"({"options":{"measurements":11}})", "options.measurements: "},
        {R"({"options":{"measurements":1.5}})", "options.measurements: must be a whole number"},
        {R"({"options":{"measurements":99999999999999999999}})", "options.measurements: "},
        {R"({"options":{"operator_buttons":{"list":true,"print":false}}})",
            "options.operator_buttons.print: unknown key"},
        {R"({"options":{"data_entry":"mouse"}})", "options.data_entry: "},
        {R"({"options":{"tolerance_style":"Units"}})", "options.tolerance_style: "},
        {R"({"options":{"post_test_window":null}})", "options.post_test_window: must be a text"},
        {R"({"scope":{"channels":3}})", "scope.channels: "},
        {R"({"scope":{"vert_gain_low":"5 v/div"}})", "scope.vert_gain_low: "},
        {R"({"scope":{"sweep_fast":"2 ms/div"}})", "scope.sweep_fast: "},
        {R"({"scope":{"vertical_accuracy":"2%"}})", "scope.vertical_accuracy: "},
        {R"({"scope":{"bandwidth":"200.5"}})", "scope.bandwidth: "},
        {R"({"scope":{"risetime":"1.5"}})", "scope.risetime: "},
        {R"({"scope":{"reference":"7320 - 300 Mhz","impedance_test":true}})", "scope.impedance_test: "},
        {R"({"connections":{}})", "connections: must be a list"},
        {R"({"connections":[{"column":0}]})", "connections[0].function: is missing"},
        {R"({"connections":[{"function":"dcv"}]})", "connections[0].column: is missing"},
        {R"({"connections":[{"function":"volts","column":0}]})", "connections[0].function: "},
        {R"({"connections":[{"function":"dcv","column":26}]})", "connections[0].column: "},
        {R"({"connections":[{"function":"dcv","column":0,"picture":1}]})", "connections[0].picture: "},
        {R"({"connections":[{"function":"dcv","column":0,"text":"1\n2\n3\n4\n5\n6\n7\n8\n9"}]})",
            "connections[0].text: has more than 8 lines"},
        {R"({"connections":[{"function":"dcv","column":0,"text":")" + std::string(57, 'x') + "\"}]}",
            "connections[0].text: line 1 is longer than 56"},
        {R"({"connections":[{"function":"dcv","column":0,"sound":"x"}]})", "connections[0].sound: unknown key"},
        {"[]", "(file): must be an object"}, {"", "(file): not valid JSON"},
        {"{\"procedure\":", "(file): not valid JSON"}, {"{} {}", "(file): not valid JSON"},
        {"{\"procedure\":{\"name\":\"\xFF\"}}", "(file): not valid JSON"},
        // Nesting is measured before parsing, so a deep file cannot exhaust the stack.
        {"{\"a\":" + std::string(100000, '[') + std::string(100000, ']') + "}", "(file): nested deeper"}};
    for (const char* sep : {".", ","})
        for (const auto& [json, error] : refused) {
            const SpecFileResult r = readSpecFile(json, sep);
            EXPECT_TRUE(!r.inputs && r.error.starts_with(error)) << json.substr(0, 80) << "\ngot: " << r.error;
        }
    // Brackets inside texts do not count towards the nesting.
    const SpecFileResult ok = readSpecFile("{\"procedure\":{\"name\":\"" + std::string(200, '[') + "\\\"\"}}", ".");
    ASSERT_TRUE(ok.inputs) << ok.error;
    EXPECT_EQ(ok.inputs->identity.name, std::string(200, '[') + "\"");
}

// What Save asks before it replaces a file: the reader's message for
// inputs it would refuse, nothing for inputs it reads back, under either
// decimal separator.
TEST(SpecFile, AWrittenFileIsCheckedWithTheReadersRules)
{
    ProcedureInputs fine;
    fine.connections.append({MeterFunction::Dcv, 0, std::nullopt, "Connect\r\n" + std::string(56, 'x')});
    for (const char* separator : {".", ","}) {
        fine.decimalSeparator = separator;
        fine.meter.table(MeterFunction::Dcv).setCell(0, 0, "1.5");
        EXPECT_EQ(writtenSpecFileProblem(writeSpecFile(fine), separator), "");
    }

    const struct {
        std::function<void(ProcedureInputs&)> spoil;
        const char* problem;
    } cases[] = {
        {[](ProcedureInputs& in) {
             in.connections.append({MeterFunction::Acv, 3, std::nullopt, std::string(57, 'x')});
         },
            "connections[1].text: line 1 is longer than 56 characters"},
        {[](ProcedureInputs& in) { in.identity.name = "two\r\nlines"; },
            "procedure.name: holds the control character U+000D; it is written on one line of the procedure"},
        {[](ProcedureInputs& in) {
             in.connections.append({MeterFunction::Ohm, 0, "../up.bmp", std::nullopt});
         },
            "connections[1].picture: names a folder"},
        {[](ProcedureInputs& in) { in.meter.table(MeterFunction::Dcv).setCell(0, 1, "1m00"); },
            "meter.functions.dcv[1].range: \"1m00\""},
    };
    for (const auto& c : cases) {
        for (const char* separator : {".", ","}) {
            ProcedureInputs spoilt = fine;
            spoilt.decimalSeparator = separator;
            spoilt.meter.table(MeterFunction::Dcv).setCell(0, 0, "1.5");
            c.spoil(spoilt);
            const std::string problem = writtenSpecFileProblem(writeSpecFile(spoilt), separator);
            EXPECT_TRUE(problem.starts_with(c.problem)) << problem;
        }
    }
}

// Files made to break the procedure: a key given twice, a NUL byte that would
// hide the rest of the file, line breaks and control characters that would
// start lines of their own in the procedure.
TEST(SpecFile, HostileTextsAreRefusedWithTheKeyPath)
{
    using namespace std::string_literals;
    const std::pair<std::string, const char*> refused[] = {
        {R"({"page":"meter","page":"scope"})", "page: appears twice"},
        {R"({"connections":[{"function":"dcv","column":0},{"function":"dcv","column":1,"column":2}]})",
            "connections[1].column: appears twice"},
        {R"({"meter":{"functions":{"dcv":[{},[{"a":1}],{"range":"1","range":"2"}]}}})",
            "meter.functions.dcv[2].range: appears twice"},
        {"{\"page\":\"meter\"}\0{\"bad json"s, "(file): a NUL byte at byte 17"},
        {"{\"procedure\":{\"name\":\"x\"\0}}"s, "(file): a NUL byte at byte 25"},
        {R"({"procedure":{"name":"DMM\r\nNUMBER OF TESTS:       1"}})",
            "procedure.name: holds the control character U+000D"},
        {R"({"procedure":{"name":"x\u0000y"}})", "procedure.name: holds the control character U+0000"},
        {R"({"procedure":{"author":"tab\there"}})", "procedure.author: holds the control character U+0009"},
        {R"({"procedure":{"revision":"1\u0085"}})", "procedure.revision: holds the control character U+0085"},
        {R"({"procedure":{"comments":"one\rtwo"}})",
            "procedure.comments: line 1 holds a CR that is not followed by LF"},
        {R"({"procedure":{"comments":"one\ntwo\u001b[31m"}})",
            "procedure.comments: line 2 holds the control character U+001B"},
        {R"({"connections":[{"function":"dcv","column":0,"picture":"x.bmp\r\nEND INJECTED"}]})",
            "connections[0].picture: holds the control character U+000D"},
        {R"({"connections":[{"function":"dcv","column":0,"picture":"x.bmp\r"}]})", "connections[0].picture: "},
        {R"({"connections":[{"function":"dcv","column":0,"text":"a\r\nb\rc"}]})",
            "connections[0].text: line 2 holds a CR that is not followed by LF"},
        {R"({"connections":[{"function":"dcv","column":0,"text":"bell\u0007"}]})",
            "connections[0].text: line 1 holds the control character U+0007"},
        // Characters that make a line read differently from what it holds,
        // escaped and raw.
        {R"({"procedure":{"name":"DMM \u202Eevil"}})", "procedure.name: holds the direction-changing character U+202E"},
        {"{\"procedure\":{\"author\":\"Ann\u2066x\"}}",
            "procedure.author: holds the direction-changing character U+2066"},
        {"{\"procedure\":{\"author\":\"Ann\xE2\x81\xA9\"}}",
            "procedure.author: holds the direction-changing character U+2069"},
        {"{\"procedure\":{\"revision\":\"1\xE2\x80\x8B.0\"}}",
            "procedure.revision: holds the invisible character U+200B"},
        {R"({"procedure":{"name":"\uFEFFx"}})", "procedure.name: holds the invisible character U+FEFF"},
        {R"({"procedure":{"comments":"one\ntwo\u2028  7.001  VSET"}})",
            "procedure.comments: line 2 holds the line separator U+2028"},
        {R"({"connections":[{"function":"dcv","column":0,"picture":"a\u200Db.bmp"}]})",
            "connections[0].picture: holds the invisible character U+200D"},
        {R"({"connections":[{"function":"dcv","column":0,"text":"a\nb\nc\u2029d"}]})",
            "connections[0].text: line 3 holds the paragraph separator U+2029"},
        // A picture is a bare file name in Tessel's picture folder, as long
        // as the PIC step's field at most.
        {R"({"connections":[{"function":"dcv","column":0,"picture":"../../../../tmp/x.png"}]})",
            "connections[0].picture: names a folder"},
        {R"({"connections":[{"function":"dcv","column":0,"picture":"/tmp/x.png"}]})",
            "connections[0].picture: names a folder"},
        {R"({"connections":[{"function":"dcv","column":0,"picture":"C:x.bmp"}]})",
            "connections[0].picture: names a folder"},
        {R"({"connections":[{"function":"dcv","column":0,"picture":"pics\\x.bmp"}]})",
            "connections[0].picture: names a folder"},
        {R"({"connections":[{"function":"dcv","column":0,"picture":".."}]})",
            "connections[0].picture: is not a file name"},
        {R"({"connections":[{"function":"dcv","column":0,"picture":")" + std::string(57, 'p') + "\"}]}",
            "connections[0].picture: is longer than the 56 characters of a PIC step"},
        // Lines are counted before anything is converted.
        {R"({"connections":[{"function":"dcv","column":0,"text":")" +
                replaceAll(std::string(1000000, '\n'), "\n", "\\n") + "\"}]}",
            "connections[0].text: has more than 8 lines"}};
    for (const auto& [json, error] : refused) {
        const SpecFileResult r = readSpecFile(json, ".");
        EXPECT_TRUE(!r.inputs && r.error.starts_with(error)) << json.substr(0, 80) << "\ngot: " << r.error;
    }
    for (const std::string& picture : {std::string(56, 'p'), std::string("a..b.bmp"), std::string("")}) {
        const SpecFileResult r =
            readSpecFile(R"({"connections":[{"function":"dcv","column":0,"picture":")" + picture + "\"}]}", ".");
        EXPECT_TRUE(r.inputs) << picture << ": " << r.error;
    }

    // The comments: at most 1000 lines of at most 250 characters (a
    // character is a code point, not a byte), counted before anything is
    // converted; a file of two million line breaks is refused at once.
    const auto comments = [](const std::string& text) {
        return readSpecFile(R"({"procedure":{"comments":")" + text + "\"}}", ".");
    };
    const std::string fullLine(250, 'c');
    const std::string umlauts = replaceAll(std::string(250, 'u'), "u", "\xC3\xBC");
    std::string thousandLines;
    for (int i = 0; i < 1000; ++i)
        thousandLines += (i ? "\\n" : "") + fullLine;
    for (const std::string& accepted :
        {thousandLines, replaceAll(std::string(1000, '\n'), "\n", "\\r\\n"), std::string(250, 'x'), umlauts})
        EXPECT_TRUE(comments(accepted).inputs) << accepted.substr(0, 80) << ": " << comments(accepted).error;
    const std::pair<std::string, const char*> tooMuch[] = {
        {thousandLines + "\\nx", "procedure.comments: has more than 1000 lines"},
        {replaceAll(std::string(1001, '\n'), "\n", "\\n"), "procedure.comments: has more than 1000 lines"},
        {replaceAll(std::string(2000000, '\n'), "\n", "\\n"), "procedure.comments: has more than 1000 lines"},
        {"one\\n" + std::string(251, 'x'), "procedure.comments: line 2 is longer than 250 characters"},
        {umlauts + "\\u00fc", "procedure.comments: line 1 is longer than 250 characters"},
        {std::string(4000000, 'x'), "procedure.comments: line 1 is longer than 250 characters"}};
    for (const auto& [text, error] : tooMuch) {
        const SpecFileResult r = comments(text);
        EXPECT_TRUE(!r.inputs && r.error == error) << text.substr(0, 80) << "\ngot: " << r.error;
    }

    // A one-line value holds at most 250 characters, as a line of the
    // comments does.
    for (const char* key : {"name", "author", "revision"}) {
        const auto named = [&](std::size_t length) {
            return readSpecFile(
                std::string(R"({"procedure":{")") + key + R"(":")" + std::string(length, 'n') + "\"}}", ".");
        };
        EXPECT_TRUE(named(250).inputs) << key;
        EXPECT_EQ(named(251).error, std::string("procedure.") + key + ": is longer than 250 characters");
        EXPECT_EQ(named(4000000).error, std::string("procedure.") + key + ": is longer than 250 characters");
    }
    EXPECT_TRUE(readSpecFile(R"({"scope":{"capacitance":")" + std::string(250, '1') + "\"}}", ".").inputs);
    EXPECT_EQ(readSpecFile(R"({"scope":{"capacitance":")" + std::string(251, '1') + "\"}}", ".").error,
        "scope.capacitance: is longer than 250 characters");

    // At most 234 connection records, one for each column of the nine
    // functions; a second record for a column counts towards them.
    const auto records = [](int count) {
        std::string json = R"({"connections":[)";
        for (int i = 0; i < count; ++i)
            json += std::string(i ? "," : "") + R"({"function":"dcv","column":)" + std::to_string(i % 26) +
                R"(,"text":"Connect the leads"})";
        return readSpecFile(json + "]}", ".");
    };
    EXPECT_TRUE(records(234).inputs) << records(234).error;
    EXPECT_EQ(
        records(235).error, "connections: holds more than 234 records; a record belongs to one column of one function");

    // Line breaks that are line breaks: LF and CR LF both become CR LF, TAB stays.
    const SpecFileResult ok = readSpecFile(R"({"procedure":{"comments":"one\ntwo\r\n\tthree"},
        "connections":[{"function":"dcv","column":0,"text":"a\nb\r\n","picture":"p q.bmp"}]})",
        ".");
    ASSERT_TRUE(ok.inputs) << ok.error;
    EXPECT_EQ(ok.inputs->identity.comments, "one\r\ntwo\r\n\tthree");
    const ConnectionRecord* record = ok.inputs->connections.findUnique(MeterFunction::Dcv, 0);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->text, "a\r\nb\r\n");

    // A function code in any case names its function.
    const SpecFileResult upper = readSpecFile(R"({"connections":[{"function":"TC","column":3,"text":"t"}]})", ".");
    ASSERT_TRUE(upper.inputs) << upper.error;
    EXPECT_EQ(upper.inputs->connections.records(),
        (std::vector<ConnectionRecord>{{MeterFunction::Tc, 3, std::nullopt, "t"}}));
}

// What the file holds is quoted in the message with its control characters
// escaped: a terminal showing the message must not obey them, and a line
// break must not forge a line of output.
TEST(SpecFile, MessagesShowControlCharactersEscaped)
{
    const std::pair<std::string, std::string> cases[] = {
        {R"({"page":"x\n\u001b]0;title\u0007\u001b[2J"})",
            R"(page: "x\u000a\u001b]0;title\u0007\u001b[2J" is not one of "meter", "scope")"},
        {R"({"\u001b[2J":1})", R"(\u001b[2J: unknown key)"},
        {R"({"procedure":{"name":"a","name\u202e":"b","name\u202e":"c"}})",
            R"(procedure.name\u202e: appears twice; a key may appear once in its object)"}};
    for (const auto& [json, error] : cases) {
        const SpecFileResult r = readSpecFile(json, ".");
        EXPECT_EQ(r.error, error);
    }
}

// Reading is linear: a file of many values is read or refused at once, the
// duplicate-key check included. (Each element once cost a scan of all the
// elements before it, which made 50,000 empty objects take seconds.)
TEST(SpecFile, LargeFilesAreReadInLinearTime)
{
    const auto started = std::chrono::steady_clock::now();
    std::string many = R"({"connections":[)";
    for (std::size_t i = 0; i < specfile::kMaxValues - 3; ++i) // the file, the list and its objects
        many += "{},";
    many += "{}]}";
    // Under the cap: parsed whole, then refused for its number of records.
    EXPECT_EQ(readSpecFile(many, ".").error,
        "connections: holds more than 234 records; a record belongs to one column of one function");

    // Over the cap, within the file size cap: refused while it is read.
    std::string tooMany = "[";
    std::string thousand;
    for (int i = 0; i < 1000; ++i)
        thousand += "{},";
    while (tooMany.size() + thousand.size() + 2 < kMaxSpecFileSize)
        tooMany += thousand;
    tooMany += "{}]";
    EXPECT_EQ(readSpecFile(tooMany, ".").error,
        "(file): holds more than " + std::to_string(specfile::kMaxValues) +
            " values; a specification file holds some thousands");

    // A key given twice deep in a long list is still found, with its path.
    std::string twice = R"({"connections":[)";
    for (int i = 0; i < 10000; ++i)
        twice += R"({"function":"dcv","column":0},)";
    twice += R"({"function":"dcv","function":"acv"}]})";
    EXPECT_EQ(readSpecFile(twice, ".").error,
        "connections[10000].function: appears twice; a key may appear once in its object");
    // Some tenths of a second in a debug build; the quadratic reading took minutes.
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
}

TEST(SpecFile, OnlyRegularFilesUpToTheCapAreRead)
{
    test::ScratchDir dir;
    std::filesystem::create_directories(dir / "folder.json");
    dir.write("big.json", std::string(kMaxSpecFileSize + 1, ' '));
    std::vector<std::pair<std::filesystem::path, std::string>> refused{{dir / "absent.json", "does not exist"},
        {dir / "folder.json", "is a folder, not a file"},
        {dir / "big.json", "is larger than 4 MiB, too large for a specification file"}};
#ifndef _WIN32
    ASSERT_EQ(::mkfifo((dir / "pipe.json").c_str(), 0600), 0);
    for (const auto& device : {dir / "pipe.json", std::filesystem::path("/dev/zero")})
        refused.emplace_back(device, "is not a regular file (a device, a pipe or a socket)");
#endif
    for (const auto& [path, error] : refused) {
        const SpecFileText file = loadSpecFileText(path);
        EXPECT_FALSE(file.text) << path;
        EXPECT_EQ(file.error, error) << path;
    }
    const std::string largest = "{}" + std::string(kMaxSpecFileSize - 2, ' ');
    EXPECT_EQ(loadSpecFileText(dir.write("largest.json", largest)).text, largest);
}

} // namespace
} // namespace kestrel
