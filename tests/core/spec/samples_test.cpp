#include "core/spec/samples.h"

#include "core/app/text_util.h"
#include "core/spec/key_filter.h"
#include "core/spec/standards.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrel {
namespace {

ProcedureInputs loaded(std::string_view name, std::string_view decSep = ".")
{
    ProcedureInputs in;
    in.decimalSeparator = std::string(decSep);
    const SampleDefinition* sample = findSample(name);
    EXPECT_NE(sample, nullptr) << name;
    if (sample)
        loadSample(*sample, in, EnglishLookup{});
    return in;
}

struct Cell {
    MeterFunction function;
    int column;
    int row;
    const char* text;
};

// Every non-empty cell of the tables, in function, column, row order.
std::vector<Cell> filledCells(const MeterSpec& spec)
{
    std::vector<Cell> cells;
    for (const auto f : kAllFunctions)
        for (int c = 0; c < kColumnCount; ++c)
            for (int r = 0; r < spec.table(f).rows(); ++r)
                if (!spec.table(f).cell(r, c).empty())
                    cells.push_back({f, c, r, spec.table(f).cell(r, c).c_str()});
    return cells;
}

void expectExactly(const MeterSpec& spec, const std::vector<Cell>& expected)
{
    MeterSpec want;
    for (const auto& cell : expected)
        want.table(cell.function).setCell(cell.row, cell.column, cell.text);
    for (const auto f : kAllFunctions)
        for (int c = 0; c < kColumnCount; ++c)
            for (int r = 0; r < want.table(f).rows(); ++r)
                EXPECT_EQ(spec.table(f).cell(r, c), want.table(f).cell(r, c))
                    << functionInfo(f).code << " column " << c << " row " << r;
}

TEST(Samples, NamesInButtonOrder)
{
    std::vector<std::string_view> names;
    for (const auto& s : samples())
        names.push_back(s.name);
    EXPECT_EQ(names, (std::vector<std::string_view>{"orvik62-7300", "orvik62-6400", "orvik28", "orvik4919",
                                                    "agilent34401", "orvik2290", "test"}));
    EXPECT_EQ(findSample("nosuch"), nullptr);
}

TEST(Samples, EveryCellIsWhatTheGridWouldStore)
{
    for (const auto& sample : samples()) {
        const ProcedureInputs in = loaded(sample.name);
        for (const auto& cell : filledCells(in.meter)) {
            EXPECT_EQ(typeIntoCell(cell.function, cell.row, cell.text, "."), std::string(cell.text))
                << sample.name << " " << functionInfo(cell.function).code << " column " << cell.column << " row "
                << cell.row;
        }
        // Columns are consecutive from 0: the generators stop at the first empty range.
        for (const auto f : kAllFunctions) {
            bool ended = false;
            for (int c = 0; c < kColumnCount; ++c) {
                const bool hasRange = !in.meter.table(f).cell(RowRange, c).empty();
                EXPECT_FALSE(ended && hasRange) << sample.name << " " << functionInfo(f).code << " column " << c;
                ended = ended || !hasRange;
            }
        }
    }
}

TEST(Samples, InstructionsFitTheWizardAndUseCrLf)
{
    for (const auto& sample : samples()) {
        for (const auto& instruction : sample.instructions) {
            EXPECT_TRUE(functionFromCode(toLower(instruction.mode))) << instruction.mode;
            EXPECT_FALSE(contains(replaceAll(std::string(instruction.text), "\r\n", ""), "\n")) << instruction.text;
            std::size_t lines = 0;
            std::size_t start = 0;
            const std::string text(instruction.text);
            while (start != std::string::npos) {
                const std::size_t end = text.find("\r\n", start);
                EXPECT_LE(charCount(text.substr(start, end == std::string::npos ? end : end - start)), 56u);
                ++lines;
                start = end == std::string::npos ? end : end + 2;
            }
            EXPECT_LE(lines, 8u) << sample.name;
        }
    }
}

TEST(Samples, ThermometerCellForCell)
{
    const ProcedureInputs in = loaded("orvik28");
    using F = MeterFunction;
    expectExactly(in.meter, {
        {F::Tc, 0, 0, "-200.0"}, {F::Tc, 0, 2, "0.2"}, {F::Tc, 0, 6, "0.3"},
        {F::Tc, 1, 0, "0.0"}, {F::Tc, 1, 6, "0.3"},
        {F::Tc, 2, 0, "23.0"}, {F::Tc, 2, 2, "0.05"}, {F::Tc, 2, 6, "0.3"},
        {F::Tc, 3, 0, "1200"}, {F::Tc, 3, 2, "0.05"}, {F::Tc, 3, 6, "0.3"},
    });
    EXPECT_EQ(in.selections.tcType, "K");
    EXPECT_EQ(in.selections.tempScale, "\xC2\xB0" "C");
    EXPECT_EQ(in.selections.reference, "7300");
    EXPECT_EQ(in.identity.name, "Orvik model 28 Digital Thermometer");
    EXPECT_EQ(in.identity.comments, "This procedure is based on specifications for the Orvik model 28");
    ASSERT_EQ(in.connections.size(), 1u);
    EXPECT_EQ(in.connections.records()[0].mode, "TC");
    const ConnectionRecord* record = in.connections.findUnique("tc", 0);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->text,
              std::string("Use thermocouple extension wire and connect the\r\nmodel 28 to the temperature reference"));
    EXPECT_FALSE(record->pic);
}

