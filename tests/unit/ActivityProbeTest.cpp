// One contact of the probe, made in this process against listeners on this
// machine: what arrives where, from which port, what never arrives, and the
// outcome the probe reads from it.
#include "engine/ActivityProbe.h"

#include "LoopbackListener.h"

#include <gtest/gtest.h>
#include <wininet.h>

#include <string>

namespace {

using Mode = CLoopbackListener::Mode;
using Outcome = ContactOutcome;

constexpr unsigned short kDirectPort = 81;

class ActivityProbeTest : public ::testing::Test {
protected:
    // The program starts Windows Sockets once for its whole run; here each
    // test does.
    void SetUp() override
    {
        WSADATA data = {};
        ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
    }
    void TearDown() override { WSACleanup(); }

    static Outcome ProbeThroughProxy(int mode, const std::string& proxy, int port, const std::string& target)
    {
        CActivityProbe probe;
        probe.SetProxy(mode, proxy);
        probe.SetContactPort(port);
        return probe.Probe(target);
    }

    static Outcome ProbeDirectly(int port, const std::string& target)
    {
        CActivityProbe probe;
        probe.SetContactPort(port);
        return probe.Probe(target);
    }

    static std::string FirstLine(const std::string& text) { return text.substr(0, text.find("\r\n")); }

