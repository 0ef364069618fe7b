// AutoNetSense in the real program, with a fake rasapi32.dll in the system
// directory whose connection list the test writes to the registry, and the
// same DLL planted beside the copy of Quellor.exe that the tests run.
#include "FakeDialUp.h"
#include "QuellorProcess.h"
#include "QuellorRegistry.h"
#include "TestWindows.h"
#include "TrayAnimation.h"
#include "WarningWindowsProcess.h"

#include <gtest/gtest.h>

namespace {

void PrepareAutoNetSense(int isAol, int isAol4)
{
    quellor_registry::PrepareQuietStart();
    quellor_registry::WriteInt("AutoNetSense", 1);
    quellor_registry::WriteInt("IsAOL", isAol);
    quellor_registry::WriteInt("IsAOL4", isAol4);
}

TEST(AutoNetSense, AConnectionSwitchesTheActivityOnAndTheEndOfTheLastOneOff)
{
    CFakeDialUp dialUp;
    PrepareAutoNetSense(0, 0);
    // Not America Online, so the watch runs; the warning timer this starts
    // shows what a disconnection leaves running.
    quellor_registry::WriteInt("Prodigy", 1);
    CQuellorProcess quellor;
    ASSERT_TRUE(quellor.Launch(CFakeDialUp::QuellorCopy()));
    ASSERT_NE(quellor.WaitForMainWindow(), nullptr);
    // The first poll comes as soon as the watch starts, from the system's
    // copy of the service, never from the one planted beside the program.
    ASSERT_TRUE(WaitUntil([&] { return dialUp.Calls() >= 1; }, 5000));
    EXPECT_STRCASEEQ(dialUp.LoadedFrom().c_str(), CFakeDialUp::SystemCopy().c_str());
    EXPECT_TRUE(TrayIconIsStill());

    const DWORD beforeConnect = dialUp.Calls();
    dialUp.SetConnections("Office Line|Home Line");
    ASSERT_TRUE(dialUp.WaitForCallAfter(beforeConnect));
    EXPECT_TRUE(WaitUntil([] { return TrayIconAnimates(); }, 3000));
    // Two calls: two connections do not fit the first buffer.
    EXPECT_EQ(dialUp.Calls(), beforeConnect + 2) << "switched on only at a later poll";

    // The line that is still up keeps the activity on.
    dialUp.SetConnections("Home Line");
    for (int poll = 0; poll < 2; ++poll) {
        ASSERT_TRUE(dialUp.WaitForCallAfter(dialUp.Calls()));
        PumpFor(500);
        EXPECT_TRUE(TrayIconAnimates()) << "after poll " << poll + 1 << " with one line left";
    }

    const DWORD beforeHangUp = dialUp.Calls();
    dialUp.SetConnections("");
    ASSERT_TRUE(dialUp.WaitForCallAfter(beforeHangUp));
    EXPECT_TRUE(WaitUntil([] { return TrayIconIsStill(); }, 3000));
    EXPECT_EQ(dialUp.Calls(), beforeHangUp + 1) << "switched off only at a later poll";

    CWarningWindows windows({"Disconnect Warning"});
    ASSERT_TRUE(windows.WaitForWindows({"Disconnect Warning"}));
    EXPECT_TRUE(WaitUntil([&] { return !windows.HasWindow("Disconnect Warning"); }, 4500));
    EXPECT_TRUE(quellor.Exit());
}

// The settings are read again as a policy change makes them be.
void ReadSettingsAgain(const CQuellorProcess& quellor)
{
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(quellor.MainWindow(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Policy"), SMTO_BLOCK,
                        5000, &answer);
}

TEST(AutoNetSense, AConnectionUpAtStartSwitchesOnAndExitDoesNotWaitForThePause)
{
    CFakeDialUp dialUp;
    dialUp.SetConnections("Office Line|Home Line");
    PrepareAutoNetSense(0, 0);
    CQuellorProcess quellor;
    ASSERT_TRUE(quellor.Launch(CFakeDialUp::QuellorCopy()));
    ASSERT_NE(quellor.WaitForMainWindow(), nullptr);
    EXPECT_TRUE(WaitUntil([] { return TrayIconAnimates(); }, 5000));
    // One poll: two calls, as two connections do not fit the first buffer.
    EXPECT_EQ(dialUp.Calls(), 2u);

    // Turned off, AutoNetSense ends its ON; turned on again, its new watch
    // sees the lines that are still up, as one at the start does.
    quellor_registry::WriteInt("AutoNetSense", 0);
    ReadSettingsAgain(quellor);
    EXPECT_TRUE(WaitUntil([] { return TrayIconIsStill(); }, 3000));
    quellor_registry::WriteInt("AutoNetSense", 1);
    ReadSettingsAgain(quellor);
    EXPECT_TRUE(WaitUntil([] { return TrayIconAnimates(); }, 5000)) << "the restarted watch missed the lines";

    // The watch is in its ten-second pause now; leaving must not wait for it.
    const DWORD start = GetTickCount();
    EXPECT_TRUE(quellor.Exit(8000));
    EXPECT_LT(GetTickCount() - start, 3000u);
    EXPECT_EQ(quellor.ExitCode(), 0u);
}

TEST(AutoNetSense, AnAmericaOnlineOptionKeepsTheConnectionWatchOff)
{
    CFakeDialUp dialUp;
    dialUp.SetConnections("Office Line");
    for (const auto& options : {std::make_pair(1, 0), std::make_pair(0, 1)}) {
        PrepareAutoNetSense(options.first, options.second);
        CQuellorProcess quellor;
        ASSERT_TRUE(quellor.Launch(CFakeDialUp::QuellorCopy()));
        ASSERT_NE(quellor.WaitForMainWindow(), nullptr);
        // A started watch would have polled at once.
        PumpFor(3000);
        EXPECT_EQ(dialUp.Calls(), 0u) << "IsAOL " << options.first << ", IsAOL4 " << options.second;
        EXPECT_TRUE(TrayIconIsStill());
        EXPECT_TRUE(quellor.Exit());
    }
}

}  // namespace
