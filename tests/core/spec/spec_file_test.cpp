#include "core/spec/spec_file.h"

#include "core/spec/samples.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrel {
namespace {

// The example of the file format description.
constexpr const char* kExample = R"({
  "format": "kestrel-spec",
  "version": 1,
  "page": "meter",
  "procedure": {
    "name": "Agilent 34401 digital multimeter",
    "author": "Enter your name",
    "revision": "1.0",
    "comments": "first line\nsecond line"
  },
  "options": {
    "tolerance_style": "as_written",
    "function_messages": true,
    "autoranging": true,
    "post_test_window": "on_failure",
    "operator_buttons": { "list": true, "cancel": true, "repeat": true },
    "data_entry": "keyboard",
    "tur_checking": true,
    "measurements": 1
  },
  "meter": {
    "reference": "7600",
    "tc_type": "J",
    "rtd_type": "100 ohm Pt 385",
    "temp_scale": "°C",
    "functions": {
      "dcv": [
        { "range": "100.0000m", "reading_pct": "0.005", "range_pct": "0.0035" },
        { "range": "1.000000", "reading_pct": "0.004", "range_pct": "0.0007" }
      ],
      "acv": [
        { "range": "100.0000m", "reading_pct": "0.6", "range_pct": "0.4", "frequency": "20K" }
      ]
    }
  },
  "scope": {
    "reference": "7300 - 300 Mhz",
    "channels": 4,
    "vert_gain_low": "2 mv/div",
    "vert_gain_high": "5 v/div",
    "vertical_accuracy": "2.0",
    "sweep_fast": "1 ns/div",
    "sweep_slow": "5 s/div",
    "timebase_accuracy": "0.01",
    "bandwidth": "200",
    "risetime_test": false,
    "risetime": "",
    "impedance_test": false,
    "accuracy_1m_ohm": "",
    "accuracy_50_ohm": "",
    "capacitance": "",
    "cap_accuracy": ""
  },
  "connections": [
    { "function": "dcv", "column": 0, "picture": "dmm_dcv.bmp",
      "text": "Rotate the UUT function switch to dc Volts" }
  ]
})";

TEST(SpecFile, ReadsTheDocumentedExample)
{
    const SpecFileResult r = readSpecFile(kExample, ",");
    ASSERT_TRUE(r.inputs) << r.error;
    const ProcedureInputs& in = *r.inputs;
    EXPECT_EQ(in.decimalSeparator, ",");
    EXPECT_EQ(in.identity.name, "Agilent 34401 digital multimeter");
    EXPECT_EQ(in.identity.comments, "first line\r\nsecond line");
    EXPECT_EQ(in.selections.reference, "7600");
    EXPECT_EQ(in.meter.table(MeterFunction::Dcv).cell(RowRange, 0), "100,0000m");
    EXPECT_EQ(in.meter.table(MeterFunction::Dcv).cell(RowRangePct, 1), "0,0007");
    EXPECT_EQ(in.meter.table(MeterFunction::Acv).cell(RowFrequency, 0), "20K");
    EXPECT_EQ(in.meter.table(MeterFunction::Dcv).cell(RowRange, 2), "");
    ASSERT_EQ(in.connections.size(), 1u);
    EXPECT_EQ(in.connections.records()[0].pic, std::string("dmm_dcv.bmp"));
    EXPECT_EQ(in.connections.records()[0].col, "0");
}

TEST(SpecFile, EmptyObjectGivesFirstStartValues)
{
    const SpecFileResult r = readSpecFile("{}", ".");
    ASSERT_TRUE(r.inputs) << r.error;
    EXPECT_EQ(*r.inputs, ProcedureInputs{});
}

TEST(SpecFile, WriteThenReadGivesTheSameModel)
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

