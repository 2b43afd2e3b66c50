#pragma once
// One writer per data folder: the game holds this lock while it runs, the table tool while it writes.
// It is a kernel lock (flock) on a file in the folder, so a copy that crashes cannot leave it stuck.

#include <string>

namespace storage {

inline constexpr const char* LockFileName = "Brumvelda.lock";

class FolderLock
{
public:
    enum class State {
        Held, // ours until this object ends
        TakenByAnother, // another process holds it
        Unavailable, // no lock file can be made or locked (a read-only folder): nobody can write there either
    };

    // Tries once and never waits.
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    State state() const { return m_state; }
    // Tries again after TakenByAnother (the other process may have ended since).
    State retry();

private:
    std::string m_path;
    int m_fd = -1;
    State m_state = State::Unavailable;
};

// The folder that holds `path` ("." for a bare name), without a trailing slash.
std::string folderOfFile(const std::string& path);

} // namespace storage
