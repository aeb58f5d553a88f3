// Row labels, header pictures, the wizard's caption and the data-entry
// rule: what the grid and the options page show besides their values.
#include "core/spec/grid_rules.h"

#include "core/spec/procedure_options.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(GridRules, RowLabelsPerFunction)
{
    // Rows 0 to 8; 0 where the function shows no label.
    const struct {
        MeterFunction f;
        std::array<int, 9> texts;
    } cases[] = {
        {MeterFunction::Dcv, {1070, 1255, 1071, 1072, 1073, 1074, 1245, 1083, 0}},
        {MeterFunction::Aci, {1070, 1255, 1071, 1072, 1073, 1074, 1246, 1083, 1081}},
        {MeterFunction::Ohm, {1070, 1255, 1071, 1072, 1073, 1074, 1247, 1083, 0}},
        {MeterFunction::Tc, {1070, 1255, 1071, 1072, 1073, 1074, 1248, 1083, 1240}},
        {MeterFunction::Rtd, {1070, 1255, 1071, 1072, 1073, 1074, 1248, 1083, 1241}},
        {MeterFunction::Freq, {1070, 1255, 1071, 1072, 1073, 1074, 1250, 1083, 0}},
    };
    for (const auto& c : cases)
        for (int row = 0; row < 9; ++row)
            EXPECT_EQ(rowLabelText(c.f, row), c.texts[static_cast<std::size_t>(row)])
                << functionInfo(c.f).code << " row " << row;
    EXPECT_EQ(specLabelItem(1), 9);
    EXPECT_EQ(specLabelItem(8), 7);
}

TEST(GridRules, HeaderPictureShowsWhatTheOneRecordHolds)
{
    ConnectionStore records;
    records.append({MeterFunction::Dcv, 0, std::string("a.bmp"), std::nullopt});
    records.append({MeterFunction::Dcv, 1, std::nullopt, std::string("Connect")});
    records.append({MeterFunction::Dcv, 2, std::string("a.bmp"), std::string("Connect")});
    records.append({MeterFunction::Dcv, 3, std::nullopt, std::nullopt});
    records.append({MeterFunction::Acv, 4, std::string("a.bmp"), std::nullopt});
    records.append({MeterFunction::Acv, 4, std::string("b.bmp"), std::nullopt}); // two records count as none
    EXPECT_EQ(headerPicture(records, MeterFunction::Dcv, 0), HeaderPicture::Picture);
    EXPECT_EQ(headerPicture(records, MeterFunction::Dcv, 1), HeaderPicture::Text);
    EXPECT_EQ(headerPicture(records, MeterFunction::Dcv, 2), HeaderPicture::PictureAndText);
    EXPECT_EQ(headerPicture(records, MeterFunction::Dcv, 3), HeaderPicture::Nothing);
    EXPECT_EQ(headerPicture(records, MeterFunction::Acv, 4), HeaderPicture::Nothing);
    EXPECT_EQ(headerPicture(records, MeterFunction::Acv, 2), HeaderPicture::Nothing);
    // An empty picture name or text is still set.
    records.append({MeterFunction::Dcv, 5, std::string(), std::string()});
    EXPECT_EQ(headerPicture(records, MeterFunction::Dcv, 5), HeaderPicture::PictureAndText);
}

// What a screen reader hears of a column header follows the picture's
// cases, and a record's text is read on one line.
TEST(GridRules, ColumnHeaderDescriptionTellsTheRecord)
{
    ConnectionStore records;
    records.append({MeterFunction::Dcv, 0, std::string("DMM_DCV.BMP"), std::nullopt});
    records.append({MeterFunction::Dcv, 2, std::nullopt, std::string("Connect\r\nthe leads\r\n\r\nto V\t")});
    records.append({MeterFunction::Dcv, 3, std::string("a.bmp"), std::string("Connect")});
    records.append({MeterFunction::Acv, 4, std::string("a.bmp"), std::nullopt});
    records.append({MeterFunction::Acv, 4, std::string("b.bmp"), std::nullopt});
    const EnglishLookup texts;
    const struct {
        MeterFunction f;
        int column;
        const char* heard;
    } cases[] = {
        {MeterFunction::Dcv, 0, "Column 1: PIC 'DMM_DCV.BMP'"}, {MeterFunction::Dcv, 1, "Column 2: no instruction"},
        {MeterFunction::Dcv, 2, "Column 3: DISP 'Connect the leads to V'"},
        {MeterFunction::Dcv, 3, "Column 4: PIC 'a.bmp', DISP 'Connect'"},
        {MeterFunction::Acv, 4, "Column 5: no instruction"}, // two records, as the picture counts them
        {MeterFunction::Acv, 2, "Column 3: no instruction"}, // the other function's record
    };
    for (const auto& c : cases)
        EXPECT_EQ(columnHeaderDescription(records, c.f, c.column, texts), c.heard);
}

TEST(GridRules, WizardCaptionNamesTheRange)
{
    SpecTable table;
    table.setCell(RowRange, 2, "2.000");
    table.setCell(RowRange, 3, "20K");
    const EnglishLookup texts;
    EXPECT_EQ(wizardCaption(table, MeterFunction::Dcv, 2, texts), "PIC & DISP Wizard 2.000V range");
    EXPECT_EQ(wizardCaption(table, MeterFunction::Ohm, 3, texts), "PIC & DISP Wizard 20K ohm range");
    EXPECT_EQ(wizardCaption(table, MeterFunction::Dcv, 0, texts), "");
}

TEST(GridRules, DataEntryDecidesTheMeasurementsList)
{
    EXPECT_EQ(measurementsForDataEntry(DataEntry::GoNoGo, 3), (MeasurementsList{false, 0}));
    EXPECT_EQ(measurementsForDataEntry(DataEntry::Slew, 0), (MeasurementsList{false, 0}));
    // Keyboard after go/no-go brings the list back at one measurement.
    EXPECT_EQ(measurementsForDataEntry(DataEntry::Keyboard, 0), (MeasurementsList{true, 1}));
    EXPECT_EQ(measurementsForDataEntry(DataEntry::All, 7), (MeasurementsList{true, 7}));
}

} // namespace
} // namespace kestrel
