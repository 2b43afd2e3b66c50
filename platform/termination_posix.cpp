#include "platform/termination.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace platform {

namespace {

int s_pipe[2] = {-1, -1};
std::mutex s_mutex;
std::function<void()> s_request;

// Only what is safe in a signal handler: the rest runs on the watching thread.
void onSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto ignored = ::write(s_pipe[1], &byte, 1);
    errno = saved;
}

} // namespace

void onTerminationRequest(std::function<void()> request)
{
    {
        const std::lock_guard lock(s_mutex);
        s_request = std::move(request);
    }
    if (s_pipe[0] >= 0 || ::pipe2(s_pipe, O_CLOEXEC) != 0)
        return;
    // Lives as long as the process: a signal may come until its very end.
    std::thread([] {
        for (;;) {
            char bytes[16];
            const ssize_t got = ::read(s_pipe[0], bytes, sizeof bytes);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return;
            const std::lock_guard lock(s_mutex);
            if (s_request)
                s_request();
        }
    }).detach();
    struct sigaction action
    {
    };
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(signal, &action, nullptr);
}

} // namespace platform
