// The window layer: table dispatch, self-deleting frames and the failure
// report at dispatch.
#include "win/Dialog.h"
#include "win/Failure.h"
#include "win/FrameWindow.h"
#include "win/MessageMap.h"

#include "TestThread.h"
#include "TestWindows.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr UINT kCommand = 4001;
constexpr UINT kControl = 4002;
constexpr UINT kThrowRuntime = 4101;
constexpr UINT kThrowUnknown = 4102;
constexpr UINT kThrowMemory = 4104;

class CProbeFrame : public win::CFrameWindow {
public:
    explicit CProbeFrame(std::vector<std::string>& log, bool failCreate = false) : log(log), failCreate(failCreate) {}
    ~CProbeFrame() override { log.push_back("deleted"); }

    bool checked = false;

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        return win::DispatchMessageMap(*this, messageMap, message, wParam, lParam, result) ||
               CFrameWindow::OnMessage(message, wParam, lParam, result);
    }

private:
    LRESULT OnCreate(WPARAM, LPARAM) { return failCreate ? -1 : 0; }
    LRESULT OnUser(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam) * 2; }
    void OnCommand() { log.push_back("command"); }
    void OnControlChange() { log.push_back("notification"); }
    void ThrowRuntime() { throw std::runtime_error("The disk is full."); }
    void ThrowUnknown() { throw 42; }
    void ThrowMemory() { throw std::bad_alloc(); }
    bool IsChecked() const { return checked; }

    static const win::MessageEntry<CProbeFrame> messages[];
    static const win::CommandEntry<CProbeFrame> commands[];
    static const win::NotifyEntry<CProbeFrame> notifications[];
    static const win::UpdateEntry<CProbeFrame> updates[];
    static const win::MessageMap<CProbeFrame> messageMap;

    std::vector<std::string>& log;
    bool failCreate;
};

const win::MessageEntry<CProbeFrame> CProbeFrame::messages[] = {
    {WM_CREATE, &CProbeFrame::OnCreate},
    {WM_USER + 1, &CProbeFrame::OnUser},
};
const win::CommandEntry<CProbeFrame> CProbeFrame::commands[] = {
    {kCommand, &CProbeFrame::OnCommand},           {kThrowRuntime, &CProbeFrame::ThrowRuntime},
    {kThrowUnknown, &CProbeFrame::ThrowUnknown},   {kThrowMemory, &CProbeFrame::ThrowMemory},
};
const win::NotifyEntry<CProbeFrame> CProbeFrame::notifications[] = {
    {kControl, EN_CHANGE, &CProbeFrame::OnControlChange},
};
const win::UpdateEntry<CProbeFrame> CProbeFrame::updates[] = {
    {kCommand, &CProbeFrame::IsChecked},
};
const win::MessageMap<CProbeFrame> CProbeFrame::messageMap = {messages, commands, notifications, updates};

// Answers the next message box of this process from another thread and
// tells what it said and which icon it showed.
struct MessageBoxSeen {
    std::string text;
    std::string caption;
    HICON icon = nullptr;
    bool appeared = false;
};

// The picture of a message box: its one static control that shows an icon.
HICON MessageBoxIcon(HWND box)
{
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            return reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        }
    }
    return nullptr;
}

HICON SystemIcon(const char* id)
{
    return LoadIconA(nullptr, id);
}

MessageBoxSeen AnswerMessageBoxDuring(const std::function<void()>& action)
{
    MessageBoxSeen seen;
    std::atomic<bool> done{false};
    CTestThread answerer([&] {
        const DWORD start = GetTickCount();
        while (!done && GetTickCount() - start < 5000) {
            const HWND box = FindProcessWindow(GetCurrentProcessId(), "#32770", nullptr);
            if (box != nullptr && IsWindowVisible(box)) {
                seen.appeared = true;
                seen.text = GetText(GetDlgItem(box, 0xFFFF));
                seen.caption = GetText(box);
                seen.icon = MessageBoxIcon(box);
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(20);
        }
    });
    action();
    done = true;
    answerer.Join();
    return seen;
}

TEST(WindowLayer, TablesRouteMessagesCommandsNotificationsAndCheckMarks)
{
    std::vector<std::string> log;
    auto* frame = new CProbeFrame(log);
    const HWND window = win::CFrameWindow::CreateOwned(frame, "probe", WS_OVERLAPPEDWINDOW);
    ASSERT_NE(window, nullptr);

    EXPECT_EQ(SendMessageA(window, WM_USER + 1, 21, 0), 42);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(kCommand, 0), 0);
    // A button click counts as a command too; other control codes are notifications.
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(kCommand, BN_CLICKED), reinterpret_cast<LPARAM>(window));
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(kControl, EN_CHANGE), reinterpret_cast<LPARAM>(window));
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(kControl, EN_KILLFOCUS), reinterpret_cast<LPARAM>(window));
    EXPECT_EQ(log, (std::vector<std::string>{"command", "command", "notification"}));

    const HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, kCommand, "item");
    SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    EXPECT_EQ(GetMenuState(menu, kCommand, MF_BYCOMMAND) & MF_CHECKED, 0u);
    frame->checked = true;
    SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    EXPECT_NE(GetMenuState(menu, kCommand, MF_BYCOMMAND) & MF_CHECKED, 0u);
    DestroyMenu(menu);

    DestroyWindow(window);
    EXPECT_EQ(log.back(), "deleted");
}

