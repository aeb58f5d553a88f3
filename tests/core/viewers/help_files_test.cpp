// Which file each help and accuracy opener names, the manual twin's help
// and the help viewer's pane titles.
#include "core/viewers/help_files.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(HelpFiles, ReferenceHelpTakesTheFscColumnOfTheCaretsLine)
{
    const struct {
        const char* line;
        std::optional<std::string> file;
    } cases[] = {
        {"  1.007  DISP         Set UUT mode to dcv", "DISP.hlp"},
        {"  2.001  7320    20.000V", "7320.hlp"},
        {"  1.001  ASK-                  P    X V", "ASK.hlp"},
        {"  1.002  ASK+           K", "ASK.hlp"},
        {"  5.001  Head   {DC Volts Test}", "Head.hlp"},
        // A blank FSC column, or a line too short to have one, is Tessel's own help.
        {"", "tessel.hlp"},
        {"REVISION:              1.0", "tessel.hlp"},
        {"  7.001", "tessel.hlp"},
        {"=============================================================================", "=======.hlp"},
        // A comment line names no file: the viewer keeps the one chosen before.
        {"# Procedure by Kestrel", std::nullopt},
        {"#", std::nullopt},
        // Characters, not bytes, place the column.
        {"\xC2\xB5\xC2\xB5 3.001  VSET", "VSET.hlp"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(referenceHelpFile(c.line), c.file) << c.line;
}

TEST(HelpFiles, LineHelpFallsBackToTheGeneralHelpNamingTheFsc)
{
    const std::vector<std::string> demo = {"7320.hlp", "ask.hlp", "Tessel.hlp"};
    const struct {
        const char* line;
        std::vector<std::string> files;
        const char* file;
        const char* missing;
    } cases[] = {
        {"  2.001  7320    20.000V", demo, "7320.hlp", ""},
        {"  1.001  ASK-                  P    X V", demo, "ask.hlp", ""},
        // The folder's spelling is what the list selects.
        {"", demo, "Tessel.hlp", ""},
        {"  1.007  DISP         Set UUT mode to dcv", demo, "Tessel.hlp", "DISP"},
        {"  1.007  DISP         Set UUT mode to dcv", {"7320.hlp"}, "", "DISP"},
        {"  1.007  DISP         Set UUT mode to dcv", {}, "", "DISP"},
        {"# a comment", demo, "", ""},
    };
    for (const auto& c : cases) {
        const LineHelp help = lineHelp(c.line, c.files);
        EXPECT_EQ(help.file, c.file) << c.line;
        EXPECT_EQ(help.missingFsc, c.missing) << c.line;
    }
}

TEST(HelpFiles, StandardsNameTheirFilesByTheirFirstFourCharacters)
{
    EXPECT_EQ(calibratorHelpFile("7320"), "7320.hlp");
    EXPECT_EQ(calibratorAccuracyFile("8240 - 5 Channel"), "8240.acc");
    EXPECT_EQ(calibratorAccuracyFile("640"), "640.acc");
}

TEST(HelpFiles, TwinHelpAndPaneTitles)
{
    const struct {
        const char* file;
        const char* twin;
        const char* title;
        const char* twinTitle;
    } cases[] = {
        {"vset.hlp", "mvset.hlp", "vset Help", "Mvset Help"},
        {"7300.hlp", "m730.hlp", "7300 Help", "M730 Help"},
        {"7320.hlp", "m7320.hlp", "7320 Help", "M7320 Help"},
        {"ASK.hlp", "mask.hlp", "ask Help", "Mask Help"},
        {"tessel", "mtessel", "tessel Help", "Mtessel Help"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(twinHelpFile(c.file), c.twin);
        EXPECT_EQ(helpPaneTitle(c.file, englishLookup()), c.title);
        EXPECT_EQ(twinPaneTitle(c.file, englishLookup()), c.twinTitle);
    }
    EXPECT_TRUE(opensOutsideViewer("confedit.hlp"));
    EXPECT_TRUE(opensOutsideViewer("ConfEdit.HLP"));
    EXPECT_FALSE(opensOutsideViewer("confedit.acc"));
}

} // namespace
} // namespace kestrel
