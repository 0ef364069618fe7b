#include "engine/AutoNetSenseWatch.h"
#include "engine/ConnectionWatch.h"
#include "frame/MainFrame.h"

#include "TestWindows.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr DWORD kBufferTooSmall = 603;

// The dial-up service as the tests want it. A function pointer carries no
// state, so this one lives at namespace level and each test resets it.
struct FakeService {
    std::vector<RasConnection> connections;
    DWORD failWith = 0;
    DWORD failSecondCallWith = 0;
    DWORD delayMs = 0;
    // Too small a buffer is answered with the bytes needed and, as some
    // services do, a count of 0: the entries written.
    bool reportsBytesOnly = false;
    // What each call was given: the byte count and the first size field.
    std::vector<DWORD> byteCountsSeen;
    std::vector<DWORD> sizesSeen;
    bool answeredTooSmall = false;
    std::atomic<int> calls{0};
    // Calls that have answered.
    std::atomic<int> returns{0};
    std::atomic<int> callerPriority{0};
    // The caller's priority when the call answers.
    std::atomic<int> priorityAtReturn{0};
};

FakeService service;

void ResetService()
{
    service.connections.clear();
    service.failWith = 0;
    service.failSecondCallWith = 0;
    service.delayMs = 0;
    service.reportsBytesOnly = false;
    service.byteCountsSeen.clear();
    service.sizesSeen.clear();
    service.answeredTooSmall = false;
    service.calls = 0;
    service.returns = 0;
    service.callerPriority = 0;
    service.priorityAtReturn = 0;
}

DWORD Answer(RasConnection* buffer, DWORD* byteCount, DWORD* connectionCount, bool secondCall)
{
    if (service.failWith != 0) {
        *connectionCount = 0;
        return service.failWith;
    }
    if (secondCall && service.failSecondCallWith != 0) {
        return service.failSecondCallWith;
    }
    const DWORD count = static_cast<DWORD>(service.connections.size());
    *connectionCount = count;
    if (*byteCount < count * sizeof(RasConnection)) {
        *byteCount = count * sizeof(RasConnection);
        *connectionCount = service.reportsBytesOnly ? 0 : count;
        service.answeredTooSmall = true;
        return kBufferTooSmall;
    }
    for (DWORD i = 0; i < count; ++i) {
        buffer[i] = service.connections[i];
    }
    return 0;
}

DWORD WINAPI FakeEnumerate(RasConnection* buffer, DWORD* byteCount, DWORD* connectionCount)
{
    service.callerPriority = GetThreadPriority(GetCurrentThread());
    service.byteCountsSeen.push_back(*byteCount);
    service.sizesSeen.push_back(buffer->dwSize);
    const bool secondCall = std::exchange(service.answeredTooSmall, false);
    ++service.calls;
    Sleep(service.delayMs);
    const DWORD result = Answer(buffer, byteCount, connectionCount, secondCall);
    service.priorityAtReturn = GetThreadPriority(GetCurrentThread());
    ++service.returns;
    return result;
}

RasConnection Entry(const char* name, const char* device = "Modem 1", const char* type = "modem")
{
    RasConnection entry = {};
    entry.dwSize = sizeof entry;
    lstrcpynA(entry.szEntryName, name, sizeof entry.szEntryName);
    lstrcpynA(entry.szDeviceName, device, sizeof entry.szDeviceName);
    lstrcpynA(entry.szDeviceType, type, sizeof entry.szDeviceType);
    return entry;
}

void Offer(std::initializer_list<const char*> names)
{
    service.connections.clear();
    for (const char* name : names) {
        service.connections.push_back(Entry(name));
    }
}

class CRecordingWatch : public CConnectionWatch {
public:
    CRecordingWatch() : CConnectionWatch(FakeEnumerate) {}
    ~CRecordingWatch() override { Stop(); }
    using CConnectionWatch::KeptConnections;
    using CConnectionWatch::Poll;

    // "+name" for a connection that came, "-name" for one that went.
    std::vector<std::string> TakeEvents() { return std::exchange(events, {}); }
    std::vector<ConnectionRecord> came;
    std::vector<ConnectionRecord> went;

protected:
    void OnConnected(const ConnectionRecord& connection) override
    {
        events.push_back("+" + connection.entryName);
        came.push_back(connection);
    }
    void OnDisconnected(const ConnectionRecord& connection) override
    {
        events.push_back("-" + connection.entryName);
        went.push_back(connection);
    }

private:
    std::vector<std::string> events;
};

