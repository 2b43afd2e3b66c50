#include "app/session_end.h"

#include "platform/termination.h"
#include "ui/modal.h"

#include <QApplication>
#include <QSessionManager>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <utility>

namespace {

const ui::ModalRunner* s_modal = nullptr;
std::function<void()>* s_save = nullptr;
// Takes the system's request from its thread into the event loop; null outside the SessionEnd's life.
std::mutex s_receiverMutex;
QObject* s_receiver = nullptr;

// Runs the exit save now, once: no window may wait for an answer any more.
void saveNow()
{
    if (!s_save || !s_modal)
        return;
    s_modal->stopAsking();
    const std::unique_ptr<std::function<void()>> save(std::exchange(s_save, nullptr));
    (*save)();
}

void endTheLoop(const ui::ModalRunner& modal)
{
    modal.stopAsking();
    QCoreApplication::exit(0); // every running event loop ends, the modal windows' too
}

} // namespace

SessionEnd::SessionEnd(const ui::ModalRunner& modal, std::function<void()> save)
{
    s_modal = &modal;
    s_save = new std::function<void()>(std::move(save));
    // A lost display: Qt calls exit() from the event loop; the windows are still there, but no event loop
    // will run.
    static bool atExitRegistered = false;
    if (!std::exchange(atExitRegistered, true))
        std::atexit(saveNow);

    {
        const std::lock_guard lock(s_receiverMutex);
        s_receiver = new QObject;
    }
    platform::onTerminationRequest([&modal] {
        const std::lock_guard lock(s_receiverMutex);
        if (s_receiver)
            QMetaObject::invokeMethod(
                s_receiver, [&modal] { endTheLoop(modal); }, Qt::QueuedConnection);
    });
    // The desktop's logout asks first, and the session may end as soon as the answer is given (on Windows it
    // does): the game saves at once, then ends.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, qApp, [&modal](QSessionManager&) {
        saveNow();
        endTheLoop(modal);
    });
}

SessionEnd::~SessionEnd()
{
    {
        const std::lock_guard lock(s_receiverMutex);
        delete std::exchange(s_receiver, nullptr);
    }
    delete std::exchange(s_save, nullptr);
    s_modal = nullptr;
}
