// The keep-alive activity of the real Quellor.exe: what each contact tick
// sends where, which settings it reads when, and the America Online presence
// check. Every host entry and the proxy point at this machine; listeners
// started here stand in for the proxy and the hosts. Ticks are driven by
// posting the contact timer's message instead of waiting for the period.
#include "LoopbackListener.h"
#include "QuellorProcess.h"
#include "QuellorRegistry.h"
#include "TestWindows.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <set>
#include <string>
#include <vector>

namespace {

using Mode = CLoopbackListener::Mode;
namespace reg = quellor_registry;

constexpr WPARAM kActivityOn = 32771;
constexpr WPARAM kActivityOff = 32772;
constexpr WPARAM kContactTimer = 1;
constexpr unsigned short kDirectPort = 81;

// Entry n of a list is 127.0.0.(n+1): every entry on this machine, and the
// proxy's request line tells which entry a contact used.
std::string DistinctLoopbackHost(int index)
{
    return "127.0.0." + std::to_string(index + 1);
}

std::string RequestLineFor(const std::string& host)
{
    return "GET http://" + host + ":80/ HTTP/1.0";
}

// The choice the C runtime's own generator makes for a seed.
int RuntimeHostIndex(unsigned int seed)
{
    std::srand(seed);
    int drawn = std::rand();
    while (drawn > 9) {
        drawn = std::rand();
    }
    return drawn;
}

std::string FirstLine(const std::string& text)
{
    return text.substr(0, text.find("\r\n"));
}

class ActivityTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WSADATA data = {};
        ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
        reg::PrepareQuietStart();
    }
    void TearDown() override
    {
        if (quellor.IsRunning()) {
            EXPECT_TRUE(quellor.Exit());
        }
        WSACleanup();
    }

    static void UseDistinctHttpHosts()
    {
        for (int i = 0; i < 10; ++i) {
            reg::WriteString(("HTTPURL" + std::to_string(i)).c_str(), DistinctLoopbackHost(i));
        }
    }

    static void UseHttpProxy(unsigned short port, int isRandom)
    {
        reg::WriteInt("IsHttp", 1);
        reg::WriteInt("IsRand", isRandom);
        reg::WriteInt("Proxy", 1);
        reg::WriteString("ProxyIP3", "127.0.0.1");
        reg::WriteInt("Port", port);
    }

    void Launch()
    {
        ASSERT_TRUE(quellor.Launch());
        frame = quellor.WaitForMainWindow();
        ASSERT_NE(frame, nullptr);
    }

    // The tray animation runs in a window of its own, with an empty title,
    // exactly while the activity is on.
    bool IsAnimating() const { return FindProcessWindow(quellor.Id(), "QuellorAnimation", "") != nullptr; }

    void Command(WPARAM id, bool animatingAfter)
    {
        PostMessageA(frame, WM_COMMAND, id, 0);
        ASSERT_TRUE(WaitUntil([&] { return IsAnimating() == animatingAfter; }, 5000));
        ASSERT_TRUE(Flush());
    }

    // Waits until the frame has handled everything posted to it so far.
    bool Flush()
    {
        PumpFor(100);
        DWORD_PTR answer = 0;
        return SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &answer) != 0;
    }

    void Tick()
    {
        PostMessageA(frame, WM_TIMER, kContactTimer, 0);
        ASSERT_TRUE(Flush()) << "the contact tick did not end";
    }

    CQuellorProcess quellor;
    HWND frame = nullptr;
};

