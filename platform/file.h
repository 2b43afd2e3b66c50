#pragma once
// The file steps the storage layer needs from the operating system: an owned open file, opening for reading
// without blocking on odd files, links followed to the file a save must replace, and a file replaced through
// a temporary one. Paths are UTF-8 everywhere in the game; the Windows build turns them into UTF-16 at each
// call.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

// The characters that end a folder's part of a path: the Windows build also takes the backslash.
#ifdef _WIN32
inline constexpr std::string_view PathSeparators = "/\\";
#else
inline constexpr std::string_view PathSeparators = "/";
#endif

// Owns an open file: a descriptor, or a Windows handle.
class File
{
public:
#ifdef _WIN32
    using Native = void*;
    static inline Native const None = reinterpret_cast<Native>(~std::uintptr_t(0)); // INVALID_HANDLE_VALUE
#else
    using Native = int;
    static constexpr Native None = -1;
#endif

    File() = default;
    explicit File(Native native)
        : m_native(native)
    {
    }
    // The ownership of the handle is the same on both systems; only close() differs.
    ~File() { close(); }
    File(File&& other) noexcept
        : m_native(std::exchange(other.m_native, None))
    {
    }
    File& operator=(File&& other) noexcept
    {
        if (this != &other) {
            close();
            m_native = std::exchange(other.m_native, None);
        }
        return *this;
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool isOpen() const { return m_native != None; }
    Native native() const { return m_native; }
    // Hands the file over to the caller, who closes it.
    Native release() { return std::exchange(m_native, None); }

    // The whole buffer, retried after signals and short counts. False on an error or a write that makes no
    // progress.
    bool writeAll(const void* data, std::size_t count);
    // The bytes read, fewer only at the end of the file, or -1.
    long long readAll(void* data, std::size_t count);
    // Up to `limit` bytes from where the file stands; nothing when reading fails.
    std::optional<std::string> readUpTo(std::size_t limit)
    {
        std::string bytes(limit, '\0');
        const long long got = readAll(bytes.data(), bytes.size());
        if (got < 0)
            return std::nullopt;
        bytes.resize(std::size_t(got));
        return bytes;
    }
    // Puts the file's bytes on the disk (fsync, FlushFileBuffers).
    bool flush();
    // Replaces the whole content with `bytes`, written from the start.
    bool replaceContent(std::string_view bytes);
    // A shared lock that keeps our own writers out while we read; never waits, false when not had.
    bool lockSharedNoWait();
    // Closes now; false when closing reported an error (a write the system had only buffered failed).
    bool close();

private:
    Native m_native = None;
};

// Opening a file for reading: a missing file, an opened regular file, or one that exists and cannot be read.
struct OpenedForReading
{
    enum class Outcome { Missing, Opened, Unreadable } outcome = Outcome::Missing;
    File file; // Opened
    unsigned long long size = 0; // Opened: the size the system reported
    std::string whyNot; // Unreadable: why, in Hungarian
};

// Never blocks: a FIFO, a device, a socket or a folder is unreadable, not waited on or read without end.
OpenedForReading openForReading(const std::string& path);

// Makes `path`, which must not exist yet. Not open and `nameTaken` set when something is there already.
File createNewFile(const std::string& path, bool& nameTaken);

// The file a save must replace: `path` with every symbolic link followed, also a link to a file not made yet.
// Another user's link in a shared sticky folder (/tmp) is not followed, as the kernel would not: a save then
// replaces the link itself. Windows: the path itself (a save there replaces a link, not its target).
std::string followLinks(const std::string& path);
// `path`, then each link's target in turn, the last being what followLinks gives.
std::vector<std::string> linkChain(const std::string& path);

// Whether something is at `path`, links followed.
bool exists(const std::string& path);
// Whether the name `path` is taken: by anything, a dangling link too, or by something that cannot be looked
// at.
bool nameInUse(const std::string& path);
// Whether `path` is a regular file (links followed).
bool isRegularFile(const std::string& path);
// True when the file exists and the user may not write it: such a file is never replaced.
bool existsReadOnly(const std::string& path);

bool removeFile(const std::string& path);

enum class LinkResult { Made, NameTaken, SourceMissing, Failed };
// A second name for the file `from`, failing when `to` is taken.
LinkResult hardLink(const std::string& from, const std::string& to);

// The regular files of `folder` that belong to this user (links and folders left out), by name.
std::vector<std::string> ownFilesIn(const std::string& folder);

// What replaceFile did: Done, or the step that failed.
enum class Replaced { Done, CannotCreate, CannotWrite, CannotRename };

// Writes a new file through `write` and moves it over `target` in one step, so a crash leaves the old file or
// the new one. `target` must be the file itself, not a link to it. The temporary file is `temporary`, created
// exclusively (a leftover of a writer that crashed is removed first, never moved into place); a name ending
// in "XXXXXX" is made unique instead. It keeps the old file's permissions (POSIX; on Windows it takes the
// folder's), is flushed to the disk before the move and removed on any failure; a writer whose temporary file
// was taken over by another is told, never reports success. An exception from `write` removes the temporary
// file and goes on to the caller.
Replaced replaceFile(const std::string& target, std::string temporary,
                     const std::function<void(File&)>& write);

enum class Copied { Done, NameTaken, Failed };
// Copies the rest of `source` into a new file `to`: written beside it under a temporary name, flushed, and
// moved into place without replacing anything, so a file that appears meanwhile (another copy of the game
// starting) is never overwritten. Failed: `reason` says why (see system_error.h); nothing is left behind
// then.
Copied copyToNewName(File& source, const std::string& to, std::string& reason);

// Makes a move durable: the folder holding `path` is synced, so its new entry survives a crash too. Best
// effort. Windows: nothing to do, the move was written through.
void syncFolderOf(const std::string& path);

} // namespace platform
