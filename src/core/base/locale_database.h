#pragma once
// The platform's locale database, asked by Windows locale identifier: ICU
// on Linux and other POSIX systems, the system's own locale functions on
// Windows. Every answer comes from the database when it is asked for;
// nothing is tabled or cached, so start-up pays only for what it asks.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

// Locale information items, numbered as the Windows locale functions
// number them.
enum class LocaleItem { DecimalSeparator = 14, ThousandSeparator = 15 };

// Identifiers that name no locale of their own but a default one.
inline constexpr int kUserDefaultLcid = 1024;
inline constexpr int kSystemDefaultLcid = 2048;
inline constexpr int kUsEnglishLcid = 1033;

// Why the database gave no text: the platform's error number and its
// description.
struct LocaleLookupFailure {
    unsigned long number = 0;
    std::string description;
};

struct LocaleLookup {
    std::string text; // UTF-8
    std::optional<LocaleLookupFailure> failure;
};

// The text of an item for a locale; the two default identifiers stand for
// the user's and the system's default locale.
LocaleLookup lookUpLocaleItem(int lcid, LocaleItem item);

// The abbreviated month names (January first, UTF-8) a date of that locale
// is written with, or nothing when the database does not know the locale or
// has no month names of its own for it.
std::optional<std::array<std::string, 12>> lookUpMonthAbbreviations(int lcid);

// The user's default locale and language, as Windows identifiers. On
// Windows the system's own settings; elsewhere the POSIX environment: the
// first set of LC_ALL, LC_NUMERIC, LANG for the locale and of LC_ALL,
// LC_MESSAGES, LANG for the language, US English when none is set or the
// database does not know the name.
int platformUserDefaultLcid();
int platformUserDefaultLanguage();

#ifndef _WIN32
// The Windows identifier of a POSIX locale name ("de_DE.UTF-8" -> 1031,
// "de" -> 1031, "de_CH" -> 2055, "sr_RS@latin" -> 9242); 1033 for "C",
// "POSIX", an empty name or one the database does not know.
int lcidFromLocaleName(std::string_view name);
#endif

} // namespace kestrel
