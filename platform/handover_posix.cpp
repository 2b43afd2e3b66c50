#include "platform/handover.h"

#include "platform/file.h"

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string_view>
#include <sys/random.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

// A Unix socket in the abstract namespace: no file is made for it, and a copy that crashed leaves nothing
// behind. Such a socket has no file permissions, so each side checks that the other runs as the same user
// before it trusts it.

namespace platform {

namespace {

constexpr std::string_view RaiseRequest = "raise\n";
constexpr std::string_view Raised = "ok\n";
constexpr auto PeerPatience = std::chrono::seconds(2);

std::string randomName()
{
    unsigned char bytes[16] {};
    if (::getrandom(bytes, sizeof bytes, 0) != ssize_t(sizeof bytes))
        return {};
    static constexpr char Hex[] = "0123456789abcdef";
    std::string name = "brumvelda-";
    for (unsigned char byte : bytes) {
        name += Hex[byte >> 4];
        name += Hex[byte & 15];
    }
    return name;
}

socklen_t abstractAddress(const std::string& name, sockaddr_un& address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    // sun_path[0] stays zero: the abstract namespace.
    std::memcpy(address.sun_path + 1, name.data(), name.size());
    return socklen_t(offsetof(sockaddr_un, sun_path) + 1 + name.size());
}

bool sameUser(int fd)
{
    ucred peer {};
    socklen_t size = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::getuid();
}

// Waits until `fd` is ready for `events` or `deadline` passes; false too when `wake` (when given) has data.
bool waitFor(int fd, short events, std::chrono::steady_clock::time_point deadline, int wake = -1)
{
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd p[2] {{fd, events, 0}, {wake, POLLIN, 0}};
        const int ready = ::poll(p, wake >= 0 ? 2 : 1, int(left.count()));
        if (ready > 0)
            return p[1].revents == 0 || wake < 0;
        if (ready < 0 && errno != EINTR)
            return false;
    }
}

// Reads until `wanted` bytes came, the peer went or the deadline passed.
std::string receive(int fd, std::size_t wanted, std::chrono::steady_clock::time_point deadline, int wake = -1)
{
    std::string got;
    while (got.size() < wanted && waitFor(fd, POLLIN, deadline, wake)) {
        char bytes[16];
        const ssize_t n = ::recv(fd, bytes, std::min(sizeof bytes, wanted - got.size()), MSG_DONTWAIT);
        if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN))
            break;
        if (n > 0)
            got.append(bytes, std::size_t(n));
    }
    return got;
}

} // namespace

struct HandoverListener::State
{
    File socket;
    File wakeRead, wakeWrite; // stop() writes here to end the serving thread
    std::string name;
    std::thread server;
};

HandoverListener::HandoverListener()
    : m_state(std::make_unique<State>())
{
    State& s = *m_state;
    s.socket = File(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    const std::string name = randomName();
    sockaddr_un address;
    const socklen_t size = abstractAddress(name, address);
    int wake[2];
    if (!s.socket.isOpen() || name.empty()
        || ::bind(s.socket.native(), reinterpret_cast<const sockaddr*>(&address), size) != 0
        || ::listen(s.socket.native(), 8) != 0 || ::pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        s.socket.close();
        return;
    }
    s.wakeRead = File(wake[0]);
    s.wakeWrite = File(wake[1]);
    s.name = name;
}

HandoverListener::~HandoverListener() { stop(); }

const std::string& HandoverListener::name() const { return m_state->name; }

void HandoverListener::serve(std::function<void()> raise)
{
    State& s = *m_state;
    if (s.name.empty() || s.server.joinable())
        return;
    s.server = std::thread([&s, raise = std::move(raise)] {
        for (;;) {
            pollfd p[2] {{s.socket.native(), POLLIN, 0}, {s.wakeRead.native(), POLLIN, 0}};
            if (::poll(p, 2, -1) < 0) {
                if (errno == EINTR)
                    continue;
                return;
            }
            if (p[1].revents)
                return;
            File peer(::accept4(s.socket.native(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
            if (!peer.isOpen() || !sameUser(peer.native()))
                continue;
            const auto deadline = std::chrono::steady_clock::now() + PeerPatience;
            if (receive(peer.native(), RaiseRequest.size(), deadline, s.wakeRead.native()) != RaiseRequest)
                continue;
            raise();
            ::send(peer.native(), Raised.data(), Raised.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        }
    });
}

void HandoverListener::stop()
{
    State& s = *m_state;
    if (!s.server.joinable())
        return;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(s.wakeWrite.native(), &byte, 1);
    s.server.join();
    s.socket.close(); // a later copy is refused at once
}

bool askToRaise(const std::string& name, std::chrono::milliseconds timeout)
{
    File socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!socket.isOpen() || name.empty() || name.size() > sizeof(sockaddr_un::sun_path) - 1)
        return false;
    sockaddr_un address;
    const socklen_t size = abstractAddress(name, address);
    if (::connect(socket.native(), reinterpret_cast<const sockaddr*>(&address), size) != 0
        || !sameUser(socket.native()))
        return false;
    if (::send(socket.native(), RaiseRequest.data(), RaiseRequest.size(), MSG_NOSIGNAL)
        != ssize_t(RaiseRequest.size()))
        return false;
    return receive(socket.native(), Raised.size(), std::chrono::steady_clock::now() + timeout) == Raised;
}

} // namespace platform
