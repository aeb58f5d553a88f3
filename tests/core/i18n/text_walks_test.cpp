// What each walk sets on a control of each kind, and the localization
// menu's states after each of its handlers.
#include "core/i18n/localization_menu.h"
#include "core/i18n/text_walks.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

// Local texts that cannot be mistaken for English ones.
class MarkedLocalTexts : public TextLookup {
public:
    std::string gettext(int number) const override { return "L" + std::to_string(number); }
};

struct WalkCase {
    ControlKind kind;
    const char* name;
    TextTag tag;
    TextWalk walk;
    TextChange expected;
};

TEST(TextWalks, EachKindInEachWalk)
{
    using enum TextWalk;
    using K = ControlKind;
    const MarkedLocalTexts local;
    const WalkCase cases[] = {
        // Labels: caption by default, tooltip with the mark; numbers with one leading blank.
        {K::Label, "SpecLabel_9", {1255}, Local, {.caption = "L1255"}},
        {K::Label, "SpecLabel_9", {1255}, English, {.caption = "Test Level"}},
        {K::Label, "SpecLabel_9", {1255}, Numbers, {.caption = " 1255"}},
        {K::Label, "Label9", {}, Numbers, {}},
        // The help labels keep their picture: only the tooltip changes.
        {K::Label, "Ask_HLP_2", {1526, true}, Local, {.tooltip = "L1526"}},
        {K::Label, "Vset_HLP", {1526, true}, English, {.tooltip = "Click for Help"}},
        {K::Label, "Ask_HLP_1", {1526, true}, Numbers, {.tooltip = "1526"}},
        {K::Label, "TESSEL_HLP", {1526, true}, Numbers, {.tooltip = "1526"}},
        {K::Label, "Label_HLP", {1526, true}, Numbers, {.caption = " 1526"}},
        // Buttons: the column-delete button keeps "X"; only a bare 1230 sets it.
        {K::CommandButton, "DeleteColumn", {1230, true}, Local, {.tooltip = "L1230"}},
        {K::CommandButton, "DeleteColumn", {1230, true}, English, {.tooltip = "Delete Current Column"}},
        {K::CommandButton, "DeleteColumn", {1230, true}, Numbers, {.tooltip = "1230"}},
        {K::CommandButton, "DeleteColumn", {1230}, Local, {.caption = "X"}},
        {K::CommandButton, "DeleteColumn", {1230}, English, {.caption = "Delete Current Column"}},
        {K::CommandButton, "Create", {1223}, Local, {.caption = "L1223"}},
        {K::CommandButton, "Create", {1223}, Numbers, {.caption = "1223"}},
        {K::CommandButton, "Spare", {}, Numbers, {}},
        // Check boxes show their whole tag in the numbers walk, the mark too.
        {K::CheckBox, "chk_Impedance", {1525, true}, Local, {.tooltip = "L1525"}},
        {K::CheckBox, "chk_Impedance", {1525, true}, Numbers, {.caption = "1525T", .tooltip = "1525"}},
        {K::CheckBox, "chk_Impedance", {1239}, Numbers, {.caption = "1239"}},
        {K::CheckBox, "TUR_Check_Off", {228}, English, {.caption = "&TUR Checking On"}},
        // Frames: untouched by the English walk; the local walk lets the window repaint.
        {K::Frame, "Spec_Frame", {1273}, Local, {.caption = "L1273", .letEventsRun = true}},
        {K::Frame, "Spec_Frame", {1273}, English, {}},
        {K::Frame, "Spec_Frame", {1273}, Numbers, {.caption = "1273"}},
        // Panes follow the English walk too.
        {K::Pane, "dock_Preview", {2650}, Local, {.caption = "L2650"}},
        {K::Pane, "dock_Preview", {2650}, English, {.caption = "Procedure Preview"}},
        {K::Pane, "dock_Preview", {2650}, Numbers, {.caption = "2650"}},
        // A picture shows only a tooltip, its number in the numbers walk.
        {K::PictureBox, "Picture5", {1570, true}, English, {.tooltip = "Click Me"}},
        {K::PictureBox, "Picture5", {1570, true}, Numbers, {.tooltip = "1570"}},
        {K::PictureBox, "Spare", {}, Numbers, {}},
        // Text boxes get their text from the tag; the numbers walk leaves them.
        {K::TextBox, "Comments", {1080}, Local, {.caption = "L1080"}},
        {K::TextBox, "Comments", {1080}, English, {.caption = "Comments..."}},
        {K::TextBox, "Comments", {1080}, Numbers, {}},
        {K::OptionButton, "Proc_Tol_1", {1275}, English, {.caption = "± Units"}},
        {K::OptionButton, "Proc_Tol_1", {1275}, Numbers, {.caption = "1275"}},
        {K::OptionButton, "Spare", {}, Numbers, {.caption = ""}},
    };
    for (const WalkCase& c : cases)
        EXPECT_EQ(walkControl(c.walk, c.kind, c.name, c.tag, {}, walkTexts(c.walk, local)), c.expected)
            << c.name << " " << c.tag.text() << " walk " << static_cast<int>(c.walk);

    // Kinds without a rule of their own take a numeric tooltip for a text number.
    EXPECT_EQ(walkControl(Local, K::OptionButton, "Proc_Tol_0", {1274}, "1526", local),
        (TextChange{.caption = "L1274", .tooltip = "L1526"}));
    EXPECT_EQ(walkControl(Local, K::TextBox, "Units", {}, "PSI", local), TextChange{});
}

