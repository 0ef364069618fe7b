// Start-up, the single-instance guard and the ways the program ends, driven
// through the real Quellor.exe.
#include "LocalClock.h"
#include "QuellorProcess.h"
#include "QuellorRegistry.h"
#include "ShellIcon.h"
#include "ShellStandIn.h"
#include "TestWindows.h"
#include "frame/MainFrame.h"
#include "res/resource.h"
#include "win/Handles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <vector>
#include <string>

namespace {

constexpr UINT kTrayIconId = 140;

bool LooksLikeBareHostName(const std::string& host)
{
    return !host.empty() && host.find_first_of(":/ ") == std::string::npos && host.find('.') != std::string::npos;
}

TEST(Startup, FirstStartWritesTheDefaultsOnce)
{
    quellor_registry::Clear();
    quellor_registry::WriteString("AOL10", "left over");
    quellor_registry::WriteInt("StartUp", 1);
    CQuellorProcess quellor;
    ASSERT_TRUE(quellor.Launch());
    ASSERT_NE(quellor.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(WaitUntil([] { return quellor_registry::Exists("FTPURL9"); }, 10000));
    EXPECT_TRUE(ShellShowsIcon(quellor.MainWindow(), kTrayIconId));

    EXPECT_EQ(quellor_registry::ReadInt("2.8", 999), 1);
    EXPECT_EQ(quellor_registry::ReadString("ProdigyMSG", ""), "Prodigy Internet Needs Your Attention");
    EXPECT_EQ(quellor_registry::ReadString("AOL47", ""), "America Online");
    EXPECT_FALSE(quellor_registry::Exists("AOL10"));
    std::set<std::string> hosts;
    for (const char* list : {"HTTPURL", "FTPURL"}) {
        for (int i = 0; i < 10; ++i) {
            const std::string host = quellor_registry::ReadString((list + std::to_string(i)).c_str(), "");
            EXPECT_TRUE(LooksLikeBareHostName(host)) << list << i << " = " << host;
            hosts.insert(host);
        }
    }
    EXPECT_EQ(hosts.size(), 20u);
    // Nothing else is written on the first start.
    for (const char* untouched : {"IsHttp", "IsRand", "DefaultMin", "Port", "Proxy", "ProxyIP3", "DefaultURL"}) {
        EXPECT_FALSE(quellor_registry::Exists(untouched)) << untouched;
    }
    quellor.Kill();

    // A later start keeps what the user has.
    quellor_registry::WriteString("HTTPURL0", "127.0.0.1");
    quellor_registry::WriteString("AOL47", "Mine");
    CQuellorProcess again;
    ASSERT_TRUE(again.Launch());
    ASSERT_NE(again.WaitForMainWindow(), nullptr);
    PumpFor(500);
    EXPECT_EQ(quellor_registry::ReadString("HTTPURL0", ""), "127.0.0.1");
    EXPECT_EQ(quellor_registry::ReadString("AOL47", ""), "Mine");
    EXPECT_TRUE(again.Exit());
}

TEST(Startup, ASecondCopyEndsQuietlyWhileTheFirstRuns)
{
    quellor_registry::PrepareQuietStart();
    // Another program's lock of a generic name is not this program's.
    const win::CKernelHandle foreignLock(CreateMutexA(nullptr, FALSE, " Class"));
    ASSERT_TRUE(foreignLock);
    CQuellorProcess first;
    const HWND frame = first.LaunchSwitchedOn();
    ASSERT_NE(frame, nullptr);
    const win::CKernelHandle lock(OpenMutexA(SYNCHRONIZE, FALSE, "Quellor Class"));
    EXPECT_TRUE(lock) << "the lock is named after the program";

    CQuellorProcess second;
    ASSERT_TRUE(second.Launch());
    const DWORD start = GetTickCount();
    ASSERT_TRUE(second.WaitForExit(10000));
    EXPECT_LT(GetTickCount() - start, 5000u);
    EXPECT_EQ(FindProcessWindow(second.Id(), nullptr, nullptr), nullptr);

    EXPECT_TRUE(first.IsRunning());
    EXPECT_TRUE(IsWindow(frame));
    EXPECT_TRUE(ShellShowsIcon(frame, kTrayIconId));
    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer), 0);
}

