// The very first start of Quellor.exe on an empty store, from launch to the
// running program: icon, first-run values, the wizard, then the Set Up
// dialog; AutoNetSense chosen in the wizard waits for the next start.
#include "FakeDialUp.h"
#include "QuellorProcess.h"
#include "RemoteDialog.h"
#include "QuellorRegistry.h"
#include "ShellIcon.h"
#include "TestWindows.h"
#include "WizardDriver.h"

#include <gtest/gtest.h>

#include <string>

namespace {

namespace reg = quellor_registry;

constexpr UINT kTrayIconId = 140;
constexpr const char* kSetUpTitle = "Quellor--Set Up";
constexpr int kSetUpCancel = 1056;
constexpr int kOtherProvider = 1076;

bool Answers(HWND window)
{
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer) != 0;
}

// The first run wrote public host names; nothing here may reach them.
void PointHostsAtThisMachine()
{
    for (int i = 0; i < 10; ++i) {
        reg::WriteString(("HTTPURL" + std::to_string(i)).c_str(), "127.0.0.1");
        reg::WriteString(("FTPURL" + std::to_string(i)).c_str(), "127.0.0.1");
    }
}

TEST(FirstStart, IconAndWizardThenSetUpThenTheProgramRunsOn)
{
    const CFakeDialUp dialUp;
    reg::Clear();
    CQuellorProcess quellor;
    ASSERT_TRUE(quellor.Launch(CFakeDialUp::QuellorCopy()));
    const HWND frame = quellor.WaitForMainWindow();
    ASSERT_NE(frame, nullptr);

    CWizardDriver wizard(quellor.Id());
    ASSERT_TRUE(wizard.WaitForPage(wizard_page::kIsp));
    EXPECT_TRUE(ShellShowsIcon(frame, kTrayIconId)) << "the icon is there while the wizard runs";
    EXPECT_EQ(reg::ReadInt("2.8", 999), 1);
    EXPECT_EQ(reg::ReadString("AOL47", ""), "America Online");
    EXPECT_EQ(reg::ReadString("ProdigyMSG", ""), "Prodigy Internet Needs Your Attention");
    EXPECT_TRUE(reg::Exists("HTTPURL9"));
    EXPECT_TRUE(reg::Exists("FTPURL9"));
    EXPECT_EQ(FindProcessWindow(quellor.Id(), "#32770", kSetUpTitle), nullptr) << "Set Up waits for the wizard";
    PointHostsAtThisMachine();

    wizard.Click(kOtherProvider);
    ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kAutoNetSense));
    ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kProxy));  // with AutoNetSense chosen
    ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kTimer));
    ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kProtocol));
    ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kUrlOrder));
    ASSERT_TRUE(wizard.Press(IDOK, 0));
    EXPECT_EQ(reg::ReadInt("AutoNetSense", -1), 1);
    EXPECT_EQ(reg::ReadInt("Proxy", -1), 0);

    // Shown, not only created: a click on a dialog still coming up is lost.
    const HWND setUp = WaitForDialog(quellor.Id(), kSetUpTitle);
    ASSERT_NE(setUp, nullptr) << "the Set Up dialog follows the wizard";
    EXPECT_TRUE(ShellShowsIcon(frame, kTrayIconId));
    PumpFor(200);
    PostMessageA(GetDlgItem(setUp, kSetUpCancel), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(setUp); }, 5000));

    // The program runs on, with AutoNetSense still off: a started watch
    // would have asked for the connections at once.
    PumpFor(3000);
    EXPECT_TRUE(quellor.IsRunning());
    EXPECT_TRUE(Answers(frame));
    EXPECT_TRUE(ShellShowsIcon(frame, kTrayIconId));
    EXPECT_EQ(wizard.OpenPageCount(), 0);
    EXPECT_EQ(dialUp.Calls(), 0u);
    EXPECT_EQ(reg::ReadInt("2.8", 999), 1);
    ASSERT_TRUE(quellor.Exit());

    // The next start is quiet and starts the watch the wizard asked for.
    reg::WriteInt("StartUp", 1);
    CQuellorProcess next;
    ASSERT_TRUE(next.Launch(CFakeDialUp::QuellorCopy()));
    ASSERT_NE(next.WaitForMainWindow(), nullptr);
    EXPECT_TRUE(WaitUntil([&] { return dialUp.Calls() >= 1; }, 5000));
    EXPECT_EQ(CWizardDriver(next.Id()).OpenPageCount(), 0);
    EXPECT_TRUE(next.Exit());
}

}  // namespace
