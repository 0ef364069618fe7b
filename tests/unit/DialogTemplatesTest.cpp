// The Set Up and Change URL dialog templates as the system builds them from
// the program's resources: every control in tab order with its kind, style,
// text and place, the dialog's frame and font.
#include "res/resource.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace {

enum Kind { kLabel, kCenteredLabel, kCheckBox, kButton, kDefaultButton, kEdit, kList, kTabs, kTrackbar };

struct ExpectedControl {
    int id;
    Kind kind;
    const char* text;
    RECT place;  // left, top, width, height in dialog units
};

constexpr int kNoId = -1;

const ExpectedControl kSetupControls[] = {
    {IDOK, kDefaultButton, "OK", {78, 188, 50, 14}},
    {IDC_NO_STARTUP_DIALOG, kCheckBox, "Don't Show this Dialog Again on Startup", {49, 156, 158, 10}},
    {kNoId, kLabel, "Right Click The Icon in the System Tray (by the Clock)  and select 'ON'", {20, 15, 232, 8}},
    {kNoId, kLabel, "To Manually Start Quellor after logging on:", {20, 5, 154, 8}},
    {IDC_TABS, kTabs, "", {7, 25, 245, 129}},
    {IDC_MINUTES_LABEL, kLabel, "Expressed in Minutes", {90, 113, 68, 8}},
    {IDC_PORT, kEdit, nullptr, {118, 125, 19, 14}},
    {IDC_PORT_LABEL, kLabel, "Port: ", {94, 128, 16, 8}},
    {IDC_DOT_1, kCenteredLabel, ".", {219, 73, 8, 8}},
    {IDC_DOT_2, kCenteredLabel, ".", {234, 73, 8, 8}},
    {IDC_PROXY_ADDRESS, kEdit, nullptr, {69, 105, 93, 14}},
    {IDC_USE_PROXY, kCheckBox, "Use Proxy", {92, 72, 47, 10}},
    {IDC_PROXY_LABEL, kLabel, "Enter address of proxy server", {75, 92, 94, 8}},
    {IDC_HELP_LINE_1, kLabel, "Press the Button Below to Read", {80, 60, 105, 8}},
    {IDC_HELP_LINE_2, kLabel, "the Frequently Ask Questions", {85, 71, 102, 8}},
    {IDC_FAQ, kButton, "FAQ", {107, 87, 50, 14}},
    {IDC_SETUP_CANCEL, kButton, "Cancel", {137, 188, 50, 14}},
    {IDC_APPLY, kButton, "Apply", {196, 188, 50, 14}},
    {IDC_PRODIGY, kCheckBox, "Quellor with Prodigy or MSN! ", {69, 100, 103, 10}},
    {IDC_PRODIGY_LABEL, kLabel, "Prodigy or MSN Services Require a Check Mark Below", {36, 76, 189, 8}},
    {IDC_HOST_LIST, kList, nullptr, {140, 54, 105, 75}},
    {IDC_HTTP, kCheckBox, "HTTP (Recommended)", {18, 100, 91, 10}},
    {IDC_FTP, kCheckBox, "FTP", {18, 111, 29, 10}},
    {IDC_RANDOM, kCheckBox, "Use Random URLs", {17, 53, 75, 10}},
    {IDC_SEQUENTIAL, kCheckBox, "Use URLs Sequentially", {17, 64, 86, 10}},
    {IDC_CHANGE_URL, kButton, "Change URL", {161, 135, 64, 15}},
    {IDC_AOL_TITLE, kEdit, nullptr, {100, 124, 81, 14}},
    {IDC_AOL_TITLE_LABEL, kLabel, "Timer Title:", {59, 127, 35, 8}},
    {IDC_AOL4, kCheckBox, "I'm Using AOL 4.0", {42, 46, 78, 10}},
    {IDC_AOL3, kCheckBox, "I'm Using AOL 3.0", {123, 46, 84, 10}},
    {IDC_AOL_HINT, kCenteredLabel,
     "HINT:  AOL Canges the 46/47 minute MessageBox Titles frequently, Use the Edit Box below to change the Title "
     "of the Problem MessageBox when Quellor ceases to function with AOL.",
     {27, 65, 209, 35}},
    {IDC_INTERVAL, kTrackbar, nullptr, {51, 92, 131, 21}},
    {IDC_INTERVAL_LABEL, kLabel, "Increase/Decrease Activity", {89, 62, 86, 8}},
    {IDC_SCALE_5, kLabel, "5", {116, 79, 8, 8}},
    {IDC_SCALE_1, kLabel, "1", {56, 79, 8, 8}},
    {IDC_SCALE_10, kLabel, "10", {171, 79, 9, 8}},
    {IDC_AUTONETSENSE, kCheckBox, "Use AutoNetSense Technology ", {50, 169, 118, 10}},
};

const ExpectedControl kChangeUrlControls[] = {
    {IDOK, kDefaultButton, "OK", {35, 50, 50, 14}},
    {IDCANCEL, kButton, "Cancel", {105, 50, 50, 14}},
    {IDC_URL_TEXT, kEdit, nullptr, {16, 18, 109, 14}},
};

