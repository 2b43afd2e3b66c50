#include "platform/handover.h"

#include "platform/file.h"
#include "platform/windows_text.h"

#include <windows.h>

#include <bcrypt.h>
#include <string_view>
#include <thread>
#include <vector>

// A named pipe with an access list that admits this user alone, made as the first and only instance of its
// name (nobody can hold the name before us and listen in our place), and refusing remote clients. The asking
// side trusts a pipe only when the process serving it runs as the same user.

namespace platform {

namespace {

constexpr std::string_view RaiseRequest = "raise\n";
constexpr std::string_view Raised = "ok\n";
constexpr DWORD PeerPatienceMs = 2000;

std::wstring pipePath(const std::string& name) { return L"\\\\.\\pipe\\" + windows::widen(name); }

std::string randomName()
{
    unsigned char bytes[16] {};
    if (!BCRYPT_SUCCESS(::BCryptGenRandom(nullptr, bytes, sizeof bytes, BCRYPT_USE_SYSTEM_PREFERRED_RNG)))
        return {};
    static constexpr char Hex[] = "0123456789abcdef";
    std::string name = "brumvelda-";
    for (unsigned char byte : bytes) {
        name += Hex[byte >> 4];
        name += Hex[byte & 15];
    }
    return name;
}

// The user a process runs as, as the bytes of its SID; empty when it cannot be looked at.
std::vector<unsigned char> userOf(HANDLE process)
{
    HANDLE token = nullptr;
    if (!::OpenProcessToken(process, TOKEN_QUERY, &token))
        return {};
    File owned(token);
    DWORD size = 0;
    ::GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> info(size);
    if (size == 0 || !::GetTokenInformation(token, TokenUser, info.data(), size, &size))
        return {};
    PSID sid = reinterpret_cast<TOKEN_USER*>(info.data())->User.Sid;
    const DWORD length = ::GetLengthSid(sid);
    const auto* bytes = static_cast<const unsigned char*>(sid);
    return {bytes, bytes + length};
}

// Waits for an overlapped step on `file`; cancels it when `timeoutMs` passes or `stop` is set first.
bool finish(HANDLE file, OVERLAPPED& step, BOOL started, DWORD& transferred, DWORD timeoutMs,
            HANDLE stop = nullptr)
{
    if (!started && ::GetLastError() != ERROR_IO_PENDING)
        return false;
    const HANDLE waits[2] = {step.hEvent, stop};
    const DWORD woke = ::WaitForMultipleObjects(stop ? 2 : 1, waits, FALSE, timeoutMs);
    if (woke != WAIT_OBJECT_0) {
        ::CancelIoEx(file, &step);
        ::GetOverlappedResult(file, &step, &transferred, TRUE);
        return false;
    }
    return ::GetOverlappedResult(file, &step, &transferred, FALSE);
}

// Reads until `wanted` bytes came, the peer went or the time is up.
std::string receive(HANDLE file, HANDLE event, std::size_t wanted, DWORD timeoutMs, HANDLE stop = nullptr)
{
    std::string got;
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (got.size() < wanted) {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline)
            break;
        char bytes[16];
        OVERLAPPED step {};
        step.hEvent = event;
        DWORD n = 0;
        const BOOL started
            = ::ReadFile(file, bytes, DWORD(std::min(sizeof bytes, wanted - got.size())), nullptr, &step);
        if (!finish(file, step, started, n, DWORD(deadline - now), stop) || n == 0)
            break;
        got.append(bytes, n);
    }
    return got;
}

bool send(HANDLE file, HANDLE event, std::string_view bytes)
{
    OVERLAPPED step {};
    step.hEvent = event;
    DWORD n = 0;
    const BOOL started = ::WriteFile(file, bytes.data(), DWORD(bytes.size()), nullptr, &step);
    return finish(file, step, started, n, PeerPatienceMs) && n == bytes.size();
}

} // namespace

struct HandoverListener::State
{
    File pipe;
    File stopEvent;
    File ioEvent;
    std::string name;
    std::thread server;
};

