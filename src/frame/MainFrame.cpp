#include "frame/MainFrame.h"

#include "engine/ConnectionRecord.h"
#include "engine/ScheduleWindow.h"
#include "res/resource.h"
#include "settings/MakerSite.h"
#include "settings/Settings.h"
#include "settings/SwitchSettings.h"
#include "ui/SetupDialog.h"
#include "ui/WebLink.h"
#include "ui/Wizard.h"
#include "win/Dialog.h"

const win::MessageEntry<CMainFrame> CMainFrame::messages[] = {
    {WM_CREATE, &CMainFrame::OnCreate},
    {WM_TIMER, &CMainFrame::OnTimer},
    {WM_CLOSE, &CMainFrame::OnClose},
    {WM_ENDSESSION, &CMainFrame::OnEndSession},
    {WM_DESTROY, &CMainFrame::OnDestroy},
    {WM_TRAY_CALLBACK, &CMainFrame::OnTrayCallback},
    {WM_REMOTE_COMMAND_POSTED, &CMainFrame::OnRemoteCommand},
    {WM_CONTACT_DONE, &CMainFrame::OnContactDone},
    {WM_SETTINGCHANGE, &CMainFrame::OnSettingChange},
    {WM_TRAY_PICTURES, &CMainFrame::OnTrayPictures},
    {WM_SETUP_APPLIED, &CMainFrame::OnSetupApplied},
    {WM_POLICY_CHANGED, &CMainFrame::OnPolicyChanged},
    {WM_POWERBROADCAST, &CMainFrame::OnPowerBroadcast},
};

const win::CommandEntry<CMainFrame> CMainFrame::commands[] = {
    {ID_ACTIVITY_ON, &CMainFrame::OnActivityOn}, {ID_ACTIVITY_OFF, &CMainFrame::OnActivityOff},
    {ID_APP_EXIT, &CMainFrame::OnExit},          {ID_SETUP, &CMainFrame::OnSetUp},
    {ID_WIZARD, &CMainFrame::OnWizard},          {ID_WEB_HOME, &CMainFrame::OnWebHome},
    {ID_WEB_FAQ, &CMainFrame::OnWebFaq},         {ID_WEB_LIBRARY, &CMainFrame::OnWebLibrary},
    {ID_HISTORY, &CMainFrame::OnHistory},
};

const win::UpdateEntry<CMainFrame> CMainFrame::updates[] = {
    {ID_ACTIVITY_ON, &CMainFrame::IsRunning},
    {ID_ACTIVITY_OFF, &CMainFrame::IsStopped},
};

const win::MessageMap<CMainFrame> CMainFrame::messageMap = {messages, commands, {}, updates};

namespace {

// The minutes of a "Switch ON for" item, or 0 for another command: the
// items follow each other from 30 minutes, each twice the one before.
DWORD OnForMinutes(UINT command)
{
    static_assert(ID_ON_FOR_8_HOURS - ID_ON_FOR_30_MINUTES == 4, "30 minutes to 8 hours");
    const bool onFor = command >= ID_ON_FOR_30_MINUTES && command <= ID_ON_FOR_8_HOURS;
    return onFor ? 30U << (command - ID_ON_FOR_30_MINUTES) : 0;
}

}  // namespace

CMainFrame::CMainFrame(win::CCommandTarget* commandFallback, ShellNotifyFunction shellNotify)
    : commandFallback(commandFallback),
      remoteCommandMessage(RegisterWindowMessageA(kRemoteCommandMessage)),
      presence(shellNotify)
{
}

