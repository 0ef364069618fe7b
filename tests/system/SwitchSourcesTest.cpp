// The sources that switch the activity by themselves, each driven through
// the real Quellor.exe as the user's system drives it: a named program that
// starts and ends, a named network link that comes up and goes down, the hot
// key pressed in whatever program has the focus, and a schedule window that
// ends. What is checked is what the user sees: the tray tip's second line
// and the animation.
#include "LocalClock.h"
#include "NetworkLinks.h"
#include "QuellorProcess.h"
#include "QuellorRegistry.h"
#include "ShellStandIn.h"
#include "TestWindows.h"
#include "tray/TrayStatus.h"
#include "win/Handles.h"
#include "win/IpHelper.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr UINT kTrayIconId = 140;
// Every source must be seen within this time.
constexpr DWORD kMostMs = 5000;
constexpr DWORD kNotShown = 0xFFFFFFFF;

// The time a switch took, for the test's output.
void Report(const std::string& what, long ms)
{
    std::printf("[  MEASURE ] %s %ld ms\n", what.c_str(), ms);
}

// A program the test starts, ended when it goes if the test has not ended it.
class CStartedProgram {
public:
    explicit CStartedProgram(const std::string& path)
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        // No output handles: what the program writes is not the test's.
        startup.dwFlags = STARTF_USESTDHANDLES;
        std::string commandLine = "\"" + path + "\"";
        PROCESS_INFORMATION info = {};
        if (CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                           &info)) {
            process.Reset(info.hProcess);
            CloseHandle(info.hThread);
            WaitForInputIdle(info.hProcess, kMostMs);
        }
    }
    CStartedProgram(const CStartedProgram&) = delete;
    CStartedProgram& operator=(const CStartedProgram&) = delete;
    ~CStartedProgram() { End(); }

    bool IsRunning() const { return process && WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT; }
    void End()
    {
        if (IsRunning()) {
            TerminateProcess(process.Get(), 0);
            WaitForSingleObject(process.Get(), kMostMs);
        }
    }

private:
    win::CKernelHandle process;
};

class SwitchSources : public ::testing::Test {
protected:
    void SetUp() override
    {
        quellor_registry::PrepareQuietStart();
        ASSERT_TRUE(shell.IsReady());
    }

    void Launch()
    {
        ASSERT_TRUE(quellor.Launch());
        ASSERT_NE(quellor.WaitForMainWindow(), nullptr);
    }
    // The tip's second line: why the activity is ON, or what it waits for.
    std::string Reason() const
    {
        const std::string tip = shell.Tip(quellor.MainWindow(), kTrayIconId);
        const std::size_t first = tip.find('\n');
        return first == std::string::npos ? std::string()
                                          : tip.substr(first + 1, tip.find('\n', first + 1) - first - 1);
    }
    // The tip reads `reason` and the animation agrees: ON runs it, OFF stops it.
    bool ShowsNow(const std::string& reason) const
    {
        return Reason() == reason && quellor.IsAnimating() == (reason.rfind("ON", 0) == 0);
    }
    // The milliseconds from `since` until ShowsNow(reason); kNotShown when
    // that did not come within kMostMs and a second more.
    DWORD MsUntilShown(const std::string& reason, DWORD since) const
    {
        const DWORD limit = kMostMs + 1000;
        const DWORD spent = std::min(limit, GetTickCount() - since);
        const bool shown = WaitUntil([&] { return ShowsNow(reason); }, limit - spent, 50);
        return shown ? GetTickCount() - since : kNotShown;
    }
    bool Shows(const std::string& reason) const { return MsUntilShown(reason, GetTickCount()) != kNotShown; }
    bool KeepsShowing(const std::string& reason, DWORD ms) const
    {
        return !WaitUntil([&] { return !ShowsNow(reason); }, ms, 50);
    }

    CShellStandIn shell;
    CQuellorProcess quellor;
};

TEST_F(SwitchSources, ProgramsSwitchOnWhileOneRunsAndOffWhenTheLastEnds)
{
    // A copy of a small program under a name no other program here has; the
    // user names it in another case.
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string copy = std::string(temp) + "Download.exe";
    ASSERT_TRUE(CopyFileA(CQuellorProcess::BesideTests("SessionKeeper.exe").c_str(), copy.c_str(), FALSE));
    quellor_registry::WriteString("WhenPrograms", "download.exe");
    ASSERT_NO_FATAL_FAILURE(Launch());
    EXPECT_TRUE(Shows("OFF, waiting for download.exe")) << Reason();

    {
        const DWORD started = GetTickCount();
        CStartedProgram first(copy);
        ASSERT_TRUE(first.IsRunning());
        const DWORD onMs = MsUntilShown("ON while download.exe runs", started);
        Report("program started, switched ON after", onMs);
        EXPECT_LE(onMs, kMostMs) << Reason();

        // A second copy, started while the first is waited for, is found
        // when the first ends and keeps the activity ON.
        CStartedProgram second(copy);
        ASSERT_TRUE(second.IsRunning());
        first.End();
        EXPECT_TRUE(KeepsShowing("ON while download.exe runs", 4000)) << Reason();

        second.End();
        const DWORD ended = GetTickCount();
        const DWORD offMs = MsUntilShown("OFF, waiting for download.exe", ended);
        Report("last program ended, switched OFF after", offMs);
        EXPECT_LE(offMs, kMostMs) << Reason();
    }
    EXPECT_TRUE(quellor.Exit());
    DeleteFileA(copy.c_str());
}

