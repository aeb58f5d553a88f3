#include "core/base/locale_info.h"

#include "core/base/leading_number.h"
#include "core/base/message_sink.h"
#include "core/base/text_util.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace kestrel {
namespace {

// Low 16 bits, sign-extended, as a 16-bit locale field reads back.
int low16(int value)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<unsigned>(value) & 0xFFFFu));
}

std::string twoDigits(int value)
{
    value = std::abs(value) % 100;
    return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

} // namespace

std::string getLocaleInfo(int lcid, LocaleItem item, MessageSink& sink)
{
    LocaleLookup lookup = lookUpLocaleItem(lcid == 0 ? kSystemDefaultLcid : lcid, item);
    if (lookup.failure) {
        sink.inform(std::to_string(lookup.failure->number) + ", " + lookup.failure->description);
        return {};
    }
    return std::move(lookup.text);
}

StartUpSwitches readStartUpSwitches(std::string_view commandLine)
{
    StartUpSwitches switches;
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
                switches.lcid = static_cast<int>(std::nearbyint(number));
        }
    }
    switches.localizationMenus = contains(toLower(commandLine), "-l");
    return switches;
}

LocaleValues computeLocaleValues(
    int userDefaultLcid, int userDefaultLanguage, const StartUpSwitches& switches, MessageSink& sink)
{
    LocaleValues values;
    values.userDefaultLcid = low16(userDefaultLcid);
    values.userDefaultLanguage = userDefaultLanguage;
    values.activeLcid = switches.lcid.value_or(values.userDefaultLcid);
    values.activeCharSet = values.activeLcid == 2052 ? 134 : 1;

    values.thousandSeparator = getLocaleInfo(values.activeLcid, LocaleItem::ThousandSeparator, sink);
    values.decimalSeparator = getLocaleInfo(values.activeLcid, LocaleItem::DecimalSeparator, sink);

    values.localizedMode = userDefaultLanguage != kUsEnglishLcid || switches.localizationMenus;
    return values;
}

std::string monthAbbreviation(int month, int lcid)
{
    static constexpr std::array<std::string_view, 12> kEnglish{
        "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const auto monthIndex = static_cast<std::size_t>(month < 1 ? 0 : (month > 12 ? 11 : month - 1));
    const auto months = lookUpMonthAbbreviations(lcid == 0 ? kSystemDefaultLcid : lcid);
    return months ? (*months)[monthIndex] : std::string(kEnglish[monthIndex]);
}

std::string formatMediumDate(int year, int month, int day, int lcid)
{
    return twoDigits(day) + "-" + monthAbbreviation(month, lcid) + "-" + twoDigits(year);
}

} // namespace kestrel
