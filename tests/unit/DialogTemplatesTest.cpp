// The Set Up and Change URL dialog templates as the system builds them from
// the program's resources: the ids the code uses, in tab order, each on a
// control of the kind the code expects, and the dialog's title, frame and
// font; and in every dialog with edit boxes, each box right after its label.
#include "res/resource.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

enum Kind { kLabel, kCenteredLabel, kCheckBox, kButton, kDefaultButton, kEdit, kList, kTabs, kTrackbar, kInput };

struct ExpectedControl {
    int id;
    Kind kind;
};

constexpr int kNoId = -1;

const ExpectedControl kSetupControls[] = {
    {IDOK, kDefaultButton},
    {IDC_NO_STARTUP_DIALOG, kCheckBox},
    {kNoId, kLabel},
    {kNoId, kLabel},
    {IDC_TABS, kTabs},
    {IDC_MINUTES_LABEL, kLabel},
    {IDC_PORT_LABEL, kLabel},
    {IDC_PORT, kEdit},
    {IDC_DOT_1, kCenteredLabel},
    {IDC_DOT_2, kCenteredLabel},
    {IDC_PROXY_LABEL, kLabel},
    {IDC_PROXY_ADDRESS, kEdit},
    {IDC_USE_PROXY, kCheckBox},
    {IDC_HELP_LINE_1, kLabel},
    {IDC_HELP_LINE_2, kLabel},
    {IDC_FAQ, kButton},
    {IDC_SETUP_CANCEL, kButton},
    {IDC_APPLY, kButton},
    {IDC_PRODIGY, kCheckBox},
    {IDC_PRODIGY_LABEL, kLabel},
    {IDC_HOST_LIST, kList},
    {IDC_HTTP, kCheckBox},
    {IDC_FTP, kCheckBox},
    {IDC_RANDOM, kCheckBox},
    {IDC_SEQUENTIAL, kCheckBox},
    {IDC_CHANGE_URL, kButton},
    {IDC_AOL_TITLE_LABEL, kLabel},
    {IDC_AOL_TITLE, kEdit},
    {IDC_AOL4, kCheckBox},
    {IDC_AOL3, kCheckBox},
    {IDC_AOL_HINT, kCenteredLabel},
    {IDC_INTERVAL, kTrackbar},
    {IDC_INTERVAL_LABEL, kLabel},
    {IDC_SCALE_5, kLabel},
    {IDC_SCALE_1, kLabel},
    {IDC_SCALE_10, kLabel},
    {IDC_ONLY_WHEN_QUIET, kCheckBox},
    {IDC_AUTONETSENSE, kCheckBox},
    {IDC_WHEN_CONNECTIONS_LABEL, kLabel},
    {IDC_WHEN_CONNECTIONS, kEdit},
    {IDC_KNOWN_CONNECTIONS_LABEL, kLabel},
    {IDC_KNOWN_CONNECTIONS, kInput},
    {IDC_ADD_CONNECTION, kButton},
    {IDC_WHEN_PROGRAMS_LABEL, kLabel},
    {IDC_WHEN_PROGRAMS, kEdit},
    {IDC_BROWSE_PROGRAM, kButton},
    {IDC_HOT_KEY_LABEL, kLabel},
    {IDC_HOT_KEY, kInput},
    {IDC_HOT_KEY_TAKEN, kLabel},
    {IDC_WHEN_DAYS_LABEL, kLabel},
    {IDC_SUNDAY, kCheckBox},
    {IDC_MONDAY, kCheckBox},
    {IDC_TUESDAY, kCheckBox},
    {IDC_WEDNESDAY, kCheckBox},
    {IDC_THURSDAY, kCheckBox},
    {IDC_FRIDAY, kCheckBox},
    {IDC_SATURDAY, kCheckBox},
    {IDC_WHEN_FROM_LABEL, kLabel},
    {IDC_WHEN_FROM, kInput},
    {IDC_WHEN_TO_LABEL, kLabel},
    {IDC_WHEN_TO, kInput},
    {IDC_SCHEDULE_NOTE, kLabel},
    {IDC_KEEP_AWAKE, kCheckBox},
    {IDC_KEEP_AWAKE_ON_BATTERY, kCheckBox},
    {IDC_REDIAL_LABEL, kLabel},
    {IDC_REDIAL_ENTRIES, kInput},
    {IDC_REDIAL_NONE, kLabel},
    {IDC_SHOW_BALLOONS, kCheckBox},
    {IDC_MANAGED_NOTE, kLabel},
};

const ExpectedControl kChangeUrlControls[] = {
    {IDOK, kDefaultButton},
    {IDCANCEL, kButton},
    {IDC_URL_TEXT, kEdit},
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

std::string TitleOf(HWND window)
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
        // Tab reaches it, and the arrow keys then switch tabs.
        EXPECT_EQ(ClassOf(control), WC_TABCONTROLA);
        EXPECT_TRUE(tabStop);
        break;
    case kTrackbar:
        EXPECT_EQ(ClassOf(control), TRACKBAR_CLASSA);
        EXPECT_EQ(style & (TBS_VERT | TBS_AUTOTICKS | TBS_TOP | TBS_BOTH | TBS_NOTICKS), TBS_AUTOTICKS | TBS_TOP);
        break;
    case kInput:
        // A drop-down list, a hot-key box or a time picker: their classes are
        // checked with their labels, below.
        EXPECT_TRUE(tabStop);
        break;
    }
}

