// Windows Sockets 2 before anything that brings windows.h, which would bring
// the first version's header instead.
#include <winsock2.h>

#include "engine/ActivityProbe.h"

#include "engine/ContactPlan.h"
#include "engine/WinInet.h"

#include <algorithm>

namespace {

// Passed with every handle of a contact; no status callback reads it.
constexpr DWORD_PTR kContactContext = 0x10000000;
constexpr unsigned short kDirectPort = 81;

struct SocketTraits {
    using Handle = SOCKET;
    static Handle Invalid() { return INVALID_SOCKET; }
    static void Close(Handle h) { closesocket(h); }
};
using CSocket = win::CUniqueHandle<SocketTraits>;

// What a contact's elapsed time is measured in.
class CStopwatch {
public:
    unsigned long ElapsedMs() const { return GetTickCount() - start; }

private:
    DWORD start = GetTickCount();
};

void LimitWaits(const CWinInet& wininet, HINTERNET handle)
{
    DWORD timeout = CActivityProbe::kTimeoutMs;
    for (DWORD option :
         {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT}) {
        wininet.setOption(handle, option, &timeout, sizeof timeout);
    }
}

// No session is a failed contact like any other, dropped without a word: a
// message box raised from a timer tick would be raised again at every tick.
CInternetHandle OpenProxySession(const CWinInet& wininet, const char* agent, const std::string& proxyList,
                                 DWORD flags)
{
    CInternetHandle session(wininet.open(agent, INTERNET_OPEN_TYPE_PROXY, proxyList.c_str(), nullptr, flags));
    if (session) {
        // Honoured by Windows for every handle below the session; Wine needs
        // them again on the request.
        LimitWaits(wininet, session.Get());
    }
    return session;
}

// A WinInet step that failed with this error after this long. A refused
// connection fails at once; one that fails only after the time limit was
// dropped on the way.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): an error code, then a time; both DWORDs by nature
ContactOutcome OutcomeOfFailedStep(DWORD error, unsigned long elapsedMs)
{
    switch (error) {
    case ERROR_INTERNET_NAME_NOT_RESOLVED:
        return ContactOutcome::HostNotFound;
    case ERROR_INTERNET_CANNOT_CONNECT:
        return elapsedMs < CActivityProbe::kTimeoutMs ? ContactOutcome::Refused : ContactOutcome::NoAnswer;
    case ERROR_INTERNET_CONNECTION_RESET:
        return ContactOutcome::Refused;
    default:
        return ContactOutcome::NoAnswer;
    }
}

// An FTP login fails this way only once the server has answered it.
bool ServerAnsweredLogin(DWORD error)
{
    return error == ERROR_INTERNET_LOGIN_FAILURE || error == ERROR_INTERNET_EXTENDED_ERROR ||
           error == ERROR_INTERNET_INCORRECT_USER_NAME || error == ERROR_INTERNET_INCORRECT_PASSWORD;
}

// A dotted address as it stands, any other text through a name lookup; 0
// when the host cannot be resolved.
unsigned long ResolveHost(const std::string& host)
{
    const unsigned long address = inet_addr(host.c_str());
    if (address != INADDR_NONE) {
        return address;
    }
    const hostent* entry = gethostbyname(host.c_str());
    if (entry == nullptr || entry->h_addr_list == nullptr || entry->h_addr_list[0] == nullptr) {
        return 0;
    }
    return reinterpret_cast<const in_addr*>(entry->h_addr_list[0])->s_addr;
}

CSocket BoundStreamSocket(unsigned short localPort)
{
    CSocket socket(::socket(AF_INET, SOCK_STREAM, 0));
    if (!socket) {
        return socket;
    }
    sockaddr_in local = {};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    local.sin_port = htons(localPort);
    if (bind(socket.Get(), reinterpret_cast<const sockaddr*>(&local), sizeof local) == SOCKET_ERROR) {
        socket.Reset();
    }
    return socket;
}

ContactOutcome OutcomeOfSocketError(int error)
{
    return error == WSAECONNREFUSED || error == WSAECONNRESET ? ContactOutcome::Refused : ContactOutcome::NoAnswer;
}

// Waits for the connection to be made or refused, but no longer than a
// contact may take: a host that drops the attempt would otherwise hold the
// thread until the system gives up (over two minutes on some systems). The
// wait is made in short slices so that a contact cut short stops at once.
ContactOutcome ConnectWithinLimit(SOCKET socket, const sockaddr_in& remote, const CActivityProbe& probe)
{
    constexpr DWORD kSliceMs = 50;
    u_long nonBlocking = 1;
    if (ioctlsocket(socket, FIONBIO, &nonBlocking) == SOCKET_ERROR) {
        return ContactOutcome::NoAnswer;
    }
    if (connect(socket, reinterpret_cast<const sockaddr*>(&remote), sizeof remote) == 0) {
        return ContactOutcome::Answered;
    }
    if (WSAGetLastError() != WSAEWOULDBLOCK) {
        return OutcomeOfSocketError(WSAGetLastError());
    }
    const CStopwatch stopwatch;
    for (unsigned long waited = 0; waited < CActivityProbe::kTimeoutMs && !probe.IsCutShort();
         waited = stopwatch.ElapsedMs()) {
        fd_set done;
        FD_ZERO(&done);
        FD_SET(socket, &done);
        fd_set failed = done;
        const DWORD sliceMs = std::min<unsigned long>(kSliceMs, CActivityProbe::kTimeoutMs - waited);
        timeval slice = {0, static_cast<long>(sliceMs * 1000)};
        const int ready = select(0, nullptr, &done, &failed, &slice);
        if (ready == SOCKET_ERROR) {
            return ContactOutcome::NoAnswer;
        }
        if (ready > 0) {
            if (FD_ISSET(socket, &done)) {
                return ContactOutcome::Answered;
            }
            int error = 0;
            int size = sizeof error;
            getsockopt(socket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size);
            return OutcomeOfSocketError(error);
        }
    }
    return ContactOutcome::NoAnswer;
}

}  // namespace

