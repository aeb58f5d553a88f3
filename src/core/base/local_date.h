#pragma once
// Today's date in the local time zone, for the DATE line of a procedure.
namespace kestrel {

struct CalendarDate {
    int year = 1970;
    int month = 1; // 1..12
    int day = 1;   // 1..31
    bool operator==(const CalendarDate&) const = default;
};

CalendarDate localToday();

} // namespace kestrel
