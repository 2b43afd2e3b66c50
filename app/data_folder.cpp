#include "app/data_folder.h"

#include "platform/file.h"
#include "storage/file_names.h"

#include <array>
#include <stdexcept>
#include <vector>

namespace {

constexpr const char* ListName = storage::PuzzleListFile;

} // namespace

DataFolder chooseDataFolder(const std::string& programFolder, bool userDataOnly,
                            const UserEnvironment& environment)
{
    if (!userDataOnly && keepsFilesSafely(programFolder))
        return {programFolder, {}};
    const std::string folder = userDataFolder(environment);
    if (folder.empty())
        return {programFolder,
                "Nem található a felhasználó saját mappája (HOME), így a játék adatai nem "
                "menthetők"};
    if (const std::string reason = platform::makeFolders(folder); !reason.empty())
        return {folder, "Nem hozható létre a játék adatmappája: " + folder + reason};
    return {folder, {}};
}

std::vector<std::string> installedPackPlaces(const std::string& programFolder)
{
    static constexpr std::array<const char*, 3> places {
        "../share/games/brumvelda/", // Debian package: /usr/games and /usr/share/games/brumvelda
        "../../share/games/brumvelda/", // make install under a prefix: <prefix>/lib/brumvelda
        "", // a list beside a program whose folder is read-only
    };
    std::vector<std::string> candidates;
    for (const char* place : places)
        candidates.push_back(programFolder + place + ListName);
    return candidates;
}

std::string installedPuzzlePack(const std::string& programFolder)
{
    for (const auto& candidate : installedPackPlaces(programFolder))
        if (platform::isRegularFile(candidate))
            return candidate;
    return {};
}

PackCopy copyPackIfMissing(const std::string& pack, const std::string& list)
{
    // Whatever is there (a file, a link, something unreadable) is the player's.
    if (platform::nameInUse(list))
        return PackCopy::ListExists;
    if (pack.empty())
        return PackCopy::NoPack;

    const std::string failure = "Nem másolható a feladványlista (" + pack + ") ide: " + list;
    platform::OpenedForReading opened = platform::openForReading(pack);
    if (opened.outcome != platform::OpenedForReading::Outcome::Opened)
        throw std::runtime_error(failure + " (" + (opened.whyNot.empty() ? "nem található" : opened.whyNot)
                                 + ")");
    std::string reason;
    switch (platform::copyToNewName(opened.file, list, reason)) {
    case platform::Copied::Done:
        return PackCopy::Copied;
    case platform::Copied::NameTaken:
        return PackCopy::ListExists; // another copy of the game laid its list down first
    case platform::Copied::Failed:
        break;
    }
    throw std::runtime_error(failure + reason);
}

DataFolder prepareDataFolder(const std::string& programFolder, bool userDataOnly,
                             const UserEnvironment& environment)
{
    DataFolder folder = chooseDataFolder(programFolder, userDataOnly, environment);
    if (folder.path == programFolder || !folder.problem.empty())
        return folder; // beside the program the list is laid down by the build or the install
    try {
        if (copyPackIfMissing(installedPuzzlePack(programFolder), folder.path + ListName)
            == PackCopy::NoPack) {
            std::string places;
            for (const auto& place : installedPackPlaces(programFolder))
                places += (places.empty() ? "" : ", ") + place;
            folder.problem = "Nem található a játékkal telepített feladványlista, így a játék feladványok "
                             "nélkül indul. Itt kerestem: "
                + places;
        }
    } catch (const std::runtime_error& error) {
        folder.problem = error.what();
    }
    return folder;
}
