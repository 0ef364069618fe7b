#include "frame/WarningDismisser.h"

#include "win/CriticalSection.h"
#include "TestThread.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

enum class Mode { Closing, Stubborn, NoTabStop };

struct WarningPlan {
    std::string title;
    Mode mode;
};

// Warning windows on a thread of their own, as another program's would be,
// each with a static text and then "OK" and "Cancel" buttons. The host
// records what is posted to the buttons and which windows close.
class CWarningHost {
public:
    explicit CWarningHost(std::vector<WarningPlan> plans) : plans(std::move(plans))
    {
        current = this;
        ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread = std::make_unique<CTestThread>([this] { Run(); });
        WaitForSingleObject(ready, 5000);
    }
    ~CWarningHost()
    {
        PostThreadMessageA(threadId, WM_QUIT, 0, 0);
        thread->Join();
        CloseHandle(ready);
        current = nullptr;
    }
    CWarningHost(const CWarningHost&) = delete;
    CWarningHost& operator=(const CWarningHost&) = delete;

    // "title event wParam lParam" per posted mouse or state message, and
    // "title closed" per window that went.
    std::vector<std::string> Events(const std::string& title)
    {
        win::CCriticalSection::CHold hold(guard);
        std::vector<std::string> found;
        for (const auto& event : events) {
            if (event.first == title) {
                found.push_back(event.second);
            }
        }
        return found;
    }
    std::vector<std::string> ClosedInOrder()
    {
        win::CCriticalSection::CHold hold(guard);
        std::vector<std::string> titles;
        for (const auto& event : events) {
            if (event.second == "closed") {
                titles.push_back(event.first);
            }
        }
        return titles;
    }
    // Lets the host handle what is still queued for it.
    void Settle() { Sleep(200); }

private:
    void Run()
    {
        threadId = GetCurrentThreadId();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = WarningProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "DismisserTestWarning";
        RegisterClassA(&wc);
        for (const WarningPlan& plan : plans) {
            Create(plan);
        }
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
        SetEvent(ready);
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            RecordPosted(message);
            DispatchMessageA(&message);
        }
        for (HWND window : windows) {
            if (IsWindow(window)) {
                DestroyWindow(window);
            }
        }
    }

    void Create(const WarningPlan& plan)
    {
        const HINSTANCE instance = GetModuleHandleA(nullptr);
        HWND window = CreateWindowA("DismisserTestWarning", plan.title.c_str(), WS_OVERLAPPED | WS_CAPTION, 0, 0, 300,
                                    120, nullptr, nullptr, instance, nullptr);
        SetWindowLongPtrA(window, GWLP_USERDATA, static_cast<LONG_PTR>(plan.mode));
        const DWORD tabStop = plan.mode == Mode::NoTabStop ? 0 : WS_TABSTOP;
        CreateWindowA("STATIC", "Still there?", WS_CHILD | WS_VISIBLE, 5, 5, 200, 20, window, nullptr, instance,
                      nullptr);
        CreateWindowA("BUTTON", "OK", WS_CHILD | WS_VISIBLE | tabStop, 5, 30, 80, 25, window,
                      reinterpret_cast<HMENU>(IDOK), instance, nullptr);
        CreateWindowA("BUTTON", "Cancel", WS_CHILD | WS_VISIBLE | tabStop, 95, 30, 80, 25, window,
                      reinterpret_cast<HMENU>(IDCANCEL), instance, nullptr);
        windows.push_back(window);
    }

    void Record(HWND window, const std::string& event)
    {
        char title[256] = {};
        GetWindowTextA(window, title, sizeof title);
        win::CCriticalSection::CHold hold(guard);
        events.emplace_back(title, event);
    }

    void RecordPosted(const MSG& message)
    {
        const char* name = message.message == WM_LBUTTONDOWN ? "down"
                           : message.message == BM_SETSTATE  ? "state"
                           : message.message == WM_LBUTTONUP ? "up"
                                                             : nullptr;
        const HWND parent = GetParent(message.hwnd);
        if (name == nullptr || parent == nullptr) {
            return;
        }
        const char* button = GetDlgCtrlID(message.hwnd) == IDOK ? "" : "cancel-";
        Record(parent, button + std::string(name) + " " + std::to_string(message.wParam) + " " +
                           std::to_string(message.lParam));
    }

    static LRESULT CALLBACK WarningProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
            if (GetWindowLongPtrA(window, GWLP_USERDATA) != static_cast<LONG_PTR>(Mode::Stubborn)) {
                DestroyWindow(window);
            }
            return 0;
        }
        if (message == WM_DESTROY && current != nullptr) {
            current->Record(window, "closed");
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    static CWarningHost* current;
    std::vector<WarningPlan> plans;
    std::vector<HWND> windows;
    std::vector<std::pair<std::string, std::string>> events;
    win::CCriticalSection guard;
    std::unique_ptr<CTestThread> thread;
    DWORD threadId = 0;
    HANDLE ready = nullptr;
};

CWarningHost* CWarningHost::current = nullptr;

const std::vector<std::string> kTitles = {"Disconnect Warning", "Prodigy Internet Needs Your Attention",
                                          "America Online Timer", "MSN-Connected"};