TEST(WindowLayer, AFrameWhoseCreationFailsIsDeletedOnce)
{
    std::vector<std::string> log;
    EXPECT_EQ(win::CFrameWindow::CreateOwned(new CProbeFrame(log, true), "probe", WS_OVERLAPPEDWINDOW), nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"deleted"}));
}

TEST(WindowLayer, FailuresInHandlersAreReportedAndProcessingGoesOn)
{
    std::vector<std::string> log;
    const HWND window =
        win::CFrameWindow::CreateOwned(new CProbeFrame(log), "probe", WS_OVERLAPPEDWINDOW);
    ASSERT_NE(window, nullptr);
    const auto send = [&](UINT command) {
        return AnswerMessageBoxDuring([&] { SendMessageA(window, WM_COMMAND, command, 0); });
    };

    MessageBoxSeen seen = send(kThrowRuntime);
    EXPECT_TRUE(seen.appeared);
    EXPECT_EQ(seen.text, "The disk is full.");
    EXPECT_EQ(seen.caption, "quellor_unit_tests") << "the executable's base name";
    EXPECT_EQ(seen.icon, SystemIcon(IDI_HAND));

    seen = send(kThrowUnknown);
    EXPECT_TRUE(seen.appeared);
    EXPECT_EQ(seen.text, "Internal application error.");
    EXPECT_EQ(seen.icon, SystemIcon(IDI_HAND));

    seen = send(kThrowMemory);
    EXPECT_TRUE(seen.appeared);
    EXPECT_EQ(seen.text, "Out of memory.");
    EXPECT_EQ(seen.icon, SystemIcon(IDI_EXCLAMATION));

    SendMessageA(window, WM_COMMAND, kCommand, 0);
    EXPECT_EQ(log.back(), "command");
    DestroyWindow(window);
}

// A dialog that counts the F9 keys offered to it; the outer one opens a
// second inside itself, and the inner one sends the outer one a key.
class CNestingDialog : public win::CDialog {
public:
    explicit CNestingDialog(CNestingDialog* outer) : CDialog(IDD_CHANGE_URL), outer(outer) {}
    int keysOffered = 0;

protected:
    BOOL OnInitDialog() override
    {
        PostMessageA(hwnd, WM_APP, 0, 0);
        return TRUE;
    }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message == WM_APP && outer == nullptr) {
            CNestingDialog(this).DoModal(hwnd);
        } else if (message == WM_APP) {
            // Taken by the inner dialog's loop, before the message that ends it.
            PostMessageA(GetDlgItem(outer->Handle(), IDC_URL_TEXT), WM_KEYDOWN, VK_F9, 0);
            PostMessageA(hwnd, WM_APP + 1, 0, 0);
            return true;
        } else if (message != WM_APP + 1) {
            return CDialog::OnMessage(message, wParam, lParam, result);
        }
        EndDialog(IDCANCEL);
        return true;
    }
    bool PreTranslateMessage(const MSG& message) noexcept override
    {
        keysOffered += message.message == WM_KEYDOWN && message.wParam == VK_F9 ? 1 : 0;
        return false;
    }

private:
    CNestingDialog* outer;
};

TEST(WindowLayer, ANestedDialogOffersAKeyOnceToTheDialogItBelongsTo)
{
    CNestingDialog outer(nullptr);
    outer.DoModal(nullptr);
    EXPECT_EQ(outer.keysOffered, 1);
}

}  // namespace
