#include "app/data_folder.h"

#include "storage/file_names.h"
#include "storage/folder_sync.h"
#include "storage/paths.h"
#include "storage/posix_file.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <pwd.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* ListName = storage::PuzzleListFile;

// The reason after a message, in the game's language for the failures a player can meet and fix.
std::string reasonText(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return " (nincs hozzá jogosultság)";
    case ENOTDIR:
        return " (az útvonal egyik tagja fájl, nem mappa)";
    case ENOSPC:
    case EDQUOT:
        return " (megtelt a lemez)";
    case EROFS:
        return " (csak olvasható fájlrendszer)";
    default:
        return std::string(" (") + std::strerror(error) + ")";
    }
}

// Makes `folder` and its missing parents, private to the user as the base directory rules ask.
// Returns 0 or the errno of the step that failed.
int makeFolders(const std::string& folder)
{
    for (size_t end = folder.find('/', 1); end != std::string::npos; end = folder.find('/', end + 1)) {
        const std::string part = folder.substr(0, end);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return errno;
    }
    struct stat info
    {
    };
    if (::stat(folder.c_str(), &info) != 0)
        return errno;
    return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
}

bool exists(const std::string& path)
{
    struct stat info
    {
    };
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Copies every byte of `from` into `to`; returns 0 or the errno of the failed read or write.
int copyBytes(int from, int to)
{
    std::array<char, 65536> buffer {};
    for (;;) {
        errno = 0;
        const long long got = storage::readAll(from, buffer.data(), buffer.size());
        if (got < 0 || !storage::writeAll(to, buffer.data(), size_t(got)))
            return errno ? errno : EIO;
        if (size_t(got) < buffer.size())
            return 0;
    }
}

// Moves `from` to `to` unless `to` exists; returns 0, EEXIST, or another errno.
int moveWithoutReplacing(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system without the no-replace rename: a hard link also refuses an existing name.
    if (::link(from.c_str(), to.c_str()) != 0)
        return errno;
    ::unlink(from.c_str());
    return 0;
}

} // namespace

UserEnvironment currentUserEnvironment()
{
    UserEnvironment environment;
    if (const char* value = std::getenv("XDG_DATA_HOME"))
        environment.xdgDataHome = value;
    if (const char* value = std::getenv("HOME"); value && *value)
        environment.home = value;
    else if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir)
        environment.home = user->pw_dir;
    return environment;
}

std::string userDataFolder(const UserEnvironment& environment)
{
    if (!environment.xdgDataHome.empty() && environment.xdgDataHome.front() == '/')
        return storage::withTrailingSlash(environment.xdgDataHome) + "brumvelda/";
    if (!environment.home.empty() && environment.home.front() == '/')
        return storage::withTrailingSlash(environment.home) + ".local/share/brumvelda/";
    return {};
}

bool keepsFilesSafely(const std::string& programFolder)
{
    struct stat info
    {
    };
    // Another user who may write the folder could plant links under the files' names, or replace them.
    return ::access(programFolder.c_str(), W_OK) == 0 && ::stat(programFolder.c_str(), &info) == 0
        && info.st_uid == ::geteuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

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
    if (const int error = makeFolders(folder))
        return {folder, "Nem hozható létre a játék adatmappája: " + folder + reasonText(error)};
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
        if (exists(candidate))
            return candidate;
    return {};
}

PackCopy copyPackIfMissing(const std::string& pack, const std::string& list)
{
    struct stat info
    {
    };
    // Whatever is there (a file, a link, something unreadable) is the player's.
    if (::lstat(list.c_str(), &info) == 0 || errno != ENOENT)
        return PackCopy::ListExists;
    if (pack.empty())
        return PackCopy::NoPack;

    const std::string failure = "Nem másolható a feladványlista (" + pack + ") ide: " + list;
    const storage::OpenedForReading opened = storage::openForReading(pack);
    if (opened.outcome != storage::OpenedForReading::Outcome::Opened)
        throw std::runtime_error(failure + " (" + (opened.whyNot.empty() ? "nem található" : opened.whyNot)
                                 + ")");
    storage::FileHandle source(opened.fd);

    std::string temporary = list + ".XXXXXX";
    storage::FileHandle target(::mkostemp(temporary.data(), O_CLOEXEC));
    if (target.get() < 0)
        throw std::runtime_error(failure + reasonText(errno));
    int error = copyBytes(source.get(), target.get());
    if (error == 0 && ::fsync(target.get()) != 0)
        error = errno;
    if (::close(target.release()) != 0 && error == 0)
        error = errno;
    if (error == 0)
        error = moveWithoutReplacing(temporary, list);
    if (error != 0) {
        ::unlink(temporary.c_str());
        if (error == EEXIST)
            return PackCopy::ListExists; // another copy of the game laid its list down first
        throw std::runtime_error(failure + reasonText(error));
    }
    storage::syncFolderOf(list);
    return PackCopy::Copied;
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

std::string executableFolder()
{
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return storage::withTrailingSlash(std::filesystem::current_path().string());
    return storage::withTrailingSlash(exe.parent_path().string());
}
