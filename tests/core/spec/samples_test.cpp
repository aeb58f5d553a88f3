// The built-in samples as the grid would hold them, and the standards lists
// that a sample's calibrator refills. What each sample holds is pinned by its
// file in data/samples, compared in the command-line tests.
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
    const SampleDefinition* sample = findSample(name);
    EXPECT_NE(sample, nullptr) << name; // and the meter stays empty
    if (sample)
        loadSample(*sample, in, EnglishLookup{});
    return in;
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

TEST(Samples, LoadingReplacesEverything)
{
    MeterInputs in;
    in.identity.name = "Mine";
    in.meter.table(MeterFunction::Freq).setCell(RowRange, 7, "1M");
    in.connections.append({MeterFunction::Cap, 3, std::string("cap.bmp"), std::nullopt});
    const SampleDefinition* agilent = findSample("agilent34401");
    const SampleDefinition* orvik = findSample("orvik28");
    ASSERT_NE(agilent, nullptr);
    ASSERT_NE(orvik, nullptr);
    loadSample(*agilent, in, EnglishLookup{});
    loadSample(*orvik, in, EnglishLookup{});
    const MeterInputs fresh = loaded("orvik28");
    EXPECT_EQ(in.meter, fresh.meter);
    EXPECT_EQ(in.identity, fresh.identity);
    EXPECT_EQ(in.connections, fresh.connections);
}

// A sample button shows the sample from its first function with a range.
TEST(Samples, ButtonNamesTheSampleAndShowsItsFirstFunction)
{
    const auto all = samples();
    const auto index = [&](std::string_view name) {
        return static_cast<int>(
            std::find_if(all.begin(), all.end(), [&](const auto& s) { return s.name == name; }) - all.begin());
    };
    MeterInputs in;
    SpecView view{MeterFunction::Freq, -1};
    ASSERT_TRUE(loadSample(index("orvik28"), in, view, EnglishLookup{}));
    EXPECT_EQ(view, (SpecView{MeterFunction::Tc, index("orvik28")}));
    EXPECT_EQ(in.meter, loaded("orvik28").meter);
    ASSERT_TRUE(loadSample(index("agilent34401"), in, view, EnglishLookup{}));
    EXPECT_EQ(view, (SpecView{MeterFunction::Dcv, index("agilent34401")}));

    const MeterInputs before = in;
    for (const int nothing : {-1, static_cast<int>(all.size())}) {
        EXPECT_FALSE(loadSample(nothing, in, view, EnglishLookup{}));
        EXPECT_EQ(in, before);
        EXPECT_EQ(view, (SpecView{MeterFunction::Dcv, index("agilent34401")}));
    }
}

TEST(Samples, StandardAndSensorLists)
{
    MeterInputs in;
    in.selections.reference = "7320";
    in.selections.tcType = "U";
    const SampleDefinition* orvik2290 = findSample("orvik2290");
    const SampleDefinition* orvik6400 = findSample("orvik62-6400");
    ASSERT_NE(orvik2290, nullptr);
    ASSERT_NE(orvik6400, nullptr);
    loadSample(*orvik2290, in, EnglishLookup{});
    EXPECT_EQ(in.selections.reference, "7320"); // left unchanged
    EXPECT_EQ(in.selections.tcType, "U");
    // A new standard refills the lists and selects their first choices.
    loadSample(*orvik6400, in, EnglishLookup{});
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
