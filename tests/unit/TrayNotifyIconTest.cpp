#include "tray/TrayNotifyIcon.h"

#include "ShellIcon.h"
#include "TestWindows.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <vector>

namespace {

// A hidden window standing in for the main frame: it records the commands
// and menu openings that reach it.
class CRecordingWindow {
public:
    CRecordingWindow()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TrayTestWindow";
        RegisterClassA(&wc);
        window = CreateWindowA(wc.lpszClassName, "tray test", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr,
                               wc.hInstance, nullptr);
        current = this;
    }
    ~CRecordingWindow()
    {
        DestroyWindow(window);
        current = nullptr;
    }

    HWND window;
    std::vector<UINT> commands;
    int menuOpenings = 0;
    int defaultItemAtOpening = -2;
    // What the user does once the menu is up; the menu is ended by force
    // only when that did not close it.
    TIMERPROC menuReply = CloseMenu;
    bool closedByForce = false;

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (current != nullptr && message == WM_COMMAND) {
            current->commands.push_back(LOWORD(wParam));
            return 0;
        }
        if (current != nullptr && message == WM_INITMENUPOPUP) {
            ++current->menuOpenings;
            current->defaultItemAtOpening =
                static_cast<int>(GetMenuDefaultItem(reinterpret_cast<HMENU>(wParam), TRUE, 0));
            SetTimer(hwnd, 77, 50, current->menuReply);
            SetTimer(hwnd, 78, 3000, ForceClose);
        }
        if (message == WM_EXITMENULOOP) {
            KillTimer(hwnd, 78);
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    static void CALLBACK ForceClose(HWND hwnd, UINT, UINT_PTR timer, DWORD)
    {
        KillTimer(hwnd, timer);
        current->closedByForce = true;
        EndMenu();
    }
    static void CALLBACK CloseMenu(HWND hwnd, UINT, UINT_PTR timer, DWORD)
    {
        KillTimer(hwnd, timer);
        EndMenu();
    }
    static CRecordingWindow* current;
};

CRecordingWindow* CRecordingWindow::current = nullptr;

HICON Icon(UINT id)
{
    return LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
}

// The picture the shell was last handed for the icon.
HICON shownPicture = nullptr;

BOOL WINAPI PictureRecordingShell(DWORD message, NOTIFYICONDATAA* record)
{
    if (message != NIM_DELETE && (record->uFlags & NIF_ICON) != 0) {
        shownPicture = record->hIcon;
    }
    return Shell_NotifyIconA(message, record);
}

bool AnimationWindowExists()
{
    return FindProcessWindow(GetCurrentProcessId(), "QuellorAnimation", "") != nullptr;
}

TEST(TrayNotifyIcon, AddsRemovesAndRefusesWhenNotShown)
{
    CRecordingWindow owner;
    {
        CTrayNotifyIcon icon;
        EXPECT_FALSE(icon.SetIcon(Icon(IDI_IDLE)));
        const HICON pictures[] = {Icon(IDI_ACTIVE_1), Icon(IDI_ACTIVE_2)};
        EXPECT_FALSE(icon.Animate(pictures, 2, 100));
        EXPECT_FALSE(AnimationWindowExists());
        EXPECT_FALSE(icon.RemoveIcon());

        ASSERT_TRUE(icon.Create(owner.window, 140, "Quellor! V2.81", Icon(IDI_IDLE), 0x8068));
        EXPECT_TRUE(ShellShowsIcon(owner.window, 140));
        EXPECT_TRUE(icon.SetIcon(Icon(IDI_ACTIVE_1)));
        EXPECT_TRUE(icon.RemoveIcon());
        EXPECT_FALSE(ShellShowsIcon(owner.window, 140));
        EXPECT_FALSE(icon.RemoveIcon());
        EXPECT_FALSE(icon.SetIcon(Icon(IDI_IDLE)));
    }
    EXPECT_FALSE(ShellShowsIcon(owner.window, 140));
}

TEST(TrayNotifyIcon, DestructionRemovesTheIconAndEndsTheAnimation)
{
    CRecordingWindow owner;
    {
        CTrayNotifyIcon icon;
        ASSERT_TRUE(icon.Create(owner.window, 140, "Quellor! V2.81", Icon(IDI_IDLE), 0x8068));
        const HICON pictures[] = {Icon(IDI_ACTIVE_1), Icon(IDI_ACTIVE_2)};
        ASSERT_TRUE(icon.Animate(pictures, 2, 50));
        EXPECT_TRUE(AnimationWindowExists());
    }
    EXPECT_FALSE(ShellShowsIcon(owner.window, 140));
    EXPECT_FALSE(AnimationWindowExists());
    PumpFor(150);
}

TEST(TrayNotifyIcon, AnimationCyclesRestartsAndEndsWithSetIcon)
{
    CRecordingWindow owner;
    CTrayNotifyIcon icon(PictureRecordingShell);
    ASSERT_TRUE(icon.Create(owner.window, 140, "Quellor! V2.81", Icon(IDI_IDLE), 0x8068));
    const HICON pictures[] = {Icon(IDI_ACTIVE_1), Icon(IDI_ACTIVE_2)};

    ASSERT_TRUE(icon.Animate(pictures, 2, 40));
    EXPECT_TRUE(AnimationWindowExists());
    EXPECT_EQ(shownPicture, pictures[0]);
    EXPECT_TRUE(WaitUntil([&] { return shownPicture == pictures[1]; }, 2000));
    EXPECT_TRUE(WaitUntil([&] { return shownPicture == pictures[0]; }, 2000));

    // A second Animate starts again at the first picture, with one window.
    EXPECT_TRUE(WaitUntil([&] { return shownPicture == pictures[1]; }, 2000));
    ASSERT_TRUE(icon.Animate(pictures, 2, 40));
    EXPECT_EQ(shownPicture, pictures[0]);

    // SetIcon ends it at once; no later tick overwrites the still picture.
    ASSERT_TRUE(icon.SetIcon(Icon(IDI_IDLE)));
    EXPECT_FALSE(AnimationWindowExists());
    EXPECT_FALSE(AnimationWindowExists());
    PumpFor(200);
    EXPECT_EQ(shownPicture, Icon(IDI_IDLE));

    // One picture: it stays, and the animation still counts as running.
    ASSERT_TRUE(icon.Animate(pictures, 1, 40));
    PumpFor(200);
    EXPECT_TRUE(AnimationWindowExists());
    EXPECT_EQ(shownPicture, pictures[0]);
    EXPECT_TRUE(AnimationWindowExists());
}

TEST(TrayNotifyIcon, RestoreAddsTheForgottenIconWithItsCurrentPicture)
{
    CRecordingWindow owner;
    CTrayNotifyIcon icon(PictureRecordingShell);
    EXPECT_FALSE(icon.Restore());
    ASSERT_TRUE(icon.Create(owner.window, 140, "Quellor! V2.81", Icon(IDI_IDLE), 0x8068));
    ASSERT_TRUE(icon.SetIcon(Icon(IDI_ACTIVE_2)));

    ASSERT_TRUE(ForgetShellIcon(owner.window, 140));
    ASSERT_FALSE(ShellShowsIcon(owner.window, 140));

    shownPicture = nullptr;
    EXPECT_TRUE(icon.Restore());
    EXPECT_TRUE(ShellShowsIcon(owner.window, 140));
    EXPECT_EQ(shownPicture, Icon(IDI_ACTIVE_2)) << "added again with the picture it had";
}

TEST(TrayNotifyIcon, MouseNotificationsRouteToMenuAndDefaultCommand)
{
    CRecordingWindow owner;
    CTrayNotifyIcon icon;
    ASSERT_TRUE(icon.Create(owner.window, 140, "Quellor! V2.81", Icon(IDI_IDLE), 0x8068));

    EXPECT_EQ(icon.OnTrayNotification(141, WM_LBUTTONDBLCLK), 0);
    EXPECT_EQ(icon.OnTrayNotification(141, WM_RBUTTONUP), 0);
    EXPECT_TRUE(owner.commands.empty());
    EXPECT_EQ(owner.menuOpenings, 0);

    for (const LPARAM ignored : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_MOUSEMOVE}) {
        EXPECT_EQ(icon.OnTrayNotification(140, ignored), 1);
    }
    EXPECT_TRUE(owner.commands.empty());
    EXPECT_EQ(owner.menuOpenings, 0);

