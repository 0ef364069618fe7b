// The uninstaller, started the way the Add/Remove Programs entry starts it.
// Each test runs in a Wine prefix that nothing has touched before
// (tools/fresh-prefix-run).
#include "Installation.h"
#include "QuellorProcess.h"
#include "QuellorRegistry.h"
#include "RemoteDialog.h"
#include "TestWindows.h"

#include <gtest/gtest.h>

#include <string>

using namespace installation;

namespace {

constexpr int kNextButton = 1;
const char* const kOtherProductKey = "software\\Marrowby\\Other";

// A copy of the installed program, running with a quiet store.
class CInstalledCopy {
public:
    CInstalledCopy()
    {
        quellor_registry::PrepareQuietStart();
        installed = Install("/S") == 0;
        if (installed && process.Launch(DefaultFolder() + "\\Quellor.exe")) {
            process.WaitForMainWindow();
        }
    }
    bool IsReady() const { return installed && process.MainWindow() != nullptr; }
    CQuellorProcess process;

private:
    bool installed = false;
};

// Everything the installer made is gone, and only that: a file of the
// user's keeps the folder.
void ExpectAllRemoved(bool userFileKept = false)
{
    const std::string folder = DefaultFolder();
    EXPECT_EQ(Exists(folder), userFileKept);
    EXPECT_EQ(Exists(folder + "\\Notes.txt"), userFileKept);
    EXPECT_FALSE(Exists(folder + "\\Quellor.exe"));
    EXPECT_FALSE(Exists(folder + "\\Uninstall.exe"));
    EXPECT_FALSE(Exists(ShortcutPath()));
    EXPECT_FALSE(ValueExists(kRunKey, "Quellor"));
    EXPECT_FALSE(KeyExists(kUninstallKey));
    EXPECT_EQ(ReadString(kRunKey, "Other"), "\"C:\\Other\\Other.exe\"");
    EXPECT_TRUE(RunningCopies().empty());
}

}  // namespace

TEST(Uninstaller, ASilentUninstallRemovesWhatWasInstalledAndKeepsTheSettings)
{
    WriteString(kRunKey, "Other", "\"C:\\Other\\Other.exe\"");
    CInstalledCopy copy;
    ASSERT_TRUE(copy.IsReady());
    const std::string quiet = ReadString(kUninstallKey, "QuietUninstallString");
    ASSERT_TRUE(WriteFileBytes(DefaultFolder() + "\\Notes.txt", "the user's"));

    EXPECT_EQ(Uninstall(quiet), 0u);
    // Ended through its main frame, not killed: it returns its own 0.
    EXPECT_FALSE(copy.process.IsRunning());
    EXPECT_EQ(copy.process.ExitCode(), 0u);
    ExpectAllRemoved(true);
    EXPECT_TRUE(KeyExists(kSettingsKey));
    EXPECT_EQ(quellor_registry::ReadString("HTTPURL0", ""), "127.0.0.1");
}

TEST(Uninstaller, RemoveSettingsTakesThemAndAnEmptyMakerKey)
{
    WriteString(kRunKey, "Other", "\"C:\\Other\\Other.exe\"");
    {
        CInstalledCopy copy;
        ASSERT_TRUE(copy.IsReady());
        EXPECT_EQ(Uninstall(ReadString(kUninstallKey, "QuietUninstallString") + " /REMOVESETTINGS"), 0u);
        ExpectAllRemoved();
        EXPECT_FALSE(KeyExists(kSettingsKey));
        EXPECT_FALSE(KeyExists(kMakerKey));
    }

    // The maker's key stays while another of its programs keeps something.
    WriteString(kOtherProductKey, "Kept", "yes");
    CInstalledCopy copy;
    ASSERT_TRUE(copy.IsReady());
    EXPECT_EQ(Uninstall(ReadString(kUninstallKey, "QuietUninstallString") + " /REMOVESETTINGS"), 0u);
    ExpectAllRemoved();
    EXPECT_FALSE(KeyExists(kSettingsKey));
    EXPECT_EQ(ReadString(kOtherProductKey, "Kept"), "yes");
}

TEST(Uninstaller, AnInteractiveUninstallAsksAndKeepsTheSettingsByDefault)
{
    WriteString(kRunKey, "Other", "\"C:\\Other\\Other.exe\"");
    CInstalledCopy copy;
    ASSERT_TRUE(copy.IsReady());
    ASSERT_EQ(RunAndWait(ReadString(kUninstallKey, "UninstallString")), 0u);

    const CRemoteDialog wizard(WaitForWizard("Quellor Uninstall"));
    ASSERT_TRUE(wizard.IsOpen());
    wizard.PostClick(kNextButton);
    const CRemoteDialog question(WaitForOwnedDialog(wizard.Handle()));
    ASSERT_TRUE(question.IsOpen());
    EXPECT_NE(MessageBoxText(question.Handle()).find("settings"), std::string::npos);
    // The user's Enter goes to the button that has the focus: No.
    ASSERT_TRUE(WaitUntil([&] { return question.Focus() != nullptr; }, 5000));
    const int focused = GetDlgCtrlID(question.Focus());
    EXPECT_EQ(focused, IDNO);
    question.PressKey(focused, VK_RETURN);
    ASSERT_TRUE(question.WaitUntilClosed());

    // The last page waits for Close.
    const HWND close = wizard.Control(kNextButton);
    ASSERT_TRUE(WaitUntil([&] { return GetText(close) == "&Close" && IsWindowEnabled(close); }, 30000));
    wizard.PostClick(kNextButton);
    EXPECT_EQ(WaitForProcessesNamed("Un.exe"), 0u);
    EXPECT_FALSE(copy.process.IsRunning());
    ExpectAllRemoved();
    EXPECT_TRUE(KeyExists(kSettingsKey));
}
