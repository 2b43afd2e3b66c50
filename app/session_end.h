#pragma once
// The game ends as its exit button ends it (settings and tables written, no window waiting for an answer)
// also when the system or the desktop ends it: the system's request (SIGTERM, SIGHUP and SIGINT on POSIX),
// the desktop's logout or the session's end, and a lost connection to the display, after which Qt ends the
// process with exit().

#include <functional>

namespace ui {
class ModalRunner;
}

class SessionEnd
{
public:
    // Made once the application object stands. `save` is the exit save, run where the event loop can no
    // longer run it: at the display's loss (from exit()) and at the logout. For the system's request the
    // event loop is ended instead and main() runs the save as after the exit button.
    SessionEnd(const ui::ModalRunner& modal, std::function<void()> save);
    ~SessionEnd(); // main() ended normally: nothing is left for exit() to save
    SessionEnd(const SessionEnd&) = delete;
    SessionEnd& operator=(const SessionEnd&) = delete;
};