TEST(SpecFile, RoundTripOfEveryOtherSetting)
{
    ProcedureInputs in;
    in.page = Page::Scope;
    in.identity = {"Scope 1", "A. Tester", "2.1", "one\r\ntwo\r\n"};
    in.options.toleranceStyle = ToleranceStyle::Units;
    in.options.functionMessages = false;
    in.options.postTestWindow = PostTestWindow::Never;
    in.options.operatorButtons = {false, true, false};
    in.options.dataEntry = DataEntry::GoNoGo;
    in.options.turChecking = false;
    in.options.measurements = 10;
    in.selections = {"6400", "T", "100 ohm Pt 3926", "\xC2\xB0" "F"};
    in.scope.reference = 3;
    in.scope.numChannels = 1;
    in.scope.vertGain1 = 5;
    in.scope.vertGain2 = 3;
    in.scope.verticalAccuracy = "1.5";
    in.scope.sweep1 = 16;
    in.scope.sweep2 = 0;
    in.scope.timebaseAccuracy = "0.001";
    in.scope.bandwidth = "350";
    in.scope.risetimeTest = true;
    in.scope.risetime = "50";
    in.scope.impedanceTest = true;
    in.scope.accuracy1MOhm = "0.1";
    in.scope.accuracy50Ohm = "0.2";
    in.scope.capacitance = "13";
    in.scope.capAccuracy = "0.1";
    in.connections.append({"ohm", "25", std::string("ohm.bmp"), std::nullopt});
    in.connections.append({"ohm", "25", std::nullopt, std::string("second record, same column")});
    in.meter.table(MeterFunction::Freq).setCell(RowRange, 25, "1M");
    const SpecFileResult back = readSpecFile(writeSpecFile(in), ".");
    ASSERT_TRUE(back.inputs) << back.error;
    EXPECT_EQ(*back.inputs, in);
}

TEST(SpecFile, CellsAreTypedThroughTheGrid)
{
    const SpecFileResult r = readSpecFile(R"({"meter":{"functions":{"dcv":[
        {"range":"2u","level":"5k","reading_pct":"0","fixed":"1.5m"},{},{"range":"-10"}]}}})", ",");
    ASSERT_TRUE(r.inputs) << r.error;
    const SpecTable& dcv = r.inputs->meter.table(MeterFunction::Dcv);
    EXPECT_EQ(dcv.cell(RowRange, 0), "2\xC2\xB5");
    EXPECT_EQ(dcv.cell(RowLevel, 0), "5K");
    EXPECT_EQ(dcv.cell(RowReadingPct, 0), "");
    EXPECT_EQ(dcv.cell(RowFixed, 0), "1,5m");
    EXPECT_EQ(dcv.cell(RowRange, 1), "");
    EXPECT_EQ(dcv.cell(RowRange, 2), "-10");
}

struct RefusedCase {
    const char* json;
    const char* error; // the start of the message: the key path
};

class SpecFileRefuses : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(SpecFileRefuses, NamesTheKeyPath)
{
    const auto& p = GetParam();
    const SpecFileResult r = readSpecFile(p.json, ".");
    EXPECT_FALSE(r.inputs) << p.json;
    EXPECT_EQ(r.error.rfind(p.error, 0), 0u) << "got: " << r.error;
}

