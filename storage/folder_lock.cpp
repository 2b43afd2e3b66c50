#include "storage/folder_lock.h"

#include "platform/file_lock.h"
#include "storage/paths.h"

#include <algorithm>
#include <optional>

namespace storage {

namespace {

std::string lockFileIn(const std::string& folder) { return pathIn(folder, LockFileName); }

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

FolderLock::~FolderLock() = default; // closing the lock file releases the lock

FolderLock::State FolderLock::retry()
{
    if (m_state == State::Held)
        return m_state;
    m_refusal.clear();
    platform::LockAttempt attempt = platform::lockExclusively(m_path);
    switch (attempt.outcome) {
    case platform::LockAttempt::Outcome::Held:
        m_file = std::move(attempt.file);
        m_state = State::Held;
        break;
    case platform::LockAttempt::Outcome::Taken:
        m_state = State::TakenByAnother;
        break;
    case platform::LockAttempt::Outcome::Unavailable:
        m_state = State::Unavailable;
        break;
    case platform::LockAttempt::Outcome::Refused:
        m_state = State::Refused;
        m_refusal = refusalText(m_path, attempt.why);
        break;
    }
    return m_state;
}

bool FolderLock::publish(std::string_view note)
{
    return m_state == State::Held && m_file.replaceContent(note);
}

std::string FolderLock::readNote(const std::string& folder)
{
    const std::optional<std::string> text = platform::readOwnLockFile(lockFileIn(folder), 128);
    if (!text || text->empty())
        return {};
    return text->substr(0, text->find('\n'));
}

PathLocks::PathLocks(const std::string& path, const std::vector<std::string>& heldFolders)
{
    std::vector<platform::FolderIdentity> seen;
    for (const auto& folder : heldFolders)
        if (const auto identity = platform::identityOf(folder))
            seen.push_back(*identity);
    for (const auto& step : platform::linkChain(path)) {
        const std::string folder = folderOfFile(step);
        const auto identity = platform::identityOf(folder);
        if (!identity || std::find(seen.begin(), seen.end(), *identity) != seen.end())
            continue;
        seen.push_back(*identity);
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
