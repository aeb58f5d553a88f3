#include "core/base/locale_info.h"

#include "core/base/text_util.h"
#include "core/base/leading_number.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace kestrel {
namespace {

using Months = std::array<std::string_view, 12>;

constexpr Months kEnglish{"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr Months kGerman{"Jan", "Feb", "M\xC3\xA4r", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
constexpr Months kAustrian{"J\xC3\xA4n", "Feb", "M\xC3\xA4r", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
constexpr Months kFrench{"janv.", "f\xC3\xA9vr.", "mars", "avr.", "mai", "juin", "juil.", "ao\xC3\xBBt", "sept.", "oct.", "nov.", "d\xC3\xA9" "c."};
constexpr Months kItalian{"gen", "feb", "mar", "apr", "mag", "giu", "lug", "ago", "set", "ott", "nov", "dic"};
constexpr Months kSpanish{"ene", "feb", "mar", "abr", "may", "jun", "jul", "ago", "sep", "oct", "nov", "dic"};
constexpr Months kDutch{"jan", "feb", "mrt", "apr", "mei", "jun", "jul", "aug", "sep", "okt", "nov", "dec"};
constexpr Months kSwedish{"jan", "feb", "mar", "apr", "maj", "jun", "jul", "aug", "sep", "okt", "nov", "dec"};
constexpr Months kRussian{"\xD1\x8F\xD0\xBD\xD0\xB2", "\xD1\x84\xD0\xB5\xD0\xB2", "\xD0\xBC\xD0\xB0\xD1\x80", "\xD0\xB0\xD0\xBF\xD1\x80", "\xD0\xBC\xD0\xB0\xD0\xB9", "\xD0\xB8\xD1\x8E\xD0\xBD", "\xD0\xB8\xD1\x8E\xD0\xBB", "\xD0\xB0\xD0\xB2\xD0\xB3", "\xD1\x81\xD0\xB5\xD0\xBD", "\xD0\xBE\xD0\xBA\xD1\x82", "\xD0\xBD\xD0\xBE\xD1\x8F", "\xD0\xB4\xD0\xB5\xD0\xBA"};
constexpr Months kPortuguese{"jan", "fev", "mar", "abr", "mai", "jun", "jul", "ago", "set", "out", "nov", "dez"};
constexpr Months kChinese{"1\xE6\x9C\x88", "2\xE6\x9C\x88", "3\xE6\x9C\x88", "4\xE6\x9C\x88", "5\xE6\x9C\x88", "6\xE6\x9C\x88", "7\xE6\x9C\x88", "8\xE6\x9C\x88", "9\xE6\x9C\x88", "10\xE6\x9C\x88", "11\xE6\x9C\x88", "12\xE6\x9C\x88"};
constexpr Months kNumeric{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"};
constexpr Months kPolish{"sty", "lut", "mar", "kwi", "maj", "cze", "lip", "sie", "wrz", "pa\xC5\xBA", "lis", "gru"};
constexpr Months kDanish{"jan", "feb", "mar", "apr", "maj", "jun", "jul", "aug", "sep", "okt", "nov", "dec"};
constexpr Months kNorwegian{"jan", "feb", "mar", "apr", "mai", "jun", "jul", "aug", "sep", "okt", "nov", "des"};
constexpr Months kFinnish{"tammi", "helmi", "maalis", "huhti", "touko", "kes\xC3\xA4", "hein\xC3\xA4", "elo", "syys", "loka", "marras", "joulu"};
constexpr Months kCzech{"led", "\xC3\xBAno", "b\xC5\x99" "e", "dub", "kv\xC4\x9B", "\xC4\x8Dvn", "\xC4\x8Dvc", "srp", "z\xC3\xA1\xC5\x99", "\xC5\x99\xC3\xADj", "lis", "pro"};

constexpr std::string_view kNoBreakSpace = "\xC2\xA0";

// The separators and month names Windows reports for each locale.
constexpr std::array<LocaleInfo, 35> kLocales{{
    {1033, ".", ",", kEnglish},       // English, United States
    {2057, ".", ",", kEnglish},       // English, United Kingdom
    {3081, ".", ",", kEnglish},       // English, Australia
    {4105, ".", ",", kEnglish},       // English, Canada
    {5129, ".", ",", kEnglish},       // English, New Zealand
    {6153, ".", ",", kEnglish},       // English, Ireland
    {1031, ",", ".", kGerman},        // German, Germany
    {3079, ",", ".", kAustrian},      // German, Austria
    {2055, ".", "'", kGerman},        // German, Switzerland
    {1036, ",", kNoBreakSpace, kFrench}, // French, France
    {2060, ",", ".", kFrench},        // French, Belgium
    {3084, ",", kNoBreakSpace, kFrench}, // French, Canada
    {4108, ".", "'", kFrench},        // French, Switzerland
    {1040, ",", ".", kItalian},       // Italian, Italy
    {2064, ".", "'", kItalian},       // Italian, Switzerland
    {3082, ",", ".", kSpanish},       // Spanish, Spain (international sort)
    {1034, ",", ".", kSpanish},       // Spanish, Spain (traditional sort)
    {2058, ".", ",", kSpanish},       // Spanish, Mexico
    {1043, ",", ".", kDutch},         // Dutch, Netherlands
    {2067, ",", ".", kDutch},         // Dutch, Belgium
    {1053, ",", kNoBreakSpace, kSwedish}, // Swedish, Sweden
    {1049, ",", kNoBreakSpace, kRussian}, // Russian, Russia
    {1046, ",", ".", kPortuguese},    // Portuguese, Brazil
    {2070, ",", kNoBreakSpace, kPortuguese}, // Portuguese, Portugal
    {2052, ".", ",", kChinese},       // Chinese, simplified
    {1028, ".", ",", kChinese},       // Chinese, traditional
    {1041, ".", ",", kNumeric},       // Japanese
    {1042, ".", ",", kNumeric},       // Korean
    {1045, ",", kNoBreakSpace, kPolish},  // Polish
    {1030, ",", ".", kDanish},        // Danish
    {1044, ",", kNoBreakSpace, kNorwegian}, // Norwegian (Bokmal)
    {2068, ",", kNoBreakSpace, kNorwegian}, // Norwegian (Nynorsk)
    {1035, ",", kNoBreakSpace, kFinnish}, // Finnish
    {1029, ",", kNoBreakSpace, kCzech},   // Czech
    {1038, ",", kNoBreakSpace, kNumeric}, // Hungarian
}};

struct PosixName {
    std::string_view name; // language_TERRITORY; the first entry of a language is its default
    int lcid;
};

constexpr std::array<PosixName, 35> kPosixNames{{
    {"en_US", 1033}, {"en_GB", 2057}, {"en_AU", 3081}, {"en_CA", 4105}, {"en_NZ", 5129},
    {"en_IE", 6153}, {"de_DE", 1031}, {"de_AT", 3079}, {"de_CH", 2055}, {"fr_FR", 1036},
    {"fr_BE", 2060}, {"fr_CA", 3084}, {"fr_CH", 4108}, {"it_IT", 1040}, {"it_CH", 2064},
    {"es_ES", 3082}, {"es_MX", 2058}, {"nl_NL", 1043}, {"nl_BE", 2067}, {"sv_SE", 1053},
    {"ru_RU", 1049}, {"pt_BR", 1046}, {"pt_PT", 2070}, {"zh_CN", 2052}, {"zh_TW", 1028},
    {"ja_JP", 1041}, {"ko_KR", 1042}, {"pl_PL", 1045}, {"da_DK", 1030}, {"nb_NO", 1044},
    {"no_NO", 1044}, {"nn_NO", 2068}, {"fi_FI", 1035}, {"cs_CZ", 1029}, {"hu_HU", 1038},
}};

constexpr int kUsEnglish = 1033;

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

// Low 16 bits, sign-extended, as a 16-bit locale field reads back.
int low16(int value)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<unsigned>(value) & 0xFFFFu));
}

} // namespace