TEST_F(ActivityTest, HttpThroughAProxyVisitsTheListInTurnFromEntryOne)
{
    CLoopbackListener proxy;
    ASSERT_TRUE(proxy.Start(18080, Mode::AnswerHttp));
    UseHttpProxy(18080, 0);
    UseDistinctHttpHosts();
    Launch();
    Command(kActivityOn, true);
    PumpFor(1000);
    EXPECT_EQ(proxy.ConnectionCount(), 0u) << "no contact when switched on";

    std::vector<std::string> expected;
    for (int index : {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1}) {
        expected.push_back(RequestLineFor(DistinctLoopbackHost(index)));
        Tick();
    }
    // Switching on again starts the list over.
    Command(kActivityOn, true);
    for (int index : {1, 2}) {
        expected.push_back(RequestLineFor(DistinctLoopbackHost(index)));
        Tick();
    }
    ASSERT_TRUE(proxy.WaitForConnections(expected.size(), 5000));
    ASSERT_TRUE(proxy.WaitUntilFinished(5000));
    const auto connections = proxy.Connections();
    ASSERT_EQ(connections.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::string& request = connections[i].received;
        EXPECT_EQ(FirstLine(request), expected[i]) << "contact " << i;
        EXPECT_NE(request.find("\r\nUser-Agent: MY\r\n"), std::string::npos) << request;
        EXPECT_EQ(request.find("GET", 1), std::string::npos) << "one request only: " << request;
        EXPECT_EQ(request.size(), request.find("\r\n\r\n") + 4) << "no body: " << request;
    }
}

TEST_F(ActivityTest, FtpThroughAProxyLogsInAnonymouslyAtTheHost)
{
    // Wine ignores an ftp:// proxy and logs in straight at the host, on the
    // low 16 bits of the port setting; proxy and host are both 127.0.0.1
    // here, so this listener sees the login either way.
    CLoopbackListener ftp;
    ASSERT_TRUE(ftp.Start(18081, Mode::AnswerFtp));
    reg::WriteInt("IsHttp", 0);
    reg::WriteInt("Proxy", 1);
    reg::WriteString("ProxyIP3", "127.0.0.1");
    reg::WriteInt("Port", 65536 + 18081);
    Launch();
    Command(kActivityOn, true);
    Tick();
    Tick();
    ASSERT_TRUE(ftp.WaitForConnections(2, 5000));
    ASSERT_TRUE(ftp.WaitUntilFinished(5000));
    for (const auto& connection : ftp.Connections()) {
        const std::string& commands = connection.received;
        EXPECT_EQ(FirstLine(commands), "USER anonymous") << commands;
        EXPECT_NE(commands.find("\r\nPASS "), std::string::npos) << commands;
        for (const char* unwanted : {"PASV", "PORT", "RETR", "LIST", "NLST", "CWD"}) {
            EXPECT_EQ(commands.find(unwanted), std::string::npos) << commands;
        }
    }
}

TEST_F(ActivityTest, DirectContactReachesPort81FromThePortSettingAndSendsNothing)
{
    CLoopbackListener host;
    ASSERT_TRUE(host.Start(kDirectPort, Mode::Silent));
    reg::WriteInt("Proxy", 0);
    reg::WriteString("ProxyIP3", "");
    reg::WriteInt("Port", 18082);
    Launch();
    Command(kActivityOn, true);
    Tick();
    ASSERT_TRUE(host.WaitForConnections(1, 5000));
    ASSERT_TRUE(host.WaitUntilFinished(5000));

    // The proxy switched on without an address: still direct.
    reg::WriteInt("Proxy", 1);
    reg::WriteInt("Port", 18083);
    Tick();
    ASSERT_TRUE(host.WaitForConnections(2, 5000));
    ASSERT_TRUE(host.WaitUntilFinished(5000));

    const auto connections = host.Connections();
    ASSERT_EQ(connections.size(), 2u);
    EXPECT_EQ(connections[0].peerPort, 18082);
    EXPECT_EQ(connections[1].peerPort, 18083);
    EXPECT_EQ(host.BytesReceived(), 0u);
}

