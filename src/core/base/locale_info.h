#pragma once
// Windows locale identifiers with the locale values Kestrel uses: the
// decimal and thousands separators (locale information items 14 and 15) and
// the abbreviated month names of the medium date. The user's default locale
// comes from the POSIX environment, translated to its Windows identifier.
#include "core/base/locale_values.h"

#include <array>
#include <string>
#include <string_view>

namespace kestrel {

struct LocaleInfo {
    int lcid;
    std::string_view decimalSeparator, thousandSeparator;
    std::array<std::string_view, 12> monthAbbreviations;
};

// The table entry of an identifier, nullptr when the table has none.
const LocaleInfo* findLocale(int lcid);

// The Windows identifier of a POSIX locale name ("de_DE.UTF-8" -> 1031,
// "de" -> 1031, "de_CH" -> 2055); 1033 for "C", "POSIX", empty or unknown.
int lcidFromLocaleName(std::string_view name);

// The user's default locale: the first set of LC_ALL, LC_NUMERIC, LANG.
int userDefaultLcidFromEnvironment();
// The user's default language, which names the localization file: the first
// set of LC_ALL, LC_MESSAGES, LANG.
int userDefaultLanguageFromEnvironment();

// Start-up's locale values from the user's default locale and language and
// the command line:
// - the active locale is the low 16 bits (sign-extended) of the default
//   locale, unless the command line, split at "/", gives exactly two parts
//   and the second, in lower case, contains "lcid": then the number after
//   the first "=" of that part;
// - character set 134 for 2052, else 1;
// - separators of the active locale;
// - localized mode when the language is not 1033 or the command line in
//   lower case contains "-l".
LocaleValues computeLocaleValues(int userDefaultLcid, int userDefaultLanguage, std::string_view commandLine);

// The medium date "dd-MMM-yy" with the locale's month abbreviation
// ("05-Dec-26" in English). Unknown locales use English month names.
std::string formatMediumDate(int year, int month, int day, int lcid);

} // namespace kestrel