TEST(Startup, TenCopiesStartedAtOnceLeaveExactlyOne)
{
    quellor_registry::PrepareQuietStart();
    std::vector<std::unique_ptr<CQuellorProcess>> copies;
    for (int i = 0; i < 10; ++i) {
        copies.push_back(std::make_unique<CQuellorProcess>());
        ASSERT_TRUE(copies.back()->Launch());
    }
    const auto running = [&] {
        return std::count_if(copies.begin(), copies.end(), [](const auto& copy) { return copy->IsRunning(); });
    };
    ASSERT_TRUE(WaitUntil([&] { return running() == 1; }, 60000)) << running() << " copies run";
    PumpFor(2000);
    ASSERT_EQ(running(), 1);
    for (const auto& copy : copies) {
        if (!copy->IsRunning()) {
            EXPECT_EQ(copy->ExitCode(), 0u) << "a second copy ends quietly";
            continue;
        }
        const HWND frame = copy->WaitForMainWindow();
        ASSERT_NE(frame, nullptr);
        EXPECT_TRUE(ShellShowsIcon(frame, kTrayIconId));
        EXPECT_TRUE(copy->Exit());
        EXPECT_EQ(copy->ExitCode(), 0u);
    }
}

TEST(Startup, ExitAndOutsideCloseEndTheProgramAndFreeTheName)
{
    quellor_registry::PrepareQuietStart();
    {
        CQuellorProcess quellor;
        const HWND frame = quellor.LaunchSwitchedOn();
        ASSERT_NE(frame, nullptr);
        PumpFor(200);
        ASSERT_TRUE(quellor.Exit());
        EXPECT_EQ(quellor.ExitCode(), 0u);
        EXPECT_FALSE(ShellShowsIcon(frame, kTrayIconId));
    }
    {
        CQuellorProcess quellor;
        const HWND frame = quellor.LaunchSwitchedOn();
        ASSERT_NE(frame, nullptr);
        PostMessageA(frame, WM_CLOSE, 0, 0);
        ASSERT_TRUE(quellor.WaitForExit(10000));
        EXPECT_EQ(quellor.ExitCode(), 0u);
        EXPECT_FALSE(ShellShowsIcon(frame, kTrayIconId));
    }
    CQuellorProcess quellor;
    ASSERT_TRUE(quellor.Launch());
    ASSERT_NE(quellor.WaitForMainWindow(), nullptr);
    EXPECT_TRUE(quellor.Exit());
}

TEST(Startup, TheIconComesBackWhenTheShellRebuildsItsArea)
{
    quellor_registry::PrepareQuietStart();
    CQuellorProcess quellor;
    const HWND frame = quellor.LaunchSwitchedOn();
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return ShellShowsIcon(frame, kTrayIconId); }, 5000));

    ASSERT_TRUE(ForgetShellIcon(frame, kTrayIconId));
    ASSERT_FALSE(ShellShowsIcon(frame, kTrayIconId));
    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return ShellShowsIcon(frame, kTrayIconId); }, 5000));
    EXPECT_TRUE(quellor.Exit());
}

