#include "storage/folder_lock.h"

#include "storage/paths.h"
#include "storage/posix_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace storage {

namespace {

std::string lockFileIn(const std::string& folder) { return pathIn(folder, LockFileName); }

// A folder's identity, whatever spelling reaches it; {0, 0} when it cannot be looked at.
std::pair<dev_t, ino_t> identityOf(const std::string& folder)
{
    struct stat info
    {
    };
    if (::stat(folder.empty() ? "." : folder.c_str(), &info) != 0)
        return {0, 0};
    return {info.st_dev, info.st_ino};
}

std::string refusalText(const std::string& path, const std::string& why)
{
    return "a(z) " + path + " zárolófájl nem használható (" + why + ")";
}

} // namespace

FolderLock::FolderLock(const std::string& folder)
    : m_path(lockFileIn(folder))
{
    retry();
}

FolderLock::~FolderLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // releases the lock
}

FolderLock::State FolderLock::retry()
{
    if (m_state == State::Held)
        return m_state;
    m_refusal.clear();
    // O_NONBLOCK: whatever sits under the name, opening it must not wait. O_NOFOLLOW: a link planted under
    // the name would lock (or create) a file elsewhere and leave this folder unguarded.
    int fd = ::open(m_path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    int openError = errno;
    if (fd < 0 && openError == EROFS) // a lock file made before the file system became read-only still locks
        fd = ::open(m_path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        struct stat there
        {
        };
        if (::lstat(m_path.c_str(), &there) != 0 && errno == ENOENT) {
            m_state = State::Unavailable; // nothing there and nothing can be made: no writer can write here
            return m_state;
        }
        m_state = State::Refused;
        m_refusal = refusalText(m_path,
                                openError == ELOOP        ? "szimbolikus hivatkozás"
                                    : openError == EACCES ? "nincs hozzá jogosultság"
                                                          : std::strerror(openError));
        return m_state;
    }
    struct stat info
    {
    };
    const uid_t me = ::geteuid();
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || (info.st_uid != me && me != 0)) {
        ::close(fd);
        m_state = State::Refused;
        m_refusal = refusalText(m_path, "egy másik felhasználóé, vagy nem közönséges fájl");
        return m_state;
    }
    // A lock file of an earlier version was readable by everyone.
    if (info.st_uid == me && (info.st_mode & 077) != 0)
        ::fchmod(fd, 0600);
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        m_fd = fd;
        m_state = State::Held;
        return m_state;
    }
    m_state = errno == EWOULDBLOCK ? State::TakenByAnother : State::Unavailable;
    ::close(fd);
    return m_state;
}

bool FolderLock::publish(std::string_view note)
{
    if (m_state != State::Held)
        return false;
    return ::ftruncate(m_fd, 0) == 0 && ::pwrite(m_fd, note.data(), note.size(), 0) == ssize_t(note.size());
}

std::string FolderLock::readNote(const std::string& folder)
{
    FileHandle file(::open(lockFileIn(folder).c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info
    {
    };
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)
        || info.st_uid != ::geteuid())
        return {};
    char bytes[128];
    const long long got = readAll(file.get(), bytes, sizeof bytes);
    if (got <= 0)
        return {};
    const std::string text(bytes, size_t(got));
    return text.substr(0, text.find('\n'));
}

PathLocks::PathLocks(const std::string& path, const std::vector<std::string>& heldFolders)
{
    std::vector<std::pair<dev_t, ino_t>> seen;
    for (const auto& folder : heldFolders)
        seen.push_back(identityOf(folder));
    for (const auto& step : linkChain(path)) {
        const std::string folder = folderOfFile(step);
        const auto identity = identityOf(folder);
        if (identity == std::pair<dev_t, ino_t> {0, 0}
            || std::find(seen.begin(), seen.end(), identity) != seen.end())
            continue;
        seen.push_back(identity);
        m_locks.push_back(std::make_unique<FolderLock>(folder));
    }
}

FolderLock::State PathLocks::state() const
{
    FolderLock::State worst = FolderLock::State::Held;
    for (const auto& lock : m_locks) {
        if (lock->state() == FolderLock::State::Refused)
            return lock->state();
        if (lock->state() == FolderLock::State::TakenByAnother)
            worst = lock->state();
    }
    return worst;
}

FolderLock::State PathLocks::retry()
{
    for (const auto& lock : m_locks)
        lock->retry();
    return state();
}

std::string PathLocks::problem() const
{
    for (const auto& lock : m_locks)
        if (lock->state() == FolderLock::State::Refused)
            return lock->refusal();
    for (const auto& lock : m_locks)
        if (lock->state() == FolderLock::State::TakenByAnother)
            return folderOfFile(lock->path());
    return {};
}

std::vector<std::string> PathLocks::folders() const
{
    std::vector<std::string> locked;
    for (const auto& lock : m_locks)
        locked.push_back(folderOfFile(lock->path()));
    return locked;
}

} // namespace storage
