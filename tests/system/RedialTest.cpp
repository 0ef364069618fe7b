// Dialing dropped connections again, through the real Quellor.exe and the
// fake dial-up service, which dials as the documented one does: what the
// user sees is the tray's balloons and tip, and what the service sees is
// the dials, their times and the handles hung up.
#include "FakeDialUp.h"
#include "QuellorProcess.h"
#include "QuellorRegistry.h"
#include "ShellStandIn.h"
#include "TestWindows.h"
#include "tray/TrayStatus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr UINT kTrayIconId = 140;
constexpr DWORD kAuthenticationFailure = 691;
constexpr DWORD kNoAnswer = 678;
constexpr DWORD kRespectQuietTime = 0x80;

class Redial : public ::testing::Test {
protected:
    void SetUp() override
    {
        quellor_registry::PrepareQuietStart();
        dialUp.SetPhonebook("Office VPN|Home Line");
        ASSERT_TRUE(shell.IsReady());
    }
    void Launch()
    {
        ASSERT_TRUE(quellor.Launch(CFakeDialUp::QuellorCopy()));
        ASSERT_NE(quellor.WaitForMainWindow(), nullptr);
    }
    std::string Tip() const { return shell.Tip(quellor.MainWindow(), kTrayIconId); }
    bool WaitForDials(const std::string& entry, std::size_t count, DWORD timeoutMs) const
    {
        return WaitUntil([&] { return dialUp.DialTimes(entry).size() >= count; }, timeoutMs, 50);
    }
    // The balloons whose text names the entry.
    std::vector<ShellBalloon> BalloonsOf(const std::string& entry) const
    {
        std::vector<ShellBalloon> found;
        for (const ShellBalloon& balloon : shell.Balloons()) {
            if (balloon.text.find(entry) != std::string::npos) {
                found.push_back(balloon);
            }
        }
        return found;
    }
    static void Report(const char* what, DWORD ms) { std::printf("[  MEASURE ] %s %lu ms\n", what, ms); }

    CFakeDialUp dialUp;
    CShellStandIn shell;
    CQuellorProcess quellor;
};

// AutoNetSense switched ON; the line's drop does not switch it OFF while
// Quellor dials it again, and does once a wrong password has stopped that.
TEST_F(Redial, ADropIsDialedAgainAndAWrongPasswordStopsAtOnce)
{
    quellor_registry::WriteInt("AutoNetSense", 1);
    quellor_registry::WriteString("Redial", "Office VPN");
    dialUp.SetConnections("Office VPN");
    ASSERT_NO_FATAL_FAILURE(Launch());
    ASSERT_TRUE(WaitUntil([&] { return quellor.IsAnimating(); }, 5000));

    // A dial longer than AutoNetSense's pause, so that its watch sees the drop.
    dialUp.SetDialDelay(11000);
    const DWORD dropped = GetTickCount();
    dialUp.SetConnections("");
    ASSERT_TRUE(WaitForDials("Office VPN", 1, 16000)) << "no dial within 15 s of the drop";
    Report("drop to first dial", dialUp.DialTimes("Office VPN")[0] - dropped);
    PumpFor(10500);
    EXPECT_TRUE(quellor.IsAnimating()) << "AutoNetSense switched OFF at the drop of a line dialed again";
    dialUp.SetDialDelay(0);
    ASSERT_TRUE(WaitUntil([&] { return BalloonsOf("Office VPN").size() >= 2; }, 8000));
    std::vector<ShellBalloon> told = BalloonsOf("Office VPN");
    EXPECT_EQ(told[0].title, "Connection dropped");
    EXPECT_EQ(told[0].text, "Office VPN dropped. Quellor is dialing it again.");
    EXPECT_EQ(told[0].flags, static_cast<DWORD>(NIIF_INFO | kRespectQuietTime));
    EXPECT_EQ(told[1].title, "Connection back");
    EXPECT_EQ(told[1].text.rfind("Office VPN is connected again. It was down for ", 0), 0u) << told[1].text;
    EXPECT_TRUE(quellor.IsAnimating());

    dialUp.SetDialResult(kAuthenticationFailure);
    dialUp.SetConnections("");
    ASSERT_TRUE(WaitForDials("Office VPN", 2, 16000));
    ASSERT_TRUE(WaitUntil([&] { return BalloonsOf("Office VPN").size() >= 4; }, 5000));
    told = BalloonsOf("Office VPN");
    EXPECT_EQ(told[3].title, "Quellor stopped dialing");
    EXPECT_EQ(told[3].text, "Quellor stopped dialing Office VPN: The user name or password is not valid. (691).");
    EXPECT_EQ(told[3].flags, static_cast<DWORD>(NIIF_WARNING | kRespectQuietTime));
    for (const ShellBalloon& balloon : told) {
        std::printf("[  MEASURE ] balloon \"%s\": \"%s\"\n", balloon.title.c_str(), balloon.text.c_str());
    }
    // Given up, the drop is AutoNetSense's again: OFF.
    EXPECT_TRUE(WaitUntil([&] { return !quellor.IsAnimating(); }, 3000));
    EXPECT_EQ(dialUp.OpenFailedHandles(), 0u) << "a failed dial's handle was not hung up";
    EXPECT_EQ(dialUp.HungUpConnected(), 0u);
    EXPECT_TRUE(quellor.Exit());
}

