#pragma once
// Where the running program is, and where a user's own files go when they cannot stay beside it: the XDG
// base directory rules on Linux, %APPDATA%\Brumvelda on Windows.

#include <string>

namespace platform {

// The folder of the running program (/proc/self/exe, GetModuleFileNameW), ending in a separator.
std::string executableFolder();

// Whether the game's files may be kept in `folder`. POSIX: the user may write it, owns it, and nobody else
// may write it (group or others), who could plant links under the files' names or replace them. Windows: the
// user may make a file there (not so in Program Files).
bool keepsFilesSafely(const std::string& folder);

struct UserEnvironment
{
    std::string xdgDataHome; // $XDG_DATA_HOME; empty when unset
    std::string home; // $HOME, or the home folder of the password database when HOME is unset
    std::string appData {}; // Windows: the user's roaming application data folder (%APPDATA%)
};

// The running process's environment.
UserEnvironment currentUserEnvironment();

// The user's data folder for the game, ending in a separator. Linux: "$XDG_DATA_HOME/brumvelda/", or
// "~/.local/share/brumvelda/" when the variable is unset, empty or relative (the base directory rules ignore
// a relative one). Windows: "%APPDATA%\Brumvelda\". Empty when no such folder is known.
std::string userDataFolder(const UserEnvironment& environment);

// Makes `folder` and its missing parents, private to the user (POSIX mode 0700; on Windows the profile's
// own folders are). Empty when it is there afterwards, else why not, in Hungarian, as " (reason)".
std::string makeFolders(const std::string& folder);

} // namespace platform
