#include "platform/file.h"

#include "platform/system_error.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {

bool File::writeAll(const void* data, std::size_t count)
{
    const char* p = static_cast<const char*>(data);
    while (count > 0) {
        const ssize_t wrote = ::write(m_native, p, count);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        p += wrote;
        count -= size_t(wrote);
    }
    return true;
}

long long File::readAll(void* data, std::size_t count)
{
    char* p = static_cast<char*>(data);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::read(m_native, p + done, count - done);
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

bool File::flush() { return ::fsync(m_native) == 0; }

bool File::replaceContent(std::string_view bytes)
{
    return ::ftruncate(m_native, 0) == 0
        && ::pwrite(m_native, bytes.data(), bytes.size(), 0) == ssize_t(bytes.size());
}

bool File::lockSharedNoWait() { return ::flock(m_native, LOCK_SH | LOCK_NB) == 0; }

bool File::close()
{
    if (m_native == None)
        return true;
    return ::close(std::exchange(m_native, None)) == 0;
}

namespace {

// What a path holds up to and including its last "/"; "" for a bare name.
std::string folderPartOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The folder holding `path`: "." for a bare name, "/" at the root.
std::string folderOf(const std::string& path)
{
    const std::string part = folderPartOf(path);
    if (part.empty())
        return ".";
    return part.size() == 1 ? part : part.substr(0, part.size() - 1);
}

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
    File file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!file.isOpen()) {
        if (errno == ENOENT || errno == ENOTDIR)
            return result;
        result.outcome = OpenedForReading::Outcome::Unreadable;
        result.whyNot = whyUnreadable(errno);
        return result;
    }
    struct stat info
    {
    };
    if (::fstat(file.native(), &info) != 0) {
        result.outcome = OpenedForReading::Outcome::Unreadable;
        result.whyNot = whyUnreadable(errno);
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.outcome = OpenedForReading::Outcome::Unreadable;
        result.whyNot = whyNotRegular(info.st_mode);
        return result;
    }
    const int flags = ::fcntl(file.native(), F_GETFL);
    if (flags >= 0)
        ::fcntl(file.native(), F_SETFL, flags & ~O_NONBLOCK);
    result.outcome = OpenedForReading::Outcome::Opened;
    result.size = static_cast<unsigned long long>(info.st_size);
    result.file = std::move(file);
    return result;
}

File createNewFile(const std::string& path, bool& nameTaken)
{
    File file(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    nameTaken = !file.isOpen() && errno == EEXIST;
    return file;
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
    if (::stat(folderOf(link).c_str(), &folder) != 0)
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
        chain.push_back(next.front() == '/' ? next : folderPartOf(current) + next);
    }
    return chain;
}

std::string followLinks(const std::string& path) { return linkChain(path).back(); }

bool exists(const std::string& path)
{
    struct stat info
    {
    };
    return ::stat(path.c_str(), &info) == 0;
}

bool nameInUse(const std::string& path)
{
    struct stat info
    {
    };
    return ::lstat(path.c_str(), &info) == 0 || errno != ENOENT;
}

bool isRegularFile(const std::string& path)
{
    struct stat info
    {
    };
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool existsReadOnly(const std::string& path)
{
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 && errno != ENOENT;
}

bool removeFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

LinkResult hardLink(const std::string& from, const std::string& to)
{
    if (::link(from.c_str(), to.c_str()) == 0)
        return LinkResult::Made;
    return errno == EEXIST ? LinkResult::NameTaken
        : errno == ENOENT  ? LinkResult::SourceMissing
                           : LinkResult::Failed;
}

std::vector<std::string> ownFilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        struct stat info
        {
        };
        if (::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode)
            && info.st_uid == ::geteuid())
            names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    return names;
}