// A second start with switches, against a copy that runs and the tip that
// copy shows, as a script and its user see both.
TEST(Startup, SwitchesDriveTheRunningCopyAndTheTipTellsWhatItDoes)
{
    quellor_registry::PrepareQuietStart();
    CShellStandIn shell;
    ASSERT_TRUE(shell.IsReady());
    const auto runSwitch = [](const std::string& switches) { return CQuellorProcess().RunToEnd(switches); };

    // Nothing runs: nothing to switch off or end, and nothing starts.
    EXPECT_EQ(runSwitch("/off"), 1u);
    EXPECT_EQ(runSwitch("-EXIT"), 1u);
    EXPECT_EQ(FindProcessWindow(0, "QuellorFrame", "Quellor"), nullptr);
    for (const char* mistake : {"/of", "/on:0", "/on:1441", "-on:x", "/on /off", "/on:24:00"}) {
        CQuellorProcess caller;
        ASSERT_TRUE(caller.Launch(CQuellorProcess::DefaultPath(), mistake));
        const HWND box = WaitForProcessWindow(caller.Id(), "#32770", "Quellor");
        ASSERT_NE(box, nullptr) << mistake;
        const std::string text = GetText(GetDlgItem(box, 0xFFFF));
        EXPECT_NE(text.find("/on:MINUTES"), std::string::npos) << text;
        EXPECT_NE(text.find("/on:HH:MM"), std::string::npos) << text;
        EXPECT_NE(text.find("/exit"), std::string::npos) << text;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(caller.WaitForExit(5000));
        EXPECT_EQ(caller.ExitCode(), 2u) << mistake;
        EXPECT_EQ(FindProcessWindow(0, "QuellorFrame", "Quellor"), nullptr);
    }

    // /on with no copy running starts one, switched ON.
    CQuellorProcess quellor;
    ASSERT_TRUE(quellor.Launch(CQuellorProcess::DefaultPath(), "/ON"));
    const HWND frame = quellor.WaitForMainWindow();
    ASSERT_NE(frame, nullptr);
    const auto tip = [&] { return shell.Tip(frame, kTrayIconId); };
    const auto tipBecomes = [&](const std::string& expected) {
        return WaitUntil([&] { return tip() == expected; }, 5000);
    };
    EXPECT_TRUE(WaitUntil([&] { return quellor.IsAnimating(); }, 5000));
    EXPECT_TRUE(tipBecomes("Quellor! V2.81\nON")) << tip();

    EXPECT_EQ(runSwitch("/on:30"), 0u);
    EXPECT_TRUE(WaitUntil([&] { return tip().rfind("Quellor! V2.81\nON until ", 0) == 0; }, 5000)) << tip();
    // ON by other means ends the limit; a limit that runs out switches OFF.
    PostMessageA(frame, WM_COMMAND, ID_ACTIVITY_ON, 0);
    EXPECT_TRUE(tipBecomes("Quellor! V2.81\nON")) << tip();
    EXPECT_EQ(runSwitch("/On:1"), 0u);
    PostMessageA(frame, WM_TIMER, TIMER_ON_LIMIT, 0);
    EXPECT_TRUE(WaitUntil([&] { return !quellor.IsAnimating(); }, 5000));
    EXPECT_TRUE(tipBecomes("Quellor! V2.81\nOFF")) << tip();
    // The tray's "Switch ON for" gives the same limit.
    PostMessageA(frame, WM_COMMAND, ID_ON_FOR_2_HOURS, 0);
    EXPECT_TRUE(WaitUntil(
        [&] { return tip() == "Quellor! V2.81\nON until " + CTrayStatus::LocalTimeText(LocalTimeIn(120)); }, 5000))
        << tip();
    // /on:HH:MM: until the clock next reads that time.
    SYSTEMTIME at = {};
    GetLocalTime(&at);
    at.wHour = static_cast<WORD>((at.wHour + 3) % 24);
    char clock[8] = {};
    wsprintfA(clock, "%02u:%02u", at.wHour, at.wMinute);
    EXPECT_EQ(runSwitch(std::string("/on:") + clock), 0u);
    EXPECT_TRUE(tipBecomes("Quellor! V2.81\nON until " + CTrayStatus::LocalTimeText(at))) << tip();
    PostMessageA(frame, WM_COMMAND, ID_ACTIVITY_OFF, 0);

    // The tip tells how the last contact went, and keeps it after OFF: no
    // one listens on this machine's port 81.
    EXPECT_EQ(runSwitch("/on"), 0u);
    PostMessageA(frame, WM_TIMER, TIMER_CONTACT, 0);
    EXPECT_TRUE(WaitUntil([&] { return tip().find("\nLast contact ") != std::string::npos; }, 15000)) << tip();
    EXPECT_EQ(tip().substr(tip().size() - 8), " refused") << tip();
    EXPECT_EQ(runSwitch("/off"), 0u);
    EXPECT_TRUE(WaitUntil([&] { return tip().rfind("Quellor! V2.81\nOFF\nLast contact ", 0) == 0; }, 5000))
        << tip();

    // A copy that does not answer.
    SuspendThread(quellor.MainThread());
    const DWORD asked = GetTickCount();
    EXPECT_EQ(runSwitch("/off"), 3u);
    EXPECT_LT(GetTickCount() - asked, 8000u);
    ResumeThread(quellor.MainThread());

    EXPECT_EQ(runSwitch("/exit"), 0u);
    EXPECT_FALSE(quellor.IsRunning()) << "the caller returns once the copy has ended";
    EXPECT_FALSE(shell.Shows(frame, kTrayIconId));

    // What AutoNetSense waits for.
    quellor_registry::WriteInt("AutoNetSense", 1);
    for (const auto& [aol, waiting] : {std::make_pair(0, "a dial-up connection"), std::make_pair(1, "America Online")}) {
        quellor_registry::WriteInt("IsAOL", aol);
        CQuellorProcess watching;
        ASSERT_TRUE(watching.Launch());
        const HWND watchingFrame = watching.WaitForMainWindow();
        EXPECT_TRUE(WaitUntil([&] {
            return shell.Tip(watchingFrame, kTrayIconId) == std::string("Quellor! V2.81\nOFF, waiting for ") + waiting;
        }, 5000)) << shell.Tip(watchingFrame, kTrayIconId);
        EXPECT_TRUE(watching.Exit());
    }
}

}  // namespace
