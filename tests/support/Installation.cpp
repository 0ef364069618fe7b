#include "Installation.h"

#include "QuellorProcess.h"
#include "QuellorVersion.h"
#include "TestWindows.h"

#include <objbase.h>
#include <psapi.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <tlhelp32.h>

#include <fstream>
#include <iterator>

namespace installation {

const char* const kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quellor";
const char* const kMakerKey = "software\\Marrowby";
const char* const kSettingsKey = "software\\Marrowby\\Quellor";

namespace {

std::string FolderPath(int folder)
{
    char path[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathA(nullptr, folder, nullptr, 0, path)) ? path : "";
}

std::vector<PROCESSENTRY32> Processes()
{
    std::vector<PROCESSENTRY32> found;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return found;
    }
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        found.push_back(entry);
    }
    CloseHandle(snapshot);
    return found;
}

std::string FileName(const std::string& path)
{
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Where the link time stamp sits in a PE file: after the "PE\0\0"
// signature and the machine, section count fields.
constexpr LONG kStampOffsetInHeaders = 8;

LONG StampOffset(const std::string& headers)
{
    if (headers.size() < sizeof(IMAGE_DOS_HEADER)) {
        return -1;
    }
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(headers.data());
    const LONG offset = dos->e_lfanew + kStampOffsetInHeaders;
    return offset > 0 && static_cast<std::size_t>(offset) + sizeof(DWORD) <= headers.size() ? offset : -1;
}

HKEY OpenKey(const char* key, REGSAM access)
{
    HKEY opened = nullptr;
    return RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, access, &opened) == ERROR_SUCCESS ? opened : nullptr;
}

}  // namespace

std::string SetupPath()
{
    return CQuellorProcess::BesideTests("Quellor-" QUELLOR_VERSION_TEXT "-setup.exe");
}

std::string DefaultFolder()
{
    return FolderPath(CSIDL_LOCAL_APPDATA) + "\\Programs\\Quellor";
}

std::string ShortcutPath()
{
    return FolderPath(CSIDL_PROGRAMS) + "\\Quellor.lnk";
}

std::string ShortcutTarget(const std::string& link)
{
    std::string target;
    const HRESULT initialised = CoInitialize(nullptr);
    IShellLinkA* shellLink = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&shellLink)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            std::wstring widePath(link.begin(), link.end());
            char path[MAX_PATH] = {};
            if (SUCCEEDED(file->Load(widePath.c_str(), STGM_READ)) &&
                SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, 0))) {
                target = path;
            }
            file->Release();
        }
        shellLink->Release();
    }
    if (SUCCEEDED(initialised)) {
        CoUninitialize();
    }
    return target;
}

PROCESS_INFORMATION Start(const std::string& commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return PROCESS_INFORMATION{};
    }
    return process;
}

DWORD RunAndWait(const std::string& commandLine, DWORD timeoutMs)
{
    const PROCESS_INFORMATION process = Start(commandLine);
    if (process.hProcess == nullptr) {
        return GetLastError();
    }
    DWORD code = WAIT_TIMEOUT;
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

DWORD Install(const std::string& switches)
{
    // The installer reads its own command line: /D= takes the rest of it,
    // blanks included, with no quotes.
    return RunAndWait("\"" + SetupPath() + "\" " + switches);
}

DWORD Uninstall(const std::string& commandLine)
{
    const DWORD started = RunAndWait(commandLine);
    return started != 0 ? started : WaitForProcessesNamed("Un.exe");
}

DWORD WaitForProcessesNamed(const char* fileName, DWORD timeoutMs)
{
    DWORD code = 0;
    for (const PROCESSENTRY32& entry : Processes()) {
        if (lstrcmpiA(entry.szExeFile, fileName) != 0) {
            continue;
        }
        const HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, entry.th32ProcessID);
        if (process == nullptr) {
            continue;
        }
        code = WAIT_TIMEOUT;
        if (WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0) {
            GetExitCodeProcess(process, &code);
        }
        CloseHandle(process);
    }
    return code;
}

HWND WaitForWizard(const std::string& caption, DWORD timeoutMs)
{
    HWND wizard = nullptr;
    WaitUntil(
        [&] {
            wizard = FindProcessWindow(0, "#32770", caption.c_str());
            if (wizard == nullptr) {
                wizard = FindProcessWindow(0, "#32770", (caption + " ").c_str());
            }
            return wizard != nullptr && IsWindowVisible(wizard);
        },
        timeoutMs);
    return wizard != nullptr && IsWindowVisible(wizard) ? wizard : nullptr;
}

