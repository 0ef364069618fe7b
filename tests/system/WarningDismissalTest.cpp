// Dismissal of online-service warning windows by the running program, against
// windows put up by WarningWindows.exe, which logs what reaches them.
#include "QuellorProcess.h"
#include "QuellorRegistry.h"
#include "TestWindows.h"
#include "WarningWindowsProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr WPARAM kActivityOff = 32772;
constexpr UINT kTrayCallback = 0x8068;
constexpr WPARAM kTrayIconId = 140;
constexpr DWORD kWarningTickMs = 3000;

void PrepareTitles()
{
    quellor_registry::PrepareQuietStart();
    quellor_registry::WriteString("ProdigyMSG", "Prodigy Internet Needs Your Attention");
    quellor_registry::WriteString("AOL47", "America Online Timer");
}

// Every window got the click on its first tab-stop control, as
// button-down, set-state and button-up with the agreed values, and nothing
// reached its second control.
void ExpectClickedAsAUser(const CWarningWindows& windows, const std::string& title)
{
    std::vector<std::string> events;
    for (const CWarningWindows::LogLine& line : windows.Log()) {
        if (line.title != title || line.event == "closed") {
            continue;
        }
        EXPECT_NE(line.event, "cancel") << title;
        if (line.event == "state") {
            EXPECT_EQ(line.wParam, 1u) << title;
            EXPECT_EQ(line.lParam, 0) << title;
        } else {
            EXPECT_EQ(line.wParam, static_cast<unsigned long>(MK_LBUTTON)) << title << " " << line.event;
            EXPECT_EQ(line.lParam, 13) << title << " " << line.event;
        }
        events.push_back(line.event);
    }
    ASSERT_GE(events.size(), 3u) << title;
    EXPECT_EQ(events[0], "down") << title;
    EXPECT_EQ(events[1], "state") << title;
    EXPECT_EQ(events[2], "up") << title;
}

TEST(WarningDismissal, AnOnlineServiceUserHasEveryWarningClickedAwayWithinOneTick)
{
    const std::vector<std::string> titles = {
        "MSN-CONNECTED", "Disconnect Warning", "america online timer", "Prodigy Internet Needs Your Attention",
        "Unrelated Window"};
    for (const char* option : {"Prodigy", "IsAOL", "IsAOL4"}) {
        SCOPED_TRACE(option);
        PrepareTitles();
        quellor_registry::WriteInt(option, 1);
        CWarningWindows windows(titles);
        ASSERT_TRUE(windows.WaitForWindows(titles));
        CQuellorProcess quellor;
        const HWND frame = quellor.LaunchSwitchedOn();
        ASSERT_NE(frame, nullptr);
        EXPECT_TRUE(WaitUntil([&] { return windows.Closed().size() == 4; }, kWarningTickMs + 1500));
        // One title after the other, in the program's order, whatever the
        // order the windows came up in.
        EXPECT_EQ(windows.Closed(), (std::vector<std::string>{"Disconnect Warning",
                                                               "Prodigy Internet Needs Your Attention",
                                                               "america online timer", "MSN-CONNECTED"}));
        for (size_t i = 0; i + 1 < titles.size(); ++i) {
            ExpectClickedAsAUser(windows, titles[i]);
        }
        EXPECT_TRUE(windows.HasWindow("Unrelated Window"));
        EXPECT_EQ(windows.Count("Unrelated Window", "down"), 0);
        EXPECT_TRUE(quellor.Exit());
    }
}

TEST(WarningDismissal, WithoutAnOnlineServiceTheWarningsStay)
{
    const std::vector<std::string> titles = {"Disconnect Warning", "Prodigy Internet Needs Your Attention",
                                             "America Online Timer", "MSN-Connected"};
    PrepareTitles();
    CWarningWindows windows(titles);
    ASSERT_TRUE(windows.WaitForWindows(titles));
    CQuellorProcess quellor;
    const HWND frame = quellor.LaunchSwitchedOn();
    ASSERT_NE(frame, nullptr);
    PumpFor(kWarningTickMs * 2);
    EXPECT_TRUE(windows.Closed().empty());
    EXPECT_TRUE(windows.WaitForWindows(titles));
    EXPECT_TRUE(quellor.Exit());
}

TEST(WarningDismissal, AWindowThatStaysLeavesTheProgramResponsive)
{
    PrepareTitles();
    quellor_registry::WriteInt("Prodigy", 1);
    // A window whose control does not close it, one without any tab-stop
    // control, and behind them a window that does close.
    CWarningWindows windows({"--stubborn", "Disconnect Warning", "--no-tabstop", "America Online Timer",
                             "--closing", "MSN-Connected"});
    ASSERT_TRUE(windows.WaitForWindows({"Disconnect Warning", "America Online Timer", "MSN-Connected"}));
    CQuellorProcess quellor;
    const HWND frame = quellor.LaunchSwitchedOn();
    ASSERT_NE(frame, nullptr);
    DWORD slowest = 0;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 2 * kWarningTickMs + 500) {
        const DWORD asked = GetTickCount();
        DWORD_PTR answer = 0;
        ASSERT_NE(SendMessageTimeoutA(frame, kTrayCallback, kTrayIconId, WM_MOUSEMOVE, SMTO_NORMAL, 5000, &answer), 0);
        slowest = std::max(slowest, GetTickCount() - asked);
        PumpFor(50);
    }
    std::printf("slowest answer while warning windows stay: %lu ms\n", static_cast<unsigned long>(slowest));
    EXPECT_LT(slowest, 1000u);
    EXPECT_EQ(windows.Closed(), std::vector<std::string>{"MSN-Connected"});
    EXPECT_GT(windows.Count("Disconnect Warning", "down"), 0);
    EXPECT_EQ(windows.Count("America Online Timer", "down"), 0);
    EXPECT_EQ(windows.Count("America Online Timer", "cancel"), 0);

    // OFF stops the clicking.
    PostMessageA(frame, WM_COMMAND, kActivityOff, 0);
    PumpFor(500);
    const int clicksWhenOff = windows.Count("Disconnect Warning", "down");
    PumpFor(kWarningTickMs + 500);
    EXPECT_EQ(windows.Count("Disconnect Warning", "down"), clicksWhenOff);
    EXPECT_TRUE(quellor.Exit());
}

}  // namespace
