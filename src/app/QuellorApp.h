#pragma once
// The application object: start-up, the message loop and shutdown, the one
// command the main frame leaves to it (About).
#include "app/CommandLine.h"
#include "app/ExitCode.h"
#include "app/InstanceLock.h"
#include "win/CommandTarget.h"

class CMainFrame;

class CQuellorApp final : public win::CCommandTarget {
public:
    // Runs the whole program with the switches of its command line; the
    // result is the process exit code (ExitCode).
    int Run(const char* arguments);

    // False ends the program without a message loop, with exitCode.
    bool InitInstance(const CommandLineRequest& request, ExitCode& exitCode);
    int ExitInstance();
    bool OnCommand(UINT id) override;

private:
    // The help or a mistake in the switches, in a message box.
    static void ShowSwitches(const std::string& text, UINT icon);
    bool StartSockets();
    void WriteFirstRunDefaults();

    HWND mainWindow = nullptr;
    bool socketsStarted = false;
    CInstanceLock instanceLock;
};

extern CQuellorApp theApp;
