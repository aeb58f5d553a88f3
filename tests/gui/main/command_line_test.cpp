// The window's command line: the switches go to start-up as one line, the
// file apart from them.
#include "gui/main/command_line.h"

#include <gtest/gtest.h>

namespace kestrel::test {
namespace {

TEST(CommandLine, SwitchesGoToStartUpAndTheFileIsKeptApart)
{
    const gui::CommandLine line = gui::parseCommandLine({"/lcid=1031", "-l", "/home/u/my-list.kestrel.json"});
    EXPECT_EQ(line.startUpLine, "/lcid=1031 -l");
    EXPECT_EQ(line.file, "/home/u/my-list.kestrel.json");
    EXPECT_EQ(gui::parseCommandLine({}).startUpLine, "");
}

} // namespace
} // namespace kestrel::test
