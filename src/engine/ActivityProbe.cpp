#include "engine/ActivityProbe.h"

#include "engine/ContactPlan.h"
#include "win/Handles.h"

#include <algorithm>

namespace {

// Passed with every handle of a contact; no status callback reads it.
constexpr DWORD_PTR kContactContext = 0x10000000;
constexpr unsigned short kDirectPort = 81;

void LimitWaits(HINTERNET handle)
{
    DWORD timeout = CActivityProbe::kTimeoutMs;
    for (DWORD option :
         {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT}) {
        InternetSetOptionA(handle, option, &timeout, sizeof timeout);
    }
}

// No session is a failed contact like any other, dropped without a word: a
// message box raised from a timer tick would be raised again at every tick.
HINTERNET OpenProxySession(const char* agent, const std::string& proxyList, DWORD flags)
{
    const HINTERNET session = InternetOpenA(agent, INTERNET_OPEN_TYPE_PROXY, proxyList.c_str(), nullptr, flags);
    if (session != nullptr) {
        // Honoured by Windows for every handle below the session; Wine needs
        // them again on the request.
        LimitWaits(session);
    }
    return session;
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

win::CSocket BoundStreamSocket(unsigned short localPort)
{
    win::CSocket socket(::socket(AF_INET, SOCK_STREAM, 0));
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

// Waits for the connection to be made or refused, but no longer than a
// contact may take: a host that drops the attempt would otherwise hold the
// thread until the system gives up (over two minutes on some systems). The
// wait is made in short slices so that a contact cut short stops at once.
void ConnectWithinLimit(SOCKET socket, const sockaddr_in& remote, const CContactHandles& handles)
{
    constexpr DWORD kSliceMs = 50;
    u_long nonBlocking = 1;
    if (ioctlsocket(socket, FIONBIO, &nonBlocking) == SOCKET_ERROR) {
        return;
    }
    if (connect(socket, reinterpret_cast<const sockaddr*>(&remote), sizeof remote) == 0 ||
        WSAGetLastError() != WSAEWOULDBLOCK) {
        return;
    }
    const DWORD start = GetTickCount();
    for (DWORD waited = 0; waited < CActivityProbe::kTimeoutMs && !handles.IsCutShort();
         waited = GetTickCount() - start) {
        fd_set done;
        FD_ZERO(&done);
        FD_SET(socket, &done);
        fd_set failed = done;
        const DWORD sliceMs = std::min(kSliceMs, CActivityProbe::kTimeoutMs - waited);
        timeval slice = {0, static_cast<long>(sliceMs * 1000)};
        if (select(0, nullptr, &done, &failed, &slice) != 0) {
            return;
        }
    }
}

}  // namespace

void CActivityProbe::SetPort(int portSetting)
{
    port = portSetting;
}

void CActivityProbe::SetProxy(int mode, const std::string& server)
{
    proxyServer = ProxyServerText(mode, server);
    useProxy = 1;
}

void CActivityProbe::CutShort()
{
    handles.CutShort();
}

void CActivityProbe::Probe(const std::string& target)
{
    if (handles.IsCutShort()) {
        return;
    }
    DWORD connectionFlags = 0;
    if (!InternetGetConnectedState(&connectionFlags, 0)) {
        return;
    }
    // A prefix without a server is what SetProxy makes of an empty address.
    if (proxyServer == kHttpPrefix || proxyServer == kFtpPrefix) {
        useProxy = 0;
    }
    const ContactForm form = ChooseContactForm(useProxy, proxyServer);
    const std::string host = TargetHost(target, form);
    switch (form) {
    case ContactForm::HttpProxy:
        ContactThroughHttpProxy(host);
        break;
    case ContactForm::FtpProxy:
        ContactThroughFtpProxy(host);
        break;
    case ContactForm::Direct:
        ContactDirectly(host);
        break;
    }
    handles.CloseAll();
}

void CActivityProbe::ContactThroughHttpProxy(const std::string& host)
{
    // Kept in opening order, so they close request first, session last.
    const HINTERNET session = OpenProxySession("MY", ProxyListText(proxyServer, port), INTERNET_FLAG_NO_CACHE_WRITE);
    if (!handles.Keep(session)) {
        return;
    }
    const HINTERNET connection = InternetConnectA(session, host.c_str(), INTERNET_DEFAULT_HTTP_PORT, nullptr, nullptr,
                                                  INTERNET_SERVICE_HTTP, 0, kContactContext);
    if (!handles.Keep(connection)) {
        return;
    }
    const HINTERNET request = HttpOpenRequestA(
        connection, "GET", "", "HTTP/1.0", nullptr, nullptr,
        INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_AUTO_REDIRECT, kContactContext);
    if (!handles.Keep(request)) {
        return;
    }
    LimitWaits(request);
    HttpSendRequestA(request, nullptr, 0, nullptr, 0);
}

void CActivityProbe::ContactThroughFtpProxy(const std::string& host)
{
    const HINTERNET session = OpenProxySession("Me", ProxyListText(proxyServer, port), 0);
    if (!handles.Keep(session)) {
        return;
    }
    // The anonymous login is the whole contact: no command follows, and the
    // connection closes before the session.
    handles.Keep(InternetConnectA(session, host.c_str(), LowPort(port), nullptr, nullptr, INTERNET_SERVICE_FTP,
                                  INTERNET_FLAG_PASSIVE, kContactContext));
}

void CActivityProbe::ContactDirectly(const std::string& host)
{
    const win::CSocket socket = BoundStreamSocket(LowPort(port));
    // The lookup is traffic on the line of its own, so it is made even when
    // no socket could be had. It cannot be cut short; a contact cut short
    // meanwhile goes no further.
    const unsigned long address = ResolveHost(host);
    if (!socket || address == 0 || handles.IsCutShort()) {
        return;
    }
    sockaddr_in remote = {};
    remote.sin_family = AF_INET;
    remote.sin_addr.s_addr = address;
    remote.sin_port = htons(kDirectPort);
    ConnectWithinLimit(socket.Get(), remote, handles);
}