using Events = std::vector<std::string>;

std::vector<std::string> KeptNames(const CRecordingWatch& watch)
{
    std::vector<std::string> names;
    for (const ConnectionRecord& record : watch.KeptConnections()) {
        names.push_back(record.entryName);
    }
    return names;
}

TEST(ConnectionWatch, ReportsConnectionsThatComeAndGoBetweenCycles)
{
    ResetService();
    CRecordingWatch watch;

    // Connections already up count as new in the first cycle.
    Offer({"Office", "Home"});
    watch.Poll();
    EXPECT_EQ(watch.TakeEvents(), (Events{"+Office", "+Home"}));

    // One of two vanishing; the other is not announced again.
    Offer({"Home"});
    watch.Poll();
    EXPECT_EQ(watch.TakeEvents(), (Events{"-Office"}));
    watch.Poll();
    EXPECT_EQ(watch.TakeEvents(), Events{});

    // A replacement between two cycles: the old one goes first.
    Offer({"Travel"});
    watch.Poll();
    EXPECT_EQ(watch.TakeEvents(), (Events{"-Home", "+Travel"}));

    // Names are exact: another capital makes another connection, and the
    // same name twice in one list makes one.
    Offer({"Travel", "travel", "travel"});
    watch.Poll();
    EXPECT_EQ(watch.TakeEvents(), (Events{"+travel"}));
    EXPECT_EQ(KeptNames(watch), (std::vector<std::string>{"Travel", "travel"}));

    // An empty list reports every kept connection, last kept first.
    Offer({"Travel", "travel", "Last"});
    watch.Poll();
    EXPECT_EQ(watch.TakeEvents(), (Events{"+Last"}));
    Offer({});
    watch.Poll();
    EXPECT_EQ(watch.TakeEvents(), (Events{"-Last", "-travel", "-Travel"}));
    EXPECT_TRUE(watch.KeptConnections().empty());
}

TEST(ConnectionWatch, AFailedEnumerationChangesNothing)
{
    ResetService();
    CRecordingWatch watch;
    Offer({"Office", "Home"});
    watch.Poll();
    watch.TakeEvents();

    Offer({});
    service.failWith = ERROR_ACCESS_DENIED;
    watch.Poll();
    EXPECT_EQ(watch.TakeEvents(), Events{});
    service.failWith = 0;

    // The second call of the buffer-too-small protocol fails.
    Offer({"Home", "Travel"});
    service.failSecondCallWith = ERROR_INVALID_PARAMETER;
    watch.Poll();
    EXPECT_EQ(watch.TakeEvents(), Events{});
    service.failSecondCallWith = 0;
    EXPECT_EQ(KeptNames(watch), (std::vector<std::string>{"Office", "Home"}));

    watch.Poll();
    EXPECT_EQ(watch.TakeEvents(), (Events{"-Office", "+Travel"}));
}

TEST(ConnectionWatch, ThreeConnectionsGoThroughTheBufferTooSmallProtocol)
{
    ResetService();
    CRecordingWatch watch;
    service.connections = {Entry("First", "Modem A", "modem"), Entry("Second", "ISDN B", "isdn"),
                           Entry("Third", "VPN C", "vpn")};
    watch.Poll();

    EXPECT_EQ(service.byteCountsSeen, (std::vector<DWORD>{412, 3 * 412}));
    EXPECT_EQ(service.sizesSeen, (std::vector<DWORD>{412, 412}));
    EXPECT_EQ(watch.TakeEvents(), (Events{"+First", "+Second", "+Third"}));
    EXPECT_EQ(KeptNames(watch), (std::vector<std::string>{"First", "Second", "Third"}));

    // A service that gives only the bytes it needs is asked again with room
    // for that many.
    Offer({"First", "Second", "Fourth", "Fifth"});
    service.reportsBytesOnly = true;
    service.byteCountsSeen.clear();
    watch.Poll();
    EXPECT_EQ(service.byteCountsSeen, (std::vector<DWORD>{412, 4 * 412}));
    EXPECT_EQ(watch.TakeEvents(), (Events{"-Third", "+Fourth", "+Fifth"}));
}

