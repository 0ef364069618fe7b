// The main frame in this process: its menu check marks and the activity's
// effect on the tray icon, without the rest of the program.
#include "frame/MainFrame.h"

#include "ShellIcon.h"
#include "TestWindows.h"
#include "res/resource.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "win/Handles.h"

#include <gtest/gtest.h>

namespace {

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CSettingsStore::Global().SetRegistryKey("Marrowby");
        RegDeleteKeyA(HKEY_CURRENT_USER, "software\\Marrowby\\quellor_unit_tests\\Quellor");
        frame = new CMainFrame();
        window = win::CFrameWindow::CreateOwned(frame, "Quellor", WS_OVERLAPPEDWINDOW);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override
    {
        if (IsWindow(window)) {
            DestroyWindow(window);
        }
        MSG quit;
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }

    // Check marks of ON and OFF as the popup menu would show them.
    std::pair<bool, bool> MenuMarks()
    {
        const win::CMenuHandle menu(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAY_MENU)));
        const HMENU popup = GetSubMenu(menu.Get(), 0);
        SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
        return {(GetMenuState(popup, ID_ACTIVITY_ON, MF_BYCOMMAND) & MF_CHECKED) != 0,
                (GetMenuState(popup, ID_ACTIVITY_OFF, MF_BYCOMMAND) & MF_CHECKED) != 0};
    }

    CMainFrame* frame = nullptr;
    HWND window = nullptr;
};

TEST_F(MainFrameTest, CheckMarksFollowTheActivity)
{
    EXPECT_TRUE(ShellShowsIcon(window, kTrayIconId));
    EXPECT_EQ(MenuMarks(), std::make_pair(false, true));

    SendMessageA(window, WM_COMMAND, ID_ACTIVITY_ON, 0);
    EXPECT_TRUE(frame->IsRunning());
    EXPECT_EQ(MenuMarks(), std::make_pair(true, false));

    SendMessageA(window, WM_COMMAND, ID_ACTIVITY_ON, 0);
    EXPECT_EQ(MenuMarks(), std::make_pair(true, false));

    SendMessageA(window, WM_COMMAND, ID_ACTIVITY_OFF, 0);
    EXPECT_FALSE(frame->IsRunning());
    EXPECT_EQ(MenuMarks(), std::make_pair(false, true));
}

TEST_F(MainFrameTest, ExitRemovesTheIconAndEndsTheLoop)
{
    SendMessageA(window, WM_COMMAND, ID_ACTIVITY_ON, 0);
    SendMessageA(window, WM_COMMAND, ID_APP_EXIT, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(ShellShowsIcon(window, kTrayIconId));
    EXPECT_FALSE(FindProcessWindow(GetCurrentProcessId(), "QuellorFrame", "") != nullptr);
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(MainFrameTest, AolPresenceSwitchesTheActivity)
{
    SendMessageA(window, WM_TIMER, TIMER_AOL_PRESENCE, 0);
    EXPECT_FALSE(frame->IsRunning());

    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "_AOL_TimeKeeper";
    RegisterClassA(&wc);
    const HWND keeper = CreateWindowA(wc.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                      wc.hInstance, nullptr);
    SendMessageA(window, WM_TIMER, TIMER_AOL_PRESENCE, 0);
    EXPECT_TRUE(frame->IsRunning());

    // An OFF by hand while the window is there stays off.
    SendMessageA(window, WM_COMMAND, ID_ACTIVITY_OFF, 0);
    SendMessageA(window, WM_TIMER, TIMER_AOL_PRESENCE, 0);
    EXPECT_FALSE(frame->IsRunning());

    DestroyWindow(keeper);
    SendMessageA(window, WM_TIMER, TIMER_AOL_PRESENCE, 0);
    EXPECT_FALSE(frame->IsRunning());
    SendMessageA(window, WM_COMMAND, ID_ACTIVITY_ON, 0);
    SendMessageA(window, WM_TIMER, TIMER_AOL_PRESENCE, 0);
    EXPECT_TRUE(frame->IsRunning()) << "a start by hand stays on while the window is absent";
}

}  // namespace
