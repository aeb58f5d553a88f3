#include "core/base/profile_file.h"

#include "core/base/config_dir.h"
#include "support/native.h"
#include "support/recording_sink.h"
#include "support/test_scratch_dir.h"
#include "support/unprivileged.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace kestrel {
namespace {

using test::ScratchDir;

TEST(ProfileFile, ReadsIgnoringCaseAndBlanksFirstMatchWins)
{
    ScratchDir dir;
    const ProfileFile ini(dir.write("a.ini",
        "key=outside\n  [ KeStReL ]  \r\n\tmaxdim  =  12.5  \r\n; Revision=9\r\n"
        "quoted=\"  spaced  \"\r\nkey=first\nkey=second\n[kestrel]\nother=x\n"));
    EXPECT_EQ(ini.readString(" kestrel ", " MAXDIM ", "", 50), "12.5");
    EXPECT_EQ(ini.readString("Kestrel", "Revision", "1.0", 50), "1.0") << "a comment line is no key";
    EXPECT_EQ(ini.readString("Kestrel", "quoted", "", 50), "  spaced  ");
    EXPECT_EQ(ini.readString("Kestrel", "key", "", 50), "first");
    EXPECT_EQ(ini.readString("Kestrel", "other", "none", 50), "none") << "only the first section counts";
}

TEST(ProfileFile, BufferLengthCutsValuesAndDefaults)
{
    ScratchDir dir;
    const std::string longValue(300, 'x'), accents = std::string(48, 'x') + "\xC3\xA9\xC3\xA9";
    const ProfileFile ini(dir.write("a.ini", "[s]\nlong=" + longValue + "\naccents=" + accents + "\n"));
    EXPECT_EQ(ini.readString("s", "long", "", 50), std::string(49, 'x'));
    EXPECT_EQ(ini.readString("s", "long", "", 255), std::string(254, 'x'));
    EXPECT_EQ(ini.readString("s", "missing", longValue, 50), std::string(49, 'x'));
    EXPECT_EQ(ini.readString("s", "long", "", 0), "");
    EXPECT_EQ(ini.readString("s", "accents", "", 50), accents.substr(0, 50)) << "a cut never splits a character";
}

TEST(ProfileFile, WriteReplacesOrAddsAndKeepsEverythingElse)
{
    ScratchDir dir;
    ASSERT_TRUE(ProfileFile(dir / "new/folder/k.ini").writeString("Kestrel", "MaxDim", "50.0"));
    EXPECT_EQ(test::readFile(dir / "new/folder/k.ini"), test::nativeLineEnds("[Kestrel]\nMaxDim=50.0\n"));
    ProfileFile ini(dir.write("a.ini", "; settings\n[One]\na=1\nB = 2\n\n[Two]\nc=3\n"));
    ASSERT_TRUE(ini.writeString("one", "b", "20"));
    ASSERT_TRUE(ini.writeString("One", "d", "4"));
    ASSERT_TRUE(ini.writeString("Three", "e", "5"));
    EXPECT_EQ(test::readFile(ini.path()), "; settings\n[One]\na=1\nb=20\nd=4\n\n[Two]\nc=3\n\n[Three]\ne=5\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2) << "no temporary file stays";
    // Line ends and byte order mark stay; a link stays a link to the file it names.
    const auto target = dir.write("b.ini", "\xEF\xBB\xBF[s]\r\nk=1\r\nlast=2");
#ifdef _WIN32
    // Links need privileges on Windows, and MinGW's library cannot make them: the file itself.
    const auto link = target;
#else
    const auto link = dir / "link.ini";
    std::filesystem::create_symlink(target, link);
#endif
    ASSERT_TRUE(ProfileFile(link).writeString("s", "k", "9"));
    EXPECT_EQ(test::readFile(target), "\xEF\xBB\xBF[s]\r\nk=9\r\nlast=2\r\n");
#ifndef _WIN32
    EXPECT_TRUE(std::filesystem::is_symlink(link));
#endif
    // A stray CR before the line end is a blank: the section read is the one rewritten.
    ProfileFile strayCr(dir.write("d.ini", "[kestrel\r\r"));
    ASSERT_TRUE(strayCr.writeString("Kestrel", "Revision", "2.5"));
    EXPECT_EQ(strayCr.readString("Kestrel", "Revision", "", 50), "2.5");
    EXPECT_EQ(test::readFile(strayCr.path()), "[kestrel\r\nRevision=2.5\n");
    // Empty and binary files read as empty and can be written.
    using namespace std::string_literals;
    for (const std::string& content : {""s, "\x89PNG\r\n\x1A\n\xFF\xFE\0\0[s]\0k=\0\x80"s, "\0\0[s]\0k=\0"s}) {
        ProfileFile binary(dir.write("c.ini", content));
        EXPECT_EQ(binary.readString("s", "k", "d", 50), "d");
        ASSERT_TRUE(binary.writeString("s", "k", "v"));
        EXPECT_EQ(binary.readString("s", "k", "d", 50), "v");
    }
}

TEST(ProfileFile, RefusedWritesKeepTheOldFile)
{
    ScratchDir dir;
    const std::string before = "[s]\nk=1\n";
    ProfileFile ini(dir.write("a.ini", before));
    test::RecordingSink sink;
    EXPECT_FALSE(ini.writeString("s", "k", "two\r\nlines", &sink));
    EXPECT_EQ(sink.messages, std::vector<std::string>{"the value of k contains a line break"});
    for (const auto& [section, key] : {std::pair{"s", "a=b"}, {"s]", "k"}, {"s", " "}})
        EXPECT_FALSE(ini.writeString(section, key, "x")) << section << key;
    EXPECT_EQ(test::readFile(ini.path()), before);

    // Too large to be a settings file (or unreadable): reads as empty, never rewritten.
    ProfileFile big(dir.write("big.ini", before + std::string(kMaxProfileFileSize, ';')));
    EXPECT_EQ(big.readString("s", "k", "default", 50), "default");
    EXPECT_FALSE(big.writeString("s", "k", "2"));
    EXPECT_EQ(std::filesystem::file_size(big.path()), before.size() + kMaxProfileFileSize);
    // A write the disk or the folder refuses: atomic_file_test.
}

// Several keys go in with one replacement, in the order given; one refused
// key or value leaves the file as it was.
TEST(ProfileFile, WriteStringsSetsAllKeysOrNone)
{
    ScratchDir dir;
    const std::string before = "[Kestrel]\r\nb=old\r\n[Other]\r\nx=1\r\n";
    ProfileFile ini(dir.write("k.ini", before));
    using Entry = std::pair<std::string_view, std::string_view>;
    const Entry refused[] = {{"a", "1"}, {"b", "2"}, {"c", "three\nlines"}};
    EXPECT_FALSE(ini.writeStrings("Kestrel", refused));
    EXPECT_EQ(ini.lastError(), "the value of c contains a line break");
    EXPECT_EQ(test::readFile(ini.path()), before);
    const Entry entries[] = {{"a", "1"}, {" B ", "2"}, {"c", "3"}};
    ASSERT_TRUE(ini.writeStrings("Kestrel", entries)) << ini.lastError();
    EXPECT_EQ(test::readFile(ini.path()), "[Kestrel]\r\nB=2\r\na=1\r\nc=3\r\n[Other]\r\nx=1\r\n");
}

// Why a file cannot serve as a settings file, for the messages that name it.
TEST(ProfileFile, ProblemSaysWhatIsWrongWithTheFile)
{
    ScratchDir dir;
    using namespace std::string_literals;
    std::filesystem::create_directories(dir / "folder.ini");
#ifndef _WIN32
    ASSERT_EQ(::mkfifo((dir / "fifo.ini").c_str(), 0600), 0);
    EXPECT_EQ(ProfileFile(dir / "fifo.ini").problem(),
        (dir / "fifo.ini").string() + " is not a regular file (a device, a pipe or a socket)");
#endif
    dir.write("utf16.ini", "\xFF\xFE[\0s\0]\0"s);
    dir.write("binary.ini", "[s]\0k=1"s);
    dir.write("big.ini", std::string(kMaxProfileFileSize + 1, ';'));
    for (const auto& [name, problem] : {std::pair{"absent.ini", ""}, {"folder.ini", " is a folder, not a file"},
             {"utf16.ini", " is UTF-16 text; settings files are read as UTF-8 or ANSI text"},
             {"binary.ini", " holds NUL bytes: it is not a text file"},
             {"big.ini", " is larger than 8 MiB, too large for a settings file"}})
        EXPECT_EQ(ProfileFile(dir / name).problem(), *problem ? (dir / name).string() + problem : "") << name;
    EXPECT_EQ(ProfileFile(dir.write("good.ini", "[s]\nk=1\n")).problem(), "");
#ifndef _WIN32
    dir.write("unreadable.ini", "[s]\n");
    test::runUnprivileged(dir.path(), [&] {
        std::filesystem::permissions(dir / "unreadable.ini", std::filesystem::perms::none);
        EXPECT_EQ(ProfileFile(dir / "unreadable.ini").problem(),
            (dir / "unreadable.ini").string() + " cannot be opened: Permission denied");
    });
#endif
}

TEST(ConfigDirectory, KestrelVariableThenThePlatformsFolder)
{
    test::EnvGuard kestrel("KESTREL_CONFIG_DIR"), xdg("XDG_CONFIG_HOME"), home("HOME");
    kestrel.set("/srv/kestrel-settings");
    EXPECT_EQ(configDirectory(), std::filesystem::path("/srv/kestrel-settings"));
    kestrel.set("");
#ifdef _WIN32
    // The user's own folder, also for an administrator; Tessel's tessel.ini is found in the Windows
    // directory, and an older installation's Kestrel.INI there is offered once, while the user's
    // folder has none.
    test::EnvGuard windir("WINDIR"), appdata("APPDATA");
    ScratchDir windows;
    windir.set(windows.path().string());
    appdata.set("C:\\Users\\tech\\AppData\\Roaming");
    EXPECT_EQ(configDirectory(), std::filesystem::path("C:\\Users\\tech\\AppData\\Roaming\\Kestrel"));
    ScratchDir user;
    EXPECT_EQ(tesselIniIn(user.path(), {}), user / "tessel.ini") << "Tessel has none in the Windows directory either";
    windows.write("Tessel.ini", "[startup]\r\n");
    EXPECT_TRUE(std::filesystem::equivalent(tesselIniIn(user.path(), {}), windows / "Tessel.ini"));
    user.write("tessel.ini", "[startup]\r\n");
    EXPECT_TRUE(std::filesystem::equivalent(tesselIniIn(user.path(), {}), user / "tessel.ini"));
    EXPECT_EQ(olderSettingsFile(user.path()), std::filesystem::path());
    windows.write("KESTREL.INI", "[Kestrel]\r\nAuthorName=J\xFCrgen\r\n");
    EXPECT_TRUE(std::filesystem::equivalent(olderSettingsFile(user.path()), windows / "KESTREL.INI"));
    user.write("Kestrel.INI", "[Kestrel]\r\n");
    EXPECT_EQ(olderSettingsFile(user.path()), std::filesystem::path()) << "read once: the user's own file wins";
#else
    xdg.set("/xdg");
    home.set("/home/tech");
    EXPECT_EQ(configDirectory(), std::filesystem::path("/xdg/kestrel"));
    xdg.set("relative/config");
    EXPECT_EQ(configDirectory(), std::filesystem::path("/home/tech/.config/kestrel")) << "a relative XDG folder";
#endif

    // Both settings files are found by their bare names in any case, the exact name first (on Windows
    // the names of one file).
    ScratchDir dir;
    EXPECT_EQ(fileInFolder(dir.path(), kKestrelIniName), dir / "Kestrel.INI");
    dir.write("kestrel.ini", "[Kestrel]\n");
    dir.write("TESSEL.INI", "[startup]\n");
    EXPECT_TRUE(std::filesystem::equivalent(fileInFolder(dir.path(), kKestrelIniName), dir / "kestrel.ini"));
    EXPECT_TRUE(std::filesystem::equivalent(tesselIniIn(dir.path(), {}), dir / "TESSEL.INI"));
    dir.write("Kestrel.INI", "");
    EXPECT_TRUE(std::filesystem::equivalent(fileInFolder(dir.path(), kKestrelIniName), dir / "Kestrel.INI"));
}

// A new installation has no tessel.ini of its own: the demo installation
// that came with the program stands in, in either installed layout, and
// any real one comes first.
TEST(ConfigDirectory, TheDemoInstallationWhenNoTesselIsFound)
{
#ifdef _WIN32
    test::EnvGuard windir("WINDIR");
    ScratchDir windows;
    windir.set(windows.path().string());
#endif
    ScratchDir settings, windowsInstall, linuxInstall;
    EXPECT_EQ(tesselIniIn(settings.path(), windowsInstall.path()), settings / "tessel.ini") << "no demo either";
    windowsInstall.write("demo-tessel/tessel.ini", "[startup]\n");
    EXPECT_TRUE(std::filesystem::equivalent(
        tesselIniIn(settings.path(), windowsInstall.path()), windowsInstall / "demo-tessel" / "tessel.ini"));
    linuxInstall.write("share/kestrel/demo-tessel/tessel.ini", "[startup]\n");
    std::filesystem::create_directories(linuxInstall / "bin");
    EXPECT_TRUE(std::filesystem::equivalent(tesselIniIn(settings.path(), linuxInstall / "bin"),
        linuxInstall / "share" / "kestrel" / "demo-tessel" / "tessel.ini"));
    settings.write("tessel.ini", "[startup]\n");
    EXPECT_TRUE(
        std::filesystem::equivalent(tesselIniIn(settings.path(), windowsInstall.path()), settings / "tessel.ini"));
}

} // namespace
} // namespace kestrel
