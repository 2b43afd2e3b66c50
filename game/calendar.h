#pragma once
// Calendar days without a time zone: the round history stores the local wall-clock time, so a day, an ISO
// week and a month are arithmetic on day numbers (days since 1970-01-01 of the proleptic Gregorian
// calendar; day 0 was a Thursday).

#include <cstdint>

namespace game {

struct CivilDate
{
    int32_t year = 1970;
    int32_t month = 1; // 1..12
    int32_t day = 1; // 1..31
    bool operator==(const CivilDate&) const = default;
};

inline constexpr int32_t MinutesPerDay = 24 * 60;

int32_t dayNumber(const CivilDate& date);
CivilDate civilDate(int32_t dayNumber);

// The stored time of a moment shown as `date` hh:mm on the local clock, and its day back.
int32_t localMinutes(const CivilDate& date, int32_t hour, int32_t minute);
int32_t dayOfMinutes(int32_t localMinutes);

// The Monday that starts the ISO week of the day, and the first day of its month.
int32_t weekStart(int32_t dayNumber);
int32_t monthStart(int32_t dayNumber);

} // namespace game
