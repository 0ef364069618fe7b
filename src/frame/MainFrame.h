#pragma once
// The program's hidden main window. Everything that drives the program
// arrives here as a window message (menu commands, tray notifications, timer
// ticks, AutoNetSense, the sources that switch by themselves, a second
// start's command) and goes on to the piece that acts: the tray presence,
// the activity scheduler, AutoNetSense, the switch sources. The
// activity is switched through two doors, StartActivity and StopActivity,
// whatever the cause.
#include "frame/ActivityCause.h"
#include "frame/ActivityScheduler.h"
#include "frame/AutoNetSenseSource.h"
#include "frame/HistoryNotes.h"
#include "frame/Redialer.h"
#include "frame/RemoteCommand.h"
#include "frame/SwitchSources.h"
#include "res/AppMessages.h"
#include "tray/TrayPresence.h"
#include "ui/HistoryWindow.h"
#include "win/CommandTarget.h"
#include "win/FrameWindow.h"
#include "win/MessageMap.h"

#include <string>

class CMainFrame : public win::CFrameWindow, private CActivitySwitch, private CRedialTarget {
public:
    // Commands the frame does not handle go on to the fallback.
    explicit CMainFrame(win::CCommandTarget* commandFallback = nullptr,
                        ShellNotifyFunction shellNotify = Shell_NotifyIconA);

    // ON, or a refresh of an ON: the options are read again and the contact
    // period starts afresh. limitMs above 0 ends the activity after that long.
    void StartActivity(ActivityCause cause, DWORD limitMs = 0);
    void StopActivity(ActivityCause cause);
    bool IsRunning() const override { return scheduler.IsRunning(); }
    // The chosen hot key is another program's (the Set Up dialog says so).
    bool IsHotKeyTaken() const { return sources.IsHotKeyTaken(); }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnCreate(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM timerId, LPARAM);
    LRESULT OnClose(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnEndSession(WPARAM ending, LPARAM);
    LRESULT OnTrayCallback(WPARAM wParam, LPARAM lParam);
    LRESULT OnRemoteCommand(WPARAM command, LPARAM minutes);
    LRESULT OnContactDone(WPARAM outcome, LPARAM);
    LRESULT OnPowerBroadcast(WPARAM event, LPARAM);
    // A contact tick made no contact: the line carried busyBytes since the last.
    void ContactSkipped(ULONGLONG busyBytes);
    LRESULT OnSettingChange(WPARAM, LPARAM area);
    LRESULT OnTrayPictures(WPARAM, LPARAM);
    LRESULT OnSetupApplied(WPARAM dialog, LPARAM);
    LRESULT OnPolicyChanged(WPARAM, LPARAM);
    // The second start's command, answered at once.
    LRESULT AcceptRemoteCommand(WPARAM command, LPARAM minutes) const;

    void OnActivityOn() { StartActivity(ActivityCause::Menu); }
    void OnActivityOff() { StopActivity(ActivityCause::Menu); }
    void OnExit();
    // Exit, a close and the end of the session all end the same way: the
    // members stop in the order of their declarations below.
    void Shutdown();
    void CloseFrame();
    void OnSetUp();
    void OnWizard();
    void OnHistory() { CHistoryWindow::Open(); }
    void OnWebHome();
    void OnWebFaq();
    void OnWebLibrary();
    static bool OpensDialog(UINT command);
    bool IsStopped() const { return !IsRunning(); }

    // The sources start (again) with the stored settings.
    void StartSources();
    // Changed settings take effect: a running activity reads its options
    // again, and the sources start again.
    void ApplySettings();
    void SourcesChanged(const SwitchReasons& reasons, SourceSwitch switchTo, ActivityCause cause) override;
    void RedialChanged(const TrayBalloon* balloon) override;
    void RedialDialed(const std::string& entry, const std::string& result) override { history.Dialed(entry, result); }
    // The first dial-up connection up or the last down, for the record.
    void NoteDialUp(UINT message, LPARAM connection);
    // Tells the tray what the activity does now, and why.
    void ShowStatus();

    static const win::MessageEntry<CMainFrame> messages[];
    static const win::CommandEntry<CMainFrame> commands[];
    static const win::UpdateEntry<CMainFrame> updates[];
    static const win::MessageMap<CMainFrame> messageMap;

    win::CCommandTarget* commandFallback;
    UINT remoteCommandMessage;
    // What the sources told last, for the tip.
    SwitchReasons reasons;
    bool shutDown = false;
    // Stopped in this order at the end, and destroyed in the reverse one:
    // the activity first, with its dialing of dropped lines; then the
    // sources and AutoNetSense, which report no edge once they stop; the
    // tray icon last, when the window goes. The record outlives them all,
    // to write the last OFF.
    CHistoryNotes history;
    CActivityScheduler scheduler;
    CRedialer redialer{*this};
    CSwitchSources sources{*this};
    CAutoNetSenseSource autoNetSense{sources, redialer};
    CTrayPresence presence;
};
