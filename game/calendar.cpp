#include "game/calendar.h"

namespace game {

namespace {
// Division rounding toward minus infinity, for days before 1970.
int32_t floorDiv(int32_t a, int32_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }
} // namespace

// The days-from-civil conversion over 400-year eras, which starts the year in March so that the leap day
// is the last of the year.
int32_t dayNumber(const CivilDate& date)
{
    const int32_t y = date.year - (date.month <= 2);
    const int32_t era = floorDiv(y, 400);
    const int32_t yearOfEra = y - era * 400;
    const int32_t dayOfYear = (153 * (date.month + (date.month > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
    const int32_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CivilDate civilDate(int32_t days)
{
    const int32_t z = days + 719468;
    const int32_t era = floorDiv(z, 146097);
    const int32_t dayOfEra = z - era * 146097;
    const int32_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int32_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int32_t mp = (5 * dayOfYear + 2) / 153;
    CivilDate date;
    date.day = dayOfYear - (153 * mp + 2) / 5 + 1;
    date.month = mp < 10 ? mp + 3 : mp - 9;
    date.year = yearOfEra + era * 400 + (date.month <= 2);
    return date;
}

int32_t localMinutes(const CivilDate& date, int32_t hour, int32_t minute)
{
    return dayNumber(date) * MinutesPerDay + hour * 60 + minute;
}

int32_t dayOfMinutes(int32_t localMinutes) { return floorDiv(localMinutes, MinutesPerDay); }

int32_t weekStart(int32_t days)
{
    // Day 0 was a Thursday, three days after a Monday.
    const int32_t sinceMonday = days + 3 - floorDiv(days + 3, 7) * 7;
    return days - sinceMonday;
}

int32_t monthStart(int32_t days)
{
    CivilDate date = civilDate(days);
    date.day = 1;
    return dayNumber(date);
}

} // namespace game
