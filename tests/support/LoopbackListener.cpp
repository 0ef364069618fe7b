#include "LoopbackListener.h"

#include "TestWindows.h"

#include <algorithm>

namespace {

constexpr DWORD kPollMs = 20;

sockaddr_in LoopbackAddress(unsigned short port)
{
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = inet_addr("127.0.0.1");
    address.sin_port = htons(port);
    return address;
}

void SendText(SOCKET socket, const std::string& text)
{
    send(socket, text.data(), static_cast<int>(text.size()), 0);
}

// Closing with a reset leaves no TIME_WAIT behind on either side, so the
// next contact can bind the same fixed local port at once.
void CloseAbortively(SOCKET socket)
{
    linger abort = {1, 0};
    setsockopt(socket, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abort), sizeof abort);
    closesocket(socket);
}

std::string FtpReply(const std::string& line, bool rejectLogin)
{
    const std::string command = line.substr(0, line.find(' '));
    if (command == "USER") {
        return "331 Password required.\r\n";
    }
    if (command == "PASS") {
        return rejectLogin ? "530 Login incorrect.\r\n" : "230 Logged in.\r\n";
    }
    if (command == "QUIT") {
        return "221 Goodbye.\r\n";
    }
    return "200 OK.\r\n";
}

}  // namespace

CLoopbackListener::~CLoopbackListener()
{
    Stop();
    if (lockReady) {
        DeleteCriticalSection(&lock);
    }
}

bool CLoopbackListener::Start(unsigned short port, Mode listenerMode)
{
    if (!lockReady) {
        InitializeCriticalSection(&lock);
        lockReady = true;
    }
    mode = listenerMode;
    listeningPort = port;
    InterlockedExchange(&stopping, 0);
    listening = socket(AF_INET, SOCK_STREAM, 0);
    if (listening == INVALID_SOCKET) {
        return false;
    }
    // Earlier tests' connections may still linger on this port.
    const BOOL reuse = TRUE;
    setsockopt(listening, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof reuse);
    const sockaddr_in address = LoopbackAddress(port);
    if (bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof address) == SOCKET_ERROR) {
        Stop();
        return false;
    }
    if (mode == Mode::Refuse) {
        return true;
    }
    if (listen(listening, mode == Mode::NeverAccept ? 0 : 5) == SOCKET_ERROR) {
        Stop();
        return false;
    }
    if (mode == Mode::NeverAccept) {
        FillBacklog(port);
        return true;
    }
    thread = CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr);
    if (thread == nullptr) {
        Stop();
        return false;
    }
    return true;
}

void CLoopbackListener::FillBacklog(unsigned short port)
{
    // The queue of a zero backlog holds one connection; after that the
    // system drops further attempts without an answer.
    const sockaddr_in address = LoopbackAddress(port);
    for (int i = 0; i < 2; ++i) {
        const SOCKET filler = socket(AF_INET, SOCK_STREAM, 0);
        u_long nonBlocking = 1;
        ioctlsocket(filler, FIONBIO, &nonBlocking);
        connect(filler, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        backlogFillers.push_back(filler);
        Sleep(100);
    }
}

void CLoopbackListener::Stop()
{
    InterlockedExchange(&stopping, 1);
    if (thread != nullptr) {
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
        thread = nullptr;
    }
    for (Client& client : clients) {
        Finish(client, true);
    }
    clients.clear();
    for (SOCKET filler : backlogFillers) {
        CloseAbortively(filler);
    }
    backlogFillers.clear();
    if (listening != INVALID_SOCKET) {
        closesocket(listening);
        listening = INVALID_SOCKET;
    }
}

DWORD WINAPI CLoopbackListener::ThreadMain(void* self)
{
    static_cast<CLoopbackListener*>(self)->Serve();
    return 0;
}

void CLoopbackListener::Serve()
{
    while (InterlockedCompareExchange(&stopping, 0, 0) == 0) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(listening, &readable);
        for (const Client& client : clients) {
            FD_SET(client.socket, &readable);
        }
        timeval wait = {0, static_cast<long>(kPollMs * 1000)};
        if (select(0, &readable, nullptr, nullptr, &wait) <= 0) {
            continue;
        }
        if (FD_ISSET(listening, &readable)) {
            Accept();
        }
        for (std::size_t i = 0; i < clients.size();) {
            if (FD_ISSET(clients[i].socket, &readable) && !Receive(clients[i])) {
                clients.erase(clients.begin() + static_cast<std::ptrdiff_t>(i));
            } else {
                ++i;
            }
        }
    }
}