TEST(ConnectionWatch, TextsThatFillTheirFieldsAreCopiedWithinThem)
{
    ResetService();
    CRecordingWatch watch;
    RasConnection full = {};
    full.dwSize = sizeof full;
    std::memset(full.szEntryName, 'E', sizeof full.szEntryName);
    std::memset(full.szDeviceType, 'T', sizeof full.szDeviceType);
    std::memset(full.szDeviceName, 'N', sizeof full.szDeviceName);
    service.connections = {full};
    watch.Poll();

    ASSERT_EQ(watch.came.size(), 1u);
    EXPECT_EQ(watch.came[0].entryName, std::string(257, 'E'));
    // Still the same connection at the next cycle.
    watch.Poll();
    EXPECT_EQ(watch.TakeEvents(), Events{"+" + std::string(257, 'E')});
}

bool WaitForCalls(int calls, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (service.calls < calls) {
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        Sleep(10);
    }
    return true;
}

TEST(ConnectionWatch, TheWorkerPollsAtOnceAtIdlePriorityAndAStopRaisesIt)
{
    ResetService();
    CRecordingWatch watch;
    ASSERT_TRUE(watch.Start());
    ASSERT_TRUE(WaitForCalls(1, 2000));
    // Recorded before the call is counted.
    EXPECT_EQ(service.callerPriority, THREAD_PRIORITY_IDLE);

    const DWORD start = GetTickCount();
    EXPECT_TRUE(watch.Stop());
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_FALSE(watch.IsWatching());
    EXPECT_EQ(service.calls, 1) << "one poll, no other";

    // It can be started again, and stopping an idle watch does nothing.
    ASSERT_TRUE(watch.Start());
    EXPECT_TRUE(WaitForCalls(2, 2000));
    EXPECT_TRUE(watch.Stop());
    EXPECT_TRUE(watch.Stop());

    // A stop raises the worker to normal priority, so that a busy machine
    // schedules it at once; here it is left inside a slow call, and answers
    // at the raised priority.
    service.delayMs = 500;
    ASSERT_TRUE(watch.Start());
    ASSERT_TRUE(WaitForCalls(3, 2000));
    EXPECT_TRUE(watch.Stop());
    ASSERT_TRUE(WaitUntil([] { return service.returns == 3; }, 2000));
    EXPECT_EQ(service.priorityAtReturn, THREAD_PRIORITY_NORMAL);
}

// A hidden window on the test thread standing in for the main frame.
struct Notification {
    UINT message;
    WPARAM wParam;
    std::string entryName;
};

std::vector<Notification> notifications;

