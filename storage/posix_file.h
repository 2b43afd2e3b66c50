#pragma once
// The POSIX file steps shared by the table file, the settings store and the table tool: opening for reading
// without blocking on odd files, following links to the file a save must replace, and replacing a file
// through a temporary one.

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace storage {

// Owns a file descriptor.
class FileHandle
{
public:
    explicit FileHandle(int fd = -1)
        : m_fd(fd)
    {
    }
    ~FileHandle();
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }
    void reset(int fd = -1);

private:
    int m_fd;
};

// Opening a file for reading: a missing file, an opened regular file, or one that exists and cannot be read.
struct OpenedForReading
{
    enum class Outcome { Missing, Opened, Unreadable } outcome = Outcome::Missing;
    int fd = -1; // Opened: the caller owns it
    unsigned long long size = 0; // Opened: the size fstat reported
    std::string whyNot; // Unreadable: why, in Hungarian
};

// Never blocks: a FIFO, a device, a socket or a folder is unreadable, not waited on or read without end.
OpenedForReading openForReading(const std::string& path);

// The file a save must replace: `path` with every symbolic link followed, also a link to a file not made yet.
// Another user's link in a shared sticky folder (/tmp) is not followed, as the kernel would not: a save then
// replaces the link itself.
std::string followLinks(const std::string& path);
// `path`, then each link's target in turn, the last being what followLinks gives.
std::vector<std::string> linkChain(const std::string& path);

// Throws `message` when the file exists and the user may not write it: such a file is never replaced.
void refuseReadOnly(const std::string& path, const std::string& message);

// Full write and read of a buffer, retried after signals and short counts. False on an error or a write
// that makes no progress; `read` returns the bytes read (fewer only at the end of the file) or -1.
bool writeAll(int fd, const void* data, std::size_t count);
long long readAll(int fd, void* data, std::size_t count);

// What replaceFile says when a step fails: the temporary file could not be made, written, or renamed.
struct ReplaceMessages
{
    std::string cannotCreate;
    std::string cannotWrite;
    std::string cannotRename;
};

// Writes a new file through `write` (handed the open descriptor) and renames it over `target`, which must be
// the file itself, not a link to it. The temporary file is `temporary`, created exclusively (a leftover of a
// writer that crashed is removed first, never renamed into place); a name ending in "XXXXXX" is made unique
// instead. It keeps the old file's permissions, is synced before the rename and removed on any failure; a
// writer whose temporary file was taken over by another is told, never reports success.
void replaceFile(const std::string& target, std::string temporary, const std::function<void(int fd)>& write,
                 const ReplaceMessages& messages);

} // namespace storage
