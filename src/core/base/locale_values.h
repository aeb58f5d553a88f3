#pragma once
// The locale values computed once at start-up and read everywhere a number
// is typed, parsed or shown.
#include <string>

namespace kestrel {

struct LocaleValues {
    int activeLcid = 1033; // locale in force (command line may override)
    int activeCharSet = 1; // 134 for simplified Chinese (2052)
    std::string decimalSeparator = ".";
    std::string thousandSeparator = ",";
    bool localizedMode = false;     // localization menus shown
    int userDefaultLcid = 1033;     // the user's default locale, before any override
    int userDefaultLanguage = 1033; // names the localization file

    // The separator numbers are typed, read and shown with: the decimal
    // separator, or "." when the locale could not be read and left it
    // empty (turning "1.5" into "1" + "" + "5" would change every value).
    std::string numberSeparator() const { return decimalSeparator.empty() ? "." : decimalSeparator; }
};

} // namespace kestrel
