// The real Quellor.exe, switched on, while the world around it goes wrong:
// proxies and hosts that refuse, never answer or drop the connection
// attempt, names that do not resolve, a dial-up service that is slow or
// fails, warning windows that never close, a shell that rebuilds its
// notification area. Through each the program keeps answering, keeps its
// tray icon and its ON and OFF, and an Exit that arrives in the middle of it
// ends the process cleanly within kExitBoundMs.
#include "FakeDialUp.h"
#include "LoopbackListener.h"
#include "ProcessCounts.h"
#include "QuellorProcess.h"
#include "QuellorRegistry.h"
#include "ShellIcon.h"
#include "TestWindows.h"
#include "TrayMenu.h"
#include "WarningWindowsProcess.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

using Mode = CLoopbackListener::Mode;
namespace reg = quellor_registry;

constexpr UINT kTrayIconId = 140;
constexpr WPARAM kContactTimer = 1;
constexpr WPARAM kWarningTimer = 2;
// Exit never waits for a contact, a name lookup or the dial-up service, and
// a warning tick holds the program for at most about 0.4 s: measured, Exit
// ends the process within milliseconds. 2 s leaves room for a loaded
// machine and is still far below the shortest wait of any fault here (a
// contact's 10 s limit, a 12 s name lookup, a minute-long enumeration).
constexpr DWORD kExitBoundMs = 2000;
// The longest the frame may take to answer or to show its menu during a
// fault (as a rule it takes a few milliseconds).
constexpr DWORD kAnswerBoundMs = 1000;
// A name that never resolves; there is no name server here, so the lookup
// fails at once or after the resolver's own timeouts, but never reaches a
// host.
constexpr const char* kUnresolvable = "no-such-host.invalid";

class FaultTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WSADATA data = {};
        ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
        reg::PrepareQuietStart();
    }
    void TearDown() override { WSACleanup(); }

    void LaunchSwitchedOn(const std::string& path = CQuellorProcess::DefaultPath())
    {
        frame = quellor.LaunchSwitchedOn(path);
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return quellor.IsAnimating(); }, 5000)) << "not switched on";
    }

    void Post(UINT message, WPARAM wParam) const { PostMessageA(frame, message, wParam, 0); }

    // The program answers, shows its icon and opens its menu at once, and
    // OFF and ON still switch the activity.
    void ExpectSurvives()
    {
        EXPECT_TRUE(quellor.IsRunning());
        EXPECT_LT(quellor.AnswerTimeMs(kAnswerBoundMs), kAnswerBoundMs) << "the frame does not answer";
        EXPECT_TRUE(ShellShowsIcon(frame, kTrayIconId)) << "the tray icon has gone";
        const HWND menu = OpenTrayMenu(frame, quellor.Id(), kAnswerBoundMs);
        EXPECT_NE(menu, nullptr) << "the tray menu does not open";
        if (menu != nullptr) {
            EXPECT_TRUE(CloseTrayMenu(menu, kAnswerBoundMs));
        }
        EXPECT_TRUE(quellor.SwitchActivity(false)) << "OFF";
        EXPECT_TRUE(quellor.SwitchActivity(true)) << "ON";
    }

    // Exit arrives behind whatever was posted last; the process must end,
    // with exit code 0 and without leaving its icon behind.
    void ExpectPromptExit()
    {
        const DWORD exitMs = quellor.TimedExit(10000);
        EXPECT_LT(exitMs, kExitBoundMs);
        EXPECT_FALSE(quellor.IsRunning());
        EXPECT_EQ(quellor.ExitCode(), 0u);
        EXPECT_FALSE(ShellShowsIcon(frame, kTrayIconId)) << "an icon left behind";
        std::printf("  exit in %lu ms\n", static_cast<unsigned long>(exitMs));
    }

    CQuellorProcess quellor;
    HWND frame = nullptr;
};

