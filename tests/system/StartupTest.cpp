// Start-up, the single-instance guard and the ways the program ends, driven
// through the real Quellor.exe.
#include "QuellorProcess.h"
#include "QuellorRegistry.h"
#include "ShellIcon.h"
#include "TestWindows.h"
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

}  // namespace