HandoverListener::HandoverListener()
    : m_state(std::make_unique<State>())
{
    State& s = *m_state;
    std::vector<unsigned char> user = userOf(::GetCurrentProcess());
    const std::string name = randomName();
    if (user.empty() || name.empty())
        return;
    // Full access for this user and nobody else: no entry for administrators, the system or everyone.
    std::vector<unsigned char> aclBytes(sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + user.size());
    auto* acl = reinterpret_cast<ACL*>(aclBytes.data());
    SECURITY_DESCRIPTOR descriptor {};
    if (!::InitializeAcl(acl, DWORD(aclBytes.size()), ACL_REVISION)
        || !::AddAccessAllowedAce(acl, ACL_REVISION, GENERIC_ALL, user.data())
        || !::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION)
        || !::SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE)
        || !::SetSecurityDescriptorOwner(&descriptor, user.data(), FALSE))
        return;
    SECURITY_ATTRIBUTES attributes {sizeof attributes, &descriptor, FALSE};
    s.pipe = File(::CreateNamedPipeW(
        pipePath(name).c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_FIRST_PIPE_INSTANCE | FILE_FLAG_OVERLAPPED,
        PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 64, 64, 0,
        &attributes));
    s.stopEvent = File(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    s.ioEvent = File(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    // CreateEventW answers null, not INVALID_HANDLE_VALUE, when it fails.
    if (!s.pipe.isOpen() || !s.stopEvent.native() || !s.ioEvent.native()) {
        s.pipe.close();
        return;
    }
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
        const HANDLE pipe = s.pipe.native();
        for (;;) {
            OVERLAPPED step {};
            step.hEvent = s.ioEvent.native();
            DWORD unused = 0;
            const BOOL connected = ::ConnectNamedPipe(pipe, &step);
            // A client that came between the pipe's making and this call is already connected.
            if (!connected && ::GetLastError() != ERROR_PIPE_CONNECTED
                && !finish(pipe, step, connected, unused, INFINITE, s.stopEvent.native())) {
                if (::WaitForSingleObject(s.stopEvent.native(), 0) == WAIT_OBJECT_0)
                    return;
                ::DisconnectNamedPipe(pipe);
                continue;
            }
            if (receive(pipe, s.ioEvent.native(), RaiseRequest.size(), PeerPatienceMs, s.stopEvent.native())
                == RaiseRequest) {
                raise();
                if (send(pipe, s.ioEvent.native(), Raised))
                    // The answer is lost when the pipe is cut before the peer read it: wait for it to go.
                    receive(pipe, s.ioEvent.native(), 1, PeerPatienceMs, s.stopEvent.native());
            }
            ::DisconnectNamedPipe(pipe);
            if (::WaitForSingleObject(s.stopEvent.native(), 0) == WAIT_OBJECT_0)
                return;
        }
    });
}

void HandoverListener::stop()
{
    State& s = *m_state;
    if (!s.server.joinable())
        return;
    ::SetEvent(s.stopEvent.native());
    s.server.join();
    s.pipe.close(); // a later copy finds no pipe at once
}

bool askToRaise(const std::string& name, std::chrono::milliseconds timeout)
{
    if (name.empty())
        return false;
    const std::wstring path = pipePath(name);
    const DWORD timeoutMs = DWORD(timeout.count());
    // Identification only: the running copy may learn who asks, never act as us.
    File pipe(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr));
    if (!pipe.isOpen() && ::GetLastError() == ERROR_PIPE_BUSY && ::WaitNamedPipeW(path.c_str(), timeoutMs))
        pipe = File(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION,
                                  nullptr));
    if (!pipe.isOpen())
        return false;
    ULONG serverId = 0;
    if (!::GetNamedPipeServerProcessId(pipe.native(), &serverId))
        return false;
    const HANDLE opened = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, serverId);
    if (!opened)
        return false;
    File server(opened);
    const std::vector<unsigned char> serverUser = userOf(server.native());
    if (serverUser.empty() || serverUser != userOf(::GetCurrentProcess()))
        return false;
    // Windows lets only the foreground process hand the foreground on: this copy, just started, has it.
    ::AllowSetForegroundWindow(serverId);
    File event(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!event.native())
        return false;
    return send(pipe.native(), event.native(), RaiseRequest)
        && receive(pipe.native(), event.native(), Raised.size(), timeoutMs) == Raised;
}

} // namespace platform
