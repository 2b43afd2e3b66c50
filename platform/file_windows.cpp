#include "platform/file.h"

#include "platform/system_error.h"
#include "platform/windows_text.h"

#include <random>
#include <utility>
#include <windows.h>

namespace platform {

using windows::narrow;
using windows::widen;

bool File::writeAll(const void* data, std::size_t count)
{
    const char* p = static_cast<const char*>(data);
    while (count > 0) {
        const DWORD piece = count > (1u << 30) ? DWORD(1u << 30) : DWORD(count);
        DWORD wrote = 0;
        if (!::WriteFile(m_native, p, piece, &wrote, nullptr) || wrote == 0)
            return false;
        p += wrote;
        count -= wrote;
    }
    return true;
}

long long File::readAll(void* data, std::size_t count)
{
    char* p = static_cast<char*>(data);
    std::size_t done = 0;
    while (done < count) {
        const std::size_t left = count - done;
        const DWORD piece = left > (1u << 30) ? DWORD(1u << 30) : DWORD(left);
        DWORD got = 0;
        if (!::ReadFile(m_native, p + done, piece, &got, nullptr))
            return ::GetLastError() == ERROR_HANDLE_EOF ? static_cast<long long>(done) : -1;
        if (got == 0)
            break;
        done += got;
    }
    return static_cast<long long>(done);
}

bool File::flush() { return ::FlushFileBuffers(m_native) != 0; }

bool File::replaceContent(std::string_view bytes)
{
    LARGE_INTEGER start {};
    return ::SetFilePointerEx(m_native, start, nullptr, FILE_BEGIN) && ::SetEndOfFile(m_native)
        && writeAll(bytes.data(), bytes.size());
}

bool File::lockSharedNoWait()
{
    OVERLAPPED from {};
    return ::LockFileEx(m_native, LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &from) != 0;
}

bool File::close()
{
    if (m_native == None)
        return true;
    return ::CloseHandle(std::exchange(m_native, None)) != 0;
}

namespace {

// Files are shared as a POSIX file is: others may read, write, rename or remove them while we hold them, so
// a save can move its new file over one the game is reading.
constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

DWORD attributesOf(const std::string& path) { return ::GetFileAttributesW(widen(path).c_str()); }

std::string systemError(DWORD error) { return "rendszerhiba: " + std::to_string(error); }

} // namespace

OpenedForReading openForReading(const std::string& path)
{
    OpenedForReading result;
    File file(::CreateFileW(widen(path).c_str(), GENERIC_READ, ShareAll, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.isOpen()) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME)
            return result;
        result.outcome = OpenedForReading::Outcome::Unreadable;
        const DWORD attributes = attributesOf(path);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            result.whyNot = "nem fájl, hanem mappa";
        else if (error == ERROR_ACCESS_DENIED)
            result.whyNot = "nincs jogosultság az olvasásához";
        else if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
            result.whyNot = "egy másik program zárolja";
        else
            result.whyNot = systemError(error);
        return result;
    }
    // A device name (CON, NUL, COM1) or a pipe opens like a file: read, it would wait or never end.
    const DWORD type = ::GetFileType(file.native());
    if (type != FILE_TYPE_DISK) {
        result.outcome = OpenedForReading::Outcome::Unreadable;
        result.whyNot = type == FILE_TYPE_PIPE ? "nem közönséges fájl, hanem csővezeték"
                                               : "nem közönséges fájl, hanem eszköz";
        return result;
    }
    LARGE_INTEGER size {};
    if (!::GetFileSizeEx(file.native(), &size)) {
        result.outcome = OpenedForReading::Outcome::Unreadable;
        result.whyNot = systemError(::GetLastError());
        return result;
    }
    result.outcome = OpenedForReading::Outcome::Opened;
    result.size = static_cast<unsigned long long>(size.QuadPart);
    result.file = std::move(file);
    return result;
}

