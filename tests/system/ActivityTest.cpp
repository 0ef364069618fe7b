// The keep-alive activity of the real Quellor.exe: what each contact tick
// sends where, which settings it reads when, and the America Online presence
// check. Every host entry and the proxy point at this machine; listeners
// started here stand in for the proxy and the hosts. Ticks are driven by
// posting the contact timer's message instead of waiting for the period.
// Each contact runs on a thread of the program's own; the tests see it come
// and go in the process's thread count.
#include "LoopbackListener.h"
#include "NetworkLinks.h"
#include "ProcessCounts.h"
#include "QuellorProcess.h"
#include "QuellorRegistry.h"
#include "ShellStandIn.h"
#include "TestWindows.h"
#include "TrayMenu.h"
#include "win/IpHelper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
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
constexpr WPARAM kExitCommand = 32774;
constexpr WPARAM kContactTimer = 1;
constexpr unsigned short kDirectPort = 81;
// A contact's own time limit for each wait (10 s).
constexpr DWORD kContactLimitMs = 10000;
// How long the user-interface thread may take to answer or to show the tray
// menu while a contact is under way: as a rule (the median) kPromptMs, and
// never more than kSlowestMs, which leaves room for the odd delay of a
// loaded machine's scheduler. A contact made on that thread held it for 10 s
// and more.
constexpr DWORD kPromptMs = 100;
constexpr DWORD kSlowestMs = 1000;
// Handles a running Quellor may hold after its contacts more than after its
// first whole one. That one loads WinInet and what WinInet uses, which keep
// some handles open from their first use, more or fewer in each Wine
// version; the last contact's thread handle, kept until the next tick looks
// at it, is in both counts. Measured: the same count before and after, 41
// under Wine 8 and 37 under Wine 10. One handle of margin, for one opened or
// closed a moment late, is still less than one lost by each of the two or
// three contacts.
constexpr std::size_t kHandleMargin = 1;

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

