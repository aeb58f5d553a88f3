#include "core/app/tessel_installation.h"

#include "core/i18n/text_lookup.h"
#include "support/native.h"
#include "support/recording_sink.h"
#include "support/test_scratch_dir.h"
#ifndef _WIN32
#include "support/unprivileged.h"
#endif

#include <gtest/gtest.h>

namespace kestrel {
namespace {

using test::RecordingSink;
using test::ScratchDir;

// What start-up reads: Tessel's folders, then the amplifier check.
TesselInstallation readInstallation(const std::filesystem::path& tesselIni, RecordingSink& sink)
{
    TesselInstallation installation;
    getTesselDirectory(tesselIni, installation, sink, EnglishLookup());
    checkForBoost(tesselIni, installation, sink, EnglishLookup());
    return installation;
}

TEST(TesselInstallation, ReadsTheFoldersWithTheirOwnSeparator)
{
    ScratchDir dir;
    RecordingSink sink;
    TesselInstallation t = readInstallation(
        dir.write(
            "tessel.ini", "[Startup]\nAccDir=/opt/Tessel/Acc\npicdir = /opt/Tessel/Pics/ \nhelpdir=C:\\Tessel\\Help\n"),
        sink);
    EXPECT_EQ(t.accDir + " " + t.picDir + " " + t.helpDir,
        test::nativeFolderCase("/opt/Tessel/Acc/ /opt/Tessel/Pics/ C:\\Tessel\\Help\\"));
    EXPECT_EQ(folderWithSeparator("pics"), "pics\\");
    EXPECT_EQ(folderWithSeparator(""), "");

    // The demo installation that comes with Kestrel serves every calibrator's help and accuracy file.
    const std::filesystem::path demo = std::filesystem::path(KESTREL_SOURCE_DIR) / "data/demo-tessel";
    const std::string demoIni = replaceAll(test::readFile(demo / "tessel.ini.in"), "@TESSEL_DIR@", demo.string());
    t = readInstallation(dir.write("tessel.ini", demoIni), sink);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_FALSE(t.has7625 || t.has3711) << "the demo procedure is the plain one";
    for (const std::string fsc : {"3300", "3302", "3304", "3306", "3400", "3402", "3406", "7300", "7320", "7600",
             "7620", "6400", "8240", "8600"})
        EXPECT_TRUE(std::filesystem::is_regular_file(t.helpDir + fsc + ".hlp") &&
            std::filesystem::is_regular_file(t.accDir + fsc + ".acc"))
            << fsc;
}

TEST(TesselInstallation, AccdirNeedsTwoComponents)
{
    ScratchDir dir;
    const auto failure = [&](const std::filesystem::path& ini) {
        RecordingSink sink;
        const TesselInstallation t = readInstallation(ini, sink);
        EXPECT_EQ(t.accDir + t.picDir + t.helpDir, "") << "nothing is set once the check fails";
        return sink.messages.size() == 1 ? sink.messages[0] : std::to_string(sink.messages.size()) + " messages";
    };
    EXPECT_EQ(failure(dir / "absent.ini"),
        "Error: Get Tessel directory Tessel's configuration file " + (dir / "absent.ini").string() + " was not found");
    const std::string bad = "Error: Get Tessel directory accdir in [startup] of " + (dir / "tessel.ini").string() +
        " must name Tessel's accuracy-file folder with at least two path components, not \"";
    EXPECT_EQ(failure(dir.write("tessel.ini", "[startup]\naccdir=acc\npicdir=/p\nhelpdir=/h\n")), bad + "acc\"");
    for (const char* body : {"[startup]\npicdir=/p\nhelpdir=/h\n", "[other]\naccdir=/a/b\n", ""})
        EXPECT_EQ(failure(dir.write("tessel.ini", body)), bad + "\"") << body;
}

// A tessel.ini that cannot be read says why, instead of blaming its accdir.
// (What is said for each kind of file: profile_file_test.)
TEST(TesselInstallation, AnUnreadableConfigurationSaysWhy)
{
    using namespace std::string_literals;
    ScratchDir dir;
    const auto message = [&](const std::string& name) {
        RecordingSink sink;
        readInstallation(dir / name, sink);
        return sink.messages.size() == 1 ? sink.messages[0] : std::to_string(sink.messages.size()) + " messages";
    };
    const auto expected = [&](const std::string& name, const std::string& problem) {
        return "Error: Get Tessel directory Tessel's configuration file " + (dir / name).string() + problem;
    };
    std::filesystem::create_directories(dir / "folder/tessel.ini");
    dir.write("utf16.ini", "\xFF\xFE[\0s\0t\0a\0r\0t\0u\0p\0]\0"s);
    EXPECT_EQ(message("folder/tessel.ini"), expected("folder/tessel.ini", " is a folder, not a file"));
    EXPECT_EQ(
        message("utf16.ini"), expected("utf16.ini", " is UTF-16 text; settings files are read as UTF-8 or ANSI text"));
}

TEST(TesselInstallation, CheckForBoost)
{
    ScratchDir dir;
    const auto boost = [&](const std::string& config, const std::string& iniBody, bool had7625 = false) {
        dir.write("instruments.cfg", config);
        TesselInstallation t;
        t.has7625 = had7625;
        RecordingSink sink;
        checkForBoost(dir.write("tessel.ini", "[startup]\n" + iniBody), t, sink, EnglishLookup());
        return std::string(t.has7625 ? "7625" : "") + (t.has3711 ? "3711" : "");
    };
    // The amplifier numbers count wherever they stand, comments included; a
    // relative path is taken from tessel.ini's folder.
    const std::string config = "config=  " + (dir / "instruments.cfg").string() + "  \n";
    EXPECT_EQ(boost("7600 calibrator\n; 7625 amplifier\n", config), "7625");
    EXPECT_EQ(boost("3302\n3711A\n", "config=instruments.cfg\n"), "3711");
    EXPECT_EQ(boost("x37117625y", config), "76253711");
    EXPECT_EQ(boost("7600\n3300\n", config), "");
    for (std::size_t pad = 65530; pad <= 65536; ++pad) // split across two read chunks
        EXPECT_EQ(boost(std::string(pad, ' ') + "7625", config), "7625") << pad;
    // Read only up to the limit: a number wholly inside it counts, one that
    // ends past it does not.
    const std::size_t limit = kAmplifierCheckLimit;
    EXPECT_EQ(boost(std::string(limit - 4, ' ') + "7625", config), "7625");
    EXPECT_EQ(boost(std::string(limit - 3, ' ') + "7625" + "3711", config), "");
    std::filesystem::create_directories(dir / "folder.cfg");
    for (const char* failing : {"config=/no/such/file.cfg\n", "", "config=folder.cfg\n"})
        EXPECT_EQ(boost("3711", failing, true), "7625") << "a failure leaves the flags: " << failing;
}

// A configuration that is named but cannot be read leaves the procedures
// without amplifiers, and the user is told which file it is; a tessel.ini
// that names none has nothing to report.
TEST(TesselInstallation, AnUnusableInstrumentConfigurationIsNamed)
{
    ScratchDir dir;
    const auto said = [&](const std::string& config) {
        RecordingSink sink;
        TesselInstallation t;
        checkForBoost(dir.write("tessel.ini", "[startup]\nconfig=" + config + "\n"), t, sink, EnglishLookup());
        EXPECT_FALSE(t.has7625 || t.has3711) << config;
        return sink.messages.size() == 1 ? sink.messages[0] : std::to_string(sink.messages.size()) + " messages";
    };
    const std::string without = "; procedures are written without the 7625 and 3711 amplifiers.";
    EXPECT_EQ(said("missing.cfg"),
        "Tessel's instrument configuration " + (dir / "missing.cfg").string() + " does not exist" + without);
    std::filesystem::create_directories(dir / "folder.cfg");
    EXPECT_EQ(said("folder.cfg"),
        "Tessel's instrument configuration " + (dir / "folder.cfg").string() + " is not a file" + without);
    dir.write("plain.cfg", "7600\n");
    EXPECT_EQ(said("plain.cfg"), "0 messages") << "a configuration without amplifiers is no problem";
    EXPECT_EQ(said(""), "0 messages");
#ifndef _WIN32
    EXPECT_EQ(said("/dev/null"), "Tessel's instrument configuration /dev/null is not a file" + without);
    std::filesystem::create_symlink(dir / "gone.cfg", dir / "link.cfg");
    EXPECT_EQ(said("link.cfg"),
        "Tessel's instrument configuration " + (dir / "link.cfg").string() + " does not exist" + without);
    const auto locked = dir.write("locked.cfg", "7625\n");
    test::runUnprivileged(dir.path(), [&] {
        std::filesystem::permissions(locked, std::filesystem::perms::none);
        EXPECT_EQ(said("locked.cfg"),
            "Tessel's instrument configuration " + locked.string() + " cannot be read (Permission denied)" + without);
    });
#endif
}

} // namespace
} // namespace kestrel
