#pragma once
// The system's request that the program end, as opposed to a kill: POSIX sends SIGTERM, SIGHUP or SIGINT;
// Windows asks a program with a console through its console handler. (A Windows program without a console is
// asked through its windows, which Qt turns into the session's end and the window's close.)

#include <functional>

namespace platform {

// Runs `request` on a thread of its own at each such request, from now on; the program is left running, and
// `request` is expected to end it soon. The first call registers; later calls replace `request`.
void onTerminationRequest(std::function<void()> request);

} // namespace platform
