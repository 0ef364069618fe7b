#include "RemoteDialog.h"

#include "TestWindows.h"

#include <commctrl.h>

namespace {

constexpr DWORD kAnswerTimeoutMs = 10000;

// Sends a control of another process a message whose lParam points to data,
// through a buffer in that process that holds the data before and after.
bool RemoteCall(HWND control, UINT message, WPARAM wParam, void* data, SIZE_T size, DWORD_PTR& answer)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(control, &processId);
    const HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process == nullptr) {
        return false;
    }
    void* buffer = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    bool done = false;
    if (buffer != nullptr) {
        SIZE_T read = 0;
        done = WriteProcessMemory(process, buffer, data, size, nullptr) &&
               SendMessageTimeoutA(control, message, wParam, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL,
                                   kAnswerTimeoutMs, &answer) != 0 &&
               ReadProcessMemory(process, buffer, data, size, &read) && read == size;
        VirtualFreeEx(process, buffer, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return done;
}

// A rectangle that the control writes through a pointer; false when it says no.
bool RemoteRect(HWND control, UINT message, WPARAM wParam, RECT& rect)
{
    DWORD_PTR answer = 0;
    return RemoteCall(control, message, wParam, &rect, sizeof rect, answer) && answer != 0;
}

LPARAM PointParameter(int x, int y)
{
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

std::string Narrow(const wchar_t* text)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, buffer.data(), size, nullptr, nullptr);
    return buffer.data();
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM parameter)
{
    char className[64] = {};
    GetClassNameA(child, className, sizeof className);
    const std::string text = GetText(child);
    if (lstrcmpiA(className, "Static") == 0 && !text.empty()) {
        *reinterpret_cast<std::string*>(parameter) += text;
    }
    return TRUE;
}

}  // namespace

bool CRemoteDialog::WaitUntilClosed(DWORD timeoutMs) const
{
    return WaitUntil([&] { return !IsWindow(dialog); }, timeoutMs);
}

void CRemoteDialog::Click(int id) const
{
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(Control(id), BM_CLICK, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &answer);
}

void CRemoteDialog::PostClick(int id) const
{
    PostMessageA(Control(id), BM_CLICK, 0, 0);
}

void CRemoteDialog::Type(int id, const std::string& text) const
{
    SendMessageA(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void CRemoteDialog::PressKey(int id, UINT virtualKey) const
{
    const HWND target = Control(id);
    const UINT scanCode = MapVirtualKeyA(virtualKey, 0);
    PostMessageA(target, WM_KEYDOWN, virtualKey, 1 | (scanCode << 16));
    PostMessageA(target, WM_KEYUP, virtualKey, 1 | (scanCode << 16) | 0xC0000000u);
}

void CRemoteDialog::TypeKey(std::initializer_list<UINT> held, UINT virtualKey) const
{
    std::vector<UINT> downs(held);
    downs.push_back(virtualKey);
    std::vector<INPUT> inputs(2 * downs.size());
    for (std::size_t i = 0; i < downs.size(); ++i) {
        const UINT key = downs[i];
        const bool extended = key == VK_PRIOR || key == VK_NEXT || key == VK_LEFT || key == VK_RIGHT;
        // Pressed in order, released in the opposite order.
        for (INPUT* input : {&inputs[i], &inputs[inputs.size() - 1 - i]}) {
            input->type = INPUT_KEYBOARD;
            input->ki.wVk = static_cast<WORD>(key);
            // As a keyboard sends it: controls that read the scan code see the key.
            input->ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
            input->ki.dwFlags = (extended ? KEYEVENTF_EXTENDEDKEY : 0) | (input != &inputs[i] ? KEYEVENTF_KEYUP : 0);
        }
    }
    SetForegroundWindow(dialog);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void CRemoteDialog::PostCloseBox() const
{
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

bool CRemoteDialog::IsChecked(int id) const
{
    return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool CRemoteDialog::IsShown(int id) const
{
    return (GetWindowLongA(Control(id), GWL_STYLE) & WS_VISIBLE) != 0;
}

std::string CRemoteDialog::Text(int id) const
{
    return GetText(Control(id));
}

HWND CRemoteDialog::Focus() const
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) ? info.hwndFocus : nullptr;
}

std::pair<int, int> CRemoteDialog::Selection(int id) const
{
    const DWORD range = static_cast<DWORD>(SendMessageA(Control(id), EM_GETSEL, 0, 0));
    return {LOWORD(range), HIWORD(range)};
}

bool CRemoteDialog::ClickTab(int tabControlId, int index) const
{
    const HWND tabs = Control(tabControlId);
    RECT item = {};
    if (!RemoteRect(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), item)) {
        return false;
    }
    const LPARAM point = PointParameter((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    PostMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(tabs, WM_LBUTTONUP, 0, point);
    return WaitUntil([&] { return SelectedTab(tabControlId) == index; }, 5000);
}

int CRemoteDialog::SelectedTab(int tabControlId) const
{
    return static_cast<int>(SendMessageA(Control(tabControlId), TCM_GETCURSEL, 0, 0));
}

int CRemoteDialog::TabCount(int tabControlId) const
{
    return static_cast<int>(SendMessageA(Control(tabControlId), TCM_GETITEMCOUNT, 0, 0));
}

std::vector<std::string> CRemoteDialog::ListItems(int listId) const
{
    const HWND list = Control(listId);
    std::vector<std::string> items;
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        // Wine hands another process's list text back as wide characters even
        // to LB_GETTEXT through SendMessageA, so ask for them outright.
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::vector<wchar_t> wide(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide.data()));
        items.push_back(Narrow(wide.data()));
    }
    return items;
}

int CRemoteDialog::ListSelection(int listId) const
{
    return static_cast<int>(SendMessageA(Control(listId), LB_GETCURSEL, 0, 0));
}

void CRemoteDialog::SelectListItem(int listId, int index) const
{
    SendMessageA(Control(listId), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void CRemoteDialog::PostDoubleClickListItem(int listId, int index) const
{
    const HWND list = Control(listId);
    const int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    const LPARAM point = PointParameter(8, (index - top) * height + height / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
}

int CRemoteDialog::TrackbarPosition(int id) const
{
    return static_cast<int>(SendMessageA(Control(id), TBM_GETPOS, 0, 0));
}

int CRemoteDialog::PickedMinutes(int id) const
{
    SYSTEMTIME time = {};
    DWORD_PTR answer = 0;
    return RemoteCall(Control(id), DTM_GETSYSTEMTIME, 0, &time, sizeof time, answer) && answer == GDT_VALID
               ? time.wHour * 60 + time.wMinute
               : -1;
}

HWND WaitForDialog(DWORD processId, const char* title, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindProcessWindow(processId, "#32770", title);
            return found != nullptr && IsWindowVisible(found);
        },
        timeoutMs);
    return found != nullptr && IsWindowVisible(found) ? found : nullptr;
}

HWND WaitForMessageBox(DWORD processId, const char* caption, DWORD timeoutMs)
{
    return WaitForDialog(processId, caption, timeoutMs);
}

std::string MessageBoxText(HWND box)
{
    std::string text;
    EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}