HWND WaitForOwnedDialog(HWND owner, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = nullptr;
            for (HWND window = FindWindowExA(nullptr, nullptr, "#32770", nullptr); window != nullptr;
                 window = FindWindowExA(nullptr, window, "#32770", nullptr)) {
                if (GetWindow(window, GW_OWNER) == owner && IsWindowVisible(window)) {
                    found = window;
                }
            }
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

void LogOn()
{
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    RunAndWait(std::string("\"") + system + "\\wineboot.exe\"");
}

std::vector<RunningCopy> RunningCopies()
{
    std::vector<RunningCopy> copies;
    for (const PROCESSENTRY32& entry : Processes()) {
        if (lstrcmpiA(FileName(entry.szExeFile).c_str(), "Quellor.exe") != 0) {
            continue;
        }
        RunningCopy copy = {entry.th32ProcessID, ""};
        const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, entry.th32ProcessID);
        if (process != nullptr) {
            char path[MAX_PATH] = {};
            if (GetModuleFileNameExA(process, nullptr, path, MAX_PATH) > 0) {
                copy.path = path;
            }
            CloseHandle(process);
        }
        copies.push_back(copy);
    }
    return copies;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool SameBytes(const std::string& first, const std::string& second)
{
    const std::string bytes = FileBytes(first);
    return !bytes.empty() && bytes == FileBytes(second);
}

std::string FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file.good();
}

unsigned long long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        return 0;
    }
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

DWORD FileLinkStamp(const std::string& path)
{
    const std::string bytes = FileBytes(path);
    const LONG offset = StampOffset(bytes);
    return offset < 0 ? 0 : *reinterpret_cast<const DWORD*>(bytes.data() + offset);
}

bool SetFileLinkStamp(const std::string& path, DWORD stamp)
{
    std::string bytes = FileBytes(path);
    const LONG offset = StampOffset(bytes);
    if (offset < 0) {
        return false;
    }
    *reinterpret_cast<DWORD*>(&bytes[offset]) = stamp;
    return WriteFileBytes(path, bytes);
}

DWORD RunningLinkStamp(DWORD processId)
{
    const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (process == nullptr) {
        return 0;
    }
    DWORD stamp = 0;
    HMODULE image = nullptr;
    DWORD needed = 0;
    std::string headers(4096, '\0');
    SIZE_T read = 0;
    if (EnumProcessModules(process, &image, sizeof image, &needed) &&
        ReadProcessMemory(process, image, &headers[0], headers.size(), &read)) {
        headers.resize(read);
        const LONG offset = StampOffset(headers);
        stamp = offset < 0 ? 0 : *reinterpret_cast<const DWORD*>(headers.data() + offset);
    }
    CloseHandle(process);
    return stamp;
}

bool KeyExists(const char* key)
{
    const HKEY opened = OpenKey(key, KEY_READ);
    if (opened != nullptr) {
        RegCloseKey(opened);
    }
    return opened != nullptr;
}

bool ValueExists(const char* key, const char* name)
{
    const HKEY opened = OpenKey(key, KEY_READ);
    const bool found = opened != nullptr &&
                       RegQueryValueExA(opened, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    if (opened != nullptr) {
        RegCloseKey(opened);
    }
    return found;
}

std::string ReadString(const char* key, const char* name)
{
    const HKEY opened = OpenKey(key, KEY_READ);
    char value[1024] = {};
    DWORD size = sizeof value - 1;
    DWORD type = REG_NONE;
    if (opened != nullptr) {
        if (RegQueryValueExA(opened, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS ||
            type != REG_SZ) {
            value[0] = '\0';
        }
        RegCloseKey(opened);
    }
    return value;
}

DWORD ReadDword(const char* key, const char* name, DWORD missing)
{
    const HKEY opened = OpenKey(key, KEY_READ);
    DWORD value = missing;
    DWORD size = sizeof value;
    DWORD type = REG_NONE;
    if (opened != nullptr) {
        if (RegQueryValueExA(opened, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
            type != REG_DWORD) {
            value = missing;
        }
        RegCloseKey(opened);
    }
    return value;
}

void WriteString(const char* key, const char* name, const std::string& value)
{
    HKEY created = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &created, nullptr) ==
        ERROR_SUCCESS) {
        RegSetValueExA(created, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(created);
    }
}

}  // namespace installation
