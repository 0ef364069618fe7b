#pragma once
// The application object: start-up, the message loop and shutdown, the one
// command the main frame leaves to it (About).
#include "app/CommandLine.h"
#include "app/InstanceLock.h"
#include "win/CommandTarget.h"

class CMainFrame;

class CQuellorApp final : public win::CCommandTarget {
public:
    // Runs the whole program with the switches of its command line; the
    // result is the process exit code: 0, 1 for /off or /exit with no copy
    // running, 2 for a mistake in the switches, 3 for a running copy that
    // did not answer.
    int Run(const char* arguments);

    bool InitInstance();
    int ExitInstance();
    bool OnCommand(UINT id) override;
    HWND MainWindow() const { return mainWindow; }

private:
    // The help or a mistake in the switches, in a message box.
    static void ShowSwitches(const std::string& text, UINT icon);
    bool StartSockets();
    void WriteFirstRunDefaults();

    HWND mainWindow = nullptr;
    CommandLineRequest request;
    int exitCode = 0;
    bool socketsStarted = false;
    CInstanceLock instanceLock;
};

extern CQuellorApp theApp;
