// AutoNetSense in the real program, with a fake rasapi32.dll beside a copy of
// Quellor.exe whose connection list the test writes to the registry.
#include "QuellorProcess.h"
#include "QuellorRegistry.h"
#include "TestWindows.h"
#include "TrayAnimation.h"
#include "WarningWindowsProcess.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr const char* kListKey = "Software\\QuellorTest\\Connections";
constexpr const char* kOverrideKey = "Software\\Wine\\AppDefaults\\Quellor.exe\\DllOverrides";
constexpr DWORD kPollPeriodMs = 10000;

// Makes Wine load the fake for Quellor.exe (a CreateProcess environment
// cannot) and owns the fake's connection list. Both go again at the end so
// that other tests run the system's DLL; a missing fake then stops the copy
// from starting at all instead of silently using the real one.
class CFakeDialUp {
public:
    CFakeDialUp()
    {
        RemoveAll();
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, kOverrideKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
        static const char kNative[] = "native";
        RegSetValueExA(key, "rasapi32", 0, REG_SZ, reinterpret_cast<const BYTE*>(kNative), sizeof kNative);
        RegCloseKey(key);
        SetConnections("");
    }
    ~CFakeDialUp() { RemoveAll(); }
    CFakeDialUp(const CFakeDialUp&) = delete;
    CFakeDialUp& operator=(const CFakeDialUp&) = delete;

    // Entry names separated by '|'.
    void SetConnections(const std::string& entries)
    {
        HKEY key = OpenList();
        RegSetValueExA(key, "Entries", 0, REG_SZ, reinterpret_cast<const BYTE*>(entries.c_str()),
                       static_cast<DWORD>(entries.size() + 1));
        RegCloseKey(key);
    }

    // How often the program has asked for the list.
    DWORD Calls() const
    {
        HKEY key = OpenList();
        DWORD calls = 0;
        DWORD size = sizeof calls;
        RegQueryValueExA(key, "Calls", nullptr, nullptr, reinterpret_cast<BYTE*>(&calls), &size);
        RegCloseKey(key);
        return calls;
    }

    bool WaitForCallAfter(DWORD calls, DWORD timeoutMs = kPollPeriodMs + 5000) const
    {
        return WaitUntil([&] { return Calls() > calls; }, timeoutMs, 100);
    }

    static std::string QuellorCopy() { return CQuellorProcess::BesideTests("fakeras\\Quellor.exe"); }

private:
    static HKEY OpenList()
    {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, kListKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
        return key;
    }
    static void RemoveAll()
    {
        RegDeleteKeyA(HKEY_CURRENT_USER, kListKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, kOverrideKey);
    }
};

void PrepareAutoNetSense(int isAol, int isAol4)
{
    quellor_registry::PrepareQuietStart();
    quellor_registry::WriteInt("AutoNetSense", 1);
    quellor_registry::WriteInt("IsAOL", isAol);
    quellor_registry::WriteInt("IsAOL4", isAol4);
}

TEST(AutoNetSense, AConnectionSwitchesTheActivityOnAndItsEndOff)
{
    CFakeDialUp dialUp;
    PrepareAutoNetSense(0, 0);
    // Not America Online, so the watch runs; the warning timer this starts
    // shows what a disconnection leaves running.
    quellor_registry::WriteInt("Prodigy", 1);
    CQuellorProcess quellor;
    ASSERT_TRUE(quellor.Launch(CFakeDialUp::QuellorCopy()));
    ASSERT_NE(quellor.WaitForMainWindow(), nullptr);
    // The first poll comes as soon as the watch starts.
    ASSERT_TRUE(WaitUntil([&] { return dialUp.Calls() >= 1; }, 5000));
    EXPECT_FALSE(TrayIconAnimates());

    const DWORD beforeConnect = dialUp.Calls();
    dialUp.SetConnections("Office Line");
    ASSERT_TRUE(dialUp.WaitForCallAfter(beforeConnect));
    EXPECT_TRUE(WaitUntil([] { return TrayIconAnimates(); }, 3000));
    EXPECT_EQ(dialUp.Calls(), beforeConnect + 1) << "switched on only at a later poll";

    const DWORD beforeHangUp = dialUp.Calls();
    dialUp.SetConnections("");
    ASSERT_TRUE(dialUp.WaitForCallAfter(beforeHangUp));
    EXPECT_TRUE(WaitUntil([] { return !TrayIconAnimates(); }, 3000));
    EXPECT_EQ(dialUp.Calls(), beforeHangUp + 1) << "switched off only at a later poll";

    CWarningWindows windows({"Disconnect Warning"});
    ASSERT_TRUE(windows.WaitForWindows({"Disconnect Warning"}));
    EXPECT_TRUE(WaitUntil([&] { return !windows.HasWindow("Disconnect Warning"); }, 4500));
    EXPECT_TRUE(quellor.Exit());
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
        EXPECT_FALSE(TrayIconAnimates());
        EXPECT_TRUE(quellor.Exit());
    }
}

}  // namespace
