#pragma once
// The system's side of the one-writer-per-folder lock: an exclusive lock on a lock file that the system drops
// when its holder ends, however it ends (flock on POSIX, LockFileEx on Windows).

#include "platform/file.h"

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

struct LockAttempt
{
    enum class Outcome {
        Held, // `file` holds the lock until it is closed
        Taken, // another process holds it
        Unavailable, // no lock file there and none can be made: nobody can write in the folder either
        Refused, // a lock file is there but cannot be ours: `why` says why, in Hungarian
    } outcome
        = Outcome::Unavailable;
    File file;
    std::string why;
};

// Opens (making it when missing) and locks the lock file `path` once, never waiting. POSIX: the file is
// private to its user (0600) and never a link; another user's is refused.
LockAttempt lockExclusively(const std::string& path);

// The first `limit` bytes of the lock file `path` when it is a regular file of this user; nothing otherwise.
// Readable while another process holds the lock.
std::optional<std::string> readOwnLockFile(const std::string& path, std::size_t limit);

// A folder's identity, whatever spelling reaches it; nothing when it cannot be looked at.
struct FolderIdentity
{
    std::uint64_t device = 0;
    std::uint64_t index = 0;
    bool operator==(const FolderIdentity&) const = default;
};
std::optional<FolderIdentity> identityOf(const std::string& folder);

} // namespace platform
