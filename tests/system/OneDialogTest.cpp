// While a dialog is open, the tray's dialog commands bring it forward
// instead of opening a second one inside it.
#include "QuellorProcess.h"
#include "QuellorRegistry.h"
#include "RemoteDialog.h"
#include "TestWindows.h"

#include <gtest/gtest.h>

namespace {

constexpr WPARAM kSetUp = 32778;
constexpr WPARAM kWizard = 32784;
constexpr WPARAM kAbout = 57664;
constexpr UINT kTrayCallback = 0x8068;
constexpr int kSetupCancel = 1056;

int DialogsOf(DWORD processId)
{
    int count = 0;
    for (HWND window = FindWindowExA(nullptr, nullptr, "#32770", nullptr); window != nullptr;
         window = FindWindowExA(nullptr, window, "#32770", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window)) {
            ++count;
        }
    }
    return count;
}

TEST(OneDialog, DialogCommandsWhileADialogIsOpenOpenNoSecondOne)
{
    quellor_registry::PrepareQuietStart();
    CQuellorProcess quellor;
    ASSERT_TRUE(quellor.Launch());
    const HWND frame = quellor.WaitForMainWindow();
    ASSERT_NE(frame, nullptr);

    PostMessageA(frame, WM_COMMAND, kSetUp, 0);
    const CRemoteDialog setup(WaitForProcessWindow(quellor.Id(), "#32770", "Quellor--Set Up"));
    ASSERT_TRUE(setup.IsOpen());
    for (const WPARAM command : {kSetUp, kWizard, kAbout}) {
        PostMessageA(frame, WM_COMMAND, command, 0);
    }
    PostMessageA(frame, kTrayCallback, 140, WM_LBUTTONDBLCLK);
    PumpFor(1000);
    EXPECT_EQ(DialogsOf(quellor.Id()), 1);
    EXPECT_EQ(FindProcessWindow(quellor.Id(), "#32770", "Quellor-Wizard"), nullptr);
    EXPECT_EQ(FindProcessWindow(quellor.Id(), "#32770", "About Quellor"), nullptr);
    EXPECT_TRUE(IsWindowEnabled(setup.Handle()));

    setup.Click(kSetupCancel);
    ASSERT_TRUE(setup.WaitUntilClosed());
    PostMessageA(frame, WM_COMMAND, kAbout, 0);
    const CRemoteDialog about(WaitForProcessWindow(quellor.Id(), "#32770", "About Quellor"));
    EXPECT_TRUE(about.IsOpen()) << "the commands work again once the dialog is closed";
    PostMessageA(about.Handle(), WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(about.WaitUntilClosed());
    EXPECT_TRUE(quellor.Exit());
}

}  // namespace
