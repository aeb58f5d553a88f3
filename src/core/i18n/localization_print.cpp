#include "core/i18n/localization_print.h"

#include "core/base/locale_info.h"

namespace kestrel {

std::string printStampText(const PrintStamp& stamp, int lcid)
{
    const int hour12 = stamp.hour % 12 == 0 ? 12 : stamp.hour % 12;
    const auto twoDigits = [](int value) { return (value < 10 ? "0" : "") + std::to_string(value); };
    return twoDigits(stamp.date.day) + " " + monthAbbreviation(stamp.date.month, lcid) + " " +
        std::to_string(stamp.date.year) + " @ " + std::to_string(hour12) + ":" + twoDigits(stamp.minute) +
        (stamp.hour < 12 ? " AM" : " PM");
}

PageHeader localizationPageHeader(const std::string& stamp, int page, int pages)
{
    return {stamp, "Page: " + std::to_string(page) + " of  " + std::to_string(pages), "Kestrel"};
}

std::string localizationPageFooter(int page, int pages)
{
    return std::to_string(page) + " of " + std::to_string(pages);
}

} // namespace kestrel
