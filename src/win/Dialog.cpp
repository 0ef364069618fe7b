#include "win/Dialog.h"

#include "win/SystemLibrary.h"

#include <commctrl.h>

namespace win {

namespace {

// The thread's one message filter hook, held while any of its modal runs
// lasts: a nested run (Change URL inside Set Up) adds no second hook, which
// would offer each key twice to the dialog that does not take it. The hold
// lives in a thread-local slot of the system's own (the compiler's
// thread-local variables break its link-time optimisation here).
class CThreadFilterHook {
public:
    explicit CThreadFilterHook(HOOKPROC filter) : hold(Current())
    {
        if (hold == nullptr) {
            hold = new Hold{SetWindowsHookExA(WH_MSGFILTER, filter, nullptr, GetCurrentThreadId()), 0};
            // Without a slot (TlsAlloc failed) each run holds a hook of its own.
            TlsSetValue(Slot(), hold);
        }
        ++hold->depth;
    }
    ~CThreadFilterHook()
    {
        if (--hold->depth > 0) {
            return;
        }
        if (hold->hook != nullptr) {
            UnhookWindowsHookEx(hold->hook);
        }
        if (Current() == hold) {
            TlsSetValue(Slot(), nullptr);
        }
        delete hold;
    }
    CThreadFilterHook(const CThreadFilterHook&) = delete;
    CThreadFilterHook& operator=(const CThreadFilterHook&) = delete;

private:
    struct Hold {
        HHOOK hook;
        int depth;
    };
    static DWORD Slot()
    {
        static const DWORD slot = TlsAlloc();
        return slot;
    }
    static Hold* Current() { return static_cast<Hold*>(TlsGetValue(Slot())); }

    Hold* hold;
};

// Only dialogs use the common controls (the tab control, the trackbar, the
// time pickers, the hot-key control), so comctl32 is loaded when the first
// one opens: a program that stays in the tray never maps it. Loaded by name,
// under the manifest's activation context, it is version 6.
void StartCommonControls()
{
    static const bool started = [] {
        using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        const auto init = FindFunction<InitFunction>(LoadSystemLibrary("comctl32.dll"), "InitCommonControlsEx");
        const INITCOMMONCONTROLSEX controls = {sizeof controls,
                                               ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_DATE_CLASSES | ICC_HOTKEY_CLASS |
                                               ICC_LISTVIEW_CLASSES};
        return init != nullptr && init(&controls) != FALSE;
    }();
    static_cast<void>(started);
}

}  // namespace

// The modal loop is the system's; the loop shows each message to the
// thread's message filter hooks (MSGF_DIALOGBOX) before the dialog manager
// takes it, which is where a dialog sees its keys first.
INT_PTR CDialog::DoModal(HWND owner)
{
    StartCommonControls();
    const CThreadFilterHook filter(MessageFilter);
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

// The hook hands each message to the dialog it belongs to, the innermost
// open one or one below it, and to no other.
LRESULT CALLBACK CDialog::MessageFilter(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MSGF_DIALOGBOX) {
        const MSG& message = *reinterpret_cast<const MSG*>(lParam);  // NOLINT(performance-no-int-to-ptr): the hook's message
        CDialog* dialog = OwningDialog(message.hwnd);
        if (dialog != nullptr && dialog->PreTranslateMessage(message)) {
            return TRUE;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

CDialog* CDialog::OwningDialog(HWND window)
{
    const HWND root = window != nullptr ? GetAncestor(window, GA_ROOT) : nullptr;
    if (root == nullptr ||
        GetWindowLongPtrA(root, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(&CDialog::DialogProc)) {
        return nullptr;
    }
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the object WM_INITDIALOG stored
    return reinterpret_cast<CDialog*>(GetWindowLongPtrA(root, DWLP_USER));
}

namespace {

BOOL CALLBACK MatchOpenDialog(HWND window, LPARAM parameter)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window) || !IsWindowEnabled(window)) {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(parameter) = window;  // NOLINT(performance-no-int-to-ptr): FindOpenDialog's variable
    return FALSE;
}

}  // namespace

HWND CDialog::FindOpenDialog()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), MatchOpenDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(true)) {
        EndDialog(IDOK);
    }
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

bool CDialog::UpdateData(bool saving)
{
    CDataExchange exchange(hwnd, saving);
    try {
        Exchange(exchange);
    } catch (const CExchangeFailed&) {
        return false;
    }
    return true;
}

void CDialog::CentreOn(const RECT& area)
{
    RECT dialog = {};
    if (!GetWindowRect(hwnd, &dialog)) {
        return;
    }
    const int width = dialog.right - dialog.left;
    const int height = dialog.bottom - dialog.top;
    const int left = (area.left + area.right - width) / 2;
    const int top = (area.top + area.bottom - height) / 2;
    SetWindowPos(hwnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDialog::EndDialog(INT_PTR result)
{
    ::EndDialog(hwnd, result);
}

bool CDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (OnBackgroundMessage(message, wParam, lParam, result)) {
        return true;
    }
    if (message == WM_INITDIALOG) {
        result = OnInitDialog();
        return true;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return true;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return true;
        }
    }
    result = 0;
    return false;
}

// Every dialog draws its texts, boxes and trackbars on what lies under
// them; see CPageBackground.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): a window procedure's parameters, in its order
bool CDialog::OnBackgroundMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const auto dc = reinterpret_cast<HDC>(wParam);  // NOLINT(performance-no-int-to-ptr): the message's DC
    switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        const auto control = reinterpret_cast<HWND>(lParam);  // NOLINT(performance-no-int-to-ptr): the control
        const HBRUSH brush = pageBackground.ForControl(hwnd, message, dc, control);
        result = reinterpret_cast<LRESULT>(brush);
        return brush != nullptr;
    }
    case WM_PRINTCLIENT:
        pageBackground.PrintUnder(hwnd, dc);
        result = 0;
        return true;
    case WM_THEMECHANGED:
    case WM_SYSCOLORCHANGE:
    case WM_DESTROY:
        pageBackground.Forget();
        return false;
    default:
        return false;
    }
}

namespace {

// Messages whose answer is the dialog procedure's return value itself, not
// DWLP_MSGRESULT.
bool AnswersDirectly(UINT message)
{
    return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_COMPAREITEM ||
           message == WM_VKEYTOITEM || message == WM_CHARTOITEM || message == WM_QUERYDRAGICON;
}

}  // namespace

INT_PTR CALLBACK CDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the object WM_INITDIALOG stored
    auto* self = reinterpret_cast<CDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);  // NOLINT(performance-no-int-to-ptr): DoModal's object
        self->hwnd = dialog;
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        LRESULT result = TRUE;
        self->DispatchGuarded(message, wParam, lParam, result);
        return result;
    }
    if (self == nullptr) {
        return FALSE;
    }
    LRESULT result = 0;
    const bool handled = self->DispatchGuarded(message, wParam, lParam, result);
    if (message == WM_NCDESTROY) {
        self->hwnd = nullptr;
    }
    if (!handled) {
        return FALSE;
    }
    if (AnswersDirectly(message)) {
        return result;
    }
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace win
