// The built-in samples cell for cell where the instrument's data sheet is
// given in full, and the standards lists that a sample's calibrator refills.
#include "core/spec/samples.h"

#include "core/spec/key_filter.h"
#include "core/spec/standards.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kestrel {
namespace {

MeterInputs loaded(std::string_view name, std::string_view decSep = ".")
{
    MeterInputs in;
    in.decimalSeparator = std::string(decSep);
    loadSample(*findSample(name), in, EnglishLookup{});
    return in;
}

// Every filled column as "<code><column>:" and its cells by row joined by
// "/", trailing empty rows left out: "acv0:100.0000m//0.6/0.4/////20K".
std::vector<std::string> filledColumns(const MeterSpec& spec)
{
    std::vector<std::string> out;
    for (const auto f : kAllFunctions)
        for (int c = 0; c < kColumnCount; ++c) {
            std::string cells;
            for (int r = 0; r < spec.table(f).rows(); ++r)
                cells += (r ? "/" : "") + spec.table(f).cell(r, c);
            if (const std::size_t end = cells.find_last_not_of('/'); end != std::string::npos)
                out.push_back(std::string(functionInfo(f).code) + std::to_string(c) + ":" + cells.substr(0, end + 1));
        }
    return out;
}

TEST(Samples, EveryCellIsWhatTheGridWouldStore)
{
    for (const auto& sample : samples()) {
        const MeterInputs in = loaded(sample.name);
        for (const auto f : kAllFunctions) {
            bool ended = false; // columns run from 0 without a gap: the generators stop at the first empty range
            for (int c = 0; c < kColumnCount; ++c) {
                const SpecTable& t = in.meter.table(f);
                EXPECT_FALSE(ended && !t.cell(RowRange, c).empty()) << sample.name << " column " << c;
                ended = ended || t.cell(RowRange, c).empty();
                for (int r = 0; r < t.rows(); ++r)
                    EXPECT_EQ(typeIntoCell(f, r, t.cell(r, c), "."), t.cell(r, c))
                        << sample.name << " " << functionInfo(f).code << " column " << c << " row " << r;
            }
        }
    }
}

TEST(Samples, ThermometerCellForCell)
{
    const MeterInputs in = loaded("orvik28");
    EXPECT_EQ(filledColumns(in.meter), (std::vector<std::string>{"tc0:-200.0//0.2////0.3", "tc1:0.0//////0.3",
                                                                 "tc2:23.0//0.05////0.3", "tc3:1200//0.05////0.3"}));
    EXPECT_EQ(in.selections.tcType, "K");
    EXPECT_EQ(in.selections.tempScale, "\xC2\xB0" "C");
    EXPECT_EQ(in.selections.reference, "7300");
    EXPECT_EQ(in.identity.name, "Orvik model 28 Digital Thermometer");
    EXPECT_EQ(in.identity.comments, "This procedure is based on specifications for the Orvik model 28");
    EXPECT_EQ(in.connections.records(), (std::vector<ConnectionRecord>{{"TC", "0", std::nullopt, std::string(
        "Use thermocouple extension wire and connect the\r\nmodel 28 to the temperature reference")}}));
}

TEST(Samples, Agilent34401CellForCell)
{
    const MeterInputs in = loaded("agilent34401");
    EXPECT_EQ(filledColumns(in.meter), (std::vector<std::string>{
        "dcv0:100.0000m//0.005/0.0035", "dcv1:1.000000//0.004/0.0007", "dcv2:10.00000//0.0035/0.0005",
        "dcv3:100.0000//0.0045/0.0006", "dcv4:1000.000//0.0045/0.0010", "acv0:100.0000m//0.6/0.4/////20K",
        "acv1:1.000000//0.6/0.3", "acv2:10.00000//0.6/0.3", "acv3:100.0000//0.6/0.3", "acv4:750.000//0.6/0.3/////10K",
        "dci0:10.00000m//0.5/0.2", "dci1:100.0000m//0.5/0.5", "dci2:1.000000//0.1/0.1", "dci3:3.00000//0.12/0.2",
        "aci0:1.000000//0.1/0.4/////5K", "aci1:3.000000//0.15/0.6/////1K", "ohm0:100.0000//0.1/0.04",
        "ohm1:1000.000//0.1/0.01", "ohm2:10.00000K//0.1/0.01", "ohm3:100.0000K//0.1/0.01", "ohm4:1.000000M//0.1/0.01",
        "ohm5:10.00000M//0.4/0.01", "ohm6:100.0000M//0.8/0.1"}));
    EXPECT_EQ(in.selections.reference, "7600");
    EXPECT_EQ(in.identity.name, "Agilent 34401 digital multimeter");
    EXPECT_EQ(in.identity.comments, "This procedure is based on specifications for the Agilent model 34401");
}

TEST(Samples, FunctionsAndExamplesOfTheOtherInstruments)
{
    const struct { const char* name; const char* functions; const char* example; } cases[] = {
        {"orvik62-7300", "dcv acv dci aci ohm cap freq ", "dcv0:400.0m/350.0m/0.1/////1"},
        {"orvik62-6400", "dcv acv dci aci ohm cap freq ", "cap0:5.00n/4.70n/1.0/////3"},
        {"orvik4919", "dcv acv ohm tc rtd freq ", "dcv0:90.000m//0.024////6\xC2\xB5"},
        {"orvik2290", "dcv acv dci aci ohm ", "dcv1:1.00000000////3/0.2"}};
    for (const auto& c : cases) {
        const MeterInputs in = loaded(c.name);
        std::string functions;
        for (const auto f : kAllFunctions)
            if (!in.meter.table(f).cell(RowRange, 0).empty())
                functions += std::string(functionInfo(f).code) + " ";
        EXPECT_EQ(functions, c.functions) << c.name;
        const std::vector<std::string> columns = filledColumns(in.meter);
        EXPECT_NE(std::find(columns.begin(), columns.end(), c.example), columns.end()) << c.example;
    }
}

TEST(Samples, LoadingReplacesEverything)
{
    MeterInputs in;
    in.identity.name = "Mine";
    in.meter.table(MeterFunction::Freq).setCell(RowRange, 7, "1M");
    in.connections.append({"cap", "3", std::string("cap.bmp"), std::nullopt});
    loadSample(*findSample("agilent34401"), in, EnglishLookup{});
    loadSample(*findSample("orvik28"), in, EnglishLookup{});
    const MeterInputs fresh = loaded("orvik28");
    EXPECT_EQ(in.meter, fresh.meter);
    EXPECT_EQ(in.identity, fresh.identity);
    EXPECT_EQ(in.connections, fresh.connections);
}

TEST(Samples, StandardAndSensorLists)
{
    MeterInputs in;
    in.selections.reference = "7320";
    in.selections.tcType = "U";
    loadSample(*findSample("orvik2290"), in, EnglishLookup{});
    EXPECT_EQ(in.selections.reference, "7320"); // left unchanged
    EXPECT_EQ(in.selections.tcType, "U");
    // A new standard refills the lists and selects their first choices.
    loadSample(*findSample("orvik62-6400"), in, EnglishLookup{});
    EXPECT_EQ(in.selections.reference, "6400");
    EXPECT_EQ(in.selections.tcType, "J");
    EXPECT_EQ(in.selections.rtdType, "100 ohm Pt 385");

    // The 6400 has no type U and two RTDs; the others keep "10 ohm  Cu" with two blanks.
    EXPECT_EQ(tcTypes("6400").size(), 10u);
    EXPECT_EQ(tcTypes("7300").back(), "U");
    EXPECT_EQ(rtdTypes("6400"), (std::vector<std::string_view>{"100 ohm Pt 385", "100 ohm Pt 3926"}));
    EXPECT_EQ(rtdTypeIndex("7300", "10 ohm  Cu"), 7);
    EXPECT_EQ(rtdTypeIndex("6400", "120 ohm Ni"), -1);
}

TEST(Samples, OnlyTheThermometerOpensOnTc)
{
    for (const auto& sample : samples())
        EXPECT_EQ(openingFunction(loaded(sample.name).meter),
                  sample.name == "orvik28" ? MeterFunction::Tc : MeterFunction::Dcv)
            << sample.name;
}

} // namespace
} // namespace kestrel
