#pragma once
// The program's hidden main window. It owns the tray icon, the activity's
// timers and the AutoNetSense watch, and receives everything that drives the
// program: menu commands, tray notifications, timer ticks and AutoNetSense.
#include "QuellorVersion.h"
#include "engine/AutoNetSenseWatch.h"
#include "tray/TrayNotifyIcon.h"
#include "win/CommandTarget.h"
#include "win/FrameWindow.h"
#include "win/MessageMap.h"

#include <string>

// The tray icon's callback message; AutoNetSense's two messages come with
// the watch.
constexpr UINT WM_TRAY_CALLBACK = 0x8068;

constexpr UINT_PTR TIMER_CONTACT = 1;
constexpr UINT_PTR TIMER_WARNINGS = 2;
constexpr UINT_PTR TIMER_AOL_PRESENCE = 3;

constexpr UINT kTrayIconId = 140;
constexpr const char* kTrayTooltip = QUELLOR_TRAY_TOOLTIP;

class CMainFrame : public win::CFrameWindow {
public:
    // Commands the frame does not handle go on to the fallback.
    explicit CMainFrame(win::CCommandTarget* commandFallback = nullptr);

    void StartActivity();
    void StopActivity();
    bool IsRunning() const { return running == 1; }

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

    void OnExit();
    void OnSetUp();
    void OnWizard();
    void OnWebHome();
    void OnWebFaq();
    void OnWebLibrary();
    static bool OpensDialog(UINT command);
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

    CAutoNetSenseWatch autoNetSense;
    int aolFlag = 0;
    std::string prodigyTitle;
    std::string aolTimerTitle;
    int prodigyFlag = 0;
    int isHttp = 0;
    int urlIndex = 0;
    int isRandom = 0;
    std::string proxyAddress;
    int proxyEnabled = 0;
    CTrayNotifyIcon trayIcon;
    HICON animationIcons[2] = {};
    HICON idleIcon = nullptr;
    int running = 0;
    int intervalMinutes = 0;
};
