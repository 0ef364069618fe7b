#include "QuellorProcess.h"

#include "TestWindows.h"

namespace {
constexpr WPARAM kExitCommand = 32774;
}

CQuellorProcess::~CQuellorProcess()
{
    if (IsRunning() && !Exit(5000)) {
        Kill();
    }
    if (info.hProcess != nullptr) {
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
}

std::string CQuellorProcess::BesideTests(const std::string& fileName)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + fileName;
}

std::string CQuellorProcess::DefaultPath()
{
    return BesideTests("Quellor.exe");
}

bool CQuellorProcess::Launch(const std::string& path)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + path + "\"";
    return CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info) != FALSE;
}

HWND CQuellorProcess::WaitForMainWindow(DWORD timeoutMs)
{
    mainWindow = WaitForProcessWindow(info.dwProcessId, "QuellorFrame", "Quellor", timeoutMs);
    return mainWindow;
}

bool CQuellorProcess::IsRunning() const
{
    return info.hProcess != nullptr && WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT;
}

bool CQuellorProcess::WaitForExit(DWORD timeoutMs)
{
    return info.hProcess != nullptr && WaitUntil([&] { return !IsRunning(); }, timeoutMs);
}

DWORD CQuellorProcess::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info.hProcess, &code);
    return code;
}

bool CQuellorProcess::Exit(DWORD timeoutMs)
{
    if (mainWindow == nullptr) {
        WaitForMainWindow(1000);
    }
    if (mainWindow != nullptr) {
        PostMessageA(mainWindow, WM_COMMAND, kExitCommand, 0);
    }
    return WaitForExit(timeoutMs);
}

void CQuellorProcess::Kill()
{
    if (IsRunning()) {
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, 5000);
    }
}
