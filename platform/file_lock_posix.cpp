#include "platform/file_lock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

LockAttempt lockExclusively(const std::string& path)
{
    LockAttempt attempt;
    // O_NONBLOCK: whatever sits under the name, opening it must not wait. O_NOFOLLOW: a link planted under
    // the name would lock (or create) a file elsewhere and leave this folder unguarded.
    File file(::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600));
    const int openError = errno;
    if (!file.isOpen() && openError == EROFS) // a lock file made before the file system became read-only
        file = File(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)); // still locks
    if (!file.isOpen()) {
        struct stat there
        {
        };
        if (::lstat(path.c_str(), &there) != 0 && errno == ENOENT)
            return attempt; // nothing there and nothing can be made: no writer can write here
        attempt.outcome = LockAttempt::Outcome::Refused;
        attempt.why = openError == ELOOP ? "szimbolikus hivatkozás"
            : openError == EACCES        ? "nincs hozzá jogosultság"
                                         : std::strerror(openError);
        return attempt;
    }
    struct stat info
    {
    };
    const uid_t me = ::geteuid();
    if (::fstat(file.native(), &info) != 0 || !S_ISREG(info.st_mode) || (info.st_uid != me && me != 0)) {
        attempt.outcome = LockAttempt::Outcome::Refused;
        attempt.why = "egy másik felhasználóé, vagy nem közönséges fájl";
        return attempt;
    }
    // A lock file of an earlier version was readable by everyone.
    if (info.st_uid == me && (info.st_mode & 077) != 0)
        ::fchmod(file.native(), 0600);
    if (::flock(file.native(), LOCK_EX | LOCK_NB) == 0) {
        attempt.outcome = LockAttempt::Outcome::Held;
        attempt.file = std::move(file);
        return attempt;
    }
    attempt.outcome = errno == EWOULDBLOCK ? LockAttempt::Outcome::Taken : LockAttempt::Outcome::Unavailable;
    return attempt;
}

std::optional<std::string> readOwnLockFile(const std::string& path, std::size_t limit)
{
    File file(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info
    {
    };
    if (!file.isOpen() || ::fstat(file.native(), &info) != 0 || !S_ISREG(info.st_mode)
        || info.st_uid != ::geteuid())
        return std::nullopt;
    return file.readUpTo(limit);
}

std::optional<FolderIdentity> identityOf(const std::string& folder)
{
    struct stat info
    {
    };
    if (::stat(folder.empty() ? "." : folder.c_str(), &info) != 0)
        return std::nullopt;
    return FolderIdentity {std::uint64_t(info.st_dev), std::uint64_t(info.st_ino)};
}

} // namespace platform