INSTANTIATE_TEST_SUITE_P(Errors, SpecFileRefuses, ::testing::Values(
    RefusedCase{R"({"meter":{"functions":{"dcv":[{},{},{},{"range":"1m5"}]}}})", "meter.functions.dcv[3].range: "},
    RefusedCase{R"({"meter":{"functions":{"acv":[{"range":"-1"}]}}})", "meter.functions.acv[0].range: "},
    RefusedCase{R"({"meter":{"functions":{"dcv":[{"digits":"1.5"}]}}})", "meter.functions.dcv[0].digits: "},
    RefusedCase{R"({"meter":{"functions":{"dcv":[{"range":"1.5.5"}]}}})", "meter.functions.dcv[0].range: "},
    RefusedCase{R"({"meter":{"functions":{"dcv":[{"frequency":"1K"}]}}})", "meter.functions.dcv[0].frequency: unknown key"},
    RefusedCase{R"({"meter":{"functions":{"acv":[{"frequency":"1K0"}]}}})", "meter.functions.acv[0].frequency: "},
    RefusedCase{R"({"meter":{"functions":{"dcv":[{"range":2}]}}})", "meter.functions.dcv[0].range: must be a text"},
    RefusedCase{R"({"meter":{"functions":{"dcv":[{"rang":"2"}]}}})", "meter.functions.dcv[0].rang: unknown key"},
    RefusedCase{R"({"meter":{"functions":{"volts":[]}}})", "meter.functions.volts: unknown key"},
    RefusedCase{R"({"meter":{"functions":{"dcv":{}}}})", "meter.functions.dcv: must be a list"},
    RefusedCase{R"({"meter":{"functions":{"dcv":[[]]}}})", "meter.functions.dcv[0]: must be an object"},
    RefusedCase{R"({"meter":{"functions":{"dcv":[{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{}]}}})",
                "meter.functions.dcv: has more than 26"},
    RefusedCase{R"({"meter":{"reference":"7330"}})", "meter.reference: \"7330\" is not one of"},
    RefusedCase{R"({"meter":{"reference":"6400","tc_type":"U"}})", "meter.tc_type: "},
    RefusedCase{R"({"meter":{"reference":"6400","rtd_type":"120 ohm Ni"}})", "meter.rtd_type: "},
    RefusedCase{R"({"meter":{"rtd_type":"10 ohm Cu"}})", "meter.rtd_type: "},
    RefusedCase{R"({"meter":{"temp_scale":"C"}})", "meter.temp_scale: "},
    RefusedCase{R"({"meter":[]})", "meter: must be an object"},
    RefusedCase{R"({"colour":"red"})", "colour: unknown key"},
    RefusedCase{R"({"format":"other"})", "format: "},
    RefusedCase{R"({"version":2})", "version: "},
    RefusedCase{R"({"version":"1"})", "version: must be a whole number"},
    RefusedCase{R"({"page":"dmm"})", "page: "},
    RefusedCase{R"({"procedure":{"name":7}})", "procedure.name: must be a text"},
    RefusedCase{R"({"procedure":{"title":"x"}})", "procedure.title: unknown key"},
    RefusedCase{R"({"options":{"autoranging":"yes"}})", "options.autoranging: must be true or false"},
    RefusedCase{R"({"options":{"measurements":11}})", "options.measurements: "},
    RefusedCase{R"({"options":{"measurements":-1}})", "options.measurements: "},
    RefusedCase{R"({"options":{"measurements":1.5}})", "options.measurements: must be a whole number"},
    RefusedCase{R"({"options":{"measurements":99999999999999999999}})", "options.measurements: "},
    RefusedCase{R"({"options":{"operator_buttons":{"list":true,"print":false}}})", "options.operator_buttons.print: unknown key"},
    RefusedCase{R"({"options":{"data_entry":"mouse"}})", "options.data_entry: "},
    RefusedCase{R"({"options":{"tolerance_style":"Units"}})", "options.tolerance_style: "},
    RefusedCase{R"({"options":{"post_test_window":null}})", "options.post_test_window: must be a text"},
    RefusedCase{R"({"scope":{"channels":3}})", "scope.channels: "},
    RefusedCase{R"({"scope":{"vert_gain_low":"5 v/div"}})", "scope.vert_gain_low: "},
    RefusedCase{R"({"scope":{"sweep_fast":"2 ms/div"}})", "scope.sweep_fast: "},
    RefusedCase{R"({"scope":{"vertical_accuracy":"2%"}})", "scope.vertical_accuracy: "},
    RefusedCase{R"({"scope":{"bandwidth":"200.5"}})", "scope.bandwidth: "},
    RefusedCase{R"({"scope":{"risetime":"1.5"}})", "scope.risetime: "},
    RefusedCase{R"({"scope":{"impedance_test":true}})", "scope.impedance_test: "},
    RefusedCase{R"({"scope":{"reference":"7320 - 300 Mhz","impedance_test":true}})", "scope.impedance_test: "},
    RefusedCase{R"({"connections":{}})", "connections: must be a list"},
    RefusedCase{R"({"connections":[{"column":0}]})", "connections[0].function: is missing"},
    RefusedCase{R"({"connections":[{"function":"dcv"}]})", "connections[0].column: is missing"},
    RefusedCase{R"({"connections":[{"function":"volts","column":0}]})", "connections[0].function: "},
    RefusedCase{R"({"connections":[{"function":"dcv","column":26}]})", "connections[0].column: "},
    RefusedCase{R"({"connections":[{"function":"dcv","column":0,"picture":1}]})", "connections[0].picture: "},
    RefusedCase{R"({"connections":[{"function":"dcv","column":0,"text":"1\n2\n3\n4\n5\n6\n7\n8\n9"}]})",
                "connections[0].text: has more than 8 lines"},
    RefusedCase{R"({"connections":[{"function":"dcv","column":0,"text":"123456789012345678901234567890123456789012345678901234567"}]})",
                "connections[0].text: line 1 is longer than 56"},
    RefusedCase{R"({"connections":[{"function":"dcv","column":0,"sound":"x"}]})", "connections[0].sound: unknown key"},
    RefusedCase{"[]", "(file): must be an object"},
    RefusedCase{"", "(file): not valid JSON"},
    RefusedCase{"{\"procedure\":", "(file): not valid JSON"},
    RefusedCase{"{} {}", "(file): not valid JSON"},
    RefusedCase{"{\"procedure\":{\"name\":\"\xFF\"}}", "(file): not valid JSON"}));