TEST_F(FaultTest, PeersThatRefuseHangOrCannotBeFoundLeaveTheProgramWorking)
{
    struct Fault {
        const char* name;
        Mode mode;
        int isHttp;
        int proxy;
        const char* proxyAddress;
        const char* host;
    };
    // The listener stands in for the proxy, or for the host of the direct
    // contact and of the FTP login (Wine takes an FTP login straight to the
    // host, at the proxy's port); the rest is this machine or a name that
    // does not resolve.
    const Fault faults[] = {
        {"a refusing HTTP proxy", Mode::Refuse, 1, 1, "127.0.0.1", "127.0.0.1"},
        {"a silent HTTP proxy", Mode::Silent, 1, 1, "127.0.0.1", "127.0.0.1"},
        {"an HTTP proxy that drops connection attempts", Mode::NeverAccept, 1, 1, "127.0.0.1", "127.0.0.1"},
        {"a refusing FTP server", Mode::Refuse, 0, 1, "127.0.0.1", "127.0.0.1"},
        {"a direct contact with a host that drops connection attempts", Mode::NeverAccept, 1, 0, "", "127.0.0.1"},
        {"an HTTP proxy whose name does not resolve", Mode::Refuse, 1, 1, kUnresolvable, "127.0.0.1"},
        {"an FTP server whose name does not resolve", Mode::Refuse, 0, 1, "127.0.0.1", kUnresolvable},
        {"a direct contact with a host whose name does not resolve", Mode::Refuse, 1, 0, "", kUnresolvable},
    };
    constexpr unsigned short kProxyPort = 18200;
    constexpr unsigned short kDirectPort = 81;
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.name);
        std::printf("%s\n", fault.name);
        reg::PrepareQuietStart();
        reg::WriteInt("IsHttp", fault.isHttp);
        reg::WriteInt("Proxy", fault.proxy);
        reg::WriteString("ProxyIP3", fault.proxyAddress);
        reg::WriteInt("Port", kProxyPort);
        for (int i = 0; i < 10; ++i) {
            reg::WriteString(((fault.isHttp == 1 ? "HTTPURL" : "FTPURL") + std::to_string(i)).c_str(), fault.host);
        }
        CLoopbackListener peer;
        ASSERT_TRUE(peer.Start(fault.proxy == 1 ? kProxyPort : kDirectPort, fault.mode));
        if (fault.mode == Mode::NeverAccept) {
            ASSERT_TRUE(peer.AttemptHangs(2000)) << "the listener answers connection attempts";
        }
        LaunchSwitchedOn();
        const std::size_t idleThreads = ProcessThreadCount(quellor.Id());
        for (int tick = 0; tick < 3; ++tick) {
            Post(WM_TIMER, kContactTimer);
            PumpFor(300);
        }
        if (fault.mode == Mode::Silent) {
            EXPECT_TRUE(peer.WaitForConnections(1, 5000)) << "no contact reached the proxy";
        }
        ExpectSurvives();

        // A tick, handled before this returns, and Exit right behind it, while
        // its contact is under way. The contact that OFF cut short ends within
        // a moment; a tick before that makes none.
        WaitUntil([&] { return ProcessThreadCount(quellor.Id()) <= idleThreads; }, 2000);
        DWORD_PTR answer = 0;
        ASSERT_NE(SendMessageTimeoutA(frame, WM_TIMER, kContactTimer, 0, SMTO_NORMAL, kAnswerBoundMs, &answer), 0);
        if (fault.mode == Mode::Silent || fault.mode == Mode::NeverAccept) {
            EXPECT_GT(ProcessThreadCount(quellor.Id()), idleThreads) << "no contact under way";
        }
        ExpectPromptExit();
    }
}

TEST_F(FaultTest, ASlowOrFailingDialUpServiceLeavesTheProgramWorking)
{
    CFakeDialUp dialUp;
    reg::WriteInt("AutoNetSense", 1);
    {
        SCOPED_TRACE("an enumeration that takes a minute");
        std::printf("an enumeration that takes a minute\n");
        dialUp.SetDelay(60000);
        LaunchSwitchedOn(CFakeDialUp::QuellorCopy());
        ASSERT_TRUE(WaitUntil([&] { return dialUp.Calls() >= 1; }, 5000)) << "the watch never asked";
        ExpectSurvives();
        EXPECT_EQ(dialUp.Calls(), 1u);
        ExpectPromptExit();
    }
    {
        SCOPED_TRACE("an enumeration that fails");
        std::printf("an enumeration that fails\n");
        dialUp.SetDelay(0);
        dialUp.SetConnections("Office Line");
        ASSERT_TRUE(quellor.Launch(CFakeDialUp::QuellorCopy()));
        frame = quellor.WaitForMainWindow();
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return quellor.IsAnimating(); }, 5000)) << "the connection did not switch on";

        // Failing polls are no disconnection: the activity stays on.
        for (const DWORD failure : {621ul, 603ul}) {
            const DWORD calls = dialUp.Calls();
            dialUp.SetFailure(failure);
            ASSERT_TRUE(dialUp.WaitForCallAfter(calls));
            PumpFor(500);
            EXPECT_TRUE(quellor.IsAnimating()) << "switched off by failure " << failure;
        }
        ExpectSurvives();
        EXPECT_TRUE(dialUp.WaitForCallAfter(dialUp.Calls())) << "the watch stopped asking";
        ExpectPromptExit();
    }
}

