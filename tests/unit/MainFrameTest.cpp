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

#include <deque>

namespace {

// The shell as a program started at logon may find it: it refuses the
// first adds, then takes them; or, busy, it takes an add but answers after
// its time-out, so that the add seems to have failed.
int addsToRefuse = 0;
bool addsAnsweredLate = false;
int addsTried = 0;
HICON firstIconTried = nullptr;
HICON lastIconAdded = nullptr;
HICON lastIconChanged = nullptr;

BOOL WINAPI LateShell(DWORD message, NOTIFYICONDATAA* record)
{
    if (message == NIM_ADD) {
        if (++addsTried == 1) {
            firstIconTried = record->hIcon;
        }
        if (addsToRefuse > 0) {
            --addsToRefuse;
            return FALSE;
        }
        lastIconAdded = record->hIcon;
        if (addsAnsweredLate) {
            Shell_NotifyIconA(message, record);
            return FALSE;
        }
    }
    if (message == NIM_MODIFY && (record->uFlags & NIF_ICON) != 0) {
        lastIconChanged = record->hIcon;
    }
    return Shell_NotifyIconA(message, record);
}

// A shell that lets sent messages in while it changes the picture, as the
// real one does: each change delivers the next message queued for the frame.
HWND shellClient = nullptr;
std::deque<std::pair<UINT, WPARAM>> sentDuringWait;
int pictureChanges = 0;

BOOL WINAPI ReentrantShell(DWORD message, NOTIFYICONDATAA* record)
{
    if (message == NIM_MODIFY) {
        ++pictureChanges;
        if (!sentDuringWait.empty()) {
            const auto [sent, wParam] = sentDuringWait.front();
            sentDuringWait.pop_front();
            SendMessageA(shellClient, sent, wParam, 0);
        }
    }
    return Shell_NotifyIconA(message, record);
}

int IconWidth(HICON icon)
{
    ICONINFO info = {};
    if (icon == nullptr || !GetIconInfo(icon, &info)) {
        return 0;
    }
    BITMAP bitmap = {};
    GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CSettingsStore::Global().SetRegistryKey("Marrowby");
        RegDeleteKeyA(HKEY_CURRENT_USER, "software\\Marrowby\\quellor_unit_tests\\Quellor");
        Open(Shell_NotifyIconA);
    }
    void Open(ShellNotifyFunction shell)
    {
        frame = new CMainFrame(nullptr, shell);
        window = win::CFrameWindow::CreateOwned(frame, "Quellor", WS_OVERLAPPEDWINDOW);
        ASSERT_NE(window, nullptr);
    }
    // A new frame whose shell refuses the first adds.
    void OpenWithLateShell(int refusals, bool answersLate = false)
    {
        DestroyWindow(window);
        addsToRefuse = refusals;
        addsAnsweredLate = answersLate;
        addsTried = 0;
        firstIconTried = lastIconAdded = lastIconChanged = nullptr;
        Open(LateShell);
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

    // The activity as the user sees it: the check marks agree with the icon,
    // and no second animation runs beside the first.
    void ExpectOneTruth(bool on)
    {
        EXPECT_EQ(MenuMarks(), std::make_pair(on, !on));
        EXPECT_EQ(WindowsOfClass(GetCurrentProcessId(), "QuellorAnimation").size(), on ? 1U : 0U);
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
    EXPECT_TRUE(WindowsOfClass(GetCurrentProcessId(), "QuellorAnimation").empty());
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(MainFrameTest, AnIconTheShellRefusesIsAddedLaterAndTheProgramRunsMeanwhile)
{
    OpenWithLateShell(3);
    EXPECT_TRUE(IsWindow(window)) << "no icon is no reason to end";
    EXPECT_FALSE(ShellShowsIcon(window, kTrayIconId));
    SendMessageA(window, WM_COMMAND, ID_ACTIVITY_ON, 0);
    EXPECT_TRUE(frame->IsRunning());

    // The retry timer runs by itself every two seconds.
    EXPECT_TRUE(WaitUntil([] { return addsTried == 2; }, 3500));
    SendMessageA(window, WM_TIMER, TIMER_TRAY_RETRY, 0);
    EXPECT_FALSE(ShellShowsIcon(window, kTrayIconId));
    SendMessageA(window, WM_TIMER, TIMER_TRAY_RETRY, 0);
    ASSERT_TRUE(ShellShowsIcon(window, kTrayIconId));
    EXPECT_NE(lastIconAdded, firstIconTried) << "added with the running picture, not the idle one";
    EXPECT_EQ(IconWidth(firstIconTried), GetSystemMetrics(SM_CXSMICON)) << "the size the system asks for";
    EXPECT_EQ(IconWidth(lastIconAdded), GetSystemMetrics(SM_CXSMICON));
    SendMessageA(window, WM_TIMER, TIMER_TRAY_RETRY, 0);
    EXPECT_EQ(addsTried, 4) << "no add once the icon is shown";

    // A shell that never comes: two minutes of tries, then only its own
    // announcement adds the icon.
    OpenWithLateShell(1000);
    for (int tick = 0; tick < kTrayRetryCount + 5; ++tick) {
        SendMessageA(window, WM_TIMER, TIMER_TRAY_RETRY, 0);
    }
    EXPECT_EQ(addsTried, 1 + kTrayRetryCount);
    addsToRefuse = 0;
    SendMessageA(window, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(ShellShowsIcon(window, kTrayIconId));
    SendMessageA(window, WM_COMMAND, ID_APP_EXIT, 0);
    EXPECT_FALSE(ShellShowsIcon(window, kTrayIconId));
}

TEST_F(MainFrameTest, MessagesThatArriveWhileTheShellWaitsLeaveOneAnimationAndTrueCheckMarks)
{
    DestroyWindow(window);
    Open(ReentrantShell);
    shellClient = window;
    const auto switchWith = [&](UINT command, std::deque<std::pair<UINT, WPARAM>> arriving) {
        sentDuringWait = std::move(arriving);
        SendMessageA(window, WM_COMMAND, command, 0);
        PumpFor(100);
    };

    // The dial-up watch reports a line, or ON comes again, while ON changes
    // the picture.
    switchWith(ID_ACTIVITY_ON, {{WM_NET_CONNECTED, 0}});
    ExpectOneTruth(true);
    switchWith(ID_ACTIVITY_OFF, {});
    switchWith(ID_ACTIVITY_ON, {{WM_COMMAND, ID_ACTIVITY_ON}});
    ExpectOneTruth(true);
    // A line comes, or ON is chosen, while OFF changes the picture.
    switchWith(ID_ACTIVITY_OFF, {{WM_NET_CONNECTED, 0}});
    ExpectOneTruth(true);
    switchWith(ID_ACTIVITY_OFF, {{WM_COMMAND, ID_ACTIVITY_ON}});
    ExpectOneTruth(true);
    // The last line goes, or OFF is chosen, while ON changes the picture.
    switchWith(ID_ACTIVITY_OFF, {});
    switchWith(ID_ACTIVITY_ON, {{WM_NET_DISCONNECTED, 0}});
    ExpectOneTruth(false);
    switchWith(ID_ACTIVITY_ON, {{WM_COMMAND, ID_ACTIVITY_OFF}});
    ExpectOneTruth(false);

    pictureChanges = 0;
    PumpFor(1200);
    EXPECT_EQ(pictureChanges, 0) << "after OFF the picture stays still";
}

TEST_F(MainFrameTest, AnAddTheShellAnswersLateCountsAsShownAndIsRemovedAtTheEnd)
{
    OpenWithLateShell(0, true);
    ASSERT_TRUE(ShellShowsIcon(window, kTrayIconId));
    SendMessageA(window, WM_TIMER, TIMER_TRAY_RETRY, 0);
    EXPECT_EQ(addsTried, 1) << "no retry of an icon the shell has";

    SendMessageA(window, WM_COMMAND, ID_ACTIVITY_ON, 0);
    const HICON shownWhenOn = lastIconChanged;
    EXPECT_NE(shownWhenOn, nullptr) << "the animation shows";
    EXPECT_TRUE(WaitUntil([&] { return lastIconChanged != shownWhenOn; }, 1500));

    SendMessageA(window, WM_COMMAND, ID_APP_EXIT, 0);
    EXPECT_FALSE(ShellShowsIcon(window, kTrayIconId)) << "no dead icon is left behind";
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