// The link's state as Windows reports it to every program.
enum class Link { Missing, Down, Up };

Link LinkState(const std::wstring& name)
{
    std::vector<win::NetworkAdapter> adapters;
    win::ReadNetworkAdapters(adapters);
    const auto adapter = std::find_if(adapters.begin(), adapters.end(),
                                      [&](const win::NetworkAdapter& one) { return one.friendlyName == name; });
    if (adapter == adapters.end()) {
        return Link::Missing;
    }
    return adapter->connected ? Link::Up : Link::Down;
}

// Under Wine a veth link is reported up only while both its ends are up,
// and down as soon as the link itself is set down: its peer stays up.
TEST_F(SwitchSources, ConnectionsSwitchOnWhileTheNamedLinkIsUp)
{
    if (GetEnvironmentVariableA("QUELLOR_OWN_NETWORK", nullptr, 0) == 0) {
        GTEST_SKIP() << "makes a network link: runs only in a network namespace of its own (tools/offline-run)";
    }
    const std::wstring link = L"OfficeVPN";
    if (LinkState(link) != Link::Missing) {
        RunIp("link del OfficeVPN");
        ASSERT_TRUE(WaitUntil([&] { return LinkState(link) == Link::Missing; }, kMostMs));
    }
    RunIp("link add OfficeVPN type veth peer name OfficeVPNp");
    RunIp("link set OfficeVPNp up");
    ASSERT_TRUE(WaitUntil([&] { return LinkState(link) == Link::Down; }, kMostMs)) << "ip could not make the link";
    quellor_registry::WriteString("WhenConnections", "OfficeVPN");
    ASSERT_NO_FATAL_FAILURE(Launch());
    EXPECT_TRUE(Shows("OFF, waiting for OfficeVPN")) << Reason();

    for (const bool up : {true, false}) {
        const DWORD changed = GetTickCount();
        RunIp(up ? "link set OfficeVPN up" : "link set OfficeVPN down");
        ASSERT_TRUE(WaitUntil([&] { return LinkState(link) == (up ? Link::Up : Link::Down); }, kMostMs));
        const DWORD ms = MsUntilShown(up ? "ON while OfficeVPN is connected" : "OFF, waiting for OfficeVPN", changed);
        Report(up ? "link up, switched ON after" : "link down, switched OFF after", ms);
        EXPECT_LE(ms, kMostMs) << Reason();
    }
    EXPECT_TRUE(quellor.Exit());
    RunIp("link del OfficeVPN");
}

// Ctrl+Shift+Q as the hot-key control stores it; RegisterHotKey wants Shift
// where the control has Alt, so a wrong conversion registers another chord.
constexpr int kHotKey = (HOTKEYF_CONTROL | HOTKEYF_SHIFT) << 8 | 'Q';
constexpr UINT kHotKeyModifiers = MOD_CONTROL | MOD_SHIFT;

