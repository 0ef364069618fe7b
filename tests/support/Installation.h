#pragma once
// The installer and the uninstaller run as a user or an administrator runs
// them, and what they leave behind: files, the Start-menu shortcut, values
// under HKEY_CURRENT_USER and running copies of Quellor.
#include <windows.h>

#include <string>
#include <vector>

namespace installation {

// Keys under HKEY_CURRENT_USER.
extern const char* const kRunKey;
extern const char* const kUninstallKey;
extern const char* const kMakerKey;
extern const char* const kSettingsKey;

// Quellor-<version>-setup.exe beside the tests.
std::string SetupPath();
// %LOCALAPPDATA%\Programs\Quellor
std::string DefaultFolder();
// Quellor.lnk in the user's Start-menu programs.
std::string ShortcutPath();
// The file a shortcut starts, or "" when it cannot be read.
std::string ShortcutTarget(const std::string& link);

// Runs a command line and waits at most the time for it; its exit code, or
// WAIT_TIMEOUT when it did not end (it is then ended by force).
DWORD RunAndWait(const std::string& commandLine, DWORD timeoutMs = 60000);
// Starts a command line; the caller closes the handles.
PROCESS_INFORMATION Start(const std::string& commandLine);
// The installer with these switches, waited for; its exit code.
DWORD Install(const std::string& switches);
// An uninstall command line as the Uninstall entry holds it. The
// uninstaller goes on as a copy of itself in the temporary folder while the
// started one returns at once; this waits for that copy and returns its
// exit code.
DWORD Uninstall(const std::string& commandLine);
// Waits for every process of this file name to end; the last exit code.
DWORD WaitForProcessesNamed(const char* fileName, DWORD timeoutMs = 60000);
// The visible window of an installer or uninstaller with this caption
// (NSIS adds a blank to it), once it is on screen.
HWND WaitForWizard(const std::string& caption, DWORD timeoutMs = 15000);
// A top-level dialog owned by this window (a message box it raised), once
// it is on screen.
HWND WaitForOwnedDialog(HWND owner, DWORD timeoutMs = 15000);
// What a logon starts: Wine's boot step runs the Run entries, as Windows
// does when the user logs on.
void LogOn();

struct RunningCopy {
    DWORD id;
    std::string path;
};
// Every running process whose file is named Quellor.exe.
std::vector<RunningCopy> RunningCopies();

bool Exists(const std::string& path);
bool SameBytes(const std::string& first, const std::string& second);
std::string FileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
unsigned long long FileSize(const std::string& path);
// The link time stamp in an executable's header: in its file, and in the
// image a running process was loaded from.
DWORD FileLinkStamp(const std::string& path);
bool SetFileLinkStamp(const std::string& path, DWORD stamp);
DWORD RunningLinkStamp(DWORD processId);

bool KeyExists(const char* key);
bool ValueExists(const char* key, const char* name);
std::string ReadString(const char* key, const char* name);
DWORD ReadDword(const char* key, const char* name, DWORD missing);
void WriteString(const char* key, const char* name, const std::string& value);

}  // namespace installation