namespace {

// Made with O_EXCL so two writers never share (and truncate) one temporary file.
File createTemporary(std::string& temporary)
{
    const std::string unique = "XXXXXX";
    if (temporary.size() >= unique.size()
        && temporary.compare(temporary.size() - unique.size(), unique.size(), unique) == 0) {
        File file(::mkstemp(temporary.data()));
        if (file.isOpen())
            ::fcntl(file.native(), F_SETFD, FD_CLOEXEC);
        return file;
    }
    File file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!file.isOpen() && errno == EEXIST) {
        // Left by a writer that died before its rename: its bytes are of no use, and they never go in place.
        ::unlink(temporary.c_str());
        file = File(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    }
    return file;
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

bool isSameFile(const std::string& path, const struct stat& made)
{
    struct stat named
    {
    };
    return ::stat(path.c_str(), &named) == 0 && named.st_dev == made.st_dev && named.st_ino == made.st_ino;
}

} // namespace

Replaced replaceFile(const std::string& target, std::string temporary,
                     const std::function<void(File&)>& write)
{
    File file = createTemporary(temporary);
    if (!file.isOpen())
        return Replaced::CannotCreate;
    struct stat made
    {
    };
    bool written = false;
    try {
        // Another writer may have removed our file and made its own under the name: renaming that one
        // would put its half-written bytes in place.
        if (::fstat(file.native(), &made) == 0 && ::fchmod(file.native(), modeForNewFile(target)) == 0) {
            write(file);
            written = file.flush() && file.close() && isSameFile(temporary, made);
        }
    } catch (...) {
        if (isSameFile(temporary, made))
            ::unlink(temporary.c_str()); // a half-written file is of no use to anyone
        throw;
    }
    if (!written) {
        if (isSameFile(temporary, made))
            ::unlink(temporary.c_str());
        return Replaced::CannotWrite;
    }
    // The old file is replaced only now, in one step: a crash leaves either the old file or the new one.
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return Replaced::CannotRename;
    }
    syncFolderOf(target);
    return Replaced::Done;
}

std::string reasonText(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return " (nincs hozzá jogosultság)";
    case ENOTDIR:
        return " (az útvonal egyik tagja fájl, nem mappa)";
    case ENOSPC:
    case EDQUOT:
        return " (megtelt a lemez)";
    case EROFS:
        return " (csak olvasható fájlrendszer)";
    default:
        return std::string(" (") + std::strerror(error) + ")";
    }
}

namespace {

// Copies every byte of `from` into `to`; returns 0 or the errno of the failed read or write.
int copyBytes(File& from, File& to)
{
    std::vector<char> buffer(65536);
    for (;;) {
        errno = 0;
        const long long got = from.readAll(buffer.data(), buffer.size());
        if (got < 0 || !to.writeAll(buffer.data(), size_t(got)))
            return errno ? errno : EIO;
        if (size_t(got) < buffer.size())
            return 0;
    }
}

// Moves `from` to `to` unless `to` exists; returns 0, EEXIST, or another errno.
int moveWithoutReplacing(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system without the no-replace rename: a hard link also refuses an existing name.
    if (::link(from.c_str(), to.c_str()) != 0)
        return errno;
    ::unlink(from.c_str());
    return 0;
}

} // namespace

Copied copyToNewName(File& source, const std::string& to, std::string& reason)
{
    std::string temporary = to + ".XXXXXX";
    File target(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!target.isOpen()) {
        reason = reasonText(errno);
        return Copied::Failed;
    }
    int error = copyBytes(source, target);
    if (error == 0 && !target.flush())
        error = errno;
    if (!target.close() && error == 0)
        error = errno;
    if (error == 0)
        error = moveWithoutReplacing(temporary, to);
    if (error != 0) {
        ::unlink(temporary.c_str());
        if (error == EEXIST)
            return Copied::NameTaken;
        reason = reasonText(error);
        return Copied::Failed;
    }
    syncFolderOf(to);
    return Copied::Done;
}

void syncFolderOf(const std::string& path)
{
    const int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace platform
