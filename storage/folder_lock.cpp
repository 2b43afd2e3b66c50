#include "storage/folder_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace storage {

FolderLock::FolderLock(const std::string& folder)
    : m_path((folder.empty() ? std::string(".") : folder)
             + (folder.empty() || folder.back() != '/' ? "/" : "") + LockFileName)
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
    // O_NONBLOCK: whatever sits under the name, opening it must not wait.
    int fd = ::open(m_path.c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) // a lock file made before the folder became read-only still locks
        fd = ::open(m_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        m_state = State::Unavailable;
        return m_state;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        m_fd = fd;
        m_state = State::Held;
        return m_state;
    }
    m_state = errno == EWOULDBLOCK ? State::TakenByAnother : State::Unavailable;
    ::close(fd);
    return m_state;
}

std::string folderOfFile(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace storage