bool CMainFrame::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (presence.IsTaskbarCreated(message)) {
        presence.OnTaskbarCreated();
        result = 0;
        return true;
    }
    if (message == remoteCommandMessage && remoteCommandMessage != 0) {
        result = AcceptRemoteCommand(wParam, lParam);
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
    if (message == WM_COMMAND && OnForMinutes(LOWORD(wParam)) > 0) {
        StartActivity(ActivityCause::Menu, MsFromMinutes(OnForMinutes(LOWORD(wParam))));
        result = 0;
        return true;
    }
    if (message == WM_NET_CONNECTED || message == WM_NET_DISCONNECTED) {
        NoteDialUp(message, lParam);
    }
    if (sources.OnMessage(message, wParam, lParam, result) || autoNetSense.OnMessage(message, wParam, lParam, result) ||
        redialer.OnMessage(message, wParam, lParam, result) ||
        win::DispatchMessageMap(*this, messageMap, message, wParam, lParam, result)) {
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
    scheduler.Attach(hwnd);
    redialer.Attach(hwnd);
    presence.Create(hwnd);
    // Only once the icon is set up: adding it waits on the shell and answers
    // sent messages meanwhile, so a watch started earlier could switch the
    // activity on before there is an icon to animate.
    autoNetSense.Follow(hwnd);
    StartSources();
    return 0;
}

void CMainFrame::StartSources()
{
    const SwitchSettings chosen = SwitchSettings::Read();
    history.Follow();
    scheduler.KeepAwakeWhileOn(chosen.keepAwake, chosen.keepAwakeOnBattery);
    redialer.Follow();
    sources.Start(hwnd, chosen);
}

// The one way in from the sources: their news and the switch it asks for.
void CMainFrame::SourcesChanged(const SwitchReasons& now, SourceSwitch switchTo, ActivityCause cause)
{
    if (shutDown) {
        return;
    }
    history.Connections(reasons.connectionsUp, now.connectionsUp);
    reasons = now;
    if (switchTo == SourceSwitch::On) {
        StartActivity(cause);
    } else if (switchTo == SourceSwitch::Off) {
        StopActivity(cause);
    } else {
        ShowStatus();
    }
}

// What depends on the cause is decided here and in StopActivity. Every
// switch ends the time limit of the ON before it, but for the restart that
// brings changed settings into effect: that ON goes on with its limit.
void CMainFrame::StartActivity(ActivityCause cause, DWORD limitMs)
{
    if (cause != ActivityCause::Settings) {
        scheduler.EndLimit();
    }
    scheduler.LimitTo(limitMs);
    if (!IsRunning()) {
        history.Switched(true, cause);
    }
    scheduler.SwitchOn();
    redialer.SwitchOn();
    ShowStatus();
}

// AutoNetSense's OFF leaves the warnings watched: the online services put up
// their "Disconnect Warning" after the line has hung up.
void CMainFrame::StopActivity(ActivityCause cause)
{
    if (cause != ActivityCause::Settings) {
        scheduler.EndLimit();
    }
    if (IsRunning()) {
        history.Switched(false, cause);
    }
    scheduler.SwitchOff(cause == ActivityCause::AutoNetSense);
    redialer.SwitchOff();
    ShowStatus();
}

void CMainFrame::ShowStatus()
{
    ActivityShown activity;
    activity.on = IsRunning();
    if (const SYSTEMTIME* end = scheduler.LimitEnd()) {
        activity.limitEnd.set = true;
        activity.limitEnd.at = *end;
    }
    activity.waitingForDialUp = autoNetSense.IsWaitingForDialUp();
    activity.waitingForAmericaOnline = autoNetSense.IsWaitingForAmericaOnline();
    redialer.Show(activity);
    presence.Show(activity, reasons);
}

void CMainFrame::RedialChanged(const TrayBalloon* balloon)
{
    if (shutDown) {
        return;
    }
    if (balloon != nullptr) {
        presence.ShowBalloon(*balloon);
    }
    ShowStatus();
}

LRESULT CMainFrame::OnTimer(WPARAM timerId, LPARAM lParam)
{
    switch (timerId) {
    case TIMER_CONTACT:
        if (const std::optional<ULONGLONG> busyBytes = scheduler.OnContactTick()) {
            ContactSkipped(*busyBytes);
        }
        return 0;
    case TIMER_WARNINGS:
        scheduler.DismissWarningWindows();
        return 0;
    case TIMER_TRAY_RETRY:
        presence.OnRetryTimer();
        return 0;
    case TIMER_ON_LIMIT:
        StopActivity(ActivityCause::TimeLimit);
        return 0;
    default:
        return DefWindowProcA(hwnd, WM_TIMER, timerId, lParam);
    }
}

void CMainFrame::ApplySettings()
{
    if (IsRunning()) {
        StopActivity(ActivityCause::Settings);
        StartActivity(ActivityCause::Settings);
    }
    StartSources();
}

// Group Policy's news comes sent, perhaps inside a wait on the shell: the
// settings are read again once the message loop comes round to it.
LRESULT CMainFrame::OnSettingChange(WPARAM, LPARAM area)
{
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the changed area's name, as the message carries it
    const auto* name = reinterpret_cast<const char*>(area);
    if (name != nullptr && lstrcmpiA(name, "Policy") == 0) {
        PostMessageA(hwnd, WM_POLICY_CHANGED, 0, 0);
    }
    presence.OnSettingChange();
    return 0;
}

LRESULT CMainFrame::OnPolicyChanged(WPARAM, LPARAM)
{
    autoNetSense.Follow(hwnd);
    ApplySettings();
    return 0;
}

// Apply stored the settings: the sources start again with them, and the
// dialog learns whether the hot key it stored is another program's.
LRESULT CMainFrame::OnSetupApplied(WPARAM dialog, LPARAM)
{
    StartSources();
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the dialog's window, as it posted it
    const HWND setup = reinterpret_cast<HWND>(dialog);
    if (IsWindow(setup)) {
        PostMessageA(setup, WM_HOTKEY_TAKEN, sources.IsHotKeyTaken() ? 1 : 0, 0);
    }
    return 0;
}

// Answered at once, so that the second start can tell whether the copy is
// alive; carried out outside any wait on the shell.
LRESULT CMainFrame::AcceptRemoteCommand(WPARAM command, LPARAM minutes) const
{
    const LPARAM most = command == kRemoteOnUntil ? kMinutesPerDay - 1 : kMostOnMinutes;
    const bool valid = command >= kRemoteOn && command <= kRemoteOnUntil && minutes >= 0 && minutes <= most;
    return valid && PostMessageA(hwnd, WM_REMOTE_COMMAND_POSTED, command, minutes) ? kRemoteCommandTaken : 0;
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): a window message's parameters, in its order
LRESULT CMainFrame::OnRemoteCommand(WPARAM command, LPARAM minutes)
{
    if (command == kRemoteOn) {
        StartActivity(ActivityCause::CommandLineSwitch, MsFromMinutes(static_cast<unsigned int>(minutes)));
    } else if (command == kRemoteOff) {
        StopActivity(ActivityCause::CommandLineSwitch);
    } else if (command == kRemoteOnUntil) {
        StartActivity(ActivityCause::CommandLineSwitch, MillisecondsUntilClock(static_cast<int>(minutes)));
    } else if (command == kRemoteExit) {
        OnExit();
    }
    return 0;
}

// A contact cut short by OFF reports nothing; one that ended reports even
// after OFF, and the tip keeps it.
LRESULT CMainFrame::OnContactDone(WPARAM outcome, LPARAM tookMs)
{
    scheduler.ContactEnded();
    if (outcome <= static_cast<WPARAM>(ContactOutcome::NoConnection)) {
        SYSTEMTIME now = {};
        GetLocalTime(&now);
        presence.ContactEnded(static_cast<ContactOutcome>(outcome), now);
        const CContactWorker& made = scheduler.Contacts();
        history.Contact(made.LastHost(), made.LastForm(), static_cast<ContactOutcome>(outcome),
                        static_cast<DWORD>(tookMs));
    }
    return 0;
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): a window message and its parameter, in their order
void CMainFrame::NoteDialUp(UINT message, LPARAM connection)
{
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the watch's record, valid during the call
    const auto* record = reinterpret_cast<const ConnectionRecord*>(connection);
    if (record != nullptr) {
        history.Connection(record->entryName, message == WM_NET_CONNECTED);
    }
}

LRESULT CMainFrame::OnTrayCallback(WPARAM wParam, LPARAM lParam)
{
    return presence.OnTrayCallback(wParam, lParam);
}

LRESULT CMainFrame::OnTrayPictures(WPARAM, LPARAM)
{
    presence.OnTrayPictures();
    return 0;
}

void CMainFrame::OnExit()
{
    CloseFrame();
}

void CMainFrame::Shutdown()
{
    shutDown = true;
    if (IsRunning()) {
        history.SwitchedOffAtEnd();
    }
    scheduler.Stop();
    redialer.SwitchOff();
    sources.Stop();
    autoNetSense.Stop();
    KillTimer(hwnd, TIMER_TRAY_RETRY);
    history.Stop();
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
    Shutdown();
    DestroyWindow(hwnd);
}

// The session ends with this answer, perhaps while a wait on the shell is
// under way further up the stack: everything stops here, and the window
// stays for the system to end with the process.
LRESULT CMainFrame::OnEndSession(WPARAM ending, LPARAM)
{
    if (ending != FALSE) {
        Shutdown();
    }
    return 0;
}

LRESULT CMainFrame::OnDestroy(WPARAM, LPARAM)
{
    PostQuitMessage(0);
    return 0;
}

void CMainFrame::OnSetUp()
{
    CSetupDialog dialog(settings::Read(keys::StartUp), IsHotKeyTaken());
    const HWND self = hwnd;
    dialog.DoModal(self);
    // Exit chosen from the tray while the dialog was open has destroyed
    // this frame and deleted the object.
    if (!IsWindow(self)) {
        return;
    }
    ApplySettings();
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

void CMainFrame::ContactSkipped(ULONGLONG busyBytes)
{
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    presence.ContactSkipped(now);
    history.Skipped(busyBytes);
}

// Mains or battery: whether the computer is kept awake may change.
LRESULT CMainFrame::OnPowerBroadcast(WPARAM event, LPARAM)
{
    if (event == PBT_APMPOWERSTATUSCHANGE) {
        scheduler.OnPowerStatusChange();
    }
    return TRUE;
}