DWORD TimeToDismiss(const CWarningDismisser& dismisser, int* clicks = nullptr)
{
    const DWORD start = GetTickCount();
    const int posted = dismisser.DismissAll();
    if (clicks != nullptr) {
        *clicks = posted;
    }
    return GetTickCount() - start;
}

TEST(WarningDismisser, ClicksTheFirstTabStopControlOfEachTitleInTurn)
{
    // Up in another order than the titles', and in other capitals.
    CWarningHost host({{"msn-connected", Mode::Closing},
                       {"AMERICA ONLINE TIMER", Mode::Closing},
                       {"Unrelated", Mode::Closing},
                       {"Prodigy Internet needs your attention", Mode::Closing},
                       {"disconnect warning", Mode::Closing}});
    int clicks = 0;
    TimeToDismiss(CWarningDismisser(kTitles), &clicks);
    host.Settle();

    EXPECT_EQ(host.ClosedInOrder(),
              (std::vector<std::string>{"disconnect warning", "Prodigy Internet needs your attention",
                                        "AMERICA ONLINE TIMER", "msn-connected"}));
    EXPECT_GE(clicks, 4);
    for (const std::string& title : host.ClosedInOrder()) {
        const std::vector<std::string> events = host.Events(title);
        ASSERT_GE(events.size(), 4u) << title;
        EXPECT_EQ(events[0], "down 1 13") << title;
        EXPECT_EQ(events[1], "state 1 0") << title;
        EXPECT_EQ(events[2], "up 1 13") << title;
        for (const std::string& event : events) {
            EXPECT_TRUE(event == "down 1 13" || event == "state 1 0" || event == "up 1 13" || event == "closed")
                << title << ": " << event;
        }
    }
    EXPECT_TRUE(host.Events("Unrelated").empty());
    EXPECT_NE(FindWindowA(nullptr, "Unrelated"), nullptr);
}

TEST(WarningDismisser, PostsNothingWithoutWarningWindows)
{
    CWarningHost host({{"Unrelated", Mode::Closing}, {"", Mode::Closing}});
    int clicks = -1;
    EXPECT_LT(TimeToDismiss(CWarningDismisser(kTitles), &clicks), 100u);
    EXPECT_EQ(clicks, 0);

    // An empty title (a user who cleared it) must not pick some untitled
    // window of another program.
    EXPECT_EQ(CWarningDismisser({"", "", "", ""}).DismissAll(), 0);
    host.Settle();
    EXPECT_TRUE(host.Events("").empty());
    EXPECT_TRUE(host.Events("Unrelated").empty());
}

TEST(WarningDismisser, AWindowThatStaysIsLeftForTheNextPass)
{
    CWarningHost host({{"Disconnect Warning", Mode::Stubborn},
                       {"Prodigy Internet Needs Your Attention", Mode::Closing},
                       {"America Online Timer", Mode::Closing},
                       {"America Online Timer", Mode::Closing},
                       {"MSN-Connected", Mode::NoTabStop}});
    const CWarningDismisser dismisser(kTitles);
    // Only the window that is clicked and stays uses up its time.
    const DWORD budget = CWarningDismisser::kDefaultBudgetMs;
    const DWORD held = TimeToDismiss(dismisser);
    EXPECT_LT(held, budget + 150);
    host.Settle();

    EXPECT_FALSE(host.Events("Disconnect Warning").empty());
    EXPECT_NE(FindWindowA(nullptr, "Disconnect Warning"), nullptr);
    // Once the first of two same-titled windows has gone, the second waits.
    EXPECT_EQ(host.ClosedInOrder(),
              (std::vector<std::string>{"Prodigy Internet Needs Your Attention", "America Online Timer"}));
    EXPECT_NE(FindWindowA(nullptr, "America Online Timer"), nullptr);
    // Nothing reaches a window without a tab-stop control.
    EXPECT_TRUE(host.Events("MSN-Connected").empty());

    EXPECT_LT(TimeToDismiss(dismisser), budget + 150);
    host.Settle();
    EXPECT_EQ(FindWindowA(nullptr, "America Online Timer"), nullptr);
    EXPECT_EQ(host.ClosedInOrder().size(), 3u);
}

TEST(WarningDismisser, APassIsBoundedWhenNoWindowCloses)
{
    CWarningHost host({{"Disconnect Warning", Mode::Stubborn},
                       {"Prodigy Internet Needs Your Attention", Mode::Stubborn},
                       {"America Online Timer", Mode::Stubborn},
                       {"MSN-Connected", Mode::Stubborn}});
    int clicks = 0;
    const DWORD held = TimeToDismiss(CWarningDismisser(kTitles), &clicks);
    std::printf("one pass over four windows that stay: %lu ms, %d clicks\n", static_cast<unsigned long>(held), clicks);
    EXPECT_LT(held, CWarningDismisser::kDefaultBudgetMs + 150);
    host.Settle();
    for (const std::string& title : kTitles) {
        EXPECT_FALSE(host.Events(title).empty()) << title;
    }
}

}  // namespace
