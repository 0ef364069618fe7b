#pragma once
// The application object: start-up, the message loop and shutdown, the one
// command the main frame leaves to it (About).
#include "app/InstanceLock.h"
#include "win/CommandTarget.h"

class CMainFrame;

class CQuellorApp final : public win::CCommandTarget {
public:
    // Runs the whole program; the result is the process exit code.
    int Run();

    bool InitInstance();
    int ExitInstance();
    bool OnCommand(UINT id) override;
    HWND MainWindow() const { return mainWindow; }

private:
    bool StartSockets();
    void WriteFirstRunDefaults();
    static void EnableDialogControls();

    HWND mainWindow = nullptr;
    bool socketsStarted = false;
    CInstanceLock instanceLock;
};

extern CQuellorApp theApp;