    static unsigned long ElapsedSince(DWORD start) { return GetTickCount() - start; }
};

TEST_F(ActivityProbeTest, HttpGoesThroughTheProxyToServerPort80)
{
    CLoopbackListener proxy;
    ASSERT_TRUE(proxy.Start(18081, Mode::AnswerHttp));
    // With or without the prefix typed, the same proxy; the port setting only
    // names the proxy's port.
    for (const char* typed : {"127.0.0.1", "http://127.0.0.1"}) {
        EXPECT_EQ(ProbeThroughProxy(1, typed, 18081, "http://localhost"), Outcome::Answered);
    }
    ASSERT_TRUE(proxy.WaitForConnections(2, 5000));
    ASSERT_TRUE(proxy.WaitUntilFinished(5000));
    const auto connections = proxy.Connections();
    ASSERT_EQ(connections.size(), 2u);
    for (const auto& connection : connections) {
        const std::string& request = connection.received;
        EXPECT_EQ(FirstLine(request), "GET http://localhost:80/ HTTP/1.0") << request;
        EXPECT_NE(request.find("\r\nUser-Agent: MY\r\n"), std::string::npos) << request;
        EXPECT_EQ(request.find("GET", 1), std::string::npos) << "one request only: " << request;
        EXPECT_EQ(request.size(), request.find("\r\n\r\n") + 4) << "no body: " << request;
    }
}

TEST_F(ActivityProbeTest, FtpLogsInAnonymouslyAtTheLowSixteenBitsOfThePort)
{
    // Wine ignores an ftp:// proxy and goes straight to the host at the port
    // setting, so the login is seen there; proxy and host are both this
    // machine, so it lands on this listener either way.
    CLoopbackListener host;
    ASSERT_TRUE(host.Start(18083, Mode::AnswerFtp));
    EXPECT_EQ(ProbeThroughProxy(0, "127.0.0.1", 18083, "ftp://127.0.0.1"), Outcome::Answered);
    EXPECT_EQ(ProbeThroughProxy(0, "ftp://127.0.0.1", 65536 + 18083, "ftp://127.0.0.1"), Outcome::Answered);
    // A server that rejects the login has answered it all the same.
    CLoopbackListener rejecting;
    ASSERT_TRUE(rejecting.Start(18084, Mode::RejectFtp));
    EXPECT_EQ(ProbeThroughProxy(0, "127.0.0.1", 18084, "ftp://127.0.0.1"), Outcome::Answered);
    ASSERT_TRUE(host.WaitForConnections(2, 5000));
    ASSERT_TRUE(host.WaitUntilFinished(5000));
    ASSERT_TRUE(rejecting.WaitUntilFinished(5000));
    EXPECT_EQ(FirstLine(rejecting.Connections().at(0).received), "USER anonymous");
    for (const auto& connection : host.Connections()) {
        const std::string& commands = connection.received;
        EXPECT_EQ(FirstLine(commands), "USER anonymous") << commands;
        EXPECT_NE(commands.find("\r\nPASS "), std::string::npos) << commands;
        // Passive and closed at once: no data connection, no transfer.
        for (const char* unwanted : {"PASV", "PORT", "RETR", "LIST", "NLST", "CWD"}) {
            EXPECT_EQ(commands.find(unwanted), std::string::npos) << commands;
        }
    }
}

TEST_F(ActivityProbeTest, DirectContactConnectsToPort81FromThePortSettingAndSendsNothing)
{
    CLoopbackListener host;
    ASSERT_TRUE(host.Start(kDirectPort, Mode::Silent));
    EXPECT_EQ(ProbeDirectly(18085, "http://127.0.0.1"), Outcome::Answered);
    // A host name is looked up; the local port is the low 16 bits.
    EXPECT_EQ(ProbeDirectly(65536 + 18086, "ftp://localhost"), Outcome::Answered);
    ASSERT_TRUE(host.WaitForConnections(2, 5000));
    ASSERT_TRUE(host.WaitUntilFinished(5000));
    const auto connections = host.Connections();
    ASSERT_EQ(connections.size(), 2u);
    EXPECT_EQ(connections[0].peerPort, 18085);
    EXPECT_EQ(connections[1].peerPort, 18086);
    EXPECT_EQ(host.BytesReceived(), 0u);
}

TEST_F(ActivityProbeTest, ProxyWithoutAServerGoesDirect)
{
    CLoopbackListener host;
    ASSERT_TRUE(host.Start(kDirectPort, Mode::Silent));
    ProbeThroughProxy(1, "", 18087, "http://127.0.0.1");
    ProbeThroughProxy(0, "", 18088, "ftp://127.0.0.1");
    ProbeThroughProxy(1, "http://", 18089, "http://127.0.0.1");
    ASSERT_TRUE(host.WaitForConnections(3, 5000));
    ASSERT_TRUE(host.WaitUntilFinished(5000));
    const auto connections = host.Connections();
    ASSERT_EQ(connections.size(), 3u);
    EXPECT_EQ(connections[0].peerPort, 18087);
    EXPECT_EQ(connections[1].peerPort, 18088);
    EXPECT_EQ(connections[2].peerPort, 18089);
    EXPECT_EQ(host.BytesReceived(), 0u);
}

TEST_F(ActivityProbeTest, DirectContactNeedsItsOwnLocalPort)
{
    CLoopbackListener host;
    ASSERT_TRUE(host.Start(kDirectPort, Mode::Silent));
    CLoopbackListener portTaken;
    ASSERT_TRUE(portTaken.Start(18090, Mode::Silent));
    // The bind fails, so no connection is tried from some other port.
    ProbeDirectly(18090, "http://127.0.0.1");
    ProbeDirectly(18091, "http://127.0.0.1");
    ASSERT_TRUE(host.WaitForConnections(1, 5000));
    Sleep(300);
    const auto connections = host.Connections();
    ASSERT_EQ(connections.size(), 1u);
    EXPECT_EQ(connections[0].peerPort, 18091);
}

TEST_F(ActivityProbeTest, AnUnhelpfulPeerEndsTheContactInBoundedTime)
{
    CLoopbackListener refusing;
    ASSERT_TRUE(refusing.Start(18092, Mode::Refuse));
    DWORD start = GetTickCount();
    EXPECT_EQ(ProbeThroughProxy(1, "127.0.0.1", 18092, "http://127.0.0.1"), Outcome::Refused);
    EXPECT_EQ(ProbeThroughProxy(0, "127.0.0.1", 18092, "ftp://127.0.0.1"), Outcome::Refused);
    EXPECT_LT(ElapsedSince(start), 5000u);

    CLoopbackListener refusingDirect;
    ASSERT_TRUE(refusingDirect.Start(kDirectPort, Mode::Refuse));
    start = GetTickCount();
    EXPECT_EQ(ProbeDirectly(18093, "http://127.0.0.1"), Outcome::Refused);
    EXPECT_LT(ElapsedSince(start), 5000u);
    refusingDirect.Stop();

    // A host that drops the connection attempt is given up after the time
    // limit, not after the system's own retries (over two minutes here).
    CLoopbackListener unreachable;
    ASSERT_TRUE(unreachable.Start(kDirectPort, Mode::NeverAccept));
    start = GetTickCount();
    EXPECT_EQ(ProbeDirectly(18097, "http://127.0.0.1"), Outcome::NoAnswer);
    unsigned long held = ElapsedSince(start);
    EXPECT_GE(held, CActivityProbe::kTimeoutMs - 1000);
    EXPECT_LT(held, 3 * CActivityProbe::kTimeoutMs);

    // A proxy that takes the request and never answers is given up after
    // the contact's time limit instead of holding the thread for good.
    CLoopbackListener silent;
    ASSERT_TRUE(silent.Start(18094, Mode::Silent));
    start = GetTickCount();
    EXPECT_EQ(ProbeThroughProxy(1, "127.0.0.1", 18094, "http://127.0.0.1"), Outcome::NoAnswer);
    held = ElapsedSince(start);
    EXPECT_GE(held, CActivityProbe::kTimeoutMs - 1000);
    EXPECT_LT(held, 3 * CActivityProbe::kTimeoutMs);
    ASSERT_TRUE(silent.WaitForConnections(1, 1000));
    EXPECT_EQ(FirstLine(silent.Connections()[0].received), "GET http://127.0.0.1:80/ HTTP/1.0");
}

TEST_F(ActivityProbeTest, ANameThatDoesNotResolveIsHostNotFound)
{
    constexpr const char* kUnresolvable = "no-such-host.invalid";
    EXPECT_EQ(ProbeThroughProxy(1, kUnresolvable, 18100, "http://127.0.0.1"), Outcome::HostNotFound);
    // The FTP form reaches the host itself.
    EXPECT_EQ(ProbeThroughProxy(0, "127.0.0.1", 18101, std::string("ftp://") + kUnresolvable), Outcome::HostNotFound);
    EXPECT_EQ(ProbeDirectly(18102, std::string("http://") + kUnresolvable), Outcome::HostNotFound);
}

TEST_F(ActivityProbeTest, AProbeCutShortBeforeItsContactMakesNone)
{
    CLoopbackListener proxy;
    ASSERT_TRUE(proxy.Start(18098, Mode::AnswerHttp));
    CLoopbackListener host;
    ASSERT_TRUE(host.Start(kDirectPort, Mode::Silent));
    CActivityProbe throughProxy;
    throughProxy.SetProxy(1, "127.0.0.1");
    throughProxy.SetContactPort(18098);
    throughProxy.CutShort();
    throughProxy.Probe("http://127.0.0.1");
    CActivityProbe direct;
    direct.SetContactPort(18099);
    direct.CutShort();
    direct.Probe("http://127.0.0.1");
    // The same probes uncut reach both listeners.
    ProbeThroughProxy(1, "127.0.0.1", 18098, "http://127.0.0.1");
    ProbeDirectly(18099, "http://127.0.0.1");
    ASSERT_TRUE(proxy.WaitForConnections(1, 5000));
    ASSERT_TRUE(host.WaitForConnections(1, 5000));
    Sleep(300);
    EXPECT_EQ(proxy.ConnectionCount(), 1u);
    EXPECT_EQ(host.ConnectionCount(), 1u);
}

TEST_F(ActivityProbeTest, NoContactAtAllWithoutAConnection)
{
    DWORD flags = 0;
    if (InternetGetConnectedState(&flags, 0)) {
        // tools/offline-run runs this test where there is no connection.
        if (GetEnvironmentVariableA("QUELLOR_EXPECT_OFFLINE", nullptr, 0) != 0) {
            FAIL() << "the system reports a connection inside the offline namespace";
        }
        GTEST_SKIP() << "the system reports a connection; see tools/offline-run";
    }
    CLoopbackListener proxy;
    ASSERT_TRUE(proxy.Start(18095, Mode::AnswerHttp));
    CLoopbackListener host;
    ASSERT_TRUE(host.Start(kDirectPort, Mode::Silent));
    EXPECT_EQ(ProbeThroughProxy(1, "127.0.0.1", 18095, "http://127.0.0.1"), Outcome::NoConnection);
    EXPECT_EQ(ProbeDirectly(18096, "http://127.0.0.1"), Outcome::NoConnection);
    Sleep(500);
    EXPECT_EQ(proxy.ConnectionCount(), 0u);
    EXPECT_EQ(host.ConnectionCount(), 0u);
}

}  // namespace
