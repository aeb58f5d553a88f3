// The wizard's options and the records they stand for, both ways.
#include "core/viewers/wizard_choice.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

using F = MeterFunction;
using R = ConnectionRecord;
constexpr const char* kPrompt = "Enter Connection Text";

TEST(WizardChoice, OpeningShowsWhatTheColumnsOneRecordHolds)
{
    const struct {
        std::vector<R> records;
        WizardStart start;
    } cases[] = {
        {{}, {std::nullopt, "", kPrompt, false}},
        {{{F::Dcv, 2, "leads.bmp", std::nullopt}}, {WizardOption::Pic, "leads.bmp", kPrompt, false}},
        {{{F::Dcv, 2, std::nullopt, "Connect\r\nthe leads"}}, {WizardOption::Disp, "", "Connect\nthe leads", true}},
        {{{F::Dcv, 2, "leads.bmp", "Connect"}}, {WizardOption::Both, "leads.bmp", "Connect", true}},
        // A record saved with PIC and no picture chosen: PIC, nothing to show.
        {{{F::Dcv, 2, "  ", std::nullopt}}, {WizardOption::Pic, "", kPrompt, false}},
        // Records of another column or function, or two of this column: none.
        {{{F::Acv, 2, "leads.bmp", std::nullopt}, {F::Dcv, 3, "leads.bmp", std::nullopt}},
            {std::nullopt, "", kPrompt, false}},
        {{{F::Dcv, 2, "a.bmp", std::nullopt}, {F::Dcv, 2, std::nullopt, "b"}}, {std::nullopt, "", kPrompt, false}},
    };
    for (const auto& c : cases) {
        ConnectionStore records;
        for (const R& r : c.records)
            records.append(r);
        EXPECT_EQ(wizardStart(records, F::Dcv, 2, kPrompt), c.start) << c.records.size();
    }
}

// OK files the option's record as the column's only one, whatever the
// column held (a file may give it two), and leaves every other column.
TEST(WizardChoice, OkReplacesWhateverTheColumnHeld)
{
    const std::vector<R> before{{F::Acv, 3, "x.bmp", std::nullopt}, {F::Acv, 4, std::nullopt, "next column"},
        {F::Dcv, 3, std::nullopt, "other function"}, {F::Acv, 3, std::nullopt, "second record"}};
    const R untouched[] = {before[1], before[2]};
    const struct {
        std::optional<WizardOption> option;
        std::optional<R> written;
        HeaderPicture picture;
    } cases[] = {
        {WizardOption::Pic, R{F::Acv, 3, "leads.bmp", std::nullopt}, HeaderPicture::Picture},
        {WizardOption::Disp, R{F::Acv, 3, std::nullopt, "Connect\r\nthe leads"}, HeaderPicture::Text},
        {WizardOption::Both, R{F::Acv, 3, "leads.bmp", "Connect\r\nthe leads"}, HeaderPicture::PictureAndText},
        {std::nullopt, std::nullopt, HeaderPicture::Nothing},
    };
    for (const auto& c : cases) {
        ConnectionStore records;
        for (const R& r : before)
            records.append(r);
        EXPECT_EQ(applyWizardChoice(records, c.option, F::Acv, 3, "leads.bmp", "Connect\nthe leads"), "");
        EXPECT_EQ(headerPicture(records, F::Acv, 3), c.picture);
        std::vector<R> expected(std::begin(untouched), std::end(untouched));
        if (c.written)
            expected.push_back(*c.written);
        EXPECT_EQ(records.records(), expected);
    }
    // "PIC" with no list entry selected stores an empty picture name.
    ConnectionStore records;
    applyWizardChoice(records, WizardOption::Pic, F::Ohm, 0, "", "ignored");
    EXPECT_EQ(records.records(), (std::vector<R>{{F::Ohm, 0, "", std::nullopt}}));
}

// The prompt starts an empty editor only where it could be an instruction
// (a DISP line holds 56 characters): a longer translation would make a
// record that a specification file cannot hold.
TEST(WizardChoice, APromptThatCannotBeAnInstructionStartsNothing)
{
    const std::string fits(56, 'p');
    const std::string tooLong = "Geben Sie hier den Anschlusstext f\xC3\xBCr diesen Messpunkt ein"; // 57
    const struct {
        std::string prompt;
        std::string start;
    } cases[] = {
        {kPrompt, kPrompt},
        {fits, fits},
        {fits + "\xC3\xBC", ""}, // 57 characters, 58 bytes
        {tooLong, ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wizardPromptText(c.prompt), c.start) << c.prompt;
        EXPECT_EQ(wizardStart(ConnectionStore{}, F::Dcv, 0, c.prompt).editorText, c.start) << c.prompt;
    }
}

// OK with a text or picture name no record may hold changes nothing and
// says why, in the specification-file reader's words.
TEST(WizardChoice, OkRefusesWhatARecordCannotHold)
{
    const std::string line57(57, 'x');
    const struct {
        std::optional<WizardOption> option;
        std::string picture;
        std::string text;
        std::string problem;
    } cases[] = {
        {WizardOption::Disp, "", line57, "line 1 is longer than 56 characters"},
        {WizardOption::Both, "a.bmp", "ok\n" + line57, "line 2 is longer than 56 characters"},
        {WizardOption::Disp, "", "1\n2\n3\n4\n5\n6\n7\n8\n9", "has more than 8 lines"},
        {WizardOption::Disp, "", "escape \x1b[2J", "line 1 holds the control character U+001B"},
        {WizardOption::Disp, "", "zero\xE2\x80\x8Bwidth", "line 1 holds the invisible character U+200B"},
        {WizardOption::Pic, "../a.bmp", line57, "names a folder; a picture is a file name in Tessel's picture folder"},
        // The text of PIC alone is not kept, so it is not asked about.
        {WizardOption::Pic, "a.bmp", line57, ""},
        {std::nullopt, "", line57, ""},
    };
    for (const auto& c : cases) {
        ConnectionStore records;
        records.append({F::Dcv, 1, std::nullopt, "kept"});
        EXPECT_EQ(applyWizardChoice(records, c.option, F::Dcv, 1, c.picture, c.text), c.problem) << c.text;
        if (!c.problem.empty()) {
            EXPECT_EQ(records.records(), (std::vector<R>{{F::Dcv, 1, std::nullopt, "kept"}})) << c.text;
        }
    }
}

} // namespace
} // namespace kestrel
