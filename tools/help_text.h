#pragma once

#include <string_view>

namespace tabla {

// The --help text, Hungarian, UTF-8.
extern const std::string_view HelpText;

} // namespace tabla
