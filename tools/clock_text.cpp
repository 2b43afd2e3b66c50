#include "tools/clock_text.h"

#include "game/calendar.h"

#include <charconv>
#include <cstdint>
#include <cstdio>

namespace tabla {

std::string clockText(int32_t localMinutes)
{
    const int32_t day = game::dayOfMinutes(localMinutes);
    const int32_t sinceMidnight = localMinutes - day * game::MinutesPerDay;
    const game::CivilDate date = game::civilDate(day);
    char text[40];
    std::snprintf(text, sizeof text, "%s%04d-%02d-%02d %02d:%02d", date.year < 0 ? "-" : "",
                  date.year < 0 ? -date.year : date.year, date.month, date.day, sinceMidnight / 60,
                  sinceMidnight % 60);
    return text;
}

namespace {
// Exactly `digits` decimal digits (at least that many when `orMore`) at the front of `text`, taken off it.
std::optional<int32_t> takeNumber(std::string_view& text, std::size_t digits, bool orMore = false)
{
    std::size_t length = 0;
    while (length < text.size() && text[length] >= '0' && text[length] <= '9')
        ++length;
    // Years of five digits are past the 32 bits of minutes already; six still add up without overflow.
    if (length < digits || (!orMore && length != digits) || length > 6)
        return std::nullopt;
    int32_t value = 0;
    std::from_chars(text.data(), text.data() + length, value);
    text.remove_prefix(length);
    return value;
}

bool takeChar(std::string_view& text, char c)
{
    if (text.empty() || text.front() != c)
        return false;
    text.remove_prefix(1);
    return true;
}
} // namespace

std::optional<int32_t> clockMinutes(std::string_view text)
{
    const bool beforeYearZero = takeChar(text, '-');
    const std::optional<int32_t> year = takeNumber(text, 4, true);
    if (!year || !takeChar(text, '-'))
        return std::nullopt;
    const std::optional<int32_t> month = takeNumber(text, 2);
    if (!month || !takeChar(text, '-'))
        return std::nullopt;
    const std::optional<int32_t> day = takeNumber(text, 2);
    if (!day || !takeChar(text, ' '))
        return std::nullopt;
    const std::optional<int32_t> hour = takeNumber(text, 2);
    if (!hour || !takeChar(text, ':'))
        return std::nullopt;
    const std::optional<int32_t> minute = takeNumber(text, 2);
    if (!minute || !text.empty() || *month < 1 || *month > 12 || *day < 1 || *day > 31 || *hour > 23
        || *minute > 59)
        return std::nullopt;
    const game::CivilDate date {beforeYearZero ? -*year : *year, *month, *day};
    const int32_t dayNumber = game::dayNumber(date);
    if (game::civilDate(dayNumber) != date) // 30 February and the like
        return std::nullopt;
    const int64_t minutes = int64_t(dayNumber) * game::MinutesPerDay + *hour * 60 + *minute;
    if (minutes < INT32_MIN || minutes > INT32_MAX)
        return std::nullopt;
    return int32_t(minutes);
}

} // namespace tabla
