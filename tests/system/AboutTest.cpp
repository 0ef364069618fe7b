// The About box of the real Quellor.exe, opened from the tray command.
#include "ProcessCounts.h"
#include "QuellorProcess.h"
#include "QuellorRegistry.h"
#include "SettingsSnapshot.h"
#include "TestWindows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr WPARAM kAboutCommand = 57664;

struct Control {
    std::string className;
    std::string text;
    LONG style;
    int id;
};

BOOL CALLBACK CollectControl(HWND child, LPARAM parameter)
{
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    reinterpret_cast<std::vector<Control>*>(parameter)->push_back(
        {name, GetText(child), GetWindowLongA(child, GWL_STYLE), GetDlgCtrlID(child)});
    return TRUE;
}

std::vector<Control> ControlsOf(HWND dialog)
{
    std::vector<Control> controls;
    EnumChildWindows(dialog, CollectControl, reinterpret_cast<LPARAM>(&controls));
    return controls;
}

HWND OpenAboutBox(const CQuellorProcess& quellor)
{
    PostMessageA(quellor.MainWindow(), WM_COMMAND, kAboutCommand, 0);
    const HWND box = WaitForProcessWindow(quellor.Id(), "#32770", "About Quellor");
    // The box exists before it is shown; by then it is complete.
    return box != nullptr && WaitUntil([&] { return IsWindowVisible(box) != FALSE; }, 5000) ? box : nullptr;
}

TEST(AboutBox, ShowsTheSameTextEachTimeAndChangesNothing)
{
    quellor_registry::PrepareQuietStart();
    CQuellorProcess quellor;
    ASSERT_TRUE(quellor.Launch());
    ASSERT_NE(quellor.WaitForMainWindow(), nullptr);
    const SettingsSnapshot before = TakeSettingsSnapshot();
    // In the tray and OFF, the program has one thread and no common
    // controls: the first dialog loads them, version 6 as its manifest asks.
    EXPECT_EQ(ProcessThreadCount(quellor.Id()), 1u);
    EXPECT_EQ(ProcessModulePath(quellor.Id(), "comctl32.dll"), "");

    const HWND first = OpenAboutBox(quellor);
    ASSERT_NE(first, nullptr);
    const std::string commonControls = ProcessModulePath(quellor.Id(), "comctl32.dll");
    EXPECT_NE(commonControls.find("microsoft.windows.common-controls_6595b64144ccf1df_6.0."), std::string::npos)
        << commonControls;
    const std::vector<Control> controls = ControlsOf(first);
    ASSERT_EQ(controls.size(), 4u);
    EXPECT_EQ(controls[0].style & SS_TYPEMASK, SS_ICON) << "the program's icon at the left";
    EXPECT_NE(SendMessageA(GetWindow(first, GW_CHILD), STM_GETICON, 0, 0), 0);
    EXPECT_EQ(controls[1].text, "Quellor  Version 2.8");
    EXPECT_NE(controls[1].style & SS_NOPREFIX, 0) << "drawn without prefix processing";
    EXPECT_FALSE(controls[2].text.empty());
    EXPECT_EQ(controls[3].id, IDOK);
    EXPECT_EQ(controls[3].text, "OK");
    EXPECT_EQ(controls[3].style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    RECT box = {}, ok = {};
    GetWindowRect(first, &box);
    GetWindowRect(GetDlgItem(first, IDOK), &ok);
    EXPECT_GT(ok.left, (box.left + box.right) / 2) << "OK at the top right";
    EXPECT_LT(ok.top, (box.top + box.bottom) / 2);

    PostMessageA(GetDlgItem(first, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(first); }, 5000));

    const HWND second = OpenAboutBox(quellor);
    ASSERT_NE(second, nullptr);
    const std::vector<Control> again = ControlsOf(second);
    ASSERT_EQ(again.size(), controls.size());
    for (std::size_t i = 0; i < again.size(); ++i) {
        EXPECT_EQ(again[i].text, controls[i].text);
    }
    // The close box ends it like OK.
    PostMessageA(second, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(second); }, 5000));

    EXPECT_EQ(TakeSettingsSnapshot(), before);
    EXPECT_TRUE(quellor.IsRunning());
    EXPECT_EQ(FindProcessWindow(quellor.Id(), "#32770", nullptr), nullptr);
    EXPECT_TRUE(quellor.Exit());
}

}  // namespace
