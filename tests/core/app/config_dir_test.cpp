#include "core/app/config_dir.h"

#include "core/app/test_scratch_dir.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

using test::EnvGuard;
using test::ScratchDir;

class ConfigDirectory : public ::testing::Test {
protected:
    EnvGuard kestrel_{"KESTREL_CONFIG_DIR"};
    EnvGuard xdg_{"XDG_CONFIG_HOME"};
    EnvGuard home_{"HOME"};
};

TEST_F(ConfigDirectory, KestrelVariableWins)
{
    kestrel_.set("/srv/kestrel-settings");
    xdg_.set("/xdg");
    EXPECT_EQ(configDirectory(), std::filesystem::path("/srv/kestrel-settings"));
}

TEST_F(ConfigDirectory, FallsBackToXdgThenHome)
{
    kestrel_.set("");
    xdg_.set("/xdg");
    home_.set("/home/tech");
    EXPECT_EQ(configDirectory(), std::filesystem::path("/xdg/kestrel"));
    xdg_.set("relative/config");
    EXPECT_EQ(configDirectory(), std::filesystem::path("/home/tech/.config/kestrel"));
    xdg_.unset();
    EXPECT_EQ(configDirectory(), std::filesystem::path("/home/tech/.config/kestrel"));
}

TEST_F(ConfigDirectory, SettingsFilesAreFoundByBareNameInAnyCase)
{
    ScratchDir dir;
    kestrel_.set(dir.path().string());
    EXPECT_EQ(kestrelIniPath(), dir / "Kestrel.INI");
    dir.write("kestrel.ini", "[Kestrel]\n");
    dir.write("TESSEL.INI", "[startup]\n");
    EXPECT_EQ(kestrelIniPath(), dir / "kestrel.ini");
    EXPECT_EQ(tesselIniPath(), dir / "TESSEL.INI");
    dir.write("Kestrel.INI", "");
    EXPECT_EQ(kestrelIniPath(), dir / "Kestrel.INI") << "the exact name comes first";
    EXPECT_EQ(fileInFolder(dir / "missing-folder", "tessel.ini"), dir / "missing-folder/tessel.ini");
}

} // namespace
} // namespace kestrel
