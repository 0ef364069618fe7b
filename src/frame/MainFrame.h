#pragma once
// The program's hidden main window. It owns the tray icon, the activity's
// timers and the AutoNetSense watch, and receives everything that drives the
// program: menu commands, tray notifications, timer ticks and AutoNetSense.
#include "QuellorVersion.h"
#include "engine/AutoNetSenseWatch.h"
#include "engine/ContactWorker.h"
#include "frame/TrayStatus.h"
#include "res/AppMessages.h"
#include "tray/TrayNotifyIcon.h"
#include "tray/TrayPictureSet.h"
#include "win/CommandTarget.h"
#include "win/FrameWindow.h"
#include "win/MessageMap.h"

#include <string>

// What a second start of the program asks of the running copy: the message
// registered under this name, sent to the main frame with one of the
// commands below and, with ON, a limit in minutes (0: none). The frame
// answers kRemoteCommandTaken at once and carries the command out next.
constexpr const char* kRemoteCommandMessage = "Quellor command";
constexpr WPARAM kRemoteOn = 1;
constexpr WPARAM kRemoteOff = 2;
constexpr WPARAM kRemoteExit = 3;
constexpr LRESULT kRemoteCommandTaken = 0x51C0;

constexpr UINT_PTR TIMER_CONTACT = 1;
constexpr UINT_PTR TIMER_WARNINGS = 2;
constexpr UINT_PTR TIMER_AOL_PRESENCE = 3;
// Tries the tray icon's add again while the shell has not taken it.
constexpr UINT_PTR TIMER_TRAY_RETRY = 4;
// Ends an ON that was given a limit in minutes.
constexpr UINT_PTR TIMER_ON_LIMIT = 5;
constexpr UINT kTrayRetryPeriodMs = 2000;
// Two minutes of tries; after that only the shell's TaskbarCreated.
constexpr int kTrayRetryCount = 60;

constexpr UINT kTrayIconId = 140;
constexpr const char* kTrayTooltip = QUELLOR_TRAY_TOOLTIP;

class CMainFrame : public win::CFrameWindow {
public:
    // Commands the frame does not handle go on to the fallback.
    explicit CMainFrame(win::CCommandTarget* commandFallback = nullptr,
                        ShellNotifyFunction shellNotify = Shell_NotifyIconA);

    void StartActivity();
    void StopActivity();
    bool IsRunning() const { return running == 1; }
    // ON, and with minutes above 0 OFF again after that many minutes unless
    // it is switched OFF or ON by other means first.
    void SwitchOnFor(int minutes);

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnCreate(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM timerId, LPARAM);
    LRESULT OnClose(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnTrayCallback(WPARAM wParam, LPARAM lParam);
    LRESULT OnAutoNetSenseConnected(WPARAM, LPARAM);
    LRESULT OnAutoNetSenseDisconnected(WPARAM, LPARAM);
    LRESULT OnNetChange(WPARAM connected, LPARAM);
    LRESULT OnRemoteCommand(WPARAM command, LPARAM minutes);
    LRESULT OnContactDone(WPARAM outcome, LPARAM);

    void OnActivityOn();
    void OnActivityOff();
    void EndTimeLimit();
    // Tells the tray icon's tip what the activity does now.
    void ShowStatus();
    LRESULT OnSettingChange(WPARAM, LPARAM);
    LRESULT OnTrayPictures(WPARAM, LPARAM);
    // The running or the idle picture, as the activity is on or off.
    void ShowActivityPictures();

    void OnExit();
    void CloseFrame();
    void OnSetUp();
    void OnWizard();
    void OnWebHome();
    void OnWebFaq();
    void OnWebLibrary();
    static bool OpensDialog(UINT command);
    // Adds the tray icon if the shell has not taken it yet; stops the
    // retries once it has, or once they are used up.
    void RetryTrayIcon();
    void OnTaskbarCreated();
    bool IsOnChecked() const { return running == 1; }
    bool IsOffChecked() const { return running == 0; }

    // One network contact with the next host (timer 1).
    void OnContactTick();
    // Clicks away the online services' warning windows (timer 2).
    void DismissWarningWindows();
    // Follows the America Online time-keeper window (timer 3).
    void CheckAolPresence();

    static const win::MessageEntry<CMainFrame> messages[];
    static const win::CommandEntry<CMainFrame> commands[];
    static const win::UpdateEntry<CMainFrame> updates[];
    static const win::MessageMap<CMainFrame> messageMap;

    win::CCommandTarget* commandFallback;
    UINT taskbarCreatedMessage;
    UINT remoteCommandMessage;

    CAutoNetSenseWatch autoNetSense;
    int aolFlag = 0;
    // The America Online time-keeper window was there at the last check.
    bool aolClientSeen = false;
    bool aolPresenceWatched = false;
    std::string prodigyTitle;
    std::string aolTimerTitle;
    int isHttp = 0;
    int urlIndex = 0;
    int isRandom = 0;
    std::string proxyAddress;
    // Before the tray icon, so that they outlive it.
    CTrayPictureSet pictures;
    CTrayNotifyIcon trayIcon;
    int trayRetriesLeft = 0;
    CTrayStatus status{kTrayTooltip};
    int running = 0;
    // The local time at which TIMER_ON_LIMIT ends the activity, while it runs.
    bool timeLimited = false;
    SYSTEMTIME limitEnd = {};
    // Makes each tick's contact on a thread of its own.
    CContactWorker contactWorker;
};
