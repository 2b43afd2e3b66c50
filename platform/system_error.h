#pragma once
// The reason after a message, in the game's language for the failures a player can meet and fix: " (reason)".

#include <string>

namespace platform {

// An errno value on POSIX, a GetLastError() value on Windows.
std::string reasonText(int error);

} // namespace platform
