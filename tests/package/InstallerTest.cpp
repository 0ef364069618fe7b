// The installer as users and administrators run it. Each test runs in a
// Wine prefix that nothing has touched before (tools/fresh-prefix-run).
#include "Installation.h"
#include "QuellorProcess.h"
#include "QuellorRegistry.h"
#include "QuellorVersion.h"
#include "RemoteDialog.h"
#include "ShellIcon.h"
#include "TestWindows.h"

#include <gtest/gtest.h>

#include <string>

using namespace installation;

namespace {

constexpr UINT kTrayIconId = 140;
constexpr WPARAM kExitCommand = 32774;
constexpr int kNextButton = 1;

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

bool SamePath(const std::string& first, const std::string& second)
{
    return lstrcmpiA(first.c_str(), second.c_str()) == 0;
}

// The main frame of the one running copy, once it is there.
HWND WaitForOneCopy(DWORD timeoutMs = 15000)
{
    HWND frame = nullptr;
    WaitUntil(
        [&] {
            frame = FindProcessWindow(0, "QuellorFrame", "Quellor");
            return frame != nullptr && RunningCopies().size() == 1;
        },
        timeoutMs);
    return frame;
}

DWORD ProcessOf(HWND window)
{
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

void EndCopy(HWND frame)
{
    const DWORD id = ProcessOf(frame);
    PostMessageA(frame, WM_COMMAND, kExitCommand, 0);
    WaitUntil([&] { return RunningCopies().empty(); }, 10000);
    EXPECT_TRUE(RunningCopies().empty()) << "copy " << id << " did not end";
}

struct ChildSearch {
    std::string text;
    HWND found;
};

BOOL CALLBACK MatchChildText(HWND child, LPARAM parameter)
{
    auto* search = reinterpret_cast<ChildSearch*>(parameter);
    if (GetText(child) != search->text) {
        return TRUE;
    }
    search->found = child;
    return FALSE;
}

// The child control of a window with exactly this text.
HWND FindChildWithText(HWND parent, const std::string& text)
{
    ChildSearch search = {text, nullptr};
    EnumChildWindows(parent, MatchChildText, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

TEST(Installer, ASilentInstallPutsEverythingInPlace)
{
    ASSERT_EQ(Install("/S"), 0u);

    const std::string folder = DefaultFolder();
    const std::string program = folder + "\\Quellor.exe";
    const std::string uninstaller = folder + "\\Uninstall.exe";
    EXPECT_TRUE(SameBytes(program, CQuellorProcess::DefaultPath()));
    // The uninstaller whose headers the package check reads.
    EXPECT_TRUE(SameBytes(uninstaller, CQuellorProcess::BesideTests("packaging\\Uninstall.exe")));
    EXPECT_TRUE(SamePath(ShortcutTarget(ShortcutPath()), program)) << ShortcutTarget(ShortcutPath());
    EXPECT_EQ(ReadString(kRunKey, "Quellor"), Quoted(program));

    EXPECT_EQ(ReadString(kUninstallKey, "DisplayName"), "Quellor");
    EXPECT_EQ(ReadString(kUninstallKey, "DisplayVersion"), QUELLOR_VERSION_TEXT);
    EXPECT_EQ(ReadString(kUninstallKey, "Publisher"), "Marrowby");
    EXPECT_EQ(ReadString(kUninstallKey, "DisplayIcon"), program);
    EXPECT_EQ(ReadString(kUninstallKey, "InstallLocation"), folder);
    EXPECT_EQ(ReadString(kUninstallKey, "UninstallString"), Quoted(uninstaller));
    EXPECT_EQ(ReadString(kUninstallKey, "QuietUninstallString"), Quoted(uninstaller) + " /S");
    EXPECT_EQ(ReadDword(kUninstallKey, "NoModify", 0), 1u);
    EXPECT_EQ(ReadDword(kUninstallKey, "NoRepair", 0), 1u);
    const auto kilobytes = static_cast<double>((FileSize(program) + FileSize(uninstaller)) / 1024);
    EXPECT_NEAR(ReadDword(kUninstallKey, "EstimatedSize", 0), kilobytes, 1.0);

    // A silent install starts nothing.
    PumpFor(1000);
    EXPECT_TRUE(RunningCopies().empty());
}

TEST(Installer, TheInstalledProgramStartsAtLogonWithItsMainFrame)
{
    quellor_registry::PrepareQuietStart();
    ASSERT_EQ(Install("/S"), 0u);
    ASSERT_TRUE(RunningCopies().empty());

    LogOn();
    const HWND frame = WaitForOneCopy();
    ASSERT_NE(frame, nullptr);
    const std::vector<RunningCopy> copies = RunningCopies();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].id, ProcessOf(frame));
    EXPECT_TRUE(SamePath(copies[0].path, DefaultFolder() + "\\Quellor.exe")) << copies[0].path;
    EXPECT_TRUE(ShellShowsIcon(frame, kTrayIconId));
    EndCopy(frame);
}

TEST(Installer, AutostartOffLeavesNoRunValue)
{
    // /D= takes a folder with blanks as it stands, last on the line.
    const std::string folder = "C:\\Keep Alive Tools\\Quellor";
    ASSERT_EQ(Install("/S /AUTOSTART=0 /D=" + folder), 0u);
    EXPECT_TRUE(SameBytes(folder + "\\Quellor.exe", CQuellorProcess::DefaultPath()));
    EXPECT_EQ(ReadString(kUninstallKey, "InstallLocation"), folder);
    EXPECT_FALSE(ValueExists(kRunKey, "Quellor"));
    LogOn();
    PumpFor(1500);
    EXPECT_TRUE(RunningCopies().empty());

    // An update goes to the same folder; without /AUTOSTART=0 it starts at
    // logon, switched ON with /SWITCHON=1, and a later /AUTOSTART=0 takes
    // that back.
    const std::string plainStart = Quoted(folder + "\\Quellor.exe");
    ASSERT_EQ(Install("/S"), 0u);
    EXPECT_EQ(ReadString(kRunKey, "Quellor"), plainStart);
    ASSERT_EQ(Install("/S /SWITCHON=1"), 0u);
    EXPECT_EQ(ReadString(kRunKey, "Quellor"), plainStart + " /on");
    ASSERT_EQ(Install("/S /AUTOSTART=0 /SWITCHON=1"), 0u);
    EXPECT_FALSE(ValueExists(kRunKey, "Quellor"));

    // Anything but 0 or 1 is refused before anything changes.
    ASSERT_EQ(Install("/S"), 0u);
    EXPECT_EQ(Install("/S /AUTOSTART=no"), 2u);
    EXPECT_EQ(Install("/S /SWITCHON=on"), 2u);
    EXPECT_EQ(ReadString(kRunKey, "Quellor"), plainStart);
}

TEST(Installer, AFolderWithOtherFilesIsRefusedAndNothingIsWritten)
{
    // Another program's folder, with an uninstaller of its own, even when a
    // Quellor.exe lies beside it.
    const std::string other = "C:\\Other";
    ASSERT_TRUE(CreateDirectoryA(other.c_str(), nullptr));
    ASSERT_TRUE(WriteFileBytes(other + "\\Uninstall.exe", "another program's"));
    EXPECT_EQ(Install("/S /D=" + other), 2u);
    ASSERT_TRUE(WriteFileBytes(other + "\\Quellor.exe", "a stray copy"));
    EXPECT_EQ(Install("/S /D=" + other), 2u);
    EXPECT_EQ(FileBytes(other + "\\Uninstall.exe"), "another program's");
    EXPECT_EQ(FileBytes(other + "\\Quellor.exe"), "a stray copy");
    EXPECT_FALSE(KeyExists(kUninstallKey));
    EXPECT_FALSE(ValueExists(kRunKey, "Quellor"));
    EXPECT_FALSE(Exists(ShortcutPath()));

    // Interactively the folder page says why and stays; Cancel then ends it.
    const PROCESS_INFORMATION setup = Start(Quoted(SetupPath()) + " /D=" + other);
    ASSERT_NE(setup.hProcess, nullptr);
    const CRemoteDialog wizard(WaitForWizard("Quellor " QUELLOR_VERSION_TEXT " Setup"));
    ASSERT_TRUE(wizard.IsOpen());
    ASSERT_NE(FindChildWithText(wizard.Handle(), other), nullptr);
    wizard.PostClick(kNextButton);
    const CRemoteDialog refusal(WaitForOwnedDialog(wizard.Handle()));
    ASSERT_TRUE(refusal.IsOpen());
    EXPECT_NE(MessageBoxText(refusal.Handle()).find("already holds other files"), std::string::npos);
    refusal.PostClick(IDOK);
    ASSERT_TRUE(refusal.WaitUntilClosed());
    PumpFor(500);
    EXPECT_NE(FindChildWithText(wizard.Handle(), other), nullptr) << "the folder page did not stay";
    wizard.PostClick(IDCANCEL);
    const CRemoteDialog reallyQuit(WaitForOwnedDialog(wizard.Handle()));
    ASSERT_TRUE(reallyQuit.IsOpen());
    reallyQuit.PostClick(IDYES);
    EXPECT_EQ(WaitForSingleObject(setup.hProcess, 30000), WAIT_OBJECT_0);
    CloseHandle(setup.hThread);
    CloseHandle(setup.hProcess);
    EXPECT_FALSE(KeyExists(kUninstallKey));

    // A portable copy's folder is taken over, and the files beside it stay.
    const std::string portable = "C:\\Portable";
    ASSERT_TRUE(CreateDirectoryA(portable.c_str(), nullptr));
    ASSERT_TRUE(WriteFileBytes(portable + "\\Quellor.exe", "an older copy"));
    ASSERT_TRUE(WriteFileBytes(portable + "\\README.txt", "the user's"));
    ASSERT_EQ(Install("/S /D=" + portable), 0u);
    EXPECT_TRUE(SameBytes(portable + "\\Quellor.exe", CQuellorProcess::DefaultPath()));
    EXPECT_EQ(FileBytes(portable + "\\README.txt"), "the user's");
}

TEST(Installer, InstallingOverARunningCopyLeavesOneCopyOfTheNewFile)
{
    quellor_registry::PrepareQuietStart();
    ASSERT_EQ(Install("/S"), 0u);
    const std::string program = DefaultFolder() + "\\Quellor.exe";
    // The installed file stands in for an older release: same program,
    // another link time stamp, which a running copy shows in its image.
    const DWORD newStamp = FileLinkStamp(CQuellorProcess::DefaultPath());
    const DWORD oldStamp = newStamp ^ 0x00FF00FF;
    ASSERT_TRUE(SetFileLinkStamp(program, oldStamp));
    CQuellorProcess old;
    ASSERT_TRUE(old.Launch(program));
    ASSERT_NE(old.WaitForMainWindow(), nullptr);
    ASSERT_EQ(RunningLinkStamp(old.Id()), oldStamp);

    ASSERT_EQ(Install("/S"), 0u);
    // Ended through its main frame, not killed: it returns its own 0.
    EXPECT_FALSE(old.IsRunning());
    EXPECT_EQ(old.ExitCode(), 0u);
    EXPECT_TRUE(SameBytes(program, CQuellorProcess::DefaultPath()));

    // The silent update puts the ended copy back, from the new file.
    const HWND frame = WaitForOneCopy();
    ASSERT_NE(frame, nullptr);
    const std::vector<RunningCopy> copies = RunningCopies();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_NE(copies[0].id, old.Id());
    EXPECT_TRUE(SamePath(copies[0].path, program)) << copies[0].path;
    EXPECT_EQ(RunningLinkStamp(copies[0].id), newStamp);
    EndCopy(frame);
}

TEST(Installer, AnInteractiveInstallStartsQuellorNowAndAtLogonByDefault)
{
    quellor_registry::PrepareQuietStart();
    const PROCESS_INFORMATION setup = Start(Quoted(SetupPath()));
    ASSERT_NE(setup.hProcess, nullptr);
    const CRemoteDialog wizard(WaitForWizard("Quellor " QUELLOR_VERSION_TEXT " Setup"));
    ASSERT_TRUE(wizard.IsOpen());

    // Every page as it comes, up to the last: the folder, the choices, the
    // installation.
    const HWND next = wizard.Control(kNextButton);
    ASSERT_TRUE(WaitUntil(
        [&] {
            const std::string text = GetText(next);
            if (text != "&Finish" && IsWindowEnabled(next)) {
                wizard.PostClick(kNextButton);
                PumpFor(300);
            }
            return text == "&Finish";
        },
        30000));
    const HWND startNow = FindChildWithText(wizard.Handle(), "Start Quellor now");
    ASSERT_NE(startNow, nullptr);
    EXPECT_EQ(SendMessageA(startNow, BM_GETCHECK, 0, 0), BST_CHECKED);
    wizard.PostClick(kNextButton);
    ASSERT_EQ(WaitForSingleObject(setup.hProcess, 30000), WAIT_OBJECT_0);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(setup.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(setup.hThread);
    CloseHandle(setup.hProcess);

    const std::string program = DefaultFolder() + "\\Quellor.exe";
    EXPECT_EQ(ReadString(kRunKey, "Quellor"), Quoted(program));
    const HWND frame = WaitForOneCopy();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(SamePath(RunningCopies()[0].path, program));
    EndCopy(frame);
}
