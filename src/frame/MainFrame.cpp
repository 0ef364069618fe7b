#include "frame/MainFrame.h"

#include "res/resource.h"
#include "settings/MakerSite.h"
#include "settings/Settings.h"
#include "ui/SetupDialog.h"
#include "ui/WebLink.h"
#include "ui/Wizard.h"
#include "win/Dialog.h"

#include <utility>

const win::MessageEntry<CMainFrame> CMainFrame::messages[] = {
    {WM_CREATE, &CMainFrame::OnCreate},
    {WM_TIMER, &CMainFrame::OnTimer},
    {WM_CLOSE, &CMainFrame::OnClose},
    {WM_DESTROY, &CMainFrame::OnDestroy},
    {WM_TRAY_CALLBACK, &CMainFrame::OnTrayCallback},
    {WM_NET_CONNECTED, &CMainFrame::OnAutoNetSenseConnected},
    {WM_NET_DISCONNECTED, &CMainFrame::OnAutoNetSenseDisconnected},
    {WM_NET_CHANGE_POSTED, &CMainFrame::OnNetChange},
    {WM_REMOTE_COMMAND_POSTED, &CMainFrame::OnRemoteCommand},
    {WM_CONTACT_DONE, &CMainFrame::OnContactDone},
    {WM_SETTINGCHANGE, &CMainFrame::OnSettingChange},
    {WM_TRAY_PICTURES, &CMainFrame::OnTrayPictures},
};

const win::CommandEntry<CMainFrame> CMainFrame::commands[] = {
    {ID_ACTIVITY_ON, &CMainFrame::OnActivityOn},
    {ID_ACTIVITY_OFF, &CMainFrame::OnActivityOff},
    {ID_APP_EXIT, &CMainFrame::OnExit},
    {ID_SETUP, &CMainFrame::OnSetUp},
    {ID_WIZARD, &CMainFrame::OnWizard},
    {ID_WEB_HOME, &CMainFrame::OnWebHome},
    {ID_WEB_FAQ, &CMainFrame::OnWebFaq},
    {ID_WEB_LIBRARY, &CMainFrame::OnWebLibrary},
};

const win::UpdateEntry<CMainFrame> CMainFrame::updates[] = {
    {ID_ACTIVITY_ON, &CMainFrame::IsOnChecked},
    {ID_ACTIVITY_OFF, &CMainFrame::IsOffChecked},
};

const win::MessageMap<CMainFrame> CMainFrame::messageMap = {messages, commands, {}, updates};

CMainFrame::CMainFrame(win::CCommandTarget* commandFallback, ShellNotifyFunction shellNotify)
    : commandFallback(commandFallback),
      taskbarCreatedMessage(RegisterWindowMessageA("TaskbarCreated")),
      remoteCommandMessage(RegisterWindowMessageA(kRemoteCommandMessage)),
      trayIcon(shellNotify)
{
    aolFlag = settings::Read(keys::IsAOL);
}

bool CMainFrame::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == taskbarCreatedMessage && taskbarCreatedMessage != 0) {
        OnTaskbarCreated();
        result = 0;
        return true;
    }
    // Answered at once, so that the second start can tell whether the copy
    // is alive; carried out outside any wait on the shell.
    if (message == remoteCommandMessage && remoteCommandMessage != 0) {
        const bool valid = wParam >= kRemoteOn && wParam <= kRemoteExit && lParam >= 0 && lParam <= 24 * 60;
        result = valid && PostMessageA(hwnd, WM_REMOTE_COMMAND_POSTED, wParam, lParam) ? kRemoteCommandTaken : 0;
        return true;
    }
    if (message == WM_COMMAND && OpensDialog(LOWORD(wParam))) {
        // One dialog at a time: a second Set Up or wizard opened from the tray
        // inside the first would have the outer one save over the inner one.
        if (const HWND open = win::CDialog::FindOpenDialog()) {
            SetForegroundWindow(open);
            result = 0;
            return true;
        }
    }
    if (win::DispatchMessageMap(*this, messageMap, message, wParam, lParam, result)) {
        return true;
    }
    if (message == WM_COMMAND && commandFallback != nullptr && commandFallback->OnCommand(LOWORD(wParam))) {
        result = 0;
        return true;
    }
    return CFrameWindow::OnMessage(message, wParam, lParam, result);
}

bool CMainFrame::OpensDialog(UINT command)
{
    return command == ID_SETUP || command == ID_WIZARD || command == ID_APP_ABOUT;
}

LRESULT CMainFrame::OnCreate(WPARAM, LPARAM)
{
    if (aolFlag == 0) {
        aolFlag = settings::Read(keys::IsAOL4);
    }
    // Started at logon, the program may come before the shell's notification
    // area: it runs on without its icon and tries again.
    if (!trayIcon.Create(hwnd, kTrayIconId, kTrayTooltip, pictures.Idle(), WM_TRAY_CALLBACK)) {
        trayRetriesLeft = kTrayRetryCount;
        SetTimer(hwnd, TIMER_TRAY_RETRY, kTrayRetryPeriodMs, nullptr);
    }
    // Only once the icon is set up: adding it waits on the shell and answers
    // sent messages meanwhile, so a watch started earlier could switch the
    // activity on before there is an icon to animate.
    if (settings::Read(keys::AutoNetSense) != 0) {
        if (aolFlag != 0) {
            aolPresenceWatched = SetTimer(hwnd, TIMER_AOL_PRESENCE, 10000, nullptr) != 0;
        } else {
            autoNetSense.Start(hwnd);
        }
    }
    ShowStatus();
    return 0;
}

