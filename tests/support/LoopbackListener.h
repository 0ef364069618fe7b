#pragma once
// A TCP listener on 127.0.0.1 and a chosen port, run on its own thread, that
// stands in for a proxy, an FTP server or the direct contact's host and
// records every connection: the peer's port and the bytes it sent.
// Winsock must have been started by the caller.
#include <windows.h>
#include <winsock.h>

#include <string>
#include <vector>

class CLoopbackListener {
public:
    enum class Mode {
        Refuse,       // the port is taken but not listening: connections are refused
        NeverAccept,  // listening with a full backlog: connection attempts go unanswered
        Silent,       // accepts and reads, never writes, keeps the connection open
        AnswerHttp,   // answers a request with an empty 200 response and closes
        AnswerFtp,    // greets, accepts any login, answers every command
        RejectFtp,    // greets and answers as AnswerFtp, but rejects every password
    };

    struct Connection {
        unsigned short peerPort = 0;
        std::string received;
        // Closed by either side; nothing more will arrive.
        bool finished = false;
    };

    CLoopbackListener() = default;
    CLoopbackListener(const CLoopbackListener&) = delete;
    CLoopbackListener& operator=(const CLoopbackListener&) = delete;
    ~CLoopbackListener();

    bool Start(unsigned short port, Mode mode);
    void Stop();

    std::vector<Connection> Connections() const;
    std::size_t ConnectionCount() const;
    // All bytes received on every connection so far.
    std::size_t BytesReceived() const;
    // Waits until this many connections have been accepted.
    bool WaitForConnections(std::size_t count, DWORD timeoutMs) const;
    // Waits until this many connections have each sent a whole first line:
    // an accepted connection's request may still be on its way.
    bool WaitForFirstLines(std::size_t count, DWORD timeoutMs) const;
    // Waits until every accepted connection is over.
    bool WaitUntilFinished(DWORD timeoutMs) const;
    // True when a connection attempt of this process gets no answer at all
    // (neither accepted nor refused) for the time given, as NeverAccept
    // should see to; the attempt is then given up.
    bool AttemptHangs(DWORD forMs) const;

private:
    struct Client {
        SOCKET socket;
        std::size_t record;
        std::size_t answeredUpTo;
    };

    static DWORD WINAPI ThreadMain(void* self);
    void Serve();
    void Accept();
    // False once the connection is done with.
    bool Receive(Client& client);
    // False when the answer ends the connection.
    bool Answer(Client& client, const std::string& received);
    void Finish(Client& client, bool abortive);
    void FillBacklog(unsigned short port);

    Mode mode = Mode::Silent;
    unsigned short listeningPort = 0;
    SOCKET listening = INVALID_SOCKET;
    std::vector<SOCKET> backlogFillers;
    std::vector<Client> clients;
    HANDLE thread = nullptr;
    volatile LONG stopping = 0;
    mutable CRITICAL_SECTION lock;
    bool lockReady = false;
    std::vector<Connection> connections;
};