TEST(TextWalks, TagsMenusTabsAndTheConnectionCaption)
{
    const MarkedLocalTexts local;
    EXPECT_EQ((TextTag{1526, true}).text(), "1526T");
    EXPECT_EQ((TextTag{1223}).text(), "1223");
    EXPECT_EQ(TextTag{}.text(), "");

    EXPECT_EQ(walkMenuEntry(TextWalk::Numbers, 1234, "Always On-Top", local), "1234 (Always On-Top)");
    EXPECT_EQ(
        walkMenuEntry(TextWalk::English, 1225, "L1225", walkTexts(TextWalk::English, local)), "Display &English Text");
    EXPECT_EQ(walkTab(TextWalk::Local, 101, local), "L101");
    EXPECT_EQ(walkTab(TextWalk::Numbers, 101, local), "101");
    EXPECT_EQ(walkTab(TextWalk::Local, 0, local), std::nullopt);
    EXPECT_EQ(walkTab(TextWalk::Numbers, 0, local), "");

    // The English walk still takes the local text for the grid header.
    EXPECT_EQ(connectionCaption(TextWalk::English, local), "L1260");
    EXPECT_EQ(connectionCaption(TextWalk::Numbers, local), "1260");
    EXPECT_EQ(walkLabelCaption(TextWalk::Numbers, 1246, local), " 1246");
}

TEST(LocalizationMenu, StartUpHidesOrOffersTheEntries)
{
    const MenuStep plain = startUpMenu(false, false);
    EXPECT_FALSE(plain.menu.shown);
    EXPECT_EQ(plain.walk, TextWalk::Local) << "walked with local texts even when hidden";
    EXPECT_TRUE(plain.menu.englishChecked && !plain.menu.localChecked);
    EXPECT_FALSE(plain.menu.languagesEnabled || plain.menu.clearEnabled);

    const MenuStep translated = startUpMenu(true, true);
    EXPECT_TRUE(translated.menu.shown && translated.menu.localChecked && !translated.menu.englishChecked);
    EXPECT_TRUE(translated.menu.languagesEnabled && translated.menu.clearEnabled);
}

TEST(LocalizationMenu, HandlersInSequence)
{
    LocalizationMenu menu = startUpMenu(true, true).menu;

    MenuStep step = useEnglishClicked(menu, 0);
    EXPECT_EQ(step.walk, TextWalk::English);
    EXPECT_FALSE(step.rebuildTexts);
    EXPECT_TRUE(step.menu.englishChecked && !step.menu.localChecked);

    // Numbers mode locks the language entries and the clear entry...
    step = displayNumbersClicked(step.menu, true);
    EXPECT_EQ(step.walk, TextWalk::Numbers);
    EXPECT_TRUE(step.menu.numbersChecked);
    EXPECT_FALSE(step.menu.languagesEnabled || step.menu.clearEnabled);
    // ...a save meanwhile keeps the numbers on show and the entries locked...
    const MenuStep saved = localizationSaved(step.menu);
    EXPECT_EQ(saved.walk, std::nullopt);
    EXPECT_EQ(saved.menu, step.menu);
    // ...and leaving it shows local texts while a file exists, English otherwise.
    step = displayNumbersClicked(saved.menu, true);
    EXPECT_EQ(step.walk, TextWalk::Local);
    EXPECT_TRUE(step.restoreOwnCaptions && step.menu.localChecked && step.menu.languagesEnabled &&
        step.menu.clearEnabled && !step.menu.numbersChecked);
    const MenuStep withoutFile = displayNumbersClicked(displayNumbersClicked(step.menu, false).menu, false);
    EXPECT_EQ(withoutFile.walk, TextWalk::English);
    EXPECT_TRUE(withoutFile.menu.englishChecked && !withoutFile.menu.languagesEnabled);

    step = useEnglishClicked(step.menu, 1);
    EXPECT_TRUE(step.rebuildTexts);
    EXPECT_EQ(step.walk, TextWalk::Local);

    step = localizationCleared(step.menu);
    EXPECT_EQ(step.walk, TextWalk::Local);
    EXPECT_TRUE(step.menu.englishChecked && !step.menu.languagesEnabled && !step.menu.clearEnabled);
    EXPECT_EQ(editorClosed(step.menu, false), step.menu);

    step = localizationSaved(step.menu);
    EXPECT_EQ(step.walk, TextWalk::Local);
    EXPECT_TRUE(step.menu.languagesEnabled && step.menu.clearEnabled && step.menu.englishChecked);
    const LocalizationMenu closed = editorClosed(step.menu, true);
    EXPECT_TRUE(closed.localChecked && !closed.englishChecked);
}

} // namespace
} // namespace kestrel