TEST_F(FaultTest, WarningWindowsThatNeverCloseLeaveTheProgramWorking)
{
    reg::WriteInt("Prodigy", 1);
    reg::WriteString("ProdigyMSG", "Prodigy Internet Needs Your Attention");
    reg::WriteString("AOL47", "America Online Timer");
    // Every title the program looks for: two windows whose button does not
    // close them, and two of a program that has stopped answering.
    CWarningWindows stubborn({"--stubborn", "Disconnect Warning", "America Online Timer"});
    CWarningWindows hung({"--hung", "MSN-Connected", "Prodigy Internet Needs Your Attention"});
    ASSERT_TRUE(stubborn.WaitForWindows({"Disconnect Warning", "America Online Timer"}));
    ASSERT_TRUE(hung.WaitForWindows({"MSN-Connected", "Prodigy Internet Needs Your Attention"}));
    LaunchSwitchedOn();
    // Ticks as they come, with the program's own among them: each holds the
    // program for about 0.4 s.
    for (int tick = 0; tick < 5; ++tick) {
        Post(WM_TIMER, kWarningTimer);
        PumpFor(600);
    }
    ExpectSurvives();
    EXPECT_GT(stubborn.Count("Disconnect Warning", "down"), 0) << "the warnings were not clicked";
    EXPECT_TRUE(stubborn.HasWindow("Disconnect Warning"));
    EXPECT_TRUE(hung.HasWindow("MSN-Connected"));

    // Exit right behind a tick that clicks at all four.
    Post(WM_TIMER, kWarningTimer);
    ExpectPromptExit();
}

TEST_F(FaultTest, TheShellRebuildingItsAreaAtAnyMomentLeavesTheProgramWorking)
{
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    CLoopbackListener proxy;
    ASSERT_TRUE(proxy.Start(18210, Mode::Silent));
    reg::WriteInt("IsHttp", 1);
    reg::WriteInt("Proxy", 1);
    reg::WriteString("ProxyIP3", "127.0.0.1");
    reg::WriteInt("Port", 18210);
    LaunchSwitchedOn();
    // A contact under way throughout.
    Post(WM_TIMER, kContactTimer);
    ASSERT_TRUE(proxy.WaitForConnections(1, 5000));

    // Many at once, with the icon still there.
    for (int i = 0; i < 50; ++i) {
        PostMessageA(HWND_BROADCAST, taskbarCreated, 0, 0);
    }
    ExpectSurvives();
    EXPECT_TRUE(quellor.IsAnimating());

    // The shell forgot the icon: it comes back, animating.
    ASSERT_TRUE(ForgetShellIcon(frame, kTrayIconId));
    PostMessageA(HWND_BROADCAST, taskbarCreated, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return ShellShowsIcon(frame, kTrayIconId); }, 5000));
    EXPECT_TRUE(quellor.IsAnimating());

    // While the tray menu is open.
    const HWND menu = OpenTrayMenu(frame, quellor.Id(), kAnswerBoundMs);
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(ForgetShellIcon(frame, kTrayIconId));
    PostMessageA(HWND_BROADCAST, taskbarCreated, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return ShellShowsIcon(frame, kTrayIconId); }, 5000));
    EXPECT_TRUE(CloseTrayMenu(menu, kAnswerBoundMs));
    ExpectSurvives();

    // Exit right behind another rebuild, with the menu open: the menu's own
    // loop handles both, the icon is not added again, and the tray code that
    // opened the menu returns into a frame that has gone.
    ASSERT_NE(OpenTrayMenu(frame, quellor.Id(), kAnswerBoundMs), nullptr);
    PostMessageA(HWND_BROADCAST, taskbarCreated, 0, 0);
    ExpectPromptExit();
}

}  // namespace
