#include "platform/termination.h"

#include <windows.h>

#include <mutex>

namespace platform {

namespace {

std::mutex s_mutex;
std::function<void()> s_request;

// The system calls this on a thread of its own.
BOOL WINAPI onConsoleEvent(DWORD event)
{
    {
        const std::lock_guard lock(s_mutex);
        if (s_request)
            s_request();
    }
    // For the console's closing, the logoff and the shutdown the process ends when this returns: it waits
    // (the system allows a few seconds) while the program saves and ends.
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        ::Sleep(4000);
    return TRUE;
}

} // namespace

void onTerminationRequest(std::function<void()> request)
{
    static bool registered = false;
    {
        const std::lock_guard lock(s_mutex);
        s_request = std::move(request);
    }
    if (!registered)
        registered = ::SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

} // namespace platform