const LocaleInfo* findLocale(int lcid)
{
    for (const auto& locale : kLocales)
        if (locale.lcid == lcid)
            return &locale;
    return nullptr;
}

int lcidFromLocaleName(std::string_view name)
{
    // "de_DE.UTF-8@euro": the codeset and the modifier say nothing about
    // separators.
    name = name.substr(0, name.find_first_of(".@"));
    const std::size_t underscore = name.find('_');
    const std::string language = toLower(name.substr(0, underscore));
    if (language.empty() || language == "c" || language == "posix")
        return kUsEnglish;
    if (underscore != std::string_view::npos) {
        const std::string wanted = language + "_" + toUpper(name.substr(underscore + 1));
        for (const auto& entry : kPosixNames)
            if (entry.name == wanted)
                return entry.lcid;
    }
    for (const auto& entry : kPosixNames)
        if (entry.name.substr(0, entry.name.find('_')) == language)
            return entry.lcid;
    return kUsEnglish;
}

int userDefaultLcidFromEnvironment()
{
    return lcidFromLocaleName(firstSet({"LC_ALL", "LC_NUMERIC", "LANG"}));
}

int userDefaultLanguageFromEnvironment()
{
    return lcidFromLocaleName(firstSet({"LC_ALL", "LC_MESSAGES", "LANG"}));
}

