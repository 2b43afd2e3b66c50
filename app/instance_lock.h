#pragma once
// One game per data folder. The first copy holds the folder's lock and listens for later copies; a later
// copy, finding the lock taken, asks the first to show its window and ends without touching any file.

#include "storage/folder_lock.h"

#include <optional>
#include <string>

class QWidget;

class SingleInstance
{
public:
    // Runs before the application object and before any file of the folder is read.
    explicit SingleInstance(const std::string& dataFolder);
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Set when this copy must end at once: another copy has the folder (0 once it was asked to show
    // itself, 1 when it did not answer and was not gone either).
    std::optional<int> exitStatus() const { return m_exitStatus; }

    // Once the main window exists: a later copy's request brings it up and activates it.
    void raiseOnRequest(QWidget& window);

private:
    storage::FolderLock m_lock;
    std::string m_serverName;
    std::optional<int> m_exitStatus;
};
