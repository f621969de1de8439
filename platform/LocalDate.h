#pragma once
#include <ctime>

// Calendar dates in the user's own time zone. Dates printed on the reports and offered in the
// dialogs are the local date: in Japan the day starts at 0:00 JST, nine hours before it starts in UTC.
namespace vemo {

struct CivilDate {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    bool operator==(const CivilDate&) const = default;
};

// The local calendar date of a moment (the process's time zone, TZ).
CivilDate LocalDateOf(std::time_t moment);
// Today in the local time zone.
CivilDate LocalToday();

}  // namespace vemo
