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

} // namespace
} // namespace kestrel
