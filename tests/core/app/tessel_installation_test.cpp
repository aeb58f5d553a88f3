#include "core/app/tessel_installation.h"

#include "core/app/test_scratch_dir.h"
#include "core/i18n/text_lookup.h"
#include "support/recording_sink.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kestrel {
namespace {

using test::RecordingSink;
using test::ScratchDir;

const std::string kMessageStart = "Error: Get Tessel directory ";

TEST(TesselInstallation, ReadsTheFoldersWithTrailingSeparatorAndCase)
{
    ScratchDir dir;
    const auto ini = dir.write("tessel.ini", "[Startup]\nAccDir=/opt/Tessel/Acc\npicdir = /opt/Tessel/Pics/ \n"
                                             "helpdir=C:\\Tessel\\Help\n");
    RecordingSink sink;
    const TesselInstallation t = readTesselInstallation(ini, sink, EnglishLookup());
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(t.accDir, "/opt/Tessel/Acc/");
    EXPECT_EQ(t.picDir, "/opt/Tessel/Pics/") << "an existing separator is not doubled";
    EXPECT_EQ(t.helpDir, "C:\\Tessel\\Help\\");
    EXPECT_FALSE(t.has7625);
    EXPECT_FALSE(t.has3711);
}

TEST(TesselInstallation, FolderSeparatorFollowsTheValue)
{
    EXPECT_EQ(folderWithSeparator("C:\\tessel\\pics"), "C:\\tessel\\pics\\");
    EXPECT_EQ(folderWithSeparator("/srv/tessel"), "/srv/tessel/");
    EXPECT_EQ(folderWithSeparator("C:/tessel"), "C:/tessel/");
    EXPECT_EQ(folderWithSeparator("pics"), "pics\\");
    EXPECT_EQ(folderWithSeparator(""), "");
}

TEST(TesselInstallation, AccdirNeedsTwoComponents)
{
    ScratchDir dir;
    for (const std::string& body : {std::string("[startup]\naccdir=acc\npicdir=/p\nhelpdir=/h\n"),
                                    std::string("[startup]\npicdir=/p\nhelpdir=/h\n"),
                                    std::string("[other]\naccdir=/a/b\n"), std::string()}) {
        const auto ini = dir.write("tessel.ini", body);
        RecordingSink sink;
        const TesselInstallation t = readTesselInstallation(ini, sink, EnglishLookup());
        ASSERT_EQ(sink.messages.size(), 1u) << body;
        EXPECT_EQ(sink.messages[0].rfind(kMessageStart + "accdir in [startup]", 0), 0u) << sink.messages[0];
        EXPECT_EQ(t.accDir, "");
        EXPECT_EQ(t.picDir, "") << "nothing is set once the check fails";
        EXPECT_EQ(t.helpDir, "");
    }
}

TEST(TesselInstallation, MissingFileIsReportedOnce)
{
    ScratchDir dir;
    RecordingSink sink;
    const TesselInstallation t = readTesselInstallation(dir / "tessel.ini", sink, EnglishLookup());
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].rfind(kMessageStart, 0), 0u);
    EXPECT_NE(sink.messages[0].find("tessel.ini"), std::string::npos);
    EXPECT_EQ(t.accDir, "");
    EXPECT_FALSE(t.has7625);
}

TEST(TesselInstallation, BoostFlagsFromTheInstrumentConfiguration)
{
    struct Case {
        std::string config;
        bool has7625, has3711;
    };
    ScratchDir dir;
    // The amplifier numbers count wherever they stand, comments included.
    for (const Case& c : {Case{"7600 calibrator\n; 7625 amplifier\n", true, false},
                          Case{"3302\n3711A\n", false, true}, Case{"x37117625y", true, true},
                          Case{"7600\n3300\n", false, false}, Case{"", false, false},
                          Case{std::string(70000, 'x') + "76" + "25", true, false}}) {
        dir.write("instruments.cfg", c.config);
        const auto ini = dir.write("tessel.ini", "[startup]\naccdir=/a/b\nconfig=  " + (dir / "instruments.cfg").string() + "  \n");
        RecordingSink sink;
        const TesselInstallation t = readTesselInstallation(ini, sink, EnglishLookup());
        EXPECT_EQ(t.has7625, c.has7625) << c.config.substr(0, 40);
        EXPECT_EQ(t.has3711, c.has3711) << c.config.substr(0, 40);
    }
}

TEST(TesselInstallation, NumberSplitAcrossReadChunksIsFound)
{
    ScratchDir dir;
    for (std::size_t pad = 65530; pad <= 65536; ++pad) {
        dir.write("instruments.cfg", std::string(pad, ' ') + "3711");
        const auto ini = dir.write("tessel.ini", "[startup]\nconfig=instruments.cfg\n");
        TesselInstallation t;
        checkForBoost(ini, t);
        EXPECT_TRUE(t.has3711) << pad << " (a relative path is taken from tessel.ini's folder)";
    }
}

TEST(TesselInstallation, BoostFailuresAreIgnored)
{
    ScratchDir dir;
    std::filesystem::create_directories(dir / "folder.cfg");
    for (const std::string& body : {std::string("[startup]\nconfig=/no/such/file.cfg\n"), std::string("[startup]\n"),
                                    std::string("[startup]\nconfig=folder.cfg\n")}) {
        const auto ini = dir.write("tessel.ini", body);
        TesselInstallation t;
        t.has7625 = true; // flags are left as they were
        checkForBoost(ini, t);
        EXPECT_TRUE(t.has7625);
        EXPECT_FALSE(t.has3711);
    }
    TesselInstallation t;
    checkForBoost(dir / "absent.ini", t);
    EXPECT_FALSE(t.has7625);
}

TEST(DemoTesselInstallation, ServesEveryFileKestrelLooksFor)
{
    const std::filesystem::path demo = std::filesystem::path(KESTREL_SOURCE_DIR) / "data/demo-tessel";
    std::string ini = test::readFile(demo / "tessel.ini.in");
    ASSERT_FALSE(ini.empty());
    ini = replaceAll(ini, "@TESSEL_DIR@", demo.string());
    ScratchDir dir;
    RecordingSink sink;
    const TesselInstallation t = readTesselInstallation(dir.write("tessel.ini", ini), sink, EnglishLookup());
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_FALSE(t.has7625) << "the demo procedure is the plain one";
    EXPECT_FALSE(t.has3711);
    ASSERT_FALSE(t.helpDir.empty());
    for (const char* fsc : {"3300", "3302", "3304", "3306", "3400", "3402", "3406", "7300", "7320", "7600", "7620",
                            "6400", "8240", "8600"}) {
        EXPECT_TRUE(std::filesystem::is_regular_file(t.helpDir + fsc + ".hlp")) << fsc;
        EXPECT_TRUE(std::filesystem::is_regular_file(t.accDir + fsc + ".acc")) << fsc;
    }
    for (const char* name : {"ask.hlp", "vset.hlp", "tessel.hlp", "confedit.hlp", "m730.hlp", "m7320.hlp",
                             "m8240.hlp", "m8600.hlp"})
        EXPECT_TRUE(std::filesystem::is_regular_file(t.helpDir + name)) << name;
    std::size_t pictures = 0;
    for (const auto& entry : std::filesystem::directory_iterator(t.picDir)) {
        const std::string bytes = test::readFile(entry.path());
        EXPECT_EQ(bytes.substr(0, 2), "BM") << entry.path();
        ++pictures;
    }
    EXPECT_GE(pictures, 3u);
}

} // namespace
} // namespace kestrel
