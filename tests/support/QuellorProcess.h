#pragma once
// Starts the built Quellor.exe for a system test, drives it as the tray menu
// would, and ends it afterwards.
#include <windows.h>

#include <string>

class CQuellorProcess {
public:
    CQuellorProcess() = default;
    CQuellorProcess(const CQuellorProcess&) = delete;
    CQuellorProcess& operator=(const CQuellorProcess&) = delete;
    // Ends the program if the test has not: Exit first, then by force.
    ~CQuellorProcess();

    // Quellor.exe beside the test program.
    static std::string DefaultPath();
    // A file beside the test program.
    static std::string BesideTests(const std::string& fileName);

    // Starts the program with the switches, after ending any copy an
    // earlier test left behind and any this object started before.
    bool Launch(const std::string& path = DefaultPath(), const std::string& switches = "");
    // Starts the program with the switches and waits for it to end: its exit
    // code, or STILL_ACTIVE when it runs on.
    DWORD RunToEnd(const std::string& switches, DWORD timeoutMs = 15000);
    static void EndStrayCopies();
    // The hidden main frame (class "QuellorFrame", title "Quellor") of this
    // process, or null when it does not appear in time.
    HWND WaitForMainWindow(DWORD timeoutMs = 15000);
    HWND MainWindow() const { return mainWindow; }
    // Starts the program and switches the activity on from the tray menu;
    // the main frame, or null when the program did not come up.
    HWND LaunchSwitchedOn(const std::string& path = DefaultPath());
    bool IsRunning() const;
    bool WaitForExit(DWORD timeoutMs);
    DWORD ExitCode() const;
    DWORD Id() const { return info.dwProcessId; }
    HANDLE Handle() const { return info.hProcess; }
    HANDLE MainThread() const { return info.hThread; }
    // Sends the tray menu's Exit command and waits for the end.
    bool Exit(DWORD timeoutMs = 10000);
    // The same, timed: the milliseconds until the process had ended, or
    // timeoutMs when it was still running then.
    DWORD TimedExit(DWORD timeoutMs);
    // The activity is on: the tray animation runs, in a window of its own.
    bool IsAnimating() const;
    // ON or OFF from the tray menu; true once the animation has started or
    // stopped.
    bool SwitchActivity(bool on, DWORD timeoutMs = 5000);
    // How long the main frame took to answer a sent message; timeoutMs when
    // it did not answer in that time.
    DWORD AnswerTimeMs(DWORD timeoutMs) const;
    void Kill();

private:
    PROCESS_INFORMATION info = {};
    HWND mainWindow = nullptr;
};
