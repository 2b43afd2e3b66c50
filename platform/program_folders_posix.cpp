#include "platform/program_folders.h"

#include "platform/system_error.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::string withTrailingSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

} // namespace

std::string executableFolder()
{
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return withTrailingSlash(std::filesystem::current_path().string());
    return withTrailingSlash(exe.parent_path().string());
}

bool keepsFilesSafely(const std::string& folder)
{
    struct stat info
    {
    };
    return ::access(folder.c_str(), W_OK) == 0 && ::stat(folder.c_str(), &info) == 0
        && info.st_uid == ::geteuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

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
        return withTrailingSlash(environment.xdgDataHome) + "brumvelda/";
    if (!environment.home.empty() && environment.home.front() == '/')
        return withTrailingSlash(environment.home) + ".local/share/brumvelda/";
    return {};
}

std::string makeFolders(const std::string& folder)
{
    for (size_t end = folder.find('/', 1); end != std::string::npos; end = folder.find('/', end + 1)) {
        const std::string part = folder.substr(0, end);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return reasonText(errno);
    }
    struct stat info
    {
    };
    if (::stat(folder.c_str(), &info) != 0)
        return reasonText(errno);
    return S_ISDIR(info.st_mode) ? std::string() : reasonText(ENOTDIR);
}

} // namespace platform
