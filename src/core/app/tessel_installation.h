#pragma once
// What Kestrel reads from the Tessel installation beside it: the picture,
// help and accuracy-file folders from tessel.ini [startup], and whether
// Tessel's instrument configuration names the 7625 or 3711 amplifier.
// Kestrel never writes to the installation.
#include <cstdint>
#include <filesystem>
#include <string>

namespace kestrel {

class MessageSink;
class TextLookup;

inline constexpr std::string_view kTesselSection = "startup";
// tessel.ini values are read through a 255-character buffer.
inline constexpr std::size_t kTesselBufferLength = 255;

struct TesselInstallation {
    std::string picDir, helpDir, accDir; // each with a trailing separator, or empty
    bool has7625 = false, has3711 = false;
    // The instrument configuration tessel.ini names, as checkForBoost
    // opened it (empty when none is named): a run record names it.
    std::filesystem::path instrumentConfig;
};

// Get_Tessel_Directory: sets the three folders, or reports
// "Error:" + " Get Tessel directory " + why and leaves them empty when
// tessel.ini is missing or its accdir does not name at least two path
// components.
bool getTesselDirectory(const std::filesystem::path& tesselIni, TesselInstallation& installation, MessageSink& sink,
    const TextLookup& texts);

// How much of Tessel's instrument configuration the amplifier check reads:
// it runs at every start, and a configuration is some hundred kilobytes,
// so 16 MiB leaves room while a runaway file of gigabytes costs a moment,
// not minutes.
inline constexpr std::uintmax_t kAmplifierCheckLimit = 16u << 20;

// Check_for_Boost: reads the file named by [startup] config and sets the
// flags when "7625" or "3711" occurs in its first kAmplifierCheckLimit
// bytes (a comment counts); it stops reading once both are found. A
// configuration that is named but missing, not a regular file or unreadable
// leaves the flags as they were and is reported to the sink, naming the
// file: the procedures are then written without amplifiers, which the user
// should know. A tessel.ini that cannot be read was reported already, and
// one that names no configuration has no amplifiers to find.
void checkForBoost(const std::filesystem::path& tesselIni, TesselInstallation& installation, MessageSink& sink,
    const TextLookup& texts);

// A folder value as Kestrel keeps it: the separator the value itself uses
// ("/" when it contains one, else "\") appended unless it already ends in
// one; an empty value stays empty.
std::string folderWithSeparator(std::string_view value);

} // namespace kestrel