TEST(Samples, Agilent34401CellForCell)
{
    const ProcedureInputs in = loaded("agilent34401");
    using F = MeterFunction;
    std::vector<Cell> cells;
    auto add = [&](F f, int c, const char* range, const char* reading, const char* ofRange, const char* freq = "") {
        cells.push_back({f, c, 0, range});
        cells.push_back({f, c, 2, reading});
        cells.push_back({f, c, 3, ofRange});
        if (*freq)
            cells.push_back({f, c, 8, freq});
    };
    add(F::Dcv, 0, "100.0000m", "0.005", "0.0035");
    add(F::Dcv, 1, "1.000000", "0.004", "0.0007");
    add(F::Dcv, 2, "10.00000", "0.0035", "0.0005");
    add(F::Dcv, 3, "100.0000", "0.0045", "0.0006");
    add(F::Dcv, 4, "1000.000", "0.0045", "0.0010");
    add(F::Acv, 0, "100.0000m", "0.6", "0.4", "20K");
    add(F::Acv, 1, "1.000000", "0.6", "0.3");
    add(F::Acv, 2, "10.00000", "0.6", "0.3");
    add(F::Acv, 3, "100.0000", "0.6", "0.3");
    add(F::Acv, 4, "750.000", "0.6", "0.3", "10K");
    add(F::Dci, 0, "10.00000m", "0.5", "0.2");
    add(F::Dci, 1, "100.0000m", "0.5", "0.5");
    add(F::Dci, 2, "1.000000", "0.1", "0.1");
    add(F::Dci, 3, "3.00000", "0.12", "0.2");
    add(F::Aci, 0, "1.000000", "0.1", "0.4", "5K");
    add(F::Aci, 1, "3.000000", "0.15", "0.6", "1K");
    add(F::Ohm, 0, "100.0000", "0.1", "0.04");
    add(F::Ohm, 1, "1000.000", "0.1", "0.01");
    add(F::Ohm, 2, "10.00000K", "0.1", "0.01");
    add(F::Ohm, 3, "100.0000K", "0.1", "0.01");
    add(F::Ohm, 4, "1.000000M", "0.1", "0.01");
    add(F::Ohm, 5, "10.00000M", "0.4", "0.01");
    add(F::Ohm, 6, "100.0000M", "0.8", "0.1");
    expectExactly(in.meter, cells);
    EXPECT_EQ(in.selections.reference, "7600");
    EXPECT_EQ(in.identity.name, "Agilent 34401 digital multimeter");
    EXPECT_EQ(in.identity.comments, "This procedure is based on specifications for the Agilent model 34401");
}

TEST(Samples, ExamplesOfTheOtherInstruments)
{
    using F = MeterFunction;
    const ProcedureInputs handheld = loaded("orvik62-7300");
    const SpecTable& dcv = handheld.meter.table(F::Dcv);
    EXPECT_EQ(dcv.cell(RowRange, 0), "400.0m");
    EXPECT_EQ(dcv.cell(RowLevel, 0), "350.0m");
    EXPECT_EQ(dcv.cell(RowReadingPct, 0), "0.1");
    EXPECT_EQ(dcv.cell(RowDigits, 0), "1");
    const SpecTable& cap = handheld.meter.table(F::Cap);
    EXPECT_EQ(cap.cell(RowRange, 0), "5.00n");
    EXPECT_EQ(cap.cell(RowLevel, 0), "4.70n");
    EXPECT_EQ(cap.cell(RowReadingPct, 0), "1.0");
    EXPECT_EQ(cap.cell(RowDigits, 0), "3");
    const ConnectionRecord* dcvText = handheld.connections.findUnique("dcv", 0);
    ASSERT_NE(dcvText, nullptr);
    EXPECT_EQ(dcvText->text, std::string("Rotate the UUT function switch to dc Volts"));
    for (const auto f : {F::Tc, F::Rtd})
        EXPECT_TRUE(handheld.meter.table(f).cell(RowRange, 0).empty());

    const ProcedureInputs logger = loaded("orvik4919");
    EXPECT_EQ(logger.meter.table(F::Dcv).cell(RowRange, 0), "90.000m");
    EXPECT_EQ(logger.meter.table(F::Dcv).cell(RowReadingPct, 0), "0.024");
    EXPECT_EQ(logger.meter.table(F::Dcv).cell(RowFixed, 0), "6\xC2\xB5");
    EXPECT_EQ(logger.identity.name, "Orvik Model 4919 Tarvo Ledgerbox");
    for (const auto f : {F::Dci, F::Aci, F::Cap})
        EXPECT_TRUE(logger.meter.table(f).cell(RowRange, 0).empty());

    const ProcedureInputs reference = loaded("orvik2290");
    const SpecTable& dcv2290 = reference.meter.table(F::Dcv);
    EXPECT_EQ(dcv2290.cell(RowRange, 1), "1.00000000");
    EXPECT_EQ(dcv2290.cell(RowReadingPpm, 1), "3");
    EXPECT_EQ(dcv2290.cell(RowRangePpm, 1), "0.2");
    EXPECT_EQ(reference.identity.name, "Orvik model 2290 Reference Multimeter");
}

