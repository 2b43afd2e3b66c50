#pragma once
// Where the game keeps its three files: beside itself when the user may write there (a build folder, a copied
// folder, an install under the home folder), otherwise in the user's data folder. Decided once at start.

#include "platform/program_folders.h"

#include <string>
#include <vector>

using platform::currentUserEnvironment;
using platform::executableFolder;
using platform::keepsFilesSafely;
using platform::userDataFolder;
using platform::UserEnvironment;

struct DataFolder
{
    std::string path; // ends in "/"
    std::string
        problem; // why the files may not be kept or found there, for the player; empty when all is well
};

// `programFolder` (ending in "/") when it keeps the files safely and `userDataOnly` is off; otherwise the
// user's data folder, made with its missing parents (private to the user) when it does not exist yet.
DataFolder chooseDataFolder(const std::string& programFolder, bool userDataOnly,
                            const UserEnvironment& environment);

// Where the puzzle list installed with the game may be, in the order they are tried.
std::vector<std::string> installedPackPlaces(const std::string& programFolder);
// The puzzle list installed with the game, found relative to the program's folder (the Debian package's
// /usr/share/games/brumvelda from /usr/games, the shared copy of an install under a prefix, or a list
// beside a read-only program); empty when there is none.
std::string installedPuzzlePack(const std::string& programFolder);

enum class PackCopy { Copied, ListExists, NoPack };

// Copies `pack` to `list` when nothing by that name exists yet, not even a dangling link. The copy is written
// to a temporary file beside `list` and moved into place without replacing anything, so a list that appears
// meanwhile (another copy of the game starting) is never overwritten. Throws std::runtime_error with a
// message for the player when the copy fails; nothing is left behind then.
PackCopy copyPackIfMissing(const std::string& pack, const std::string& list);

// The data folder for this run, with the installed puzzle list copied in on the first start there.
DataFolder prepareDataFolder(const std::string& programFolder, bool userDataOnly,
                             const UserEnvironment& environment);
