#include "platform/program_folders.h"

#include "platform/system_error.h"
#include "platform/windows_text.h"

#include <cstdlib>
#include <windows.h>

namespace platform {

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

std::string withTrailingSeparator(std::string folder)
{
    if (folder.empty() || !isSeparator(folder.back()))
        folder += '\\';
    return folder;
}

} // namespace

std::string executableFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0)
            return ".\\";
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return windows::narrow(path.substr(0, path.find_last_of(L"\\/") + 1));
}

bool keepsFilesSafely(const std::string& folder)
{
    // A file made and dropped at once: the only sure answer, the folder's access list being what it is.
    const std::wstring probe = windows::widen(withTrailingSeparator(folder) + "Brumvelda.probe");
    const HANDLE file = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return ::GetLastError() == ERROR_FILE_EXISTS; // a probe of another copy starting right now
    ::CloseHandle(file);
    return true;
}

UserEnvironment currentUserEnvironment()
{
    UserEnvironment environment;
    if (const wchar_t* value = ::_wgetenv(L"APPDATA"))
        environment.appData = windows::narrow(value);
    if (const wchar_t* value = ::_wgetenv(L"USERPROFILE"))
        environment.home = windows::narrow(value);
    return environment;
}

std::string userDataFolder(const UserEnvironment& environment)
{
    // Only a full path (C:\..., \\server\...): a relative one would follow the current folder.
    const std::string& base = environment.appData;
    const bool full = (base.size() >= 3 && base[1] == ':' && isSeparator(base[2]))
        || (base.size() >= 2 && isSeparator(base[0]) && isSeparator(base[1]));
    return full ? withTrailingSeparator(base) + "Brumvelda\\" : std::string();
}

std::string makeFolders(const std::string& folder)
{
    // Each part after the drive ("C:\") or the share ("\\server\share\").
    size_t start = folder.size() >= 2 && folder[1] == ':' ? 3 : 0;
    if (folder.size() >= 2 && isSeparator(folder[0]) && isSeparator(folder[1])) {
        start = folder.find_first_of("\\/", 2);
        start = start == std::string::npos ? folder.size() : folder.find_first_of("\\/", start + 1);
    }
    for (size_t end = folder.find_first_of("\\/", start); end != std::string::npos;
         end = folder.find_first_of("\\/", end + 1)) {
        if (end == 0)
            continue;
        if (!::CreateDirectoryW(windows::widen(folder.substr(0, end)).c_str(), nullptr)
            && ::GetLastError() != ERROR_ALREADY_EXISTS)
            return reasonText(int(::GetLastError()));
    }
    const DWORD attributes = ::GetFileAttributesW(windows::widen(folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return reasonText(int(::GetLastError()));
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? std::string() : reasonText(ERROR_DIRECTORY);
}

} // namespace platform