TEST(SpecFile, RefusedFileAppliesNothing)
{
    const SpecFileResult r = readSpecFile(R"({"procedure":{"name":"New"},"meter":{"functions":{"dcv":[{"range":"x"}]}}})", ".");
    EXPECT_FALSE(r.inputs);
    EXPECT_EQ(r.error, "meter.functions.dcv[0].range: \"x\" is not accepted in this row of the grid");
}

TEST(SpecFile, LocaleSeparatorIsNotTheFileDecimalMark)
{
    const std::string json = R"({"meter":{"functions":{"dcv":[{"range":"1,5"}]}}})";
    EXPECT_FALSE(readSpecFile(json, ",").inputs);
    EXPECT_FALSE(readSpecFile(json, ".").inputs);
}

TEST(SpecFile, ConnectionsKeepOrderCaseAndNulls)
{
    const SpecFileResult r = readSpecFile(R"({"connections":[
        {"function":"TC","column":0,"text":"a\nb","picture":null},
        {"function":"dcv","column":3,"picture":"p.bmp","text":null}]})", ".");
    ASSERT_TRUE(r.inputs) << r.error;
    const auto& records = r.inputs->connections.records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0], (ConnectionRecord{"TC", "0", std::nullopt, std::string("a\r\nb")}));
    EXPECT_EQ(records[1], (ConnectionRecord{"dcv", "3", std::string("p.bmp"), std::nullopt}));
}

TEST(SpecFile, DeepNestingIsRefusedBeforeParsing)
{
    const std::string deep = "{\"a\":" + std::string(100000, '[') + std::string(100000, ']') + "}";
    const SpecFileResult r = readSpecFile(deep, ".");
    EXPECT_FALSE(r.inputs);
    EXPECT_EQ(r.error.rfind("(file): nested deeper", 0), 0u) << r.error;
    // Brackets inside texts do not count.
    const std::string inText = "{\"procedure\":{\"name\":\"" + std::string(200, '[') + "\\\"\"}}";
    const SpecFileResult ok = readSpecFile(inText, ".");
    ASSERT_TRUE(ok.inputs) << ok.error;
    EXPECT_EQ(ok.inputs->identity.name, std::string(200, '[') + "\"");
}

TEST(SpecFile, LongTextsAndHugeNumbers)
{
    const std::string longName = std::string(10000, 'x');
    const SpecFileResult name = readSpecFile("{\"procedure\":{\"name\":\"" + longName + "\"}}", ".");
    ASSERT_TRUE(name.inputs);
    EXPECT_EQ(name.inputs->identity.name, longName);
    const SpecFileResult digits =
        readSpecFile("{\"meter\":{\"functions\":{\"dcv\":[{\"range\":\"" + std::string(10000, '9') + "\"}]}}}", ".");
    ASSERT_TRUE(digits.inputs) << digits.error;
    EXPECT_FALSE(readSpecFile(R"({"version":1e400})", ".").inputs);
}

TEST(SpecFile, WrittenFileUsesTheDocumentedKeyOrder)
{
    ProcedureInputs in;
    in.identity.comments = "a\r\nb";
    in.meter.table(MeterFunction::Acv).setCell(RowFrequency, 1, "1K");
    in.meter.table(MeterFunction::Acv).setCell(RowRange, 1, "2");
    const std::string text = writeSpecFile(in);
    const std::vector<std::string> order{"\"format\"", "\"version\"", "\"page\"", "\"procedure\"", "\"comments\"",
                                         "\"options\"", "\"measurements\"", "\"meter\"", "\"reference\"",
                                         "\"functions\"", "\"acv\"", "\"scope\"", "\"cap_accuracy\"", "\"connections\""};
    std::size_t at = 0;
    for (const auto& key : order) {
        const std::size_t pos = text.find(key, at);
        ASSERT_NE(pos, std::string::npos) << key;
        at = pos;
    }
    EXPECT_NE(text.find("\"comments\": \"a\\nb\""), std::string::npos);
    EXPECT_NE(text.find("[\n        {},\n        {\n          \"range\": \"2\",\n          \"frequency\": \"1K\""),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("\"dcv\""), std::string::npos);
    EXPECT_EQ(text.back(), '\n');
}

} // namespace
} // namespace kestrel
