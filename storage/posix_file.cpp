#include "storage/posix_file.h"

#include "storage/folder_sync.h"
#include "storage/paths.h"
#include "storage/storage_error.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace storage {

FileHandle::~FileHandle() { reset(); }

void FileHandle::reset(int fd)
{
    if (m_fd >= 0 && m_fd != fd)
        ::close(m_fd);
    m_fd = fd;
}

namespace {

std::string whyUnreadable(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return "nincs jogosultság az olvasásához";
    case EISDIR:
        return "nem fájl, hanem mappa";
    case ENXIO:
        return "nem közönséges fájl, hanem socket vagy eszköz";
    case ELOOP:
        return "a hivatkozások körbe mutatnak";
    default:
        return std::strerror(error);
    }
}

std::string whyNotRegular(mode_t mode)
{
    if (S_ISDIR(mode))
        return "nem fájl, hanem mappa";
    if (S_ISFIFO(mode))
        return "nem közönséges fájl, hanem csővezeték (FIFO)";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "nem közönséges fájl, hanem eszköz";
    if (S_ISSOCK(mode))
        return "nem közönséges fájl, hanem socket";
    return "nem közönséges fájl";
}

} // namespace

OpenedForReading openForReading(const std::string& path)
{
    OpenedForReading result;
    // Without O_NONBLOCK, opening a FIFO waits for a writer that never comes.
    FileHandle file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return result;
        result.outcome = OpenedForReading::Outcome::Unreadable;
        result.whyNot = whyUnreadable(errno);
        return result;
    }
    struct stat info
    {
    };
    if (::fstat(file.get(), &info) != 0) {
        result.outcome = OpenedForReading::Outcome::Unreadable;
        result.whyNot = whyUnreadable(errno);
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.outcome = OpenedForReading::Outcome::Unreadable;
        result.whyNot = whyNotRegular(info.st_mode);
        return result;
    }
    const int flags = ::fcntl(file.get(), F_GETFL);
    if (flags >= 0)
        ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK);
    result.outcome = OpenedForReading::Outcome::Opened;
    result.size = static_cast<unsigned long long>(info.st_size);
    result.fd = file.release();
    return result;
}

namespace {

// The rule the kernel applies to links in a folder everybody may write with the sticky bit (/tmp): a link
// there is followed only by its owner or when it belongs to the folder's owner. Following links by hand
// bypasses the kernel's check, so it is made here again.
bool mayFollow(const std::string& link, const struct stat& linkInfo)
{
    struct stat folder
    {
    };
    if (::stat(folderOfFile(link).c_str(), &folder) != 0)
        return false;
    const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
    return !shared || linkInfo.st_uid == ::geteuid() || linkInfo.st_uid == folder.st_uid;
}

} // namespace

std::vector<std::string> linkChain(const std::string& path)
{
    std::vector<std::string> chain {path};
    // The kernel's own limit on links in a row; a loop is left to fail where the file is opened.
    for (int hop = 0; hop < 40; ++hop) {
        const std::string& current = chain.back();
        struct stat info
        {
        };
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode) || !mayFollow(current, info))
            break;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), target, sizeof target);
        if (length <= 0 || size_t(length) >= sizeof target)
            break;
        std::string next(target, size_t(length));
        chain.push_back(next.front() == '/' ? next : std::string(folderPartOf(current)) + next);
    }
    return chain;
}

std::string followLinks(const std::string& path) { return linkChain(path).back(); }

void refuseReadOnly(const std::string& path, const std::string& message)
{
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 && errno != ENOENT)
        throw StorageError(message);
}

bool writeAll(int fd, const void* data, std::size_t count)
{
    const char* p = static_cast<const char*>(data);
    while (count > 0) {
        const ssize_t wrote = ::write(fd, p, count);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        p += wrote;
        count -= size_t(wrote);
    }
    return true;
}

long long readAll(int fd, void* data, std::size_t count)
{
    char* p = static_cast<char*>(data);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::read(fd, p + done, count - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += size_t(got);
    }
    return static_cast<long long>(done);
}

namespace {

// Made with O_EXCL so two writers never share (and truncate) one temporary file.
int createTemporary(std::string& temporary)
{
    const std::string unique = "XXXXXX";
    if (temporary.size() >= unique.size()
        && temporary.compare(temporary.size() - unique.size(), unique.size(), unique) == 0) {
        const int fd = ::mkstemp(temporary.data());
        if (fd >= 0)
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        return fd;
    }
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) {
        // Left by a writer that died before its rename: its bytes are of no use, and they never go in place.
        ::unlink(temporary.c_str());
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    }
    return fd;
}

mode_t modeForNewFile(const std::string& target)
{
    struct stat existing
    {
    };
    if (::stat(target.c_str(), &existing) == 0)
        return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

void replaceFile(const std::string& target, std::string temporary, const std::function<void(int fd)>& write,
                 const ReplaceMessages& messages)
{
    FileHandle file(createTemporary(temporary));
    if (file.get() < 0)
        throw StorageError(messages.cannotCreate);
    struct stat made
    {
    };
    try {
        if (::fstat(file.get(), &made) != 0 || ::fchmod(file.get(), modeForNewFile(target)) != 0)
            throw StorageError(messages.cannotWrite);
        write(file.get());
        if (::fsync(file.get()) != 0 || ::close(file.release()) != 0)
            throw StorageError(messages.cannotWrite);
        // Another writer may have removed our file and made its own under the name: renaming that one
        // would put its half-written bytes in place.
        struct stat named
        {
        };
        if (::stat(temporary.c_str(), &named) != 0 || named.st_dev != made.st_dev
            || named.st_ino != made.st_ino)
            throw StorageError(messages.cannotWrite);
    } catch (...) {
        struct stat named
        {
        };
        if (::stat(temporary.c_str(), &named) == 0 && named.st_dev == made.st_dev
            && named.st_ino == made.st_ino)
            ::unlink(temporary.c_str()); // a half-written file is of no use to anyone
        throw;
    }
    // The old file is replaced only now, in one step: a crash leaves either the old file or the new one.
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        throw StorageError(messages.cannotRename);
    }
    syncFolderOf(target);
}

} // namespace storage
