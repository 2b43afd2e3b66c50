#pragma once
// The names the program and its files spell in ASCII (settings sections and keys, columns, sort orders,
// field types, file extensions) match whatever the case of their letters. Only A-Z fold: every other byte,
// the accented Windows-1250 letters among them, matches itself alone, whatever the locale.

#include <string_view>

namespace storage {

constexpr char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

constexpr bool sameIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    return true;
}

} // namespace storage
