#pragma once
// One writer per data folder: the game holds this lock while it runs, the table tool while it writes.
// It is a system lock on a file in the folder (platform/file_lock.h), so a copy that crashes cannot leave
// it stuck. On POSIX the lock file is private to its user (0600): flock also works on a descriptor opened
// only for reading, so a file others may read would let them hold the lock.

#include "platform/file.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace storage {

inline constexpr const char* LockFileName = "Brumvelda.lock";

class FolderLock
{
public:
    enum class State {
        Held, // ours until this object ends
        TakenByAnother, // another process holds it
        Unavailable, // no lock file can be made in the folder (read-only, missing): nobody can write there
                     // either
        Refused, // a lock file is there but cannot be ours (another user's, a link, unopenable): refusal()
                 // says why
    };

    // Tries once and never waits.
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    State state() const { return m_state; }
    // Tries again after TakenByAnother (the other process may have ended since).
    State retry();
    const std::string& path() const { return m_path; }
    // Refused: why, naming the lock file, in Hungarian.
    const std::string& refusal() const { return m_refusal; }

    // Held: replaces what the lock file holds with `note` (the game keeps its hand-over name there, where
    // only its own user can read it). False when it could not be written.
    bool publish(std::string_view note);
    // The first line of the lock file of `folder`, when it is a regular file of this user; else empty.
    static std::string readNote(const std::string& folder);

private:
    std::string m_path;
    std::string m_refusal;
    platform::File m_file;
    State m_state = State::Unavailable;
};

// The locks of every folder that a file's path passes through when its links are followed (the folder of
// the path and of each link's target), except folders whose lock this process already holds: a writer must
// stop whenever a game uses the file, however that game reaches it.
class PathLocks
{
public:
    // `heldFolders`: folders this process has locked already (a second lock of ours would block on the
    // first).
    explicit PathLocks(const std::string& path, const std::vector<std::string>& heldFolders = {});
    // The worst state among the folders: Refused, then TakenByAnother, else Held (Unavailable folders are
    // left out: nothing can be written there).
    FolderLock::State state() const;
    FolderLock::State retry();
    // Refused: the first refusal; TakenByAnother: the folder whose lock is taken.
    std::string problem() const;
    // The folders locked here (for the next PathLocks of the same process to leave out).
    std::vector<std::string> folders() const;

private:
    std::vector<std::unique_ptr<FolderLock>> m_locks;
};

} // namespace storage