HWND CreateHidden(UINT dialogId)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls,
                                     ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_DATE_CLASSES | ICC_HOTKEY_CLASS |
                                         ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(dialogId), nullptr, QuietDialog, 0);
}

// Creates the dialog hidden and checks it control by control, in tab order.
void ExpectTemplate(UINT dialogId, const char* title, DWORD style, const std::vector<ExpectedControl>& expected)
{
    const HWND dialog = CreateHidden(dialogId);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TitleOf(dialog), title);
    // (The system gives every dialog the 3-D look, so that bit tells nothing.)
    const DWORD frameStyles = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CHILD;
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)) & frameStyles, style);

    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
    const HDC screen = GetDC(nullptr);
    EXPECT_EQ(font.lfHeight, -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);

    HWND control = GetWindow(dialog, GW_CHILD);
    for (const ExpectedControl& want : expected) {
        ASSERT_NE(control, nullptr) << "missing control " << want.id;
        SCOPED_TRACE("control " + std::to_string(want.id));
        EXPECT_EQ(GetDlgCtrlID(control), want.id);
        ExpectKind(control, want.kind);
        control = GetWindow(control, GW_HWNDNEXT);
    }
    EXPECT_EQ(control, nullptr) << "more controls than expected";
    DestroyWindow(dialog);
}

TEST(DialogTemplates, ControlsInTabOrderWithTheIdsAndKindsTheCodeExpects)
{
    const DWORD frame = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    ExpectTemplate(IDD_SETUP, "Quellor--Set Up", frame, {std::begin(kSetupControls), std::end(kSetupControls)});
    ExpectTemplate(IDD_CHANGE_URL, "Quellor-Change URL", frame,
                   {std::begin(kChangeUrlControls), std::end(kChangeUrlControls)});
}

// A screen reader names an edit box, a drop-down list, a hot-key control or
// a time picker after the text of the label just before it in the window
// order.
TEST(DialogTemplates, EveryEditBoxOfSetUpAndTheWizardFollowsTheLabelThatNamesIt)
{
    const std::map<std::pair<UINT, int>, std::string> names = {
        {{IDD_SETUP, IDC_PORT}, "Port: "},
        {{IDD_SETUP, IDC_PROXY_ADDRESS}, "Enter address of proxy server"},
        {{IDD_SETUP, IDC_AOL_TITLE}, "Timer Title:"},
        {{IDD_SETUP, IDC_WHEN_CONNECTIONS}, "Switch ON while connected to (names separated by ;):"},
        {{IDD_SETUP, IDC_WHEN_PROGRAMS}, "Switch ON while one of these programs runs (separated by ;):"},
        {{IDD_SETUP, IDC_KNOWN_CONNECTIONS}, "Available:"},
        {{IDD_SETUP, IDC_HOT_KEY}, "Hot key for ON and OFF:"},
        {{IDD_SETUP, IDC_WHEN_FROM}, "From"},
        {{IDD_SETUP, IDC_WHEN_TO}, "to"},
        {{IDD_WIZARD_PROXY, IDC_WIZ_PROXY_ADDRESS}, "Proxy Address:"},
        {{IDD_WIZARD_PROXY, IDC_WIZ_PORT}, "Port:"},
    };
    std::size_t boxes = 0;
    for (const UINT dialogId : {IDD_SETUP, IDD_WIZARD_ISP, IDD_WIZARD_AUTONETSENSE, IDD_WIZARD_PROXY,
                                IDD_WIZARD_TIMER, IDD_WIZARD_PROTOCOL, IDD_WIZARD_URL_ORDER}) {
        const HWND dialog = CreateHidden(dialogId);
        ASSERT_NE(dialog, nullptr);
        for (HWND box = GetWindow(dialog, GW_CHILD); box != nullptr; box = GetWindow(box, GW_HWNDNEXT)) {
            const std::string kind = ClassOf(box);
            if (kind != "Edit" && kind != "ComboBox" && kind != HOTKEY_CLASSA && kind != DATETIMEPICK_CLASSA) {
                continue;
            }
            // Time pickers for hours and minutes, with arrows rather than a calendar.
            EXPECT_TRUE(kind != DATETIMEPICK_CLASSA ||
                        (GetWindowLongA(box, GWL_STYLE) & DTS_TIMEFORMAT) == DTS_TIMEFORMAT);
            ++boxes;
            const auto name = names.find({dialogId, GetDlgCtrlID(box)});
            ASSERT_NE(name, names.end()) << "dialog " << dialogId << ": edit box " << GetDlgCtrlID(box);
            const HWND label = GetWindow(box, GW_HWNDPREV);
            ASSERT_NE(label, nullptr) << name->second;
            EXPECT_EQ(ClassOf(label), "Static") << name->second;
            EXPECT_EQ(TitleOf(label), name->second);
        }
        DestroyWindow(dialog);
    }
    EXPECT_EQ(boxes, names.size());
}

}  // namespace
