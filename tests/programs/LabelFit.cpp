// Measures whether the texts of a dialog template fit their controls with the
// fonts this system has, for the screenshot tools:
//   LabelFit PROGRAM.exe DIALOG_ID
// It creates the dialog (hidden) from the program's resources and, for every
// label, check box and push button, compares the space the text needs, word
// wrapped as the control draws it, with the control's size (less the room a
// check box or button keeps for itself, estimated). Prints one line
// per control, "fits" or "CLIPPED", with the figures in pixels; exit code 1
// when any text is clipped, 2 when the dialog cannot be made.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Space a check box or push button keeps for its box and borders.
constexpr int kCheckBoxMargin = 18;
constexpr int kButtonMargin = 6;

INT_PTR CALLBACK QuietDialog(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

void LoadCommonControls()
{
    if (const HMODULE controls = LoadLibraryA("comctl32.dll")) {
        using InitFunction = void(WINAPI*)();
        if (auto init = reinterpret_cast<InitFunction>(GetProcAddress(controls, "InitCommonControls"))) {
            init();
        }
    }
}

int TextMargin(HWND control)
{
    char className[32] = {};
    GetClassNameA(control, className, sizeof className);
    if (lstrcmpiA(className, "Button") != 0) {
        return 0;
    }
    const LONG kind = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    return kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON ? kButtonMargin : kCheckBoxMargin;
}

// True when the control's text fits; prints the figures either way.
bool ReportFit(HWND control)
{
    char text[512] = {};
    GetWindowTextA(control, text, sizeof text);
    // Trailing blanks are never seen, wherever they wrap to.
    for (std::size_t end = std::strlen(text); end > 0 && text[end - 1] == ' '; --end) {
        text[end - 1] = '\0';
    }
    char className[32] = {};
    GetClassNameA(control, className, sizeof className);
    if (text[0] == '\0' || (lstrcmpiA(className, "Static") != 0 && lstrcmpiA(className, "Button") != 0)) {
        return true;
    }
    RECT client = {};
    GetClientRect(control, &client);
    const int width = client.right - TextMargin(control);
    const HDC dc = GetDC(control);
    const HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT needed = {0, 0, width, 0};
    DrawTextA(dc, text, -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SIZE line = {};
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &line);
    SelectObject(dc, oldFont);
    ReleaseDC(control, dc);
    const bool fits = needed.bottom <= client.bottom && needed.right <= width;
    std::printf("%-8s id %5d: text %3ld px on one line, %3ld px high wrapped; room %3d x %3ld px  \"%s\"\n",
                fits ? "fits" : "CLIPPED", GetDlgCtrlID(control), line.cx, needed.bottom, width, client.bottom, text);
    return fits;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (__argc != 3) {
        return 2;
    }
    LoadCommonControls();
    const HMODULE program = LoadLibraryExA(__argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HWND dialog = program != nullptr ? CreateDialogParamA(program, MAKEINTRESOURCEA(std::atoi(__argv[2])),
                                                                nullptr, QuietDialog, 0)
                                           : nullptr;
    if (dialog == nullptr) {
        return 2;
    }
    bool allFit = true;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        allFit = ReportFit(child) && allFit;
    }
    DestroyWindow(dialog);
    return allFit ? 0 : 1;
}