// Nothing is asked or dialed while OFF; at ON a wrong password stops at
// once and an unknown name gets one balloon; the next ON dials again, and
// a failure that may pass is tried again after 30 s, as the tip says.
TEST_F(Redial, NothingWhileOffAndOnlyAFailureThatMayPassIsTriedAgain)
{
    const std::string tooLong(300, 'x');
    quellor_registry::WriteString("Redial", "Nowhere;" + tooLong + ";Office VPN" + std::string(3000, ';'));
    dialUp.SetDialResult(kAuthenticationFailure);
    ASSERT_NO_FATAL_FAILURE(Launch());
    PumpFor(3000);
    EXPECT_EQ(dialUp.Calls(), 0u) << "the service was asked while OFF";

    ASSERT_TRUE(quellor.SwitchActivity(true));
    ASSERT_TRUE(WaitForDials("Office VPN", 1, 15000));
    ASSERT_TRUE(WaitUntil([&] { return BalloonsOf("Office VPN").size() == 1; }, 5000));
    const DWORD pollsBefore = dialUp.Calls();
    ASSERT_TRUE(dialUp.WaitForCallAfter(pollsBefore));
    PumpFor(1000);
    EXPECT_EQ(dialUp.DialTimes("Office VPN").size(), 1u) << "dialed again after 691";
    ASSERT_EQ(BalloonsOf("Nowhere").size(), 1u);
    EXPECT_EQ(BalloonsOf("Nowhere")[0].text.rfind("Quellor stopped dialing Nowhere: ", 0), 0u);
    EXPECT_TRUE(BalloonsOf(tooLong.substr(0, 60)).empty());
    EXPECT_EQ(Tip().find("dialing"), std::string::npos) << Tip();

    dialUp.SetDialResult(kNoAnswer);
    ASSERT_TRUE(quellor.SwitchActivity(false));
    ASSERT_TRUE(quellor.SwitchActivity(true));
    ASSERT_TRUE(WaitForDials("Office VPN", 2, 15000));
    const DWORD failed = dialUp.DialTimes("Office VPN")[1];
    SYSTEMTIME retry = {};
    GetLocalTime(&retry);
    const std::string again = "ON, dialing Office VPN again at ";
    ASSERT_TRUE(WaitUntil([&] { return Tip().find(again) != std::string::npos; }, 5000)) << Tip();
    // The clock time 30 s after the failed dial, give or take the dial's own second.
    std::string oneLine = Tip();
    std::replace(oneLine.begin(), oneLine.end(), '\n', '|');
    std::printf("[  MEASURE ] tip \"%s\"\n", oneLine.c_str());
    const std::string shown = Tip().substr(Tip().find(again) + again.size());
    const auto at = [&](int seconds) {
        FILETIME stamp = {};
        SystemTimeToFileTime(&retry, &stamp);
        ULARGE_INTEGER ticks = {};
        ticks.LowPart = stamp.dwLowDateTime;
        ticks.HighPart = stamp.dwHighDateTime;
        ticks.QuadPart += static_cast<ULONGLONG>(seconds) * 10000000;
        stamp = {ticks.LowPart, ticks.HighPart};
        SYSTEMTIME later = {};
        FileTimeToSystemTime(&stamp, &later);
        return CTrayStatus::LocalTimeText(later);
    };
    EXPECT_TRUE(shown.rfind(at(29), 0) == 0 || shown.rfind(at(31), 0) == 0) << Tip();
    ASSERT_TRUE(WaitForDials("Office VPN", 3, 40000));
    const DWORD pause = dialUp.DialTimes("Office VPN")[2] - failed;
    Report("pause after the first failure", pause);
    EXPECT_GE(pause, 30000u);
    EXPECT_LE(pause, 32000u);
    EXPECT_EQ(dialUp.OpenFailedHandles(), 0u);
    EXPECT_TRUE(quellor.Exit());
}

// A dial that never ends holds only its own thread: the tray answers, OFF
// and ON switch without a second dial, and Exit does not wait for it.
TEST_F(Redial, ASlowDialLeavesTheTrayAnsweringAndExitDoesNotWaitForIt)
{
    quellor_registry::WriteString("Redial", "Nowhere;Office VPN");
    quellor_registry::WriteInt("Balloons", 0);
    dialUp.SetDialDelay(600000);
    ASSERT_NO_FATAL_FAILURE(Launch());
    ASSERT_TRUE(quellor.SwitchActivity(true));
    ASSERT_TRUE(WaitForDials("Office VPN", 1, 15000));
    EXPECT_TRUE(WaitUntil([&] { return Tip().find("ON, dialing Office VPN") != std::string::npos; }, 3000)) << Tip();
    DWORD slowest = 0;
    for (int i = 0; i < 20; ++i) {
        slowest = std::max(slowest, quellor.AnswerTimeMs(1000));
        PumpFor(100);
    }
    Report("slowest answer during the dial", slowest);
    EXPECT_LT(slowest, 100u);
    EXPECT_TRUE(quellor.SwitchActivity(false));
    EXPECT_TRUE(quellor.SwitchActivity(true));
    ASSERT_TRUE(dialUp.WaitForCallAfter(dialUp.Calls()));
    PumpFor(1000);
    EXPECT_EQ(dialUp.DialTimes("Office VPN").size(), 1u) << "a second dial beside the one under way";
    EXPECT_TRUE(shell.Balloons().empty()) << "a balloon with Balloons 0";

    const DWORD exitMs = quellor.TimedExit(5000);
    Report("Exit during the dial", exitMs);
    EXPECT_LT(exitMs, 3000u);
    EXPECT_EQ(quellor.ExitCode(), 0u);
}

}  // namespace