TEST(Samples, FunctionsFilledPerInstrument)
{
    using F = MeterFunction;
    const auto filled = [](const ProcedureInputs& in) {
        std::vector<F> fs;
        for (const auto f : kAllFunctions)
            if (!in.meter.table(f).cell(RowRange, 0).empty())
                fs.push_back(f);
        return fs;
    };
    EXPECT_EQ(filled(loaded("orvik62-6400")), (std::vector<F>{F::Dcv, F::Acv, F::Dci, F::Aci, F::Ohm, F::Cap, F::Freq}));
    EXPECT_EQ(filled(loaded("orvik4919")), (std::vector<F>{F::Dcv, F::Acv, F::Ohm, F::Tc, F::Rtd, F::Freq}));
    EXPECT_EQ(filled(loaded("agilent34401")), (std::vector<F>{F::Dcv, F::Acv, F::Dci, F::Aci, F::Ohm}));
    EXPECT_EQ(filled(loaded("orvik2290")), (std::vector<F>{F::Dcv, F::Acv, F::Dci, F::Aci, F::Ohm}));
    EXPECT_EQ(filled(loaded("test")).size(), kFunctionCount);
}

TEST(Samples, LoadingReplacesEverything)
{
    ProcedureInputs in;
    in.identity.name = "Mine";
    in.identity.comments = "My notes";
    in.meter.table(MeterFunction::Freq).setCell(RowRange, 7, "1M");
    in.connections.append({"cap", "3", std::string("cap.bmp"), std::nullopt});
    loadSample(*findSample("agilent34401"), in, EnglishLookup{});
    loadSample(*findSample("orvik28"), in, EnglishLookup{});
    for (const auto f : kAllFunctions)
        if (f != MeterFunction::Tc) {
            EXPECT_EQ(in.meter.table(f), SpecTable(functionInfo(f).rows)) << functionInfo(f).code;
        }
    EXPECT_EQ(in.identity.name, "Orvik model 28 Digital Thermometer");
    EXPECT_EQ(in.connections.size(), 1u);
    EXPECT_EQ(in.connections.count("cap", 3), 0u);
}

TEST(Samples, CommaLocaleConvertsEveryCell)
{
    const ProcedureInputs dotted = loaded("agilent34401");
    const ProcedureInputs comma = loaded("agilent34401", ",");
    EXPECT_EQ(comma.meter.table(MeterFunction::Dcv).cell(RowRange, 0), "100,0000m");
    EXPECT_EQ(comma.meter.table(MeterFunction::Ohm).cell(RowRangePct, 6), "0,1");
    for (const auto f : kAllFunctions)
        for (int c = 0; c < kColumnCount; ++c)
            for (int r = 0; r < dotted.meter.table(f).rows(); ++r)
                EXPECT_EQ(comma.meter.table(f).cell(r, c), replaceAll(dotted.meter.table(f).cell(r, c), ".", ","));
}

TEST(Samples, StandardSelection)
{
    ProcedureInputs in;
    in.selections.reference = "7320";
    in.selections.tcType = "U";
    loadSample(*findSample("orvik2290"), in, EnglishLookup{});
    EXPECT_EQ(in.selections.reference, "7320"); // left unchanged
    EXPECT_EQ(in.selections.tcType, "U");
    EXPECT_FALSE(in.options.autoranging);

    loadSample(*findSample("orvik62-6400"), in, EnglishLookup{});
    EXPECT_EQ(in.selections.reference, "6400");
    EXPECT_EQ(in.selections.tcType, "J"); // a new standard refills the lists
    EXPECT_EQ(in.selections.rtdType, "100 ohm Pt 385");
    EXPECT_TRUE(in.options.autoranging);
    EXPECT_EQ(in.identity.comments, "This procedure is based on specifications for the Orvik model 62");
}

} // namespace
} // namespace kestrel
