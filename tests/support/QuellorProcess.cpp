#include "QuellorProcess.h"

#include "TestWindows.h"

#include <set>

namespace {
constexpr WPARAM kExitCommand = 32774;
constexpr WPARAM kActivityOn = 32771;
constexpr WPARAM kActivityOff = 32772;

// Copies this test started and has not ended yet.
std::set<DWORD>& OwnCopies()
{
    static std::set<DWORD> copies;
    return copies;
}
}  // namespace

CQuellorProcess::~CQuellorProcess()
{
    if (IsRunning() && !Exit(5000)) {
        Kill();
    }
    OwnCopies().erase(info.dwProcessId);
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

// A copy left behind by a test that crashed would make every later start a
// second copy; end it so that each test starts from nothing.
void CQuellorProcess::EndStrayCopies()
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        DWORD processId = 0;
        const HWND stray = FindProcessWindow(0, "QuellorFrame", "Quellor");
        if (stray == nullptr) {
            return;
        }
        GetWindowThreadProcessId(stray, &processId);
        if (OwnCopies().count(processId) != 0) {
            return;
        }
        const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
        if (process == nullptr) {
            return;
        }
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

bool CQuellorProcess::Launch(const std::string& path, const std::string& switches)
{
    EndStrayCopies();
    // A copy this object started before.
    if (info.hProcess != nullptr) {
        if (IsRunning() && !Exit(5000)) {
            Kill();
        }
        OwnCopies().erase(info.dwProcessId);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
        info = {};
        mainWindow = nullptr;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + path + "\"" + (switches.empty() ? "" : " " + switches);
    if (!CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        return false;
    }
    OwnCopies().insert(info.dwProcessId);
    return true;
}

DWORD CQuellorProcess::RunToEnd(const std::string& switches, DWORD timeoutMs)
{
    if (!Launch(DefaultPath(), switches)) {
        return STILL_ACTIVE;
    }
    WaitForExit(timeoutMs);
    return ExitCode();
}

HWND CQuellorProcess::WaitForMainWindow(DWORD timeoutMs)
{
    mainWindow = WaitForProcessWindow(info.dwProcessId, "QuellorFrame", "Quellor", timeoutMs);
    return mainWindow;
}

HWND CQuellorProcess::LaunchSwitchedOn(const std::string& path)
{
    if (!Launch(path) || WaitForMainWindow() == nullptr) {
        return nullptr;
    }
    PostMessageA(mainWindow, WM_COMMAND, kActivityOn, 0);
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

DWORD CQuellorProcess::TimedExit(DWORD timeoutMs)
{
    const DWORD asked = GetTickCount();
    PostMessageA(mainWindow, WM_COMMAND, kExitCommand, 0);
    if (WaitForSingleObject(info.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        return timeoutMs;
    }
    return GetTickCount() - asked;
}

bool CQuellorProcess::IsAnimating() const
{
    return FindProcessWindow(info.dwProcessId, "QuellorAnimation", "") != nullptr;
}

bool CQuellorProcess::SwitchActivity(bool on, DWORD timeoutMs)
{
    PostMessageA(mainWindow, WM_COMMAND, on ? kActivityOn : kActivityOff, 0);
    return WaitUntil([&] { return IsAnimating() == on; }, timeoutMs);
}

DWORD CQuellorProcess::AnswerTimeMs(DWORD timeoutMs) const
{
    const DWORD asked = GetTickCount();
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutA(mainWindow, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &answer) == 0) {
        return timeoutMs;
    }
    return GetTickCount() - asked;
}

void CQuellorProcess::Kill()
{
    if (IsRunning()) {
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, 5000);
    }
}
