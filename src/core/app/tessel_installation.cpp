#include "core/app/tessel_installation.h"

#include "core/base/message_sink.h"
#include "core/base/path_text.h"
#include "core/base/profile_file.h"
#include "core/base/text_util.h"
#include "core/base/user_text.h"
#include "core/i18n/text_lookup.h"
#include "core/i18n/text_numbers.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fstream>
#include <system_error>

namespace kestrel {
namespace {

std::string readValue(const ProfileFile& ini, std::string_view key)
{
    return ini.readString(kTesselSection, key, "", kTesselBufferLength);
}

// The folder as it is to be opened. Windows file systems ignore case, and
// there the folders are kept in lower case as Tessel's own tools show them;
// elsewhere the case is part of the name and lower-casing "/opt/Tessel/Help"
// would point at a folder that does not exist.
std::string folderCase(std::string value)
{
#ifdef _WIN32
    return toLower(value);
#else
    return value;
#endif
}

// True when the value splits at "\" or "/" into at least two parts, which
// name Tessel's base folder ("C:\Tessel\Acc", "/opt/tessel/acc").
bool hasTwoComponents(std::string_view value) { return value.find_first_of("\\/") != std::string_view::npos; }

bool containsInFile(std::ifstream& in, bool& has7625, bool& has3711)
{
    // Read in chunks, keeping the last three bytes of each so a number split
    // between two chunks is still found, up to the limit or both numbers.
    std::array<char, 65536> buffer{};
    std::string window;
    std::uintmax_t left = kAmplifierCheckLimit;
    while (in && left > 0 && !(has7625 && has3711)) {
        const std::size_t chunk = static_cast<std::size_t>(std::min<std::uintmax_t>(buffer.size(), left));
        in.read(buffer.data(), static_cast<std::streamsize>(chunk));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (got == 0)
            break;
        left -= got;
        window.append(buffer.data(), got);
        if (window.find("7625") != std::string::npos)
            has7625 = true;
        if (window.find("3711") != std::string::npos)
            has3711 = true;
        window.erase(0, window.size() > 3 ? window.size() - 3 : 0);
    }
    return !in.bad();
}

} // namespace

std::string folderWithSeparator(std::string_view value)
{
    if (value.empty())
        return {};
    std::string folder(value);
    if (folder.back() == '/' || folder.back() == '\\')
        return folder;
    folder += folder.find('/') != std::string::npos ? '/' : '\\';
    return folder;
}

bool getTesselDirectory(const std::filesystem::path& tesselIni, TesselInstallation& installation, MessageSink& sink,
    const TextLookup& texts)
{
    const auto fail = [&](const std::string& why) {
        sink.inform(errorReport(texts, " Get Tessel directory ", why));
        return false;
    };
    std::error_code ec;
    if (!std::filesystem::exists(tesselIni, ec))
        return fail("Tessel's configuration file " + utf8FromPath(tesselIni) + " was not found");
    // A folder, a huge or unreadable file or UTF-16 text reads as if every
    // key were missing: say so rather than blame the missing accdir.
    const ProfileFile ini(tesselIni);
    if (const std::string problem = ini.problem(); !problem.empty())
        return fail("Tessel's configuration file " + problem);
    const std::string accdir = readValue(ini, "accdir");
    if (!hasTwoComponents(accdir))
        return fail("accdir in [startup] of " + utf8FromPath(tesselIni) +
            " must name Tessel's accuracy-file folder with at least two path components, not \"" + accdir + "\"");
    installation.picDir = folderWithSeparator(folderCase(readValue(ini, "picdir")));
    installation.helpDir = folderWithSeparator(folderCase(readValue(ini, "helpdir")));
    installation.accDir = folderWithSeparator(folderCase(readValue(ini, "accdir")));
    return true;
}

void checkForBoost(const std::filesystem::path& tesselIni, TesselInstallation& installation, MessageSink& sink,
    const TextLookup& texts)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(tesselIni, ec))
        return;
    const std::string config =
        trim(ProfileFile(tesselIni).readString(kTesselSection, "config", "", kTesselBufferLength));
    if (config.empty())
        return;
    // A relative path is taken from tessel.ini's folder, the one place that
    // does not depend on where Kestrel happens to be started from.
    std::filesystem::path path = pathFromUtf8(config);
    // "\tessel\instruments.cfg" names a folder from the root of the
    // current drive, as Tessel itself opens it: only a path without a root
    // is relative.
    if (!path.has_root_directory())
        path = tesselIni.parent_path() / path;
    installation.instrumentConfig = path;
    const std::string shown = escapeForMessage(utf8FromPath(path));
    const auto warn = [&](int text, std::string_view why) {
        sink.inform(textWith(texts, text, {shown, why}), MessageIcon::Exclamation);
    };
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found)
        return warn(kTextConfigMissing, {});
    if (!std::filesystem::is_regular_file(status) && !ec)
        return warn(kTextConfigNotAFile, {});
    std::ifstream in(path, std::ios::binary);
    if (ec || !in)
        return warn(kTextConfigUnreadable, ec ? ec.message() : std::generic_category().message(errno ? errno : EACCES));
    bool has7625 = false, has3711 = false;
    if (!containsInFile(in, has7625, has3711))
        return warn(kTextConfigUnreadable, "a read error");
    installation.has7625 = installation.has7625 || has7625;
    installation.has3711 = installation.has3711 || has3711;
}

} // namespace kestrel
