#pragma once
// The locale values Kestrel uses, from the platform's locale database: the
// decimal and thousands separators of a Windows locale identifier, the
// abbreviated month names of the medium date, and the start-up values that
// follow from the user's locale and the command line.
#include "core/base/locale_database.h"
#include "core/base/locale_values.h"

#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

class MessageSink;

// Get_Locale_Info: the text of an item for a locale, or for the system
// default locale when lcid is 0. When the database gives nothing, the
// platform's error number and description are shown ("87, The parameter is
// incorrect.") and the result is empty.
std::string getLocaleInfo(int lcid, LocaleItem item, MessageSink& sink);

// The switches of the program's command line that start-up reads.
struct StartUpSwitches {
    std::optional<int> lcid;        // the locale in force instead of the user's
    bool localizationMenus = false; // shown even under US English
};

// The command line as the program reads it: split at "/", when it gives
// exactly two parts and the second, in lower case, contains "lcid", the
// number after the first "=" of that part is the locale (the whole part is
// read without "=", which gives 0 unless it starts with a number; a number
// that does not fit 32 bits is ignored); "-l" anywhere, in any case, asks
// for the localization menus.
StartUpSwitches readStartUpSwitches(std::string_view commandLine);

// Start-up's locale values from the user's default locale and language and
// the switches:
// - the active locale is the low 16 bits (sign-extended) of the default
//   locale, unless the switches name one;
// - character set 134 for 2052, else 1;
// - the thousands, then the decimal separator of the active locale, each
//   through getLocaleInfo (so a locale the database does not know shows
//   its message twice and leaves both separators empty);
// - localized mode when the language is not 1033 or the menus are asked for.
LocaleValues computeLocaleValues(
    int userDefaultLcid, int userDefaultLanguage, const StartUpSwitches& switches, MessageSink& sink);

// The abbreviated name of a month (1 to 12) as the locale writes it in a
// date; the English one for locales the database has no month names for.
std::string monthAbbreviation(int month, int lcid);

// The medium date "dd-MMM-yy" with the locale's month abbreviation
// ("05-Dec-26" in English). Locales the database has no month names for
// use the English ones.
std::string formatMediumDate(int year, int month, int day, int lcid);

} // namespace kestrel
