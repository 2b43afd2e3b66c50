#pragma once
// Tab-separated text of the tool: one record a line, `\N` for null, and \\ \t \n \r inside a text.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tabla {

inline constexpr std::string_view NullField = "\\N";

std::string escapeField(std::string_view text);

// The text of a field, or nothing when it holds a backslash that starts no known sequence
// (then `badSequence` names it).
std::optional<std::string> unescapeField(std::string_view field, std::string& badSequence);

std::vector<std::string_view> splitFields(std::string_view line);

} // namespace tabla