void CActivityProbe::SetContactPort(int portSetting)
{
    port = portSetting;
}

void CActivityProbe::SetProxy(int mode, const std::string& server)
{
    proxyServer = ProxyServerText(mode, server);
    useProxy = 1;
}

// A prefix without a server is what SetProxy makes of an empty address.
ContactForm CActivityProbe::Form() const
{
    const bool noServer = proxyServer == kHttpPrefix || proxyServer == kFtpPrefix;
    return ChooseContactForm(noServer ? 0 : useProxy, proxyServer);
}

ContactOutcome CActivityProbe::Probe(const std::string& target)
{
    if (IsCutShort()) {
        return ContactOutcome::NoAnswer;
    }
    const CWinInet* wininet = CWinInet::Get();
    DWORD connectionFlags = 0;
    if (wininet == nullptr || !wininet->getConnectedState(&connectionFlags, 0)) {
        return ContactOutcome::NoConnection;
    }
    const ContactForm form = Form();
    const std::string host = TargetHost(target, form);
    switch (form) {
    case ContactForm::HttpProxy:
        return ContactThroughHttpProxy(host);
    case ContactForm::FtpProxy:
        return ContactThroughFtpProxy(host);
    case ContactForm::Direct:
        return ContactDirectly(host);
    }
    return ContactOutcome::NoAnswer;
}

// Each step is bounded by the time limits; a contact cut short stops between
// two of them. The handles close in reverse order of opening, request first,
// session last, on this thread: WinInet lets no other thread close a handle
// that a call is using.
ContactOutcome CActivityProbe::ContactThroughHttpProxy(const std::string& host)
{
    const CWinInet& wininet = *CWinInet::Get();
    const CStopwatch stopwatch;
    const CInternetHandle session =
        OpenProxySession(wininet, "MY", ProxyListText(proxyServer, port), INTERNET_FLAG_NO_CACHE_WRITE);
    if (!session || IsCutShort()) {
        return ContactOutcome::NoAnswer;
    }
    const CInternetHandle connection(wininet.connect(session.Get(), host.c_str(), INTERNET_DEFAULT_HTTP_PORT,
                                                     nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, kContactContext));
    if (!connection || IsCutShort()) {
        return ContactOutcome::NoAnswer;
    }
    const CInternetHandle request(wininet.openRequest(
        connection.Get(), "GET", "", "HTTP/1.0", nullptr, nullptr,
        INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_AUTO_REDIRECT, kContactContext));
    if (!request || IsCutShort()) {
        return ContactOutcome::NoAnswer;
    }
    LimitWaits(wininet, request.Get());
    if (wininet.sendRequest(request.Get(), nullptr, 0, nullptr, 0)) {
        return ContactOutcome::Answered;
    }
    return OutcomeOfFailedStep(GetLastError(), stopwatch.ElapsedMs());
}

ContactOutcome CActivityProbe::ContactThroughFtpProxy(const std::string& host)
{
    const CWinInet& wininet = *CWinInet::Get();
    const CStopwatch stopwatch;
    const CInternetHandle session = OpenProxySession(wininet, "Me", ProxyListText(proxyServer, port), 0);
    if (!session || IsCutShort()) {
        return ContactOutcome::NoAnswer;
    }
    // The anonymous login is the whole contact: no command follows, and the
    // connection closes before the session.
    const CInternetHandle connection(wininet.connect(session.Get(), host.c_str(), LowPort(port), nullptr, nullptr,
                                                     INTERNET_SERVICE_FTP, INTERNET_FLAG_PASSIVE, kContactContext));
    if (connection) {
        return ContactOutcome::Answered;
    }
    const DWORD error = GetLastError();
    return ServerAnsweredLogin(error) ? ContactOutcome::Answered : OutcomeOfFailedStep(error, stopwatch.ElapsedMs());
}

ContactOutcome CActivityProbe::ContactDirectly(const std::string& host)
{
    const CSocket socket = BoundStreamSocket(LowPort(port));
    // The lookup is traffic on the line of its own, so it is made even when
    // no socket could be had. It cannot be cut short; a contact cut short
    // meanwhile goes no further.
    const unsigned long address = ResolveHost(host);
    if (address == 0) {
        return ContactOutcome::HostNotFound;
    }
    if (!socket || IsCutShort()) {
        return ContactOutcome::NoAnswer;
    }
    sockaddr_in remote = {};
    remote.sin_family = AF_INET;
    remote.sin_addr.s_addr = address;
    remote.sin_port = htons(kDirectPort);
    return ConnectWithinLimit(socket.Get(), remote, *this);
}
