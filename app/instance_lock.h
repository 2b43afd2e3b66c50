#pragma once
// One game per data folder. The first copy holds the folder's lock and listens for later copies; a later
// copy, finding the lock taken, asks the first to show its window and ends without touching any file.

#include "platform/handover.h"
#include "storage/folder_lock.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QObject;
class QWidget;

class SingleInstance
{
public:
    // Runs before the application object and before any file of the folder is read. `tableFiles` are the
    // folder's table files: the folders their links lead to are locked too, so that the table tool cannot
    // write the game's list through another path while the game runs.
    SingleInstance(const std::string& dataFolder, const std::vector<std::string>& tableFiles);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Set when this copy must end at once: another copy has the folder (0 once it was asked to show
    // itself, 1 when it did not answer and was not gone either), or a lock could not be taken (1).
    std::optional<int> exitStatus() const { return m_exitStatus; }
    // Why this copy may not run here, for the player; empty when the reason is only another copy running.
    const std::string& refusal() const { return m_refusal; }

    // Once the application object stands: later copies' requests are answered from then on, also while a
    // start-up message is open (that message is brought up then).
    void answerRequests();
    // Once the main window exists: a later copy's request brings it up and activates it.
    void raiseOnRequest(QWidget& window);

private:
    storage::FolderLock m_lock;
    std::vector<std::unique_ptr<storage::PathLocks>> m_fileLocks;
    std::unique_ptr<QObject> m_receiver; // takes the hand-over's requests into the event loop
    std::unique_ptr<platform::HandoverListener> m_listener;
    QWidget* m_window = nullptr;
    std::string m_refusal;
    std::optional<int> m_exitStatus;
};