    // Sent, not posted: the command has run when the notification returns.
    EXPECT_EQ(icon.OnTrayNotification(140, WM_LBUTTONDBLCLK), 1);
    ASSERT_EQ(owner.commands.size(), 1u);
    EXPECT_EQ(owner.commands[0], static_cast<UINT>(ID_SETUP));
    EXPECT_EQ(owner.menuOpenings, 0);

    EXPECT_EQ(icon.OnTrayNotification(140, WM_RBUTTONUP), 1);
    EXPECT_EQ(owner.menuOpenings, 1);
    EXPECT_EQ(owner.defaultItemAtOpening, 0);
    EXPECT_EQ(owner.commands.size(), 1u);
}

void SendKey(WORD key)
{
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

void CALLBACK PressEscape(HWND hwnd, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(hwnd, timer);
    SendKey(VK_ESCAPE);
}

// A click on a window of another kind, away from the menu.
HWND elsewhere = nullptr;

void CALLBACK ClickElsewhere(HWND hwnd, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(hwnd, timer);
    RECT area = {};
    GetWindowRect(elsewhere, &area);
    SetCursorPos((area.left + area.right) / 2, (area.top + area.bottom) / 2);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

bool NullMessageWaiting(HWND window)
{
    bool found = false;
    MSG message;
    while (PeekMessageA(&message, window, 0, 0, PM_REMOVE)) {
        found = found || message.message == WM_NULL;
    }
    return found;
}

TEST(TrayNotifyIcon, TheMenuClosesOnEscapeAndOnAClickElsewhere)
{
    CRecordingWindow owner;
    CTrayNotifyIcon icon;
    ASSERT_TRUE(icon.Create(owner.window, 140, "Quellor! V2.81", Icon(IDI_IDLE), 0x8068));
    elsewhere = CreateWindowA("STATIC", "elsewhere", WS_POPUP | WS_VISIBLE | WS_BORDER, 600, 60, 120, 60, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(elsewhere, nullptr);

    for (const TIMERPROC reply : {PressEscape, ClickElsewhere}) {
        SetCursorPos(200, 200);
        owner.menuReply = reply;
        owner.closedByForce = false;
        const int openings = owner.menuOpenings;
        EXPECT_EQ(icon.OnTrayNotification(140, WM_RBUTTONUP), 1);
        EXPECT_EQ(owner.menuOpenings, openings + 1);
        EXPECT_FALSE(owner.closedByForce) << (reply == PressEscape ? "Esc" : "a click elsewhere");
        EXPECT_TRUE(NullMessageWaiting(owner.window))
            << "a message follows the menu, so that the next one opens at the first click";
        EXPECT_TRUE(owner.commands.empty());
    }
    DestroyWindow(elsewhere);
}

// An icon that goes while its menu is open, as the frame's does when an
// Exit or a close arrives then, and a window whose handle fills the memory
// the icon leaves: a read of the icon after the menu would find that window.
alignas(CTrayNotifyIcon) unsigned char iconStorage[sizeof(CTrayNotifyIcon)];
HWND stranger = nullptr;

void CALLBACK DeleteIconAndCloseMenu(HWND hwnd, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(hwnd, timer);
    std::launder(reinterpret_cast<CTrayNotifyIcon*>(iconStorage))->~CTrayNotifyIcon();
    auto* words = reinterpret_cast<HWND*>(iconStorage);
    std::fill(words, words + sizeof iconStorage / sizeof(HWND), stranger);
    EndMenu();
}

TEST(TrayNotifyIcon, AnIconDeletedWhileItsMenuIsOpenIsNotReadAfterIt)
{
    CRecordingWindow owner;
    stranger = CreateWindowA("STATIC", "stranger", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr),
                             nullptr);
    ASSERT_NE(stranger, nullptr);
    auto* icon = new (iconStorage) CTrayNotifyIcon;
    ASSERT_TRUE(icon->Create(owner.window, 140, "Quellor! V2.81", Icon(IDI_IDLE), 0x8068));
    owner.menuReply = DeleteIconAndCloseMenu;
    icon->OnTrayNotification(140, WM_RBUTTONUP);
    EXPECT_EQ(owner.menuOpenings, 1);
    EXPECT_FALSE(owner.closedByForce);
    EXPECT_FALSE(NullMessageWaiting(stranger)) << "the icon was read after its menu";
    EXPECT_TRUE(NullMessageWaiting(owner.window));
    EXPECT_FALSE(ShellShowsIcon(owner.window, 140));
    DestroyWindow(stranger);
}

}  // namespace
