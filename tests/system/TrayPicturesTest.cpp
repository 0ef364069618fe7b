// The real program's tray pictures, read by a notification area that the
// test stands in for: the set drawn for the taskbar's colours, following a
// change even mid-animation, and one still picture for users who switched
// animations off.
#include "QuellorProcess.h"
#include "QuellorRegistry.h"
#include "TestWindows.h"
#include "ShellStandIn.h"

#include "res/resource.h"
#include "tray/TrayNotifyIcon.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr const char* kPersonalize = "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
constexpr DWORD kNoValue = DWORD(-1);

// Windows switching the taskbar's colours: the value, then the broadcast.
void SetTheme(DWORD light)
{
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, kPersonalize, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (light == kNoValue) {
        RegDeleteValueA(key, "SystemUsesLightTheme");
    } else {
        RegSetValueExA(key, "SystemUsesLightTheme", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&light), sizeof light);
    }
    RegCloseKey(key);
    SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("ImmersiveColorSet"),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
}

void SetAnimations(BOOL on)
{
    SystemParametersInfoA(0x1043, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(on)), SPIF_SENDCHANGE);
}

class TrayPictures : public ::testing::Test {
protected:
    void SetUp() override { quellor_registry::PrepareQuietStart(); }
    // The test prefix's desktop again: no theme value, animations on.
    void TearDown() override
    {
        quellor.Exit();
        SetAnimations(TRUE);
        SetTheme(kNoValue);
    }

    void Launch()
    {
        ASSERT_TRUE(quellor.Launch());
        ASSERT_NE(quellor.WaitForMainWindow(), nullptr);
    }
    void Switch(UINT command) const { PostMessageA(quellor.MainWindow(), WM_COMMAND, command, 0); }

    // The tray picture's icon id, 0 for none of them.
    static int IdOf(const PictureBits& shown)
    {
        for (const int id : {IDI_IDLE_DARK, IDI_ACTIVE_1_DARK, IDI_ACTIVE_2_DARK, IDI_IDLE_LIGHT, IDI_ACTIVE_1,
                             IDI_ACTIVE_2}) {
            if (shown == IconBits(LoadNotificationIcon(static_cast<UINT>(id)).Get())) {
                return id;
            }
        }
        return 0;
    }
    bool Shows(int id) const
    {
        return WaitUntil([&] { return !standIn.Pictures().empty() && IdOf(standIn.Pictures().back()) == id; }, 5000);
    }
    // The pictures shown over the next two seconds (four, at 500 ms each).
    std::set<int> NextPictures() const
    {
        const std::size_t before = standIn.Pictures().size();
        PumpFor(2000);
        const std::vector<PictureBits> all = standIn.Pictures();
        std::set<int> ids;
        for (std::size_t i = before; i < all.size(); ++i) {
            ids.insert(IdOf(all[i]));
        }
        return ids;
    }

    CShellStandIn standIn;
    CQuellorProcess quellor;
};

TEST_F(TrayPictures, TheSetFollowsTheTaskbarsColoursAlsoMidAnimation)
{
    SetTheme(0);
    ASSERT_NO_FATAL_FAILURE(Launch());
    ASSERT_TRUE(Shows(IDI_IDLE_DARK));
    SetTheme(1);
    ASSERT_TRUE(Shows(IDI_IDLE_LIGHT));

    Switch(ID_ACTIVITY_ON);
    ASSERT_TRUE(Shows(IDI_ACTIVE_2));
    EXPECT_EQ(NextPictures(), (std::set<int>{IDI_ACTIVE_1, IDI_ACTIVE_2}));
    SetTheme(0);
    ASSERT_TRUE(Shows(IDI_ACTIVE_2_DARK));
    EXPECT_EQ(NextPictures(), (std::set<int>{IDI_ACTIVE_1_DARK, IDI_ACTIVE_2_DARK}));
    Switch(ID_ACTIVITY_OFF);
    EXPECT_TRUE(Shows(IDI_IDLE_DARK));
}

// Wine keeps a copy of the setting in each process that has read it, so the
// program sees the setting of its start; MainFrameTest changes it in the
// frame's own process.
TEST_F(TrayPictures, WithAnimationsOffTheRunningIconStandsStill)
{
    SetAnimations(FALSE);
    SetTheme(kNoValue);
    ASSERT_NO_FATAL_FAILURE(Launch());
    Switch(ID_ACTIVITY_ON);
    ASSERT_TRUE(Shows(IDI_ACTIVE_1_DARK)) << "no value: a dark taskbar";
    EXPECT_TRUE(NextPictures().empty()) << "not even the same picture again";
    Switch(ID_ACTIVITY_OFF);
    EXPECT_TRUE(Shows(IDI_IDLE_DARK));
}

}  // namespace