TEST_F(ActivityTest, PortAndProxyApplyAtTheNextTickTheRestAtTheNextStart)
{
    CLoopbackListener firstProxy;
    ASSERT_TRUE(firstProxy.Start(18084, Mode::AnswerHttp));
    CLoopbackListener secondProxy;
    ASSERT_TRUE(secondProxy.Start(18085, Mode::AnswerHttp));
    CLoopbackListener host;
    ASSERT_TRUE(host.Start(kDirectPort, Mode::Silent));
    UseHttpProxy(18084, 0);
    UseDistinctHttpHosts();
    Launch();
    Command(kActivityOn, true);

    Tick();
    ASSERT_TRUE(firstProxy.WaitForConnections(1, 5000));
    EXPECT_EQ(FirstLine(firstProxy.Connections()[0].received), RequestLineFor(DistinctLoopbackHost(1)));

    reg::WriteInt("Port", 18085);
    Tick();
    // Mode, choice and proxy address wait for the next start.
    reg::WriteInt("IsHttp", 0);
    reg::WriteInt("IsRand", 1);
    reg::WriteString("ProxyIP3", "");
    Tick();
    ASSERT_TRUE(secondProxy.WaitForConnections(2, 5000));
    auto requests = secondProxy.Connections();
    EXPECT_EQ(FirstLine(requests[0].received), RequestLineFor(DistinctLoopbackHost(2)));
    EXPECT_EQ(FirstLine(requests[1].received), RequestLineFor(DistinctLoopbackHost(3)));

    // The proxy switch and the host list apply at once.
    reg::WriteInt("Proxy", 0);
    reg::WriteInt("Port", 18086);
    reg::WriteString("HTTPURL4", "127.0.0.1");
    Tick();
    ASSERT_TRUE(host.WaitForConnections(1, 5000));
    ASSERT_TRUE(host.WaitUntilFinished(5000));
    EXPECT_EQ(host.Connections()[0].peerPort, 18086);

    // After a new start the empty proxy address means a direct contact.
    Command(kActivityOn, true);
    reg::WriteInt("Proxy", 1);
    reg::WriteInt("Port", 18087);
    Tick();
    ASSERT_TRUE(host.WaitForConnections(2, 5000));
    EXPECT_EQ(host.Connections()[1].peerPort, 18087);
    EXPECT_EQ(firstProxy.ConnectionCount(), 1u);
    EXPECT_EQ(secondProxy.ConnectionCount(), 2u);
}

TEST_F(ActivityTest, RandomChoiceFollowsTheGeneratorSeededWithTheTime)
{
    CLoopbackListener proxy;
    ASSERT_TRUE(proxy.Start(18088, Mode::AnswerHttp));
    UseHttpProxy(18088, 1);
    UseDistinctHttpHosts();
    Launch();
    Command(kActivityOn, true);
    for (int i = 0; i < 6; ++i) {
        const std::time_t before = std::time(nullptr);
        Tick();
        const std::time_t after = std::time(nullptr);
        ASSERT_TRUE(proxy.WaitForConnections(static_cast<std::size_t>(i) + 1, 5000));
        std::set<std::string> possible;
        for (std::time_t second = before; second <= after; ++second) {
            possible.insert(RequestLineFor(DistinctLoopbackHost(RuntimeHostIndex(static_cast<unsigned int>(second)))));
        }
        const std::string line = FirstLine(proxy.Connections()[static_cast<std::size_t>(i)].received);
        EXPECT_EQ(possible.count(line), 1u) << line;
        PumpFor(400);
    }
}

TEST_F(ActivityTest, APeriodOutOfRangeStillWaitsAtLeastAMinute)
{
    CLoopbackListener proxy;
    ASSERT_TRUE(proxy.Start(18089, Mode::AnswerHttp));
    UseHttpProxy(18089, 0);
    // 0 minutes would ask for the shortest timer there is; 1360073 minutes
    // wrap to 1.4 s in 32 bits.
    reg::WriteInt("DefaultMin", 0);
    Launch();
    Command(kActivityOn, true);
    PumpFor(3000);
    EXPECT_EQ(proxy.ConnectionCount(), 0u);

    Command(kActivityOff, false);
    reg::WriteInt("DefaultMin", 1360073);
    Command(kActivityOn, true);
    PumpFor(3000);
    EXPECT_EQ(proxy.ConnectionCount(), 0u);
    EXPECT_TRUE(quellor.IsRunning());
}

