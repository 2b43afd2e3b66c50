#pragma once
// The hand-over from a later copy of the game to the running one: the running copy listens at a private
// endpoint that only its own user can reach, under a random name that it keeps in the folder's lock file; a
// later copy asks it there to show its window. POSIX: a Unix socket in the abstract namespace, the peer's
// user checked on both sides. Windows: a named pipe whose access list admits only the same user, the pipe's
// server checked by the asking side.

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace platform {

class HandoverListener
{
public:
    // Starts listening at once; name() stays empty when no endpoint could be made.
    HandoverListener();
    ~HandoverListener(); // stops serving, and waits for a request being answered
    HandoverListener(const HandoverListener&) = delete;
    HandoverListener& operator=(const HandoverListener&) = delete;

    const std::string& name() const;
    // From now on each request of this user runs `raise` on a thread of the listener's own, and the asking
    // copy is answered once `raise` returns. Called once.
    void serve(std::function<void()> raise);
    // Stops serving and closes the endpoint: later requests are refused at once.
    void stop();

    struct State;

private:
    std::unique_ptr<State> m_state;
};

// Asks the copy listening under `name` to show its window; true once it said it did. A listener that runs as
// another user is never asked. On Windows the asked copy is also allowed to take the foreground.
bool askToRaise(const std::string& name, std::chrono::milliseconds timeout);

} // namespace platform
