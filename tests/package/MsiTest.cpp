// The MSI package as an administrator deploys it: msiexec, silent, for
// every user of the machine. Runs in a Wine prefix that nothing has touched
// before (tools/fresh-prefix-run).
#include "Installation.h"
#include "QuellorProcess.h"
#include "QuellorRegistry.h"
#include "QuellorVersion.h"
#include "TestWindows.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

using namespace installation;

namespace {

constexpr WPARAM kExitCommand = 32774;
constexpr DWORD kInstallFailure = 1603;
const char* const kMachineUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

std::string ShellFolder(int folder)
{
    char path[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathA(nullptr, folder, nullptr, 0, path)) ? path : "";
}

DWORD Msiexec(const std::string& action, const std::string& package, const std::string& properties = "")
{
    return RunAndWait("msiexec.exe " + action + " \"" + CQuellorProcess::BesideTests(package) + "\" /qn " + properties,
                      120000);
}

std::string MachineString(const std::string& key, const char* name)
{
    char value[1024] = {};
    DWORD size = sizeof value - 1;
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &opened) == ERROR_SUCCESS) {
        RegQueryValueExA(opened, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
        RegCloseKey(opened);
    }
    return value;
}

// The versions of Quellor in Settings > Apps (the machine's Uninstall entries).
std::vector<std::string> InstalledVersions()
{
    std::vector<std::string> versions;
    HKEY entries = nullptr;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, kMachineUninstallKey, 0, KEY_READ, &entries);
    char name[256] = {};
    for (DWORD i = 0; entries != nullptr && RegEnumKeyA(entries, i, name, sizeof name) == ERROR_SUCCESS; ++i) {
        const std::string entry = std::string(kMachineUninstallKey) + "\\" + name;
        if (MachineString(entry, "DisplayName") == "Quellor") {
            versions.push_back(MachineString(entry, "DisplayVersion"));
        }
    }
    RegCloseKey(entries);
    return versions;
}

}  // namespace

TEST(MsiPackage, InstallsSilentlyStartsAtLogonReplacesAnEarlierVersionAndUninstallsAll)
{
    quellor_registry::PrepareQuietStart();
    const std::string folder = ShellFolder(CSIDL_PROGRAM_FILES) + "\\Quellor";
    const std::string program = folder + "\\Quellor.exe";
    const std::string current = "Quellor-" QUELLOR_VERSION_TEXT ".msi";

    // A property that is neither 0 nor 1 fails the install before anything changes.
    EXPECT_EQ(Msiexec("/i", current, "AUTOSTART=yes"), kInstallFailure);
    EXPECT_EQ(Msiexec("/i", current, "SWITCHON=2"), kInstallFailure);
    EXPECT_FALSE(Exists(folder));
    EXPECT_TRUE(InstalledVersions().empty());

    ASSERT_EQ(Msiexec("/i", "packaging\\Quellor-earlier.msi", "AUTOSTART=0"), 0u);
    EXPECT_EQ(InstalledVersions(), std::vector<std::string>{"1.0.0"});
    EXPECT_EQ(MachineString(kRunKey, "Quellor"), "");

    // The later version takes the earlier one's place.
    ASSERT_EQ(Msiexec("/i", current, "SWITCHON=1"), 0u);
    EXPECT_EQ(InstalledVersions(), std::vector<std::string>{QUELLOR_VERSION_TEXT});
    EXPECT_TRUE(SameBytes(program, CQuellorProcess::BesideTests("packaging\\release\\Quellor.exe")));
    EXPECT_TRUE(SameBytes(folder + "\\LICENSE.txt", CQuellorProcess::BesideTests("packaging\\release\\LICENSE.txt")));
    // Windows puts it into the common Start menu, Wine 8 into the user's.
    std::string shortcut = ShellFolder(CSIDL_COMMON_PROGRAMS) + "\\Quellor.lnk";
    if (!Exists(shortcut)) {
        shortcut = ShellFolder(CSIDL_PROGRAMS) + "\\Quellor.lnk";
    }
    EXPECT_EQ(lstrcmpiA(ShortcutTarget(shortcut).c_str(), program.c_str()), 0) << ShortcutTarget(shortcut);
    EXPECT_EQ(MachineString(kRunKey, "Quellor"), "\"" + program + "\" /on");

    // Started at logon, switched ON.
    LogOn();
    HWND frame = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            frame = FindProcessWindow(0, "QuellorFrame", "Quellor");
            return frame != nullptr && FindProcessWindow(0, "QuellorAnimation", "") != nullptr;
        },
        15000));
    const std::vector<RunningCopy> copies = RunningCopies();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(lstrcmpiA(copies[0].path.c_str(), program.c_str()), 0) << copies[0].path;
    PostMessageA(frame, WM_COMMAND, kExitCommand, 0);
    ASSERT_TRUE(WaitUntil([] { return RunningCopies().empty(); }, 10000));

    // Everything the package installed goes, and only that.
    ASSERT_EQ(Msiexec("/x", current), 0u);
    EXPECT_FALSE(Exists(folder));
    EXPECT_FALSE(Exists(shortcut));
    EXPECT_EQ(MachineString(kRunKey, "Quellor"), "");
    EXPECT_TRUE(InstalledVersions().empty());
    EXPECT_EQ(quellor_registry::ReadString("HTTPURL0", ""), "127.0.0.1");
    EXPECT_EQ(quellor_registry::ReadInt("StartUp", 0), 1);
}