LRESULT CALLBACK RecordNotification(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NET_CONNECTED || message == WM_NET_DISCONNECTED) {
        const auto* record = reinterpret_cast<const ConnectionRecord*>(lParam);
        notifications.push_back({message, wParam, record != nullptr ? record->entryName : std::string()});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateNotifyWindow()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RecordNotification;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "AutoNetSenseTestWindow";
    RegisterClassA(&wc);
    notifications.clear();
    return CreateWindowA(wc.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
}

std::string Describe(const std::vector<Notification>& list)
{
    std::string text;
    for (const Notification& n : list) {
        text += n.message == WM_NET_CONNECTED ? "connected " : "disconnected:" + n.entryName + " ";
    }
    return text;
}

// Aims the watch at the window without leaving a worker behind, so that the
// test drives every cycle itself.
// Polled by the test, one cycle at a time.
class CSteppedAutoNetSenseWatch : public CAutoNetSenseWatch {
public:
    CSteppedAutoNetSenseWatch() : CAutoNetSenseWatch(FakeEnumerate) {}
    using CConnectionWatch::Poll;
};

void AimAt(CAutoNetSenseWatch& watch, HWND window)
{
    service.failWith = ERROR_ACCESS_DENIED;
    ASSERT_TRUE(watch.Start(window));
    ASSERT_TRUE(WaitForCalls(1, 2000));
    watch.Stop();
    service.failWith = 0;
}

TEST(AutoNetSenseWatch, TellsTheWindowOfTheFirstConnectionAndOfTheLastOneToGo)
{
    ResetService();
    const HWND window = CreateNotifyWindow();
    CSteppedAutoNetSenseWatch watch;
    AimAt(watch, window);
    ASSERT_TRUE(notifications.empty());

    Offer({"Office", "Home"});
    watch.Poll();
    EXPECT_EQ(Describe(notifications), "connected ");
    EXPECT_EQ(notifications[0].wParam, 0u);

    // A line that is still up keeps the activity on.
    Offer({"Home"});
    watch.Poll();
    watch.Poll();
    EXPECT_EQ(Describe(notifications), "connected ");
    Offer({"Home", "Travel"});
    watch.Poll();
    EXPECT_EQ(Describe(notifications), "connected ");

    // A replacement: the old ones go, last kept first, and only the end of
    // the last one is told; then the new one is announced.
    notifications.clear();
    Offer({"Hotel"});
    watch.Poll();
    EXPECT_EQ(Describe(notifications), "disconnected:Home connected ");
    Offer({});
    watch.Poll();
    EXPECT_EQ(Describe(notifications), "disconnected:Home connected disconnected:Hotel ");
    DestroyWindow(window);
}

// Waits without answering sent messages, as a busy user-interface thread.
void WaitWithoutPumping(int calls)
{
    ASSERT_TRUE(WaitForCalls(calls, 2000));
    Sleep(300);
}

TEST(AutoNetSenseWatch, StopNeverWaitsForeverOnANotificationInDelivery)
{
    ResetService();
    Offer({"Office"});

    // Exit while the worker is inside a slow enumeration: the stop does not
    // wait for it, and when the call answers, with a connection, after the
    // watch has gone, the worker tells nobody and ends.
    {
        service.delayMs = 1500;
        HWND window = CreateNotifyWindow();
        DWORD stopMs = 0;
        {
            CAutoNetSenseWatch watch(FakeEnumerate);
            ASSERT_TRUE(watch.Start(window));
            ASSERT_TRUE(WaitForCalls(1, 2000));
            const DWORD start = GetTickCount();
            EXPECT_TRUE(watch.Stop());
            stopMs = GetTickCount() - start;
            EXPECT_FALSE(watch.IsWatching());
        }
        EXPECT_LT(stopMs, 500u);
        ASSERT_TRUE(WaitUntil([] { return service.returns == 1; }, 3000));
        PumpFor(300);
        EXPECT_TRUE(notifications.empty()) << Describe(notifications);
        EXPECT_EQ(service.calls, 1);
        DestroyWindow(window);
        service.delayMs = 0;
    }

    // Exit while the worker is inside its send to the stopping thread.
    {
        ResetService();
        Offer({"Office"});
        HWND window = CreateNotifyWindow();
        CAutoNetSenseWatch watch(FakeEnumerate);
        ASSERT_TRUE(watch.Start(window));
        WaitWithoutPumping(1);
        DestroyWindow(window);
        const DWORD start = GetTickCount();
        EXPECT_TRUE(watch.Stop());
        EXPECT_LT(GetTickCount() - start, 1000u);
        EXPECT_FALSE(watch.IsWatching());
    }

    // The same with the window still there: the send is answered during the
    // wait, and the handler runs once.
    {
        ResetService();
        Offer({"Office"});
        HWND window = CreateNotifyWindow();
        CAutoNetSenseWatch watch(FakeEnumerate);
        ASSERT_TRUE(watch.Start(window));
        WaitWithoutPumping(1);
        EXPECT_TRUE(notifications.empty());
        const DWORD start = GetTickCount();
        EXPECT_TRUE(watch.Stop());
        EXPECT_LT(GetTickCount() - start, 1000u);
        EXPECT_EQ(Describe(notifications), "connected ");
        DestroyWindow(window);
    }

    // And when the watch is destroyed without a Stop of its own.
    {
        ResetService();
        Offer({"Office"});
        HWND window = CreateNotifyWindow();
        const DWORD start = GetTickCount();
        {
            CAutoNetSenseWatch watch(FakeEnumerate);
            ASSERT_TRUE(watch.Start(window));
            WaitWithoutPumping(1);
            DestroyWindow(window);
        }
        EXPECT_LT(GetTickCount() - start, 2000u);
    }
}

}  // namespace
