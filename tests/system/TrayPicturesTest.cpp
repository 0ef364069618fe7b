// The tray's pictures as the real program shows them to a notification area
// that the test stands in for: the set drawn for the taskbar's colours, which
// follows a change even mid-animation, and one still picture for users who
// switched animations off.
#include "QuellorProcess.h"
#include "QuellorRegistry.h"
#include "TestWindows.h"
#include "TrayStandIn.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr const char* kPersonalize = "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
constexpr UINT kGetClientAreaAnimation = 0x1042;
constexpr UINT kSetClientAreaAnimation = 0x1043;

struct NamedPicture {
    const char* name;
    int iconId;
};

const NamedPicture kPictures[] = {
    {"dark idle", IDI_IDLE_DARK},   {"dark running 1", IDI_ACTIVE_1_DARK}, {"dark running 2", IDI_ACTIVE_2_DARK},
    {"light idle", IDI_IDLE_LIGHT}, {"light running 1", IDI_ACTIVE_1},     {"light running 2", IDI_ACTIVE_2},
};

// Windows changing the taskbar's colours: the value, then the broadcast.
void SetLightTaskbar(bool light)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kPersonalize, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const DWORD value = light ? 1 : 0;
    RegSetValueExA(key, "SystemUsesLightTheme", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("ImmersiveColorSet"),
                        SMTO_ABORTIFHUNG, 5000, &answer);
}

// "Show animations in Windows", broadcast as the settings page does.
void SetAnimations(bool on)
{
    SystemParametersInfoA(kSetClientAreaAnimation, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(on)),
                          SPIF_SENDCHANGE);
}

class TrayPictures : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(standIn.IsReady());
        SystemParametersInfoA(kGetClientAreaAnimation, 0, &animationsWere, 0);
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kPersonalize, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
            DWORD bytes = sizeof lightThemeWas;
            hadLightTheme = RegQueryValueExA(key, "SystemUsesLightTheme", nullptr, nullptr,
                                             reinterpret_cast<BYTE*>(&lightThemeWas), &bytes) == ERROR_SUCCESS;
            RegCloseKey(key);
        }
        quellor_registry::PrepareQuietStart();
    }

    // The desktop as the other tests know it, whatever this test did.
    void TearDown() override
    {
        quellor.Exit();
        SetAnimations(animationsWere != FALSE);
        if (hadLightTheme) {
            SetLightTaskbar(lightThemeWas == 1);
        } else {
            HKEY key = nullptr;
            if (RegOpenKeyExA(HKEY_CURRENT_USER, kPersonalize, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
                RegDeleteValueA(key, "SystemUsesLightTheme");
                RegCloseKey(key);
            }
        }
    }

    static std::string NameOf(const PictureBits& bits)
    {
        for (const NamedPicture& picture : kPictures) {
            if (!bits.empty() && bits == ProgramPicture(picture.iconId)) {
                return picture.name;
            }
        }
        return bits.empty() ? "none" : "unknown";
    }

    std::vector<std::string> NamesSince(std::size_t first) const
    {
        std::vector<std::string> names;
        for (const PictureBits& bits : standIn.PicturesSince(first)) {
            names.push_back(NameOf(bits));
        }
        return names;
    }

    bool Shows(const std::string& name) const
    {
        return WaitUntil([&] { return NameOf(standIn.LastPicture()) == name; }, 5000);
    }

    // Over two seconds from now: only these two pictures, in turn.
    void ExpectInTurn(const std::string& first, const std::string& second) const
    {
        const std::size_t mark = standIn.PictureCount();
        PumpFor(2000);
        const std::vector<std::string> names = NamesSince(mark);
        ASSERT_GE(names.size(), 3u) << "a picture every 500 ms";
        for (std::size_t i = 1; i < names.size(); ++i) {
            EXPECT_TRUE(names[i] == first || names[i] == second) << names[i];
            EXPECT_NE(names[i], names[i - 1]);
        }
    }

    // Over two seconds from now: no picture at all, the one shown stays.
    void ExpectStill(const std::string& name) const
    {
        const std::size_t mark = standIn.PictureCount();
        PumpFor(2000);
        EXPECT_EQ(NamesSince(mark), std::vector<std::string>());
        EXPECT_EQ(NameOf(standIn.LastPicture()), name);
    }

    void Switch(UINT command) const { PostMessageA(quellor.MainWindow(), WM_COMMAND, command, 0); }

    CTrayStandIn standIn;
    CQuellorProcess quellor;
    BOOL animationsWere = TRUE;
    bool hadLightTheme = false;
    DWORD lightThemeWas = 0;
};

TEST_F(TrayPictures, TheSetFollowsTheTaskbarsColoursAlsoMidAnimation)
{
    SetAnimations(true);
    SetLightTaskbar(false);
    ASSERT_TRUE(quellor.Launch());
    ASSERT_NE(quellor.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(Shows("dark idle"));

    SetLightTaskbar(true);
    ASSERT_TRUE(Shows("light idle"));
    Switch(ID_ACTIVITY_ON);
    ASSERT_TRUE(Shows("light running 2"));
    ExpectInTurn("light running 1", "light running 2");

    SetLightTaskbar(false);
    ASSERT_TRUE(Shows("dark running 2"));
    ExpectInTurn("dark running 1", "dark running 2");
    Switch(ID_ACTIVITY_OFF);
    EXPECT_TRUE(Shows("dark idle"));
}

// Wine keeps a copy of the setting in each process that has read it, so the
// program sees it as it was when it started; MainFrameTest changes it in
// the program's own process.
TEST_F(TrayPictures, WithAnimationsOffTheRunningIconStandsStill)
{
    SetLightTaskbar(false);
    SetAnimations(false);
    ASSERT_TRUE(quellor.Launch());
    ASSERT_NE(quellor.WaitForMainWindow(), nullptr);
    Switch(ID_ACTIVITY_ON);
    ASSERT_TRUE(Shows("dark running 1"));
    ExpectStill("dark running 1");

    Switch(ID_ACTIVITY_OFF);
    EXPECT_TRUE(Shows("dark idle"));
    ExpectStill("dark idle");
}

}  // namespace