File createNewFile(const std::string& path, bool& nameTaken)
{
    File file(::CreateFileW(widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                            CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    nameTaken = !file.isOpen() && ::GetLastError() == ERROR_FILE_EXISTS;
    return file;
}

std::vector<std::string> linkChain(const std::string& path) { return {path}; }

std::string followLinks(const std::string& path) { return path; }

bool exists(const std::string& path) { return attributesOf(path) != INVALID_FILE_ATTRIBUTES; }

bool nameInUse(const std::string& path)
{
    if (attributesOf(path) != INVALID_FILE_ATTRIBUTES)
        return true;
    const DWORD error = ::GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

bool isRegularFile(const std::string& path)
{
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool existsReadOnly(const std::string& path)
{
    const DWORD attributes = attributesOf(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return false; // not a file the user may not write: a folder in the way fails the save's move
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return true;
    // The file's access list may deny writing although no attribute says so.
    File probe(::CreateFileW(widen(path).c_str(), GENERIC_WRITE, ShareAll, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    return !probe.isOpen() && ::GetLastError() == ERROR_ACCESS_DENIED;
}

bool removeFile(const std::string& path) { return ::DeleteFileW(widen(path).c_str()) != 0; }

LinkResult hardLink(const std::string& from, const std::string& to)
{
    if (::CreateHardLinkW(widen(to).c_str(), widen(from).c_str(), nullptr))
        return LinkResult::Made;
    const DWORD error = ::GetLastError();
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)
        return LinkResult::NameTaken;
    return error == ERROR_FILE_NOT_FOUND ? LinkResult::SourceMissing : LinkResult::Failed;
}

std::vector<std::string> ownFilesIn(const std::string& folder)
{
    // A folder of the user's own profile holds only the user's files; links (reparse points) are left out.
    std::vector<std::string> names;
    WIN32_FIND_DATAW found {};
    const HANDLE search = ::FindFirstFileW(widen(folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
            names.push_back(narrow(found.cFileName));
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return names;
}

namespace {

File createExclusively(const std::string& path)
{
    // No sharing: nobody can open, rename or remove the file while it is written.
    return File(::CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
}

File createTemporary(std::string& temporary)
{
    const std::string unique = "XXXXXX";
    if (temporary.size() >= unique.size()
        && temporary.compare(temporary.size() - unique.size(), unique.size(), unique) == 0) {
        static constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        std::random_device seed;
        std::mt19937 pick(seed());
        std::uniform_int_distribution<std::size_t> letter(0, sizeof Letters - 2);
        for (int attempt = 0; attempt < 100; ++attempt) {
            for (std::size_t i = temporary.size() - unique.size(); i < temporary.size(); ++i)
                temporary[i] = Letters[letter(pick)];
            File file = createExclusively(temporary);
            if (file.isOpen() || ::GetLastError() != ERROR_FILE_EXISTS)
                return file;
        }
        return File();
    }
    File file = createExclusively(temporary);
    if (!file.isOpen() && ::GetLastError() == ERROR_FILE_EXISTS) {
        // Left by a writer that died before its move: its bytes are of no use, and they never go in place.
        ::DeleteFileW(widen(temporary).c_str());
        file = createExclusively(temporary);
    }
    return file;
}

} // namespace

Replaced replaceFile(const std::string& target, std::string temporary,
                     const std::function<void(File&)>& write)
{
    File file = createTemporary(temporary);
    if (!file.isOpen())
        return Replaced::CannotCreate;
    bool written = false;
    try {
        write(file);
        written = file.flush() && file.close();
    } catch (...) {
        file.close();
        ::DeleteFileW(widen(temporary).c_str()); // a half-written file is of no use to anyone
        throw;
    }
    if (!written) {
        file.close();
        ::DeleteFileW(widen(temporary).c_str());
        return Replaced::CannotWrite;
    }
    // The old file is replaced only now, in one step that is on the disk when the call returns. Windows
    // refuses to replace a read-only file, and so does this step where the system alone would not.
    const DWORD old = attributesOf(target);
    if ((old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_READONLY))
        || !::MoveFileExW(widen(temporary).c_str(), widen(target).c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(widen(temporary).c_str());
        return Replaced::CannotRename;
    }
    return Replaced::Done;
}

std::string reasonText(int error)
{
    switch (DWORD(error)) {
    case ERROR_ACCESS_DENIED:
        return " (nincs hozzá jogosultság)";
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY:
        return " (az útvonal egyik tagja fájl, nem mappa)";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return " (megtelt a lemez)";
    case ERROR_WRITE_PROTECT:
        return " (csak olvasható lemez)";
    default:
        return " (rendszerhiba: " + std::to_string(error) + ")";
    }
}

Copied copyToNewName(File& source, const std::string& to, std::string& reason)
{
    std::string temporary = to + ".XXXXXX";
    File target = createTemporary(temporary);
    DWORD error = target.isOpen() ? ERROR_SUCCESS : ::GetLastError();
    if (error == ERROR_SUCCESS) {
        std::vector<char> buffer(65536);
        for (;;) {
            const long long got = source.readAll(buffer.data(), buffer.size());
            if (got < 0 || !target.writeAll(buffer.data(), size_t(got))) {
                error = ::GetLastError();
                break;
            }
            if (size_t(got) < buffer.size())
                break;
        }
        if (error == ERROR_SUCCESS && !target.flush())
            error = ::GetLastError();
        if (!target.close() && error == ERROR_SUCCESS)
            error = ::GetLastError();
        // Without MOVEFILE_REPLACE_EXISTING the move refuses a name that is taken.
        if (error == ERROR_SUCCESS
            && !::MoveFileExW(widen(temporary).c_str(), widen(to).c_str(), MOVEFILE_WRITE_THROUGH))
            error = ::GetLastError();
        if (error != ERROR_SUCCESS)
            ::DeleteFileW(widen(temporary).c_str());
    }
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)
        return Copied::NameTaken;
    if (error != ERROR_SUCCESS) {
        reason = reasonText(int(error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error));
        return Copied::Failed;
    }
    return Copied::Done;
}

void syncFolderOf(const std::string&) { }

} // namespace platform
