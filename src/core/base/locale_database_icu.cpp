// The locale database on POSIX systems: ICU, which knows the Windows locale
// identifiers and the conventions of every locale in its data.
#ifndef _WIN32

#include "core/base/icu_locale.h"
#include "core/base/locale_database.h"

#include "core/base/text_util.h"

#include <unicode/dcfmtsym.h>
#include <unicode/dtfmtsym.h>
#include <unicode/locid.h>
#include <unicode/uloc.h>

#include <cstdint>
#include <cstdlib>
#include <initializer_list>

namespace kestrel {
namespace {

// What the Windows locale functions answer for an identifier they do not
// know: error 87, ERROR_INVALID_PARAMETER. The same number and words here,
// so the message reads alike on every platform.
LocaleLookupFailure unknownLocale() { return {87, "The parameter is incorrect."}; }

// The first of the environment variables that is set and not empty.
std::string firstSet(std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        const char* value = std::getenv(name);
        if (value && *value)
            return value;
    }
    return {};
}

std::string utf8(const icu::UnicodeString& text)
{
    std::string out;
    text.toUTF8String(out);
    return out;
}

int lcidOfIcuId(const std::string& id) { return static_cast<int>(uloc_getLCID(id.c_str()) & 0xFFFFu); }

// Identifiers with sublanguage 0 (or the script neutrals 0x1E, 0x1F) name a
// language without a country: 7 is German, 1031 German (Germany).
bool namesCountry(int lcid)
{
    const int sublanguage = (lcid >> 10) & 0x3F;
    return sublanguage != 0 && sublanguage < 0x1E;
}

// The identifier of the country form of an ICU locale id with its likely
// script and country filled in ("sr_RS" is written in Cyrillic, "de" is
// German as spoken in Germany); 0 when that gives none.
int lcidOfLikelyCountry(const std::string& id)
{
    char full[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    uloc_addLikelySubtags(id.c_str(), full, sizeof full, &status);
    if (U_FAILURE(status) || status == U_STRING_NOT_TERMINATED_WARNING)
        return 0;
    const icu::Locale locale(full);
    const std::string language = locale.getLanguage(), script = locale.getScript(), country = locale.getCountry();
    for (const std::string& candidate : {language + "_" + script + "_" + country, language + "_" + country}) {
        const int lcid = lcidOfIcuId(candidate);
        if (namesCountry(lcid))
            return lcid;
    }
    return 0;
}

bool isAsciiLetters(std::string_view s)
{
    for (const char ch : s)
        if (!((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z')))
            return false;
    return true;
}

} // namespace

// The ICU locale of an identifier; nothing for an identifier ICU does not
// map, or maps only to its root locale (which has no conventions of its own).
std::optional<icu::Locale> icuLocaleOf(int lcid)
{
    // A POSIX process has one default locale, its environment's; the user's
    // and the system's default are both that one.
    if (lcid == kUserDefaultLcid || lcid == kSystemDefaultLcid)
        lcid = platformUserDefaultLcid();
    if (lcid <= 0)
        return std::nullopt;
    char name[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    const std::int32_t length = uloc_getLocaleForLCID(static_cast<std::uint32_t>(lcid), name, sizeof name, &status);
    if (U_FAILURE(status) || status == U_STRING_NOT_TERMINATED_WARNING || length <= 0 ||
        std::string_view(name) == "root")
        return std::nullopt;
    return icu::Locale(name);
}

LocaleLookup lookUpLocaleItem(int lcid, LocaleItem item)
{
    std::optional<icu::Locale> locale = icuLocaleOf(lcid);
    if (!locale)
        return {{}, unknownLocale()};
    // Kestrel's numbers are typed with the digits 0 to 9, so the separators
    // are those the locale writes with them, also where its own digits are
    // others (Arabic, for one, separates its own digits differently).
    UErrorCode status = U_ZERO_ERROR;
    locale->setKeywordValue("numbers", "latn", status);
    const icu::DecimalFormatSymbols symbols(*locale, status);
    if (U_FAILURE(status))
        return {{}, unknownLocale()};
    return {utf8(symbols.getConstSymbol(item == LocaleItem::DecimalSeparator
                    ? icu::DecimalFormatSymbols::kDecimalSeparatorSymbol
                    : icu::DecimalFormatSymbols::kGroupingSeparatorSymbol)),
        std::nullopt};
}

std::optional<std::array<std::string, 12>> lookUpMonthAbbreviations(int lcid)
{
    const std::optional<icu::Locale> locale = icuLocaleOf(lcid);
    if (!locale)
        return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    const icu::DateFormatSymbols symbols(*locale, status);
    // The root locale's stand-ins ("M01") are no month names.
    if (U_FAILURE(status) || status == U_USING_DEFAULT_WARNING)
        return std::nullopt;
    // The stand-alone forms: a month between two numbers is not part of a
    // phrase ("Mär", not the "März" of "5. März").
    std::int32_t count = 0;
    const icu::UnicodeString* months =
        symbols.getMonths(count, icu::DateFormatSymbols::STANDALONE, icu::DateFormatSymbols::ABBREVIATED);
    if (!months || count < 12)
        return std::nullopt;
    std::array<std::string, 12> names;
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = utf8(months[i]);
    return names;
}

int lcidFromLocaleName(std::string_view name)
{
    // "de_DE.UTF-8@euro": the codeset says nothing about the locale; of the
    // modifiers, those naming a script or a variant do.
    std::string_view modifier;
    if (const std::size_t at = name.find('@'); at != std::string_view::npos) {
        modifier = name.substr(at + 1);
        name = name.substr(0, at);
    }
    name = name.substr(0, name.find('.'));
    const std::size_t underscore = name.find('_');
    const std::string language = toLower(name.substr(0, underscore));
    const std::string country = underscore == std::string_view::npos ? "" : toUpper(name.substr(underscore + 1));
    if (language.size() < 2 || language.size() > 3 || !isAsciiLetters(language) || !isAsciiLetters(country) ||
        language == "posix")
        return kUsEnglishLcid;

    std::string id = language;
    if (modifier == "latin")
        id += "_Latn";
    else if (modifier == "cyrillic")
        id += "_Cyrl";
    else if (modifier == "devanagari")
        id += "_Deva";
    const std::string languageAndScript = id;
    if (!country.empty())
        id += "_" + country;
    if (modifier == "valencia")
        id += "_VALENCIA";

    const int exact = lcidOfIcuId(id);
    if (namesCountry(exact))
        return exact;
    // A language alone, or with a country the database has no identifier
    // for: the country it is most likely spoken in ("de_XX" reads as German).
    if (const int likely = lcidOfLikelyCountry(id))
        return likely;
    if (const int likely = lcidOfLikelyCountry(languageAndScript))
        return likely;
    return exact != 0 ? exact : kUsEnglishLcid;
}

int platformUserDefaultLcid() { return lcidFromLocaleName(firstSet({"LC_ALL", "LC_NUMERIC", "LANG"})); }

int platformUserDefaultLanguage() { return lcidFromLocaleName(firstSet({"LC_ALL", "LC_MESSAGES", "LANG"})); }

} // namespace kestrel

#endif // _WIN32
