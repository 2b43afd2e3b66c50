#include "app/instance_lock.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <sys/random.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

// The hand-over speaks over a Unix socket in the abstract namespace: no file is made for it, and a copy that
// crashed leaves nothing behind. Such a socket has no file permissions, so each side checks that the other
// runs as the same user before it trusts it.

namespace {

constexpr std::string_view RaiseRequest = "raise\n";
constexpr std::string_view Raised = "ok\n";

// A random name, kept in the folder's lock file, which only the game's own user can read: nobody else can
// take it before the game or predict it, and every spelling of the folder (a link, "//") finds the same one.
std::string randomServerName()
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

// Waits until `fd` is ready for `events` or `deadline` passes.
bool waitFor(int fd, short events, std::chrono::steady_clock::time_point deadline)
{
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd p {fd, events, 0};
        const int ready = ::poll(&p, 1, int(left.count()));
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR)
            return false;
    }
}

bool askToRaise(const std::string& serverName)
{
    platform::File socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (socket.native() < 0)
        return false;
    sockaddr_un address;
    const socklen_t size = abstractAddress(serverName, address);
    if (::connect(socket.native(), reinterpret_cast<const sockaddr*>(&address), size) != 0
        || !sameUser(socket.native()))
        return false;
    if (::send(socket.native(), RaiseRequest.data(), RaiseRequest.size(), MSG_NOSIGNAL)
        != ssize_t(RaiseRequest.size()))
        return false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    std::string answer;
    while (answer.size() < Raised.size() && waitFor(socket.native(), POLLIN, deadline)) {
        char bytes[16];
        const ssize_t got = ::recv(socket.native(), bytes, sizeof bytes, 0);
        if (got <= 0 && !(got < 0 && errno == EINTR))
            break;
        if (got > 0)
            answer.append(bytes, size_t(got));
    }
    return answer.starts_with(Raised);
}

// `window` is null while the game starts: a start-up message is all there is to bring up then.
void showAndActivate(QWidget* window)
{
    if (window) {
        window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        window->show();
        window->raise();
        window->activateWindow();
    }
    // A dialog open over the window stays in front of it.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
}

// One later copy's connection: it is answered once its request has come whole, and closed then or when the
// peer goes. The object lives as long as the connection (it deletes itself).
class RaiseConnection : public QObject
{
public:
    RaiseConnection(int fd, QWidget* const& window, QObject* parent)
        : QObject(parent)
        , m_fd(fd)
        , m_window(window)
        , m_readable(fd, QSocketNotifier::Read)
    {
        QObject::connect(&m_readable, &QSocketNotifier::activated, this, [this] { readRequest(); });
    }
    ~RaiseConnection() override { ::close(m_fd); }

private:
    void readRequest()
    {
        char bytes[64];
        const ssize_t got = ::recv(m_fd, bytes, sizeof bytes, MSG_DONTWAIT);
        if (got < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        if (got > 0)
            m_request.append(bytes, size_t(got));
        if (got > 0 && m_request.size() < RaiseRequest.size() && RaiseRequest.starts_with(m_request))
            return; // more to come
        m_readable.setEnabled(false);
        if (m_request.starts_with(RaiseRequest)) {
            showAndActivate(m_window);
            ::send(m_fd, Raised.data(), Raised.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        }
        deleteLater();
    }

    int m_fd;
    QWidget* const& m_window;
    QSocketNotifier m_readable;
    std::string m_request;
};

} // namespace

SingleInstance::SingleInstance(const std::string& dataFolder, const std::vector<std::string>& tableFiles)
    : m_lock(dataFolder)
{
    if (m_lock.state() == storage::FolderLock::State::Refused) {
        // The refusal reads "a(z) ...": here it opens the sentence.
        m_refusal = "A" + m_lock.refusal().substr(1)
            + ". A játék ezért nem indul el, mert így egy másik példánya felülírhatná a fájljait. Törölje a "
              "zárolófájlt (ha nem az Öné, a tulajdonosa vagy a rendszergazda teheti meg), és indítsa újra a "
              "játékot";
        m_exitStatus = 1;
        return;
    }
    if (m_lock.state() == storage::FolderLock::State::Held) {
        // Bound at once, before any start-up message: a later copy is answered from the first moment.
        m_listener = platform::File(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
        const std::string name = randomServerName();
        sockaddr_un address;
        const socklen_t size = abstractAddress(name, address);
        if (m_listener.native() < 0 || name.empty()
            || ::bind(m_listener.native(), reinterpret_cast<const sockaddr*>(&address), size) != 0
            || ::listen(m_listener.native(), 8) != 0 || !m_lock.publish(name + "\n"))
            m_listener.close(); // no hand-over; the lock still keeps a second copy out

        // The files reached through links elsewhere: their folders are locked too, for as long as the game
        // runs.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        std::vector<std::string> held {dataFolder}; // a second lock of our own would block on the first
        for (const auto& file : tableFiles) {
            auto locks = std::make_unique<storage::PathLocks>(file, held);
            // The table tool may be writing there for a moment.
            while (locks->state() == storage::FolderLock::State::TakenByAnother
                   && std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                locks->retry();
            }
            if (locks->state() == storage::FolderLock::State::Refused) {
                m_refusal = "A" + locks->problem().substr(1) + ", ezért a játék nem indul el";
                m_exitStatus = 1;
                return;
            }
            if (locks->state() == storage::FolderLock::State::TakenByAnother) {
                m_refusal = "A(z) " + file + " fájl mappáját (" + locks->problem()
                    + ") egy másik futó játék vagy a táblakezelő használja, ezért a játék nem indul el";
                m_exitStatus = 1;
                return;
            }
            for (auto& folder : locks->folders())
                held.push_back(std::move(folder));
            m_fileLocks.push_back(std::move(locks));
        }
        return;
    }
    if (m_lock.state() != storage::FolderLock::State::TakenByAnother)
        return; // no lock can be made here: then no copy can write here either
    // The holder may be a copy still starting (not listening yet) or the table tool writing for a moment.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
        const std::string name = storage::FolderLock::readNote(dataFolder);
        if (!name.empty() && askToRaise(name)) {
            m_exitStatus = 0;
            return;
        }
        if (m_lock.retry() == storage::FolderLock::State::Held)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::fprintf(stderr, "brumvelda: a játék már fut ebben a mappában (%s), de nem válaszol\n",
                 dataFolder.c_str());
    m_exitStatus = 1;
}

SingleInstance::~SingleInstance() = default;

void SingleInstance::answerRequests()
{
    if (m_listener.native() < 0)
        return;
    auto* incoming = new QSocketNotifier(m_listener.release(), QSocketNotifier::Read, qApp);
    QObject::connect(incoming, &QSocketNotifier::destroyed, [fd = incoming->socket()] { ::close(int(fd)); });
    QObject::connect(incoming, &QSocketNotifier::activated, incoming, [this, incoming] {
        const int peer = ::accept4(int(incoming->socket()), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (peer < 0)
            return;
        if (!sameUser(peer)) {
            ::close(peer);
            return;
        }
        new RaiseConnection(peer, m_window, incoming);
    });
}

void SingleInstance::raiseOnRequest(QWidget& window) { m_window = &window; }
