#include "core/viewers/about_box.h"

#include "core/base/version.h"

namespace kestrel {

std::string aboutVersionLine(int major, int minor, int patch, int userDefaultLcid, int userDefaultLanguage)
{
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(patch) + "-" +
           std::to_string(userDefaultLcid) + "-" + std::to_string(userDefaultLanguage);
}

std::string aboutVersionCaption(const TextLookup& texts, int userDefaultLcid, int userDefaultLanguage)
{
    return texts.gettext(1266) + "\r\n" +
           aboutVersionLine(kVersionMajor, kVersionMinor, kVersionPatch, userDefaultLcid, userDefaultLanguage);
}

} // namespace kestrel