LRESULT CMainFrame::OnTimer(WPARAM timerId, LPARAM lParam)
{
    switch (timerId) {
    case TIMER_CONTACT:
        OnContactTick();
        return 0;
    case TIMER_WARNINGS:
        DismissWarningWindows();
        return 0;
    case TIMER_AOL_PRESENCE:
        CheckAolPresence();
        return 0;
    case TIMER_TRAY_RETRY:
        RetryTrayIcon();
        return 0;
    case TIMER_ON_LIMIT:
        OnActivityOff();
        return 0;
    default:
        return DefWindowProcA(hwnd, WM_TIMER, timerId, lParam);
    }
}

void CMainFrame::RetryTrayIcon()
{
    if (!trayIcon.IsShown() && trayRetriesLeft > 0) {
        --trayRetriesLeft;
        trayIcon.Restore();
    }
    if (trayIcon.IsShown() || trayRetriesLeft == 0) {
        KillTimer(hwnd, TIMER_TRAY_RETRY);
    }
}

// The shell (re)built its notification area: it has forgotten the icon, or
// never had it.
void CMainFrame::OnTaskbarCreated()
{
    trayIcon.Restore();
    if (trayIcon.IsShown()) {
        trayRetriesLeft = 0;
        KillTimer(hwnd, TIMER_TRAY_RETRY);
    }
}

void CMainFrame::OnExit()
{
    StopActivity();
    KillTimer(hwnd, TIMER_CONTACT);
    KillTimer(hwnd, TIMER_WARNINGS);
    KillTimer(hwnd, TIMER_AOL_PRESENCE);
    KillTimer(hwnd, TIMER_ON_LIMIT);
    aolPresenceWatched = false;
    CloseFrame();
}

// A close sent by another program (an installer ending this copy) can arrive
// inside a wait on the shell, with a half-done change of this frame further
// up the stack: it is carried out once that wait is over.
LRESULT CMainFrame::OnClose(WPARAM, LPARAM)
{
    if (InSendMessage()) {
        PostMessageA(hwnd, WM_CLOSE, 0, 0);
    } else {
        CloseFrame();
    }
    return 0;
}

void CMainFrame::CloseFrame()
{
    KillTimer(hwnd, TIMER_CONTACT);
    KillTimer(hwnd, TIMER_WARNINGS);
    KillTimer(hwnd, TIMER_TRAY_RETRY);
    DestroyWindow(hwnd);
}

LRESULT CMainFrame::OnDestroy(WPARAM, LPARAM)
{
    PostQuitMessage(0);
    return 0;
}

LRESULT CMainFrame::OnTrayCallback(WPARAM wParam, LPARAM lParam)
{
    return trayIcon.OnTrayNotification(wParam, lParam);
}

// The taskbar's colours ("ImmersiveColorSet"), the animation setting or the
// icon size may have changed. The message is sent, so it can arrive while the
// tray icon waits on the shell in the middle of showing a picture: the
// pictures change from the message loop instead.
LRESULT CMainFrame::OnSettingChange(WPARAM, LPARAM)
{
    PostMessageA(hwnd, WM_TRAY_PICTURES, 0, 0);
    return 0;
}

LRESULT CMainFrame::OnTrayPictures(WPARAM, LPARAM)
{
    CTrayPictureSet suiting;
    if (suiting.SameAs(pictures)) {
        return 0;
    }
    // The pictures shown until now go only once the new ones are on show.
    std::swap(pictures, suiting);
    ShowActivityPictures();
    return 0;
}

void CMainFrame::ShowActivityPictures()
{
    if (running == 1) {
        const auto shown = pictures.Running();
        trayIcon.Animate(shown.data(), pictures.RunningCount(), 500);
    } else {
        trayIcon.SetIcon(pictures.Idle());
    }
}

void CMainFrame::OnSetUp()
{
    CSetupDialog dialog(settings::Read(keys::StartUp));
    const HWND self = hwnd;
    dialog.DoModal(self);
    // Exit chosen from the tray while the dialog was open has destroyed
    // this frame and deleted the object.
    if (!IsWindow(self)) {
        return;
    }
    if (running == 1) {
        StopActivity();
        StartActivity();
    }
}

void CMainFrame::OnWizard()
{
    RunWizard(hwnd);
}

void CMainFrame::OnWebHome()
{
    OpenWebPage(hwnd, maker::kHomePage);
}

void CMainFrame::OnWebFaq()
{
    OpenWebPage(hwnd, maker::kFaqPage);
}

void CMainFrame::OnWebLibrary()
{
    OpenWebPage(hwnd, maker::kLibraryPage);
}