INT_PTR CALLBACK QuietDialog(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// A bordered edit or list box in a dialog may be given the sunken client
// edge in place of its plain border.
bool HasBorder(HWND control)
{
    return (GetWindowLongA(control, GWL_STYLE) & WS_BORDER) != 0 ||
           (GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
}

// The class and the style bits that make a control of this kind.
void ExpectKind(HWND control, Kind kind)
{
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    const bool tabStop = (style & WS_TABSTOP) != 0;
    switch (kind) {
    case kLabel:
    case kCenteredLabel:
        EXPECT_EQ(ClassOf(control), "Static");
        EXPECT_EQ(style & SS_TYPEMASK, kind == kLabel ? SS_LEFT : SS_CENTER);
        break;
    case kCheckBox:
    case kButton:
    case kDefaultButton:
        EXPECT_EQ(ClassOf(control), "Button");
        EXPECT_EQ(style & BS_TYPEMASK, kind == kCheckBox ? BS_AUTOCHECKBOX
                                       : kind == kButton ? BS_PUSHBUTTON
                                                         : BS_DEFPUSHBUTTON);
        EXPECT_TRUE(tabStop);
        break;
    case kEdit:
        EXPECT_EQ(ClassOf(control), "Edit");
        EXPECT_TRUE(HasBorder(control));
        EXPECT_EQ(style & (ES_AUTOHSCROLL | ES_MULTILINE), ES_AUTOHSCROLL);
        EXPECT_TRUE(tabStop);
        break;
    case kList:
        EXPECT_EQ(ClassOf(control), "ListBox");
        EXPECT_TRUE(HasBorder(control));
        EXPECT_EQ(style & (LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_SORT | LBS_MULTIPLESEL | LBS_EXTENDEDSEL),
                  LBS_NOTIFY | LBS_NOINTEGRALHEIGHT);
        // The scroll bar shows once the entries need it; they stay in order.
        for (const char* entry : {"b", "a", "d", "c", "f", "e", "h", "g", "j", "i", "l", "k"}) {
            SendMessageA(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
        }
        EXPECT_NE(GetWindowLongA(control, GWL_STYLE) & WS_VSCROLL, 0);
        EXPECT_EQ(SendMessageA(control, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("b")), 0);
        break;
    case kTabs:
        EXPECT_EQ(ClassOf(control), WC_TABCONTROLA);
        EXPECT_FALSE(tabStop);
        break;
    case kTrackbar:
        EXPECT_EQ(ClassOf(control), TRACKBAR_CLASSA);
        EXPECT_EQ(style & (TBS_VERT | TBS_AUTOTICKS | TBS_TOP | TBS_BOTH | TBS_NOTICKS), TBS_AUTOTICKS | TBS_TOP);
        break;
    }
}

// Creates the dialog hidden and checks it control by control, in tab order.
void ExpectTemplate(UINT dialogId, const char* title, DWORD style, SIZE size,
                    const std::vector<ExpectedControl>& expected)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    const HWND dialog =
        CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(dialogId), nullptr, QuietDialog, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog), title);
    // (The system gives every dialog the 3-D look, so that bit tells nothing.)
    const DWORD frameStyles = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CHILD;
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)) & frameStyles, style);
    RECT client = {};
    GetClientRect(dialog, &client);
    RECT wanted = {0, 0, size.cx, size.cy};
    MapDialogRect(dialog, &wanted);
    EXPECT_EQ(client.right, wanted.right);
    EXPECT_EQ(client.bottom, wanted.bottom);

    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
    const HDC screen = GetDC(nullptr);
    EXPECT_EQ(font.lfHeight, -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);

    HWND control = GetWindow(dialog, GW_CHILD);
    for (const ExpectedControl& want : expected) {
        ASSERT_NE(control, nullptr) << "missing control " << want.id;
        SCOPED_TRACE("control " + std::to_string(want.id) + (want.text != nullptr ? std::string(" ") + want.text : ""));
        EXPECT_EQ(GetDlgCtrlID(control), want.id);
        ExpectKind(control, want.kind);
        const bool frameEdge = (GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME) != 0;
        EXPECT_EQ(frameEdge, want.id == IDC_AOL_HINT) << "only the hint has a dialog-frame edge";
        if (want.text != nullptr) {
            EXPECT_EQ(TextOf(control), want.text);
        }
        // Each of the four numbers converts on its own, as the dialog
        // manager converts them.
        RECT place = want.place;
        MapDialogRect(dialog, &place);
        RECT actual = {};
        GetWindowRect(control, &actual);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(actual.left, place.left);
        EXPECT_EQ(actual.top, place.top);
        EXPECT_EQ(actual.right - actual.left, place.right);
        EXPECT_EQ(actual.bottom - actual.top, place.bottom);
        control = GetWindow(control, GW_HWNDNEXT);
    }
    EXPECT_EQ(control, nullptr) << "more controls than expected";
    DestroyWindow(dialog);
}

TEST(DialogTemplates, SetUpDialogControlsInTabOrderWithTheirKindsTextsAndPlaces)
{
    ExpectTemplate(IDD_SETUP, "Quellor--Set Up", DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                   {259, 209}, {std::begin(kSetupControls), std::end(kSetupControls)});
}

TEST(DialogTemplates, ChangeUrlDialogControlsInTabOrderWithTheirKindsTextsAndPlaces)
{
    ExpectTemplate(IDD_CHANGE_URL, "Quellor-Change URL", DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                   {187, 70}, {std::begin(kChangeUrlControls), std::end(kChangeUrlControls)});
}

}  // namespace