LocaleValues computeLocaleValues(int userDefaultLcid, int userDefaultLanguage, std::string_view commandLine)
{
    LocaleValues values;
    values.userDefaultLcid = low16(userDefaultLcid);
    values.userDefaultLanguage = userDefaultLanguage;
    values.activeLcid = values.userDefaultLcid;

    // Exactly one "/" on the whole command line: any second switch makes
    // the override ambiguous and it is ignored.
    const std::size_t slash = commandLine.find('/');
    if (slash != std::string_view::npos && commandLine.find('/', slash + 1) == std::string_view::npos) {
        const std::string_view part = commandLine.substr(slash + 1);
        if (contains(toLower(part), "lcid")) {
            // Without "=" the whole part is read, which gives 0 unless it
            // starts with a number.
            const std::size_t eq = part.find('=');
            const double number = leadingNumber(eq == std::string_view::npos ? part : part.substr(eq + 1));
            // A number that does not fit the 32-bit locale value is ignored.
            if (std::isfinite(number) && std::fabs(number) <= std::numeric_limits<int>::max())
                values.activeLcid = static_cast<int>(std::nearbyint(number));
        }
    }
    values.activeCharSet = values.activeLcid == 2052 ? 134 : 1;

    // Locale 0 means the system default, which here is the user's default.
    // A locale the table does not know takes the separators of US English,
    // so that numbers still parse with the familiar "." instead of failing.
    const int separatorLocale = values.activeLcid == 0 ? values.userDefaultLcid : values.activeLcid;
    const LocaleInfo* info = findLocale(separatorLocale);
    if (!info)
        info = findLocale(kUsEnglish);
    values.decimalSeparator = std::string(info->decimalSeparator);
    values.thousandSeparator = std::string(info->thousandSeparator);

    values.localizedMode = userDefaultLanguage != kUsEnglish || contains(toLower(commandLine), "-l");
    return values;
}

std::string formatMediumDate(int year, int month, int day, int lcid)
{
    const LocaleInfo* info = findLocale(lcid);
    if (!info)
        info = findLocale(kUsEnglish);
    const int monthIndex = month < 1 ? 0 : (month > 12 ? 11 : month - 1);
    const auto twoDigits = [](int value) {
        value = std::abs(value) % 100;
        return std::string(1, static_cast<char>('0' + value / 10)) + static_cast<char>('0' + value % 10);
    };
    return twoDigits(day) + "-" + std::string(info->monthAbbreviations[static_cast<std::size_t>(monthIndex)]) + "-" +
           twoDigits(year);
}

} // namespace kestrel
