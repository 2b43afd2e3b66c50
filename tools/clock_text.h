#pragma once
// The round history's times as the tool writes and reads them: "YYYY-MM-DD HH:MM" on the local calendar the
// game stored them by (game/calendar.h), no time zone.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tabla {

std::string clockText(int32_t localMinutes);
// Exactly the form clockText writes (the year of four digits or more, a '-' before a year before 0), a real
// calendar day and time, within the 32 bits the file holds; nothing otherwise.
std::optional<int32_t> clockMinutes(std::string_view text);

} // namespace tabla