TEST_F(ActivityTest, HostsThatCannotMakeATargetAreSkipped)
{
    CLoopbackListener proxy;
    ASSERT_TRUE(proxy.Start(18090, Mode::AnswerHttp));
    UseHttpProxy(18090, 0);
    // These names only ever reach the loopback proxy; .invalid never resolves.
    const std::string longest = std::string(84, 'a') + ".invalid";
    const std::string tooLong = "b" + longest;
    ASSERT_EQ(longest.size(), 92u);
    reg::WriteString("HTTPURL1", tooLong);
    reg::WriteString("HTTPURL2", "");
    reg::WriteString("HTTPURL3", longest);
    Launch();
    Command(kActivityOn, true);
    Tick();
    Tick();
    Tick();
    ASSERT_TRUE(proxy.WaitForConnections(1, 5000));
    PumpFor(300);
    const auto connections = proxy.Connections();
    ASSERT_EQ(connections.size(), 1u);
    EXPECT_EQ(FirstLine(connections[0].received), RequestLineFor(longest));
    EXPECT_TRUE(quellor.IsRunning());
}

// A window as the America Online client's time-keeper shows it.
class CTimeKeeperWindow {
public:
    explicit CTimeKeeperWindow(const char* title)
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "_AOL_TimeKeeper";
        RegisterClassA(&windowClass);
        window = CreateWindowA("_AOL_TimeKeeper", title, WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    }
    ~CTimeKeeperWindow() { Close(); }
    HWND Handle() const { return window; }
    void Close()
    {
        if (window != nullptr) {
            DestroyWindow(window);
            window = nullptr;
        }
    }

private:
    HWND window = nullptr;
};

TEST_F(ActivityTest, TheTimeKeeperWindowSwitchesTheActivityOnAndOff)
{
    constexpr DWORD kWithinOnePeriod = 12000;
    reg::WriteInt("IsAOL", 1);
    reg::WriteInt("AutoNetSense", 1);
    Launch();
    // Only the untitled time-keeper counts.
    CTimeKeeperWindow timeKeeper("Not the time keeper");
    ASSERT_NE(timeKeeper.Handle(), nullptr);
    EXPECT_FALSE(WaitUntil([&] { return IsAnimating(); }, kWithinOnePeriod));

    SetWindowTextA(timeKeeper.Handle(), "");
    EXPECT_TRUE(WaitUntil([&] { return IsAnimating(); }, kWithinOnePeriod));

    timeKeeper.Close();
    EXPECT_TRUE(WaitUntil([&] { return !IsAnimating(); }, kWithinOnePeriod));
}

TEST_F(ActivityTest, ClosingEveryOtherWindowOfTheProgramLeavesItWorking)
{
    Launch();
    Command(kActivityOn, true);
    EXPECT_EQ(FindWindowA("QuellorFrame", nullptr), frame) << "a search for the frame's class finds the frame";

    // What a program does that closes every window it finds.
    int closed = 0;
    for (const HWND window : ProcessWindows(quellor.Id())) {
        if (window != frame) {
            DWORD_PTR answer = 0;
            SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
            ++closed;
        }
    }
    EXPECT_GE(closed, 1) << "the animation window at least";
    ASSERT_TRUE(Flush());
    EXPECT_TRUE(IsAnimating());

    Command(kActivityOff, false);
    Command(kActivityOn, true);
    Command(kActivityOff, false);
    ASSERT_TRUE(quellor.Exit());
    EXPECT_EQ(quellor.ExitCode(), 0u);
}

}  // namespace
