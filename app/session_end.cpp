#include "app/session_end.h"

#include "ui/modal.h"

#include <QApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <unistd.h>
#include <utility>

namespace {

int s_signalPipe[2] = {-1, -1};
const ui::ModalRunner* s_modal = nullptr;
std::function<void()>* s_save = nullptr;

// Only what is safe in a signal handler: the rest runs in the event loop.
void onSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto ignored = ::write(s_signalPipe[1], &byte, 1);
    errno = saved;
}

// A lost display: Qt calls exit() from the event loop; the windows are still there, but no event loop will
// run.
void saveAtExit()
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
    static bool atExitRegistered = false;
    if (!std::exchange(atExitRegistered, true))
        std::atexit(saveAtExit);

    if (s_signalPipe[0] < 0 && ::pipe2(s_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        s_signalPipe[0] = s_signalPipe[1] = -1;
    if (s_signalPipe[0] >= 0) {
        auto* notifier = new QSocketNotifier(s_signalPipe[0], QSocketNotifier::Read, qApp);
        QObject::connect(notifier, &QSocketNotifier::activated, qApp, [notifier, &modal] {
            char bytes[16];
            while (::read(notifier->socket(), bytes, sizeof bytes) > 0) { }
            endTheLoop(modal);
        });
        struct sigaction action
        {
        };
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int signal : {SIGTERM, SIGHUP, SIGINT})
            ::sigaction(signal, &action, nullptr);
    }
    // The desktop's logout asks first; the session may be ended right after, so the game ends now.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, qApp,
                     [&modal](QSessionManager&) { endTheLoop(modal); });
}

SessionEnd::~SessionEnd()
{
    delete std::exchange(s_save, nullptr);
    s_modal = nullptr;
}
