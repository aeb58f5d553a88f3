#include "core/viewers/about_box.h"

#include "core/base/version.h"
#include "core/i18n/text_lookup.h"
#include "core/i18n/text_numbers.h"

namespace kestrel {

ProgramVersion programVersion() { return {kVersionMajor, kVersionMinor, kVersionPatch}; }

AboutBoxTexts aboutBoxTexts(const TextLookup& texts, const LocaleValues& locale, const ProgramVersion& version)
{
    AboutBoxTexts about;
    about.description = texts.gettext(kTextProgramDescription);
    about.version = texts.gettext(kTextVersion) + "\r\n" + std::to_string(version.major) + "." +
        std::to_string(version.minor) + "." + std::to_string(version.patch) + "-" +
        std::to_string(locale.userDefaultLcid) + "-" + std::to_string(locale.userDefaultLanguage);
    about.okCaption = texts.gettext(kTextOk);
    return about;
}

} // namespace kestrel
