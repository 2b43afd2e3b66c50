#include "platform/file_lock.h"

#include "platform/windows_text.h"

#include <windows.h>

namespace platform {

namespace {

// The lock covers one byte far past any content, so others can still read what the holder published there.
constexpr DWORD LockOffsetHigh = 0x7FFFFFFF;

// Reparse points (links, junctions) are opened as themselves, never followed.
File openLockFile(const std::string& path, DWORD access, DWORD disposition)
{
    return File(::CreateFileW(windows::widen(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, disposition, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT,
                              nullptr));
}

bool isPlainFile(const File& file)
{
    BY_HANDLE_FILE_INFORMATION info {};
    return ::GetFileInformationByHandle(file.native(), &info)
        && !(info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
}

} // namespace

LockAttempt lockExclusively(const std::string& path)
{
    LockAttempt attempt;
    File file = openLockFile(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
    if (!file.isOpen()) {
        const DWORD error = ::GetLastError();
        if (::GetFileAttributesW(windows::widen(path).c_str()) == INVALID_FILE_ATTRIBUTES)
            return attempt; // nothing there and nothing can be made: no writer can write here
        attempt.outcome = LockAttempt::Outcome::Refused;
        attempt.why = error == ERROR_ACCESS_DENIED ? "nincs hozzá jogosultság"
            : error == ERROR_SHARING_VIOLATION     ? "egy másik program zárolja"
                                                   : "rendszerhiba: " + std::to_string(error);
        return attempt;
    }
    if (!isPlainFile(file)) {
        attempt.outcome = LockAttempt::Outcome::Refused;
        attempt.why = "szimbolikus hivatkozás, vagy nem közönséges fájl";
        return attempt;
    }
    OVERLAPPED at {};
    at.OffsetHigh = LockOffsetHigh;
    if (::LockFileEx(file.native(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
        attempt.outcome = LockAttempt::Outcome::Held;
        attempt.file = std::move(file);
        return attempt;
    }
    const DWORD error = ::GetLastError();
    attempt.outcome = error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING
        ? LockAttempt::Outcome::Taken
        : LockAttempt::Outcome::Unavailable;
    return attempt;
}

std::optional<std::string> readOwnLockFile(const std::string& path, std::size_t limit)
{
    File file = openLockFile(path, GENERIC_READ, OPEN_EXISTING);
    if (!file.isOpen() || !isPlainFile(file))
        return std::nullopt;
    return file.readUpTo(limit);
}

std::optional<FolderIdentity> identityOf(const std::string& folder)
{
    // A folder opens only with backup semantics; reading its attributes needs no further access.
    File handle(::CreateFileW(windows::widen(folder.empty() ? "." : folder).c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info {};
    if (!handle.isOpen() || !::GetFileInformationByHandle(handle.native(), &info))
        return std::nullopt;
    return FolderIdentity {info.dwVolumeSerialNumber,
                           (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

} // namespace platform
