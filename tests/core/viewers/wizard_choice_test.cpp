// The wizard's options and the records they stand for, both ways.
#include "core/viewers/wizard_choice.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

constexpr const char* kPrompt = "Enter Connection Text";

TEST(WizardChoice, OpeningShowsWhatTheRecordHolds)
{
    const ConnectionRecord picture{"dcv", "2", "leads.bmp", std::nullopt};
    const ConnectionRecord text{"dcv", "2", std::nullopt, "Connect\r\nthe leads"};
    const ConnectionRecord both{"dcv", "2", "leads.bmp", "Connect"};
    const ConnectionRecord blankPicture{"dcv", "2", "  ", std::nullopt};
    const struct {
        const ConnectionRecord* record;
        WizardStart start;
    } cases[] = {
        {nullptr, {std::nullopt, "", kPrompt, false}},
        {&picture, {WizardOption::Pic, "leads.bmp", kPrompt, false}},
        {&text, {WizardOption::Disp, "", "Connect\nthe leads", true}},
        {&both, {WizardOption::Both, "leads.bmp", "Connect", true}},
        // A record saved with PIC and no picture chosen: PIC, nothing to show.
        {&blankPicture, {WizardOption::Pic, "", kPrompt, false}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wizardStart(c.record, kPrompt), c.start);
}

TEST(WizardChoice, OkWritesTheRecordOfTheOption)
{
    using R = ConnectionRecord;
    EXPECT_EQ(wizardRecord(WizardOption::Pic, "acv", 3, "leads.bmp", "ignored"),
              (R{"acv", "3", "leads.bmp", std::nullopt}));
    EXPECT_EQ(wizardRecord(WizardOption::Disp, "acv", 3, "leads.bmp", "Connect\nthe leads"),
              (R{"acv", "3", std::nullopt, "Connect\r\nthe leads"}));
    EXPECT_EQ(wizardRecord(WizardOption::Both, "acv", 3, "", "Connect"), (R{"acv", "3", "", "Connect"}));
    EXPECT_EQ(wizardRecord(std::nullopt, "acv", 3, "leads.bmp", "Connect"), std::nullopt);
}

TEST(WizardChoice, RecordsRoundTripAndStayPerFunction)
{
    ConnectionStore records;
    EXPECT_EQ(applyWizardChoice(records, WizardOption::Both, "dcv", 2, "leads.bmp", "Connect"),
              HeaderPicture::PictureAndText);
    EXPECT_EQ(applyWizardChoice(records, WizardOption::Disp, "acv", 2, "", kPrompt), HeaderPicture::Text);
    ASSERT_EQ(records.size(), 2u);

    // Reopened on dcv 2: "Both"; switched to DISP and OK'd, the picture goes.
    const WizardStart start = wizardStart(records.findUnique("dcv", 2), kPrompt);
    EXPECT_EQ(start.option, WizardOption::Both);
    EXPECT_EQ(applyWizardChoice(records, WizardOption::Disp, "dcv", 2, start.picture, start.editorText),
              HeaderPicture::Text);
    EXPECT_EQ(*records.findUnique("dcv", 2), (ConnectionRecord{"dcv", "2", std::nullopt, "Connect"}));
    EXPECT_EQ(*records.findUnique("acv", 2), (ConnectionRecord{"acv", "2", std::nullopt, kPrompt}));

    // Clear then OK: no option, the column's record is deleted, the other function's stays.
    EXPECT_EQ(applyWizardChoice(records, std::nullopt, "dcv", 2, "", ""), HeaderPicture::Nothing);
    EXPECT_EQ(records.findUnique("dcv", 2), nullptr);
    EXPECT_NE(records.findUnique("acv", 2), nullptr);
    EXPECT_EQ(applyWizardChoice(records, std::nullopt, "ohm", 0, "", ""), HeaderPicture::Nothing);
    EXPECT_EQ(records.size(), 1u);
}

} // namespace
} // namespace kestrel
