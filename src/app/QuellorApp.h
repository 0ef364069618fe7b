#pragma once
// The application object: start-up, the message loop and shutdown, the one
// command the main frame leaves to it (About), and the profile operations.
#include "app/InstanceLock.h"
#include "win/CommandTarget.h"

#include <string>

class CMainFrame;

class CQuellorApp : public win::CCommandTarget {
public:
    // Runs the whole program; the result is the process exit code.
    int Run();

    bool InitInstance();
    int ExitInstance();
    bool OnCommand(UINT id) override;
    HWND MainWindow() const { return mainWindow; }

    int GetProfileInt(const char* section, const char* key, int defaultValue) const;
    std::string GetProfileString(const char* section, const char* key, const char* defaultValue = nullptr) const;
    bool WriteProfileInt(const char* section, const char* key, int value) const;
    bool WriteProfileString(const char* section, const char* key, const char* value) const;

private:
    bool StartSockets();
    void WriteFirstRunDefaults();
    static void EnableDialogControls();

    HWND mainWindow = nullptr;
    bool socketsStarted = false;
    CInstanceLock instanceLock;
};

extern CQuellorApp theApp;