void CLoopbackListener::Accept()
{
    sockaddr_in peer = {};
    int length = sizeof peer;
    const SOCKET accepted = accept(listening, reinterpret_cast<sockaddr*>(&peer), &length);
    if (accepted == INVALID_SOCKET) {
        return;
    }
    Connection connection;
    connection.peerPort = ntohs(peer.sin_port);
    EnterCriticalSection(&lock);
    connections.push_back(connection);
    const std::size_t record = connections.size() - 1;
    LeaveCriticalSection(&lock);
    clients.push_back({accepted, record, 0});
    if (mode == Mode::AnswerFtp || mode == Mode::RejectFtp) {
        SendText(accepted, "220 Loopback FTP ready.\r\n");
    }
}

bool CLoopbackListener::Receive(Client& client)
{
    char buffer[4096];
    const int count = recv(client.socket, buffer, sizeof buffer, 0);
    if (count <= 0) {
        Finish(client, true);
        return false;
    }
    EnterCriticalSection(&lock);
    std::string& received = connections[client.record].received;
    received.append(buffer, static_cast<std::size_t>(count));
    const std::string copy = received;
    LeaveCriticalSection(&lock);
    if (!Answer(client, copy)) {
        Finish(client, false);
        return false;
    }
    return true;
}

bool CLoopbackListener::Answer(Client& client, const std::string& received)
{
    if (mode == Mode::AnswerHttp) {
        if (received.find("\r\n\r\n") == std::string::npos) {
            return true;
        }
        SendText(client.socket, "HTTP/1.0 200 OK\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        return false;
    }
    if (mode != Mode::AnswerFtp && mode != Mode::RejectFtp) {
        return true;
    }
    for (std::size_t end = received.find("\r\n", client.answeredUpTo); end != std::string::npos;
         end = received.find("\r\n", client.answeredUpTo)) {
        const std::string line = received.substr(client.answeredUpTo, end - client.answeredUpTo);
        client.answeredUpTo = end + 2;
        SendText(client.socket, FtpReply(line, mode == Mode::RejectFtp));
        if (line.compare(0, 4, "QUIT") == 0) {
            return false;
        }
    }
    return true;
}

void CLoopbackListener::Finish(Client& client, bool abortive)
{
    if (abortive) {
        CloseAbortively(client.socket);
    } else {
        closesocket(client.socket);
    }
    EnterCriticalSection(&lock);
    connections[client.record].finished = true;
    LeaveCriticalSection(&lock);
}

std::vector<CLoopbackListener::Connection> CLoopbackListener::Connections() const
{
    if (!lockReady) {
        return {};
    }
    EnterCriticalSection(&lock);
    std::vector<Connection> copy = connections;
    LeaveCriticalSection(&lock);
    return copy;
}

std::size_t CLoopbackListener::ConnectionCount() const
{
    return Connections().size();
}

std::size_t CLoopbackListener::BytesReceived() const
{
    std::size_t total = 0;
    for (const Connection& connection : Connections()) {
        total += connection.received.size();
    }
    return total;
}

bool CLoopbackListener::WaitForConnections(std::size_t count, DWORD timeoutMs) const
{
    return WaitUntil([&] { return ConnectionCount() >= count; }, timeoutMs);
}

bool CLoopbackListener::WaitForFirstLines(std::size_t count, DWORD timeoutMs) const
{
    return WaitUntil(
        [&] {
            const std::vector<Connection> all = Connections();
            return static_cast<std::size_t>(std::count_if(all.begin(), all.end(), [](const Connection& c) {
                       return c.received.find("\r\n") != std::string::npos;
                   })) >= count;
        },
        timeoutMs);
}

bool CLoopbackListener::WaitUntilFinished(DWORD timeoutMs) const
{
    return WaitUntil(
        [&] {
            const std::vector<Connection> all = Connections();
            return std::all_of(all.begin(), all.end(), [](const Connection& c) { return c.finished; });
        },
        timeoutMs);
}

bool CLoopbackListener::AttemptHangs(DWORD forMs) const
{
    const SOCKET attempt = socket(AF_INET, SOCK_STREAM, 0);
    if (attempt == INVALID_SOCKET) {
        return false;
    }
    u_long nonBlocking = 1;
    ioctlsocket(attempt, FIONBIO, &nonBlocking);
    const sockaddr_in address = LoopbackAddress(listeningPort);
    bool hangs = false;
    if (connect(attempt, reinterpret_cast<const sockaddr*>(&address), sizeof address) == SOCKET_ERROR &&
        WSAGetLastError() == WSAEWOULDBLOCK) {
        fd_set connected;
        FD_ZERO(&connected);
        FD_SET(attempt, &connected);
        fd_set failed = connected;
        timeval wait = {static_cast<long>(forMs / 1000), static_cast<long>(forMs % 1000) * 1000};
        hangs = select(0, nullptr, &connected, &failed, &wait) == 0;
    }
    CloseAbortively(attempt);
    return hangs;
}
