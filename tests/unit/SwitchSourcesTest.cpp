// How the sources that switch the activity combine, with a stand-in for
// the main frame: real schedule, programs and hot key on a window of the
// test's own, and the frame's sources reported by hand.
#include "frame/SwitchSources.h"

#include "TestWindows.h"
#include "res/AppMessages.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

class CFakeFrame : public CActivitySwitch {
public:
    void SourcesChanged(const SwitchReasons& now, SourceSwitch switchTo, ActivityCause cause) override
    {
        reasons = now;
        if (switchTo == SourceSwitch::None) {
            ++reasonChanges;
            return;
        }
        on = switchTo == SourceSwitch::On;
        calls.emplace_back(on, cause);
    }
    bool IsRunning() const override { return on; }

    // The calls since the last look, then forgotten.
    std::vector<std::pair<bool, ActivityCause>> Calls() { return std::exchange(calls, {}); }

    bool on = false;
    int reasonChanges = 0;
    SwitchReasons reasons;

private:
    std::vector<std::pair<bool, ActivityCause>> calls;
};

using Calls = std::vector<std::pair<bool, ActivityCause>>;
constexpr bool kOn = true;
constexpr bool kOff = false;

// The frame's routing, for the test's window.
CSwitchSources* routed = nullptr;

LRESULT CALLBACK RoutingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (routed != nullptr && routed->OnMessage(message, wParam, lParam, result)) {
        return result;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class SwitchSourcesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = RoutingProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "SwitchSourcesTest";
        RegisterClassA(&windowClass);
        window =
            CreateWindowA("SwitchSourcesTest", "", 0, 0, 0, 0, 0, nullptr, nullptr, windowClass.hInstance, nullptr);
        ASSERT_NE(window, nullptr);
        routed = &sources;
    }
    void TearDown() override
    {
        sources.Stop();
        routed = nullptr;
        DestroyWindow(window);
    }

    CFakeFrame frame;
    CSwitchSources sources{frame};
    HWND window = nullptr;
};

TEST_F(SwitchSourcesTest, TheLastConditionToEndSwitchesOffAndTheUsersChoiceStandsUntilTheNextEdge)
{
    sources.Began(ActivityCause::AutoNetSense);
    sources.Began(ActivityCause::AmericaOnline);
    EXPECT_EQ(frame.Calls(), (Calls{{kOn, ActivityCause::AutoNetSense}, {kOn, ActivityCause::AmericaOnline}}));

    // The user's OFF stands: an end while another condition holds switches nothing.
    frame.on = false;
    sources.Ended(ActivityCause::AutoNetSense);
    EXPECT_TRUE(frame.Calls().empty());
    EXPECT_FALSE(frame.on);

    sources.Began(ActivityCause::AutoNetSense);
    sources.Ended(ActivityCause::AmericaOnline);
    EXPECT_EQ(frame.Calls(), (Calls{{kOn, ActivityCause::AutoNetSense}}));
    sources.Ended(ActivityCause::AutoNetSense);
    EXPECT_EQ(frame.Calls(), (Calls{{kOff, ActivityCause::AutoNetSense}}));

    // The user's ON stands until an edge: the end of a condition that began after it.
    frame.on = true;
    sources.Began(ActivityCause::AmericaOnline);
    sources.Ended(ActivityCause::AmericaOnline);
    EXPECT_EQ(frame.Calls(), (Calls{{kOn, ActivityCause::AmericaOnline}, {kOff, ActivityCause::AmericaOnline}}));
}

TEST_F(SwitchSourcesTest, ScheduleProgramsAndHotKeyFollowTheirEdgesAndARestartMakesNoFalseOnes)
{
    // A copy of a small program under a name nothing else has, started
    // suspended so that it does nothing but exist.
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string copy = std::string(temp) + "QuellorWaited.exe";
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    ASSERT_TRUE(CopyFileA(self, copy.c_str(), FALSE));

    SYSTEMTIME now = {};
    GetLocalTime(&now);
    const int minute = now.wHour * 60 + now.wMinute;
    SwitchSettings settings;
    settings.programs = {"quellorwaited.EXE"};
    settings.days = 0x7F;
    settings.fromMinute = (minute + 1439) % 1440;
    settings.toMinute = (minute + 2) % 1440;
    settings.hotKey = 0x7B | 0x0700;  // Ctrl+Alt+Shift+F12
    sources.Start(window, settings);
    // Started inside a window of the schedule: ON at once.
    EXPECT_EQ(frame.Calls(), (Calls{{kOn, ActivityCause::Schedule}}));
    SwitchReasons reasons = frame.reasons;
    EXPECT_TRUE(reasons.scheduleHolds);
    EXPECT_TRUE(reasons.scheduleEdge.set);
    EXPECT_EQ(reasons.programsAwaited, (std::vector<std::string>{"quellorwaited.EXE"}));

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child = {};
    std::string commandLine = "\"" + copy + "\"";
    ASSERT_TRUE(CreateProcessA(copy.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                               nullptr, &startup, &child));
    EXPECT_TRUE(WaitUntil([&] { return !frame.reasons.programsRunning.empty(); }, 5000));
    EXPECT_EQ(frame.Calls(), (Calls{{kOn, ActivityCause::Programs}}));

    // The same settings again: nothing began or ended.
    sources.Start(window, settings);
    EXPECT_TRUE(frame.Calls().empty());

    // The program ends while the schedule holds: no OFF, but the tip hears of it, within 5 s.
    const int changesBefore = frame.reasonChanges;
    TerminateProcess(child.hProcess, 0);
    const DWORD ended = GetTickCount();
    EXPECT_TRUE(WaitUntil([&] { return frame.reasons.programsRunning.empty(); }, 5000));
    EXPECT_LT(GetTickCount() - ended, 5000U);
    EXPECT_TRUE(frame.Calls().empty());
    EXPECT_GT(frame.reasonChanges, changesBefore);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);

    // The hot key toggles; another program cannot have the same one, and
    // the one that asks is told it is taken.
    SendMessageA(window, WM_HOTKEY, CHotKey::kId, 0);
    SendMessageA(window, WM_HOTKEY, CHotKey::kId, 0);
    EXPECT_EQ(frame.Calls(), (Calls{{kOff, ActivityCause::HotKey}, {kOn, ActivityCause::HotKey}}));
    CFakeFrame otherFrame;
    CSwitchSources other{otherFrame};
    SwitchSettings sameKey;
    sameKey.hotKey = settings.hotKey;
    const HWND otherWindow =
        CreateWindowA("SwitchSourcesTest", "", 0, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    other.Start(otherWindow, sameKey);
    EXPECT_TRUE(other.IsHotKeyTaken());
    EXPECT_FALSE(sources.IsHotKeyTaken());
    other.Stop();
    DestroyWindow(otherWindow);

    // The schedule taken away while it holds is its end.
    settings.days = 0;
    sources.Start(window, settings);
    EXPECT_EQ(frame.Calls(), (Calls{{kOff, ActivityCause::Schedule}}));
    DeleteFileA(copy.c_str());
}

}  // namespace
