#pragma once
// What the About box shows: what the program is, and its version together
// with the language settings in force, so that a user reporting a problem
// can give both in one line.
#include "core/base/locale_values.h"

#include <string>

namespace kestrel {

class TextLookup;

struct ProgramVersion {
    int major = 0;
    int minor = 0;
    int patch = 0;
};

// The version this build carries: the project() line of the top CMakeLists.txt.
ProgramVersion programVersion();

struct AboutBoxTexts {
    std::string description; // Description_Label: "Procedure Development Software"
    std::string version;     // Version: "Version" CR LF "7.0.12-1031-1031"
    std::string okCaption;   // cmdOK: "&OK"
};

// The version line names the user's default locale and language, not a
// locale given on the command line: they are what the machine is set to.
AboutBoxTexts aboutBoxTexts(
    const TextLookup& texts, const LocaleValues& locale, const ProgramVersion& version = programVersion());

} // namespace kestrel
