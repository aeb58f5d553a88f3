#pragma once
// The print-out of the localization table: every page carries the moment
// it was printed, its page number and the program's name at the top, and
// its page number again at the foot.
#include "core/base/local_date.h"

#include <string>

namespace kestrel {

struct PrintStamp {
    CalendarDate date;
    int hour = 0;   // 0..23
    int minute = 0; // 0..59
};

// "07 Mar 2026 @ 3:05 PM": the day in two digits, the month abbreviated as
// the locale `lcid` names it (English for a locale without its own names),
// the hour without a leading zero on the twelve-hour clock.
std::string printStampText(const PrintStamp& stamp, int lcid);

// The page header's three parts: left, centre and right.
struct PageHeader {
    std::string left;   // the stamp
    std::string centre; // "Page: 1 of  3"
    std::string right;  // "Kestrel"
    bool operator==(const PageHeader&) const = default;
};

PageHeader localizationPageHeader(const std::string& stamp, int page, int pages);
// "1 of 3", at the left of the foot.
std::string localizationPageFooter(int page, int pages);

} // namespace kestrel
