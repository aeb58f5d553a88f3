// The wizard's options and the records they stand for, both ways.
#include "core/viewers/wizard_choice.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

constexpr const char* kPrompt = "Enter Connection Text";

TEST(WizardChoice, OpeningShowsWhatTheRecordHolds)
{
    const ConnectionRecord picture{MeterFunction::Dcv, 2, "leads.bmp", std::nullopt};
    const ConnectionRecord text{MeterFunction::Dcv, 2, std::nullopt, "Connect\r\nthe leads"};
    const ConnectionRecord both{MeterFunction::Dcv, 2, "leads.bmp", "Connect"};
    const ConnectionRecord blankPicture{MeterFunction::Dcv, 2, "  ", std::nullopt};
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
    EXPECT_EQ(wizardRecord(WizardOption::Pic, MeterFunction::Acv, 3, "leads.bmp", "ignored"),
              (R{MeterFunction::Acv, 3, "leads.bmp", std::nullopt}));
    EXPECT_EQ(wizardRecord(WizardOption::Disp, MeterFunction::Acv, 3, "leads.bmp", "Connect\nthe leads"),
              (R{MeterFunction::Acv, 3, std::nullopt, "Connect\r\nthe leads"}));
    EXPECT_EQ(wizardRecord(WizardOption::Both, MeterFunction::Acv, 3, "", "Connect"), (R{MeterFunction::Acv, 3, "", "Connect"}));
    EXPECT_EQ(wizardRecord(std::nullopt, MeterFunction::Acv, 3, "leads.bmp", "Connect"), std::nullopt);
}

} // namespace
} // namespace kestrel
