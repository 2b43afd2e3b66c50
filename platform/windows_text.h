#pragma once
// The Windows build's edge between the game's UTF-8 paths and texts and the system's UTF-16 ones.

#ifdef _WIN32

#include <string>
#include <string_view>

namespace platform::windows {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

} // namespace platform::windows

#endif