// The chord as the keyboard sends it, to whatever program has the focus.
void PressHotKey()
{
    const WORD keys[] = {VK_CONTROL, VK_SHIFT, 'Q'};
    std::vector<INPUT> inputs;
    for (const bool up : {false, true}) {
        for (std::size_t i = 0; i < 3; ++i) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = keys[up ? 2 - i : i];
            input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            inputs.push_back(input);
        }
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Quellor has registered the chord: another registration of it fails. (Its
// tip shows OFF as soon as the icon is added, a moment before the sources
// and the hot key start.)
bool ChordTakenWithin(DWORD ms)
{
    return WaitUntil([] {
        if (RegisterHotKey(nullptr, 2, kHotKeyModifiers, 'Q')) {
            UnregisterHotKey(nullptr, 2);
            return false;
        }
        return true;
    }, ms, 50);
}

// Whether this thread received its own hot key within the time.
bool ReceivedHotKey(DWORD ms)
{
    const DWORD start = GetTickCount();
    MSG message;
    do {
        if (PeekMessageA(&message, nullptr, WM_HOTKEY, WM_HOTKEY, PM_REMOVE)) {
            return true;
        }
        Sleep(20);
    } while (GetTickCount() - start < ms);
    return false;
}

TEST_F(SwitchSources, TheHotKeyTogglesAndAKeyHeldElsewhereLeavesTheProgramUsable)
{
    quellor_registry::WriteInt("HotKey", kHotKey);
    ASSERT_NO_FATAL_FAILURE(Launch());
    ASSERT_TRUE(Shows("OFF"));
    ASSERT_TRUE(ChordTakenWithin(kMostMs));
    for (const char* reason : {"ON", "OFF", "ON"}) {
        const DWORD pressed = GetTickCount();
        PressHotKey();
        const DWORD ms = MsUntilShown(reason, pressed);
        Report(std::string("hot key, switched ") + reason + " after", static_cast<long>(ms));
        EXPECT_LE(ms, 1000u) << Reason();
    }
    EXPECT_TRUE(quellor.Exit());

    // Another program holds the chord before Quellor starts.
    ASSERT_TRUE(RegisterHotKey(nullptr, 1, kHotKeyModifiers, 'Q'));
    ASSERT_NO_FATAL_FAILURE(Launch());
    EXPECT_TRUE(Shows("OFF"));
    EXPECT_EQ(FindProcessWindow(quellor.Id(), "#32770", nullptr), nullptr) << "no message box";
    PressHotKey();
    EXPECT_TRUE(ReceivedHotKey(2000)) << "the chord is the other program's";
    EXPECT_TRUE(KeepsShowing("OFF", 1000));
    EXPECT_TRUE(quellor.SwitchActivity(true)) << "the menu still switches";
    EXPECT_LT(quellor.AnswerTimeMs(2000), 500u);
    EXPECT_TRUE(quellor.SwitchActivity(false));

    // Once the other program lets go, the key is Quellor's the next time it
    // reads its settings; a program named in them now shows when that is done.
    UnregisterHotKey(nullptr, 1);
    quellor_registry::WriteString("WhenPrograms", "download.exe");
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(quellor.MainWindow(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Policy"), SMTO_BLOCK,
                        kMostMs, &answer);
    ASSERT_TRUE(Shows("OFF, waiting for download.exe")) << Reason();
    PressHotKey();
    EXPECT_TRUE(Shows("ON")) << Reason();
    EXPECT_EQ(FindProcessWindow(quellor.Id(), "#32770", nullptr), nullptr);
    EXPECT_TRUE(quellor.Exit());
}

// A window that began a minute ago and ends at the next minute: ON at
// start, OFF at that minute by the schedule's own timer. Started at least
// 15 s before the minute ends, so the test takes 15 to 60 s.
TEST_F(SwitchSources, AScheduleWindowUnderWaySwitchesOnAtStartAndOffAtItsEnd)
{
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    if (now.wSecond > 45) {
        Sleep((60 - now.wSecond) * 1000 - now.wMilliseconds + 100);
        GetLocalTime(&now);
    }
    const DWORD endTick = GetTickCount() + (60 - now.wSecond) * 1000 - now.wMilliseconds;
    const SYSTEMTIME from = LocalTimeIn(-1);
    const SYSTEMTIME to = LocalTimeIn(1);
    // A window belongs to the day it starts on.
    quellor_registry::WriteInt("WhenDays", 1 << from.wDayOfWeek);
    quellor_registry::WriteInt("WhenFrom", from.wHour * 60 + from.wMinute);
    quellor_registry::WriteInt("WhenTo", to.wHour * 60 + to.wMinute);
    const DWORD launched = GetTickCount();
    ASSERT_NO_FATAL_FAILURE(Launch());
    const std::string onReason = "ON until " + CTrayStatus::LocalTimeText(to);
    const DWORD onMs = MsUntilShown(onReason, launched);
    Report("started inside the window, ON after", onMs);
    ASSERT_NE(onMs, kNotShown) << Reason();

    EXPECT_TRUE(KeepsShowing(onReason, endTick - 1000 - GetTickCount())) << "ended early: " << Reason();
    // The next window is the same day's, a week on: the tip names the day.
    char day[32] = {};
    ASSERT_GT(GetDateFormatA(LOCALE_USER_DEFAULT, 0, &from, "ddd", day, sizeof day), 0);
    const DWORD watched = GetTickCount();
    const DWORD offMs =
        MsUntilShown("OFF, waiting for " + std::string(day) + " " + CTrayStatus::LocalTimeText(from), watched);
    ASSERT_NE(offMs, kNotShown) << Reason();
    const long afterEnd = static_cast<long>(watched + offMs - endTick);
    Report("window ended, switched OFF after", afterEnd);
    EXPECT_GE(afterEnd, 0) << "before the window's end";
    EXPECT_LE(afterEnd, 3000) << Reason();
    EXPECT_TRUE(quellor.Exit());
}

}  // namespace
