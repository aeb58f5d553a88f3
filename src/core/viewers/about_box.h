#pragma once
// The About box's texts: what the program is and its version together with
// the language settings in force, so that a user reporting a problem can
// give both.
#include "core/i18n/text_lookup.h"

#include <string>

namespace kestrel {

// "1.0.0-1031-1031": the version, the user's default locale and the user's
// default language, all in decimal.
std::string aboutVersionLine(int major, int minor, int patch, int userDefaultLcid, int userDefaultLanguage);

// The `Version` label: text 1266 ("Version"), a line break (CR LF), and
// this program's version line.
std::string aboutVersionCaption(const TextLookup& texts, int userDefaultLcid, int userDefaultLanguage);

} // namespace kestrel