DWORD Median(std::vector<DWORD> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

DWORD Slowest(const std::vector<DWORD>& values)
{
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
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

    // One tick, handled by the frame; its contact may still be under way.
    void PostTick()
    {
        PostMessageA(frame, WM_TIMER, kContactTimer, 0);
        ASSERT_TRUE(Flush()) << "the contact tick did not end";
    }

    // One tick and its whole contact, which runs on a thread of its own: a
    // tick that came while it was still under way would make none.
    void Tick()
    {
        const std::size_t threadsBefore = QuellorThreads();
        PostTick();
        ASSERT_TRUE(WaitUntil([&] { return QuellorThreads() <= threadsBefore; }, 3 * kContactLimitMs))
            << "the contact did not end";
    }

    std::size_t QuellorThreads() const { return ProcessThreadCount(quellor.Id()); }

    // How promptly the user-interface thread answers over a while: a sent
    // message every 50 ms, and the tray menu opened and closed three times
    // among them.
    struct Promptness {
        std::vector<DWORD> answersMs;
        std::vector<DWORD> menusMs;
    };

    DWORD AnswerTimeMs() const
    {
        const DWORD start = GetTickCount();
        DWORD_PTR answer = 0;
        if (SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_NORMAL, kSlowestMs, &answer) == 0) {
            return kSlowestMs;
        }
        return GetTickCount() - start;
    }

    DWORD MenuTimeMs() const
    {
        const DWORD start = GetTickCount();
        const HWND menu = OpenTrayMenu(frame, quellor.Id(), kSlowestMs);
        if (menu == nullptr) {
            return kSlowestMs;
        }
        const DWORD shown = GetTickCount() - start;
        EXPECT_TRUE(CloseTrayMenu(menu, 5000));
        return shown;
    }

    Promptness WatchPromptness(DWORD forMs) const
    {
        Promptness seen;
        const DWORD start = GetTickCount();
        for (DWORD elapsed = 0; elapsed < forMs; elapsed = GetTickCount() - start) {
            seen.answersMs.push_back(AnswerTimeMs());
            if (seen.menusMs.size() < 3 && elapsed >= forMs * (seen.menusMs.size() + 1) / 4) {
                seen.menusMs.push_back(MenuTimeMs());
            }
            PumpFor(50);
        }
        return seen;
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
    ASSERT_TRUE(firstProxy.WaitForFirstLines(1, 5000));
    EXPECT_EQ(FirstLine(firstProxy.Connections()[0].received), RequestLineFor(DistinctLoopbackHost(1)));

    reg::WriteInt("Port", 18085);
    Tick();
    // Mode, choice and proxy address wait for the next start.
    reg::WriteInt("IsHttp", 0);
    reg::WriteInt("IsRand", 1);
    reg::WriteString("ProxyIP3", "");
    Tick();
    ASSERT_TRUE(secondProxy.WaitForFirstLines(2, 5000));
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
        ASSERT_TRUE(proxy.WaitForFirstLines(static_cast<std::size_t>(i) + 1, 5000));
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
    ASSERT_TRUE(proxy.WaitForFirstLines(1, 5000));
    PumpFor(300);
    const auto connections = proxy.Connections();
    ASSERT_EQ(connections.size(), 1u);
    EXPECT_EQ(FirstLine(connections[0].received), RequestLineFor(longest));
    EXPECT_TRUE(quellor.IsRunning());
}

TEST_F(ActivityTest, TheTrayAnswersAtOnceThroughoutAHungContactAndExitEndsIt)
{
    const struct {
        const char* peer;
        Mode mode;
        int isHttp;
    } peers[] = {
        {"a silent HTTP proxy", Mode::Silent, 1},
        // Wine goes straight to the host at the port setting, here the same.
        {"a silent FTP server", Mode::Silent, 0},
        {"a proxy that drops connection attempts", Mode::NeverAccept, 1},
    };
    unsigned short port = 18100;
    for (const auto& peer : peers) {
        SCOPED_TRACE(peer.peer);
        CLoopbackListener listener;
        ASSERT_TRUE(listener.Start(port, peer.mode));
        if (peer.mode == Mode::NeverAccept) {
            ASSERT_TRUE(listener.AttemptHangs(2000)) << "the listener answers connection attempts";
        }
        UseHttpProxy(port++, 0);
        reg::WriteInt("IsHttp", peer.isHttp);
        Launch();
        Command(kActivityOn, true);
        const std::size_t idleThreads = QuellorThreads();

        PostTick();
        ASSERT_TRUE(WaitUntil([&] { return QuellorThreads() == idleThreads + 1; }, 5000)) << "no contact began";
        if (peer.mode == Mode::Silent) {
            ASSERT_TRUE(listener.WaitForConnections(1, 5000));
        }
        const Promptness seen = WatchPromptness(3000);
        ASSERT_EQ(seen.menusMs.size(), 3u);
        EXPECT_LT(Median(seen.answersMs), kPromptMs);
        EXPECT_LT(Slowest(seen.answersMs), kSlowestMs);
        EXPECT_LT(Median(seen.menusMs), kPromptMs);
        EXPECT_LT(Slowest(seen.menusMs), kSlowestMs);
        EXPECT_EQ(QuellorThreads(), idleThreads + 1) << "the contact ended before the watch did";
        if (peer.mode == Mode::Silent) {
            ASSERT_EQ(listener.ConnectionCount(), 1u);
            EXPECT_FALSE(listener.Connections()[0].finished) << "the contact ended before the watch did";
        }

        const DWORD exitAsked = GetTickCount();
        PostMessageA(frame, WM_COMMAND, kExitCommand, 0);
        ASSERT_EQ(WaitForSingleObject(quellor.Handle(), 10000), WAIT_OBJECT_0);
        const DWORD exitMs = GetTickCount() - exitAsked;
        EXPECT_LT(exitMs, 2000u);
        EXPECT_EQ(quellor.ExitCode(), 0u);
        std::printf("%s: answers in %lu ms (median) to %lu ms, menu in %lu to %lu ms, exit in %lu ms\n", peer.peer,
                    Median(seen.answersMs), Slowest(seen.answersMs), Median(seen.menusMs), Slowest(seen.menusMs),
                    exitMs);
    }
}

TEST_F(ActivityTest, TicksDuringAHungContactMakeNoneAndLeaveNothingBehind)
{
    CLoopbackListener proxy;
    ASSERT_TRUE(proxy.Start(18110, Mode::Silent));
    UseHttpProxy(18110, 0);
    UseDistinctHttpHosts();
    Launch();
    Command(kActivityOn, true);
    // One whole contact before the counts (see kHandleMargin).
    Tick();
    ASSERT_EQ(proxy.ConnectionCount(), 1u);
    const std::size_t idleThreads = QuellorThreads();
    const std::size_t idleHandles = ProcessHandleCount(quellor.Id());
    ASSERT_GT(idleHandles, 0u);

    for (int i = 0; i < 5; ++i) {
        PostTick();
    }
    ASSERT_TRUE(proxy.WaitForConnections(2, 5000));
    PumpFor(500);
    EXPECT_EQ(proxy.ConnectionCount(), 2u) << "five ticks during one hung contact";

    // A hundred ticks in all, over more than one contact's time limit: the
    // silent proxy holds each contact until the limit, and the first tick
    // after that makes the next contact, with the next host.
    std::size_t mostThreads = 0;
    const DWORD start = GetTickCount();
    for (int i = 5; i < 100; ++i) {
        PostTick();
        PumpFor(50);
        mostThreads = std::max(mostThreads, QuellorThreads());
    }
    EXPECT_GT(GetTickCount() - start, kContactLimitMs + 2000);
    EXPECT_LE(mostThreads, idleThreads + 1);
    ASSERT_TRUE(WaitUntil([&] { return QuellorThreads() == idleThreads; }, 3 * kContactLimitMs));
    const auto connections = proxy.Connections();
    ASSERT_GE(connections.size(), 3u);
    ASSERT_LE(connections.size(), 4u);
    for (std::size_t i = 0; i < connections.size(); ++i) {
        EXPECT_EQ(FirstLine(connections[i].received), RequestLineFor(DistinctLoopbackHost(static_cast<int>(i) + 1)));
    }
    const std::size_t handles = ProcessHandleCount(quellor.Id());
    std::printf("threads idle %zu, most %zu; handles idle %zu, after %zu\n", idleThreads, mostThreads, idleHandles,
                handles);
    EXPECT_LE(handles, idleHandles + kHandleMargin);
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

// Only when the line has been quiet, in a network namespace of the test's
// own: the line is a veth link with the default route, its traffic
// datagrams to a neighbour whose link address is fixed, so that they leave
// at once. The contacts go to a proxy on loopback, off the line.
TEST_F(ActivityTest, SparingNoContactWhileTheLineIsBusy)
{
    if (GetEnvironmentVariableA("QUELLOR_OWN_NETWORK", nullptr, 0) == 0) {
        GTEST_SKIP() << "makes a network link: runs only in a network namespace of its own (tools/offline-run)";
    }
    for (const char* command : {"link add QuietLine type veth peer name QuietLinep", "link set QuietLinep up",
                                "link set QuietLine up", "addr add 10.77.0.1/24 dev QuietLine",
                                "neigh add 10.77.0.2 lladdr 02:00:00:00:77:02 dev QuietLine"}) {
        RunIp(command);
    }
    win::LineTraffic line;
    const auto routed = [&] {
        RunIp("route add default via 10.77.0.2");
        return win::ReadLineTraffic(line);
    };
    ASSERT_TRUE(WaitUntil(routed, 10000, 250)) << "no default route over the link";
    const DWORD lookupsStart = GetTickCount();
    for (int i = 0; i < 200; ++i) {
        win::ReadLineTraffic(line);
    }
    std::printf("[  MEASURE ] one tick's line lookup %lu us\n", (GetTickCount() - lookupsStart) * 5UL);

    CShellStandIn shell;
    ASSERT_TRUE(shell.IsReady());
    CLoopbackListener proxy;
    ASSERT_TRUE(proxy.Start(18097, Mode::AnswerHttp));
    UseHttpProxy(18097, 0);
    UseDistinctHttpHosts();
    reg::WriteInt("OnlyWhenQuiet", 1);
    Launch();
    Command(kActivityOn, true);
    Tick();
    ASSERT_TRUE(proxy.WaitForFirstLines(1, 5000)) << "a quiet line is contacted";

    const SOCKET datagrams = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in neighbour = {AF_INET, htons(9), {}, {}};
    neighbour.sin_addr.s_addr = inet_addr("10.77.0.2");
    const std::string payload(1000, 'q');
    for (int i = 0; i < 50; ++i) {
        sendto(datagrams, payload.data(), 1000, 0, reinterpret_cast<const sockaddr*>(&neighbour), sizeof neighbour);
    }
    closesocket(datagrams);
    const auto tip = [&] { return shell.Tip(frame, 140); };
    Tick();
    EXPECT_TRUE(WaitUntil([&] { return tip().find("no contact needed: the line was busy") != std::string::npos; }, 5000))
        << tip();

    Tick();
    ASSERT_TRUE(proxy.WaitForFirstLines(2, 5000)) << "the tick after a quiet spell contacts";
    EXPECT_TRUE(WaitUntil([&] { return tip().find("\nLast contact ") != std::string::npos; }, 5000)) << tip();
    const auto connections = proxy.Connections();
    ASSERT_EQ(connections.size(), 2u);
    EXPECT_EQ(FirstLine(connections[1].received), RequestLineFor(DistinctLoopbackHost(2))) << "the skip used no host";
    RunIp("link del QuietLine");
}

}  // namespace
