// Windows Sockets 2 before anything that brings windows.h, which would bring
// the first version's header instead.
#include <winsock2.h>

#include "app/QuellorApp.h"

#include "app/FirstRunHosts.h"
#include "app/RunningCopy.h"
#include "frame/MainFrame.h"
#include "res/resource.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "settings/TimeUnits.h"
#include "ui/AboutDialog.h"
#include "ui/SetupDialog.h"
#include "ui/Wizard.h"
#include "win/DialogKeys.h"
#include "win/Failure.h"

CQuellorApp theApp;  // NOLINT(cert-err58-cpp): its members start as null handles; nothing in it can throw

int CQuellorApp::Run(const char* arguments)
{
    const CommandLineRequest request = ParseCommandLine(arguments != nullptr ? arguments : "");
    if (request.kind == CommandLineRequest::Kind::Help) {
        ShowSwitches(kSwitchesHelp, MB_ICONINFORMATION);
        return static_cast<int>(ExitCode::Done);
    }
    if (request.kind == CommandLineRequest::Kind::Mistake) {
        ShowSwitches(request.mistake + "\n\n" + kSwitchesHelp, MB_ICONEXCLAMATION);
        return static_cast<int>(ExitCode::BadSwitch);
    }
    ExitCode exitCode = ExitCode::Done;
    if (!InitInstance(request, exitCode)) {
        if (mainWindow != nullptr && IsWindow(mainWindow)) {
            DestroyWindow(mainWindow);
        }
        ExitInstance();
        return static_cast<int>(exitCode);
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (win::TakeDialogKeys(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    ExitInstance();
    return static_cast<int>(message.wParam);
}

void CQuellorApp::ShowSwitches(const std::string& text, UINT icon)
{
    MessageBoxA(nullptr, text.c_str(), "Quellor", MB_OK | icon);
}

bool CQuellorApp::StartSockets()
{
    WSADATA data = {};
    if (WSAStartup(MAKEWORD(1, 1), &data) != 0) {
        return false;
    }
    if (LOBYTE(data.wVersion) != 1 || HIBYTE(data.wVersion) != 1) {
        WSACleanup();
        return false;
    }
    socketsStarted = true;
    return true;
}

bool CQuellorApp::InitInstance(const CommandLineRequest& request, ExitCode& exitCode)
{
    if (!StartSockets()) {
        char text[256] = {};
        LoadStringA(GetModuleHandleA(nullptr), IDS_SOCKETS_INIT_FAILED, text, sizeof text);
        MessageBoxA(nullptr, text, win::ApplicationName(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    using Kind = CommandLineRequest::Kind;
    if (!instanceLock.Acquire(IDS_INSTANCE_NAME)) {
        // A plain second start ends quietly; a switch goes to the copy.
        if (request.kind != Kind::Start) {
            exitCode = CRunningCopy::Tell(request);
        }
        return false;
    }
    // Nothing runs that could be switched off or ended.
    if (request.kind == Kind::Off || request.kind == Kind::Exit) {
        exitCode = ExitCode::NothingRunning;
        return false;
    }
    CSettingsStore::Global().SetRegistryKey("Marrowby");

    auto* frame = new CMainFrame(this);
    mainWindow = win::CFrameWindow::CreateOwned(frame, "Quellor", WS_OVERLAPPEDWINDOW);
    if (mainWindow == nullptr) {
        return false;
    }
    // Before any dialog of the start, which would otherwise hold it up.
    if (request.kind == Kind::On) {
        frame->StartActivity(ActivityCause::CommandLineSwitch,
                             request.untilMinuteOfDay >= 0 ? MillisecondsUntilClock(request.untilMinuteOfDay)
                                                           : MsFromMinutes(static_cast<unsigned int>(request.minutes)));
    }
    ShowWindow(mainWindow, SW_HIDE);
    UpdateWindow(mainWindow);

    if (settings::Read(keys::FirstRunMarker) == 999) {
        WriteFirstRunDefaults();
        RunWizard(mainWindow);
    }
    // Exit chosen from the tray while the wizard was open has closed the
    // main frame: the program ends without a message loop.
    if (!IsWindow(mainWindow)) {
        return false;
    }
    if (settings::Read(keys::StartUp) == 0) {
        CSetupDialog(0, frame->IsHotKeyTaken()).DoModal(mainWindow);
    }
    return true;
}

void CQuellorApp::WriteFirstRunDefaults()
{
    settings::Write(keys::FirstRunMarker, 1);
    settings::Seed(keys::ProdigyMSG, keys::ProdigyMSG.defaultValue);
    settings::Seed(keys::AOL47, keys::AOL47.defaultValue);
    settings::Remove(keys::AOL10);
    for (int i = 0; i < keys::kHostCount; ++i) {
        settings::Seed(keys::HostKey(keys::HostList::Http, i), first_run::kWebHosts[i]);
    }
    for (int i = 0; i < keys::kHostCount; ++i) {
        settings::Seed(keys::HostKey(keys::HostList::Ftp, i), first_run::kFtpHosts[i]);
    }
}

int CQuellorApp::ExitInstance()
{
    if (socketsStarted) {
        WSACleanup();
        socketsStarted = false;
    }
    return 0;
}

bool CQuellorApp::OnCommand(UINT id)
{
    if (id != ID_APP_ABOUT) {
        return false;
    }
    CAboutDialog().DoModal(mainWindow);
    return true;
}
