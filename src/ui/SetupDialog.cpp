#include "ui/SetupDialog.h"

#include "res/AppMessages.h"
#include "res/resource.h"
#include "settings/MakerSite.h"
#include "settings/Settings.h"
#include "ui/ChangeUrlDialog.h"
#include "ui/SettingControl.h"
#include "ui/ProgramFileDialog.h"
#include "ui/WebLink.h"
#include "win/IpHelper.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

namespace {

enum Tab { kUrlTab, kTimerTab, kProxyTab, kAolTab, kProdigyTab, kHelpTab, kSwitchOnTab, kScheduleTab, kTabCount };

const char* const kTabNames[] = {"URL", "Timer", "Proxy", "AOL", "Prodigy/MSN", "Online Help", "Switch ON", "Schedule"};
static_assert(std::size(kTabNames) == kTabCount, "one name for every tab");

// A control that belongs to one tab; the timer title and its companions show
// only while an America Online version is chosen.
struct TabControl {
    int tab;
    int id;
    bool needsAolVersion;
};

constexpr TabControl kTabControls[] = {
    {kUrlTab, IDC_RANDOM, false},
    {kUrlTab, IDC_SEQUENTIAL, false},
    {kUrlTab, IDC_HTTP, false},
    {kUrlTab, IDC_FTP, false},
    {kUrlTab, IDC_HOST_LIST, false},
    {kUrlTab, IDC_CHANGE_URL, false},
    {kTimerTab, IDC_INTERVAL, false},
    {kTimerTab, IDC_SCALE_1, false},
    {kTimerTab, IDC_SCALE_5, false},
    {kTimerTab, IDC_SCALE_10, false},
    {kTimerTab, IDC_INTERVAL_LABEL, false},
    {kTimerTab, IDC_MINUTES_LABEL, false},
    {kProxyTab, IDC_PROXY_LABEL, false},
    {kProxyTab, IDC_USE_PROXY, false},
    {kProxyTab, IDC_PROXY_ADDRESS, false},
    {kProxyTab, IDC_PORT_LABEL, false},
    {kProxyTab, IDC_PORT, false},
    {kProxyTab, IDC_DOT_1, false},
    {kProxyTab, IDC_DOT_2, false},
    {kAolTab, IDC_AOL4, false},
    {kAolTab, IDC_AOL3, false},
    {kAolTab, IDC_AOL_TITLE_LABEL, true},
    {kAolTab, IDC_AOL_TITLE, true},
    {kAolTab, IDC_AOL_HINT, true},
    {kProdigyTab, IDC_PRODIGY_LABEL, false},
    {kProdigyTab, IDC_PRODIGY, false},
    {kHelpTab, IDC_HELP_LINE_1, false},
    {kHelpTab, IDC_HELP_LINE_2, false},
    {kHelpTab, IDC_FAQ, false},
    {kSwitchOnTab, IDC_WHEN_CONNECTIONS_LABEL, false},
    {kSwitchOnTab, IDC_WHEN_CONNECTIONS, false},
    {kSwitchOnTab, IDC_KNOWN_CONNECTIONS_LABEL, false},
    {kSwitchOnTab, IDC_KNOWN_CONNECTIONS, false},
    {kSwitchOnTab, IDC_ADD_CONNECTION, false},
    {kSwitchOnTab, IDC_WHEN_PROGRAMS_LABEL, false},
    {kSwitchOnTab, IDC_WHEN_PROGRAMS, false},
    {kSwitchOnTab, IDC_BROWSE_PROGRAM, false},
    {kSwitchOnTab, IDC_HOT_KEY_LABEL, false},
    {kSwitchOnTab, IDC_HOT_KEY, false},
    {kSwitchOnTab, IDC_HOT_KEY_TAKEN, false},
    {kScheduleTab, IDC_WHEN_DAYS_LABEL, false},
    {kScheduleTab, IDC_SUNDAY, false},
    {kScheduleTab, IDC_MONDAY, false},
    {kScheduleTab, IDC_TUESDAY, false},
    {kScheduleTab, IDC_WEDNESDAY, false},
    {kScheduleTab, IDC_THURSDAY, false},
    {kScheduleTab, IDC_FRIDAY, false},
    {kScheduleTab, IDC_SATURDAY, false},
    {kScheduleTab, IDC_WHEN_FROM_LABEL, false},
    {kScheduleTab, IDC_WHEN_FROM, false},
    {kScheduleTab, IDC_WHEN_TO_LABEL, false},
    {kScheduleTab, IDC_WHEN_TO, false},
    {kScheduleTab, IDC_SCHEDULE_NOTE, false},
    {kScheduleTab, IDC_KEEP_AWAKE, false},
};

// The controls that a policy can take out of the user's hands; the host
// list's entries are each their own setting.
constexpr SettingControl kSettingControls[] = {
    {IDC_NO_STARTUP_DIALOG, keys::StartUp},
    {IDC_AUTONETSENSE, keys::AutoNetSense},
    {IDC_HTTP, keys::IsHttp},
    {IDC_FTP, keys::IsHttp},
    {IDC_RANDOM, keys::IsRand},
    {IDC_SEQUENTIAL, keys::IsRand},
    {IDC_INTERVAL, keys::DefaultMin},
    {IDC_USE_PROXY, keys::Proxy},
    {IDC_PROXY_ADDRESS, keys::ProxyIP3},
    {IDC_PORT, keys::Port},
    {IDC_AOL_TITLE, keys::AOL47},
    {IDC_WHEN_CONNECTIONS, keys::WhenConnections},
    {IDC_KNOWN_CONNECTIONS, keys::WhenConnections},
    {IDC_ADD_CONNECTION, keys::WhenConnections},
    {IDC_WHEN_PROGRAMS, keys::WhenPrograms},
    {IDC_BROWSE_PROGRAM, keys::WhenPrograms},
    {IDC_SUNDAY, keys::WhenDays},
    {IDC_MONDAY, keys::WhenDays},
    {IDC_TUESDAY, keys::WhenDays},
    {IDC_WEDNESDAY, keys::WhenDays},
    {IDC_THURSDAY, keys::WhenDays},
    {IDC_FRIDAY, keys::WhenDays},
    {IDC_SATURDAY, keys::WhenDays},
    {IDC_WHEN_FROM, keys::WhenFrom},
    {IDC_WHEN_TO, keys::WhenTo},
    {IDC_HOT_KEY, keys::HotKey},
    {IDC_KEEP_AWAKE, keys::KeepAwake},
};

// The tab that shows the control, or -1 for one that always shows.
int TabOf(int id)
{
    const auto control = std::find_if(std::begin(kTabControls), std::end(kTabControls),
                                      [id](const TabControl& c) { return c.id == id; });
    return control != std::end(kTabControls) ? control->tab : -1;
}

constexpr int kDaysPerWeek = 7;
// The day boxes' ids follow each other from Sunday, as the days' bits do.
static_assert(IDC_SATURDAY - IDC_SUNDAY == kDaysPerWeek - 1, "one box for every day");

using SplitFunction = std::vector<std::string> (*)(std::string_view);

// The list's text with the name added at its end, unless the list holds the
// name already, in any case.
std::string WithName(std::string list, const std::string& name, SplitFunction split)
{
    for (const std::string& held : split(list)) {
        if (lstrcmpiA(held.c_str(), name.c_str()) == 0) {
            return list;
        }
    }
    // (With nothing but blanks and separators, npos + 1 erases it all.)
    list.erase(list.find_last_not_of(" \t;") + 1);
    return list.empty() ? name : list + ';' + name;
}

// A file name as the system allows one (the folder, before the last '\',
// is dropped when the list is stored).
bool IsFileName(const std::string& name)
{
    return std::none_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < ' ' || std::string_view("/:*?\"<>|").find(c) != std::string_view::npos;
    });
}

UINT CheckState(int value)
{
    return value != 0 ? BST_CHECKED : BST_UNCHECKED;
}

}  // namespace

const win::MessageEntry<CSetupDialog> CSetupDialog::messages[] = {
    {WM_HOTKEY_TAKEN, &CSetupDialog::OnHotKeyTaken},
};

const win::CommandEntry<CSetupDialog> CSetupDialog::commands[] = {
    {IDC_NO_STARTUP_DIALOG, &CSetupDialog::OnStartUpClicked},
    {IDC_HTTP, &CSetupDialog::OnHttpClicked},
    {IDC_FTP, &CSetupDialog::OnFtpClicked},
    {IDC_RANDOM, &CSetupDialog::OnRandomClicked},
    {IDC_SEQUENTIAL, &CSetupDialog::OnSequentialClicked},
    {IDC_AOL3, &CSetupDialog::OnAol3Clicked},
    {IDC_AOL4, &CSetupDialog::OnAol4Clicked},
    {IDC_CHANGE_URL, &CSetupDialog::OnChangeUrl},
    {IDC_SETUP_CANCEL, &CSetupDialog::OnCancel},
    {IDC_APPLY, &CSetupDialog::OnApply},
    {IDC_FAQ, &CSetupDialog::OnFaq},
    {IDC_ADD_CONNECTION, &CSetupDialog::OnAddConnection},
    {IDC_BROWSE_PROGRAM, &CSetupDialog::OnBrowseProgram},
};

const win::NotifyEntry<CSetupDialog> CSetupDialog::notifications[] = {
    {IDC_TABS, TCN_SELCHANGE, &CSetupDialog::OnTabChanged},
    {IDC_HOST_LIST, LBN_DBLCLK, &CSetupDialog::OnChangeUrl},
    {IDC_HOST_LIST, LBN_SELCHANGE, &CSetupDialog::EnableChangeUrl},
    {IDC_HOT_KEY, EN_CHANGE, &CSetupDialog::OnHotKeyChanged},
};

const win::MessageMap<CSetupDialog> CSetupDialog::messageMap = {messages, commands, notifications, {}};

CSetupDialog::CSetupDialog(int startUp, bool hotKeyTaken)
    : CDialog(IDD_SETUP), startUp(startUp), hotKeyTaken(hotKeyTaken)
{
}

bool CSetupDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_ACTIVATE && !closing) {
        // The owner is hidden; make sure the dialog itself is on screen. The
        // default handling (the focus) still follows. Not once it closes:
        // the owner taking the activation would bring it back into view.
        ShowWindow(hwnd, SW_SHOW);
    }
    return win::DispatchMessageMap(*this, messageMap, message, wParam, lParam, result) ||
           CDialog::OnMessage(message, wParam, lParam, result);
}

BOOL CSetupDialog::OnInitDialog()
{
    autoNetSense = settings::Read(keys::AutoNetSense);
    if (startUp == 1) {
        CheckDlgButton(hwnd, IDC_NO_STARTUP_DIALOG, BST_CHECKED);
    }
    RECT work = {};
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
        CentreOn(work);
    }
    SendMessageA(Item(IDC_INTERVAL), TBM_SETRANGE, FALSE, MAKELONG(keys::kFewestMinutes, keys::kMostMinutes));
    ReadSettings();
    hosts.Read();
    FillHostList();
    PrepareSwitchControls();
    InsertTabs();
    ShowTabControls();
    const int minutes = std::clamp(settings::Read(keys::DefaultMin), keys::kFewestMinutes, keys::kMostMinutes);
    SendMessageA(Item(IDC_INTERVAL), TBM_SETPOS, TRUE, minutes);
    UpdateData(false);
    const bool managed = DisableManaged(hwnd, kSettingControls);
    ShowWindow(Item(IDC_MANAGED_NOTE), managed || CHostLists::AnyManaged() ? SW_SHOW : SW_HIDE);
    return TRUE;
}

void CSetupDialog::ReadSettings()
{
    prodigy = settings::Read(keys::Prodigy);
    aol.isAol = settings::Read(keys::IsAOL);
    aol.isAol4 = settings::Read(keys::IsAOL4);
    defaultUrl = settings::Read(keys::DefaultURL);
    // Only 1 chooses web contacts and random order; any other value the other
    // box, so exactly one box of each pair is checked.
    isHttp = settings::Read(keys::IsHttp) == 1 ? 1 : 0;
    isFtp = 1 - isHttp;
    isRand = settings::Read(keys::IsRand) == 1 ? 1 : 0;
    isSequential = 1 - isRand;
    proxy = settings::Read(keys::Proxy);
    proxyAddress = settings::Read(keys::ProxyIP3);
    port = settings::Read(keys::Port);
    aol.title = settings::Read(keys::AOL47);
    switches = SwitchSettings::Read();
    whenConnections = switch_settings::JoinNames(switches.connections);
    whenPrograms = switch_settings::JoinNames(switches.programs);
}

void CSetupDialog::Exchange(win::CDataExchange& dx)
{
    dx.Check(IDC_NO_STARTUP_DIALOG, startUp);
    dx.Check(IDC_USE_PROXY, proxy);
    dx.Text(IDC_PROXY_ADDRESS, proxyAddress);
    dx.Integer(IDC_PORT, port, keys::kLowestPort, keys::kHighestPort);
    dx.Check(IDC_PRODIGY, prodigy);
    dx.Check(IDC_HTTP, isHttp);
    dx.Check(IDC_FTP, isFtp);
    dx.Check(IDC_RANDOM, isRand);
    dx.Check(IDC_SEQUENTIAL, isSequential);
    dx.Check(IDC_AOL3, aol.isAol);
    dx.Text(IDC_AOL_TITLE, aol.title);
    dx.Check(IDC_AUTONETSENSE, autoNetSense);
    if (!dx.IsSaving()) {
        // The 4.0 box follows its click rule; it is never read back.
        dx.Check(IDC_AOL4, aol.isAol4);
    }
    ExchangeSwitches(dx);
}

void CSetupDialog::ExchangeSwitches(win::CDataExchange& dx)
{
    dx.Text(IDC_WHEN_CONNECTIONS, whenConnections, switch_settings::kMostListChars);
    dx.Text(IDC_WHEN_PROGRAMS, whenPrograms, switch_settings::kMostListChars);
    for (const std::string& program : switch_settings::SplitProgramNames(whenPrograms)) {
        if (!IsFileName(program)) {
            dx.Fail(IDC_WHEN_PROGRAMS,
                    '"' + program + "\" is not a program's file name: it may not hold any of / : * ? \" < > |.");
        }
    }
    for (int day = 0; day < kDaysPerWeek; ++day) {
        int checked = (switches.days >> day) & 1;
        dx.Check(IDC_SUNDAY + day, checked);
        switches.days = (switches.days & ~(1 << day)) | (checked << day);
    }
    dx.Time(IDC_WHEN_FROM, switches.fromMinute);
    dx.Time(IDC_WHEN_TO, switches.toMinute);
    dx.HotKey(IDC_HOT_KEY, switches.hotKey);
    int keepAwake = switches.keepAwake ? 1 : 0;
    dx.Check(IDC_KEEP_AWAKE, keepAwake);
    switches.keepAwake = keepAwake == 1;
}

bool CSetupDialog::Save()
{
    if (!ReadControls()) {
        return false;
    }
    WriteSettings();
    return true;
}

// A rejected box, which has the focus now, may be on a tab that is not
// showing, where the user could neither see nor mend it.
bool CSetupDialog::ReadControls()
{
    if (UpdateData(true)) {
        return true;
    }
    const HWND rejected = GetFocus();
    const int tab = TabOf(GetDlgCtrlID(rejected));
    if (tab >= 0) {
        SelectTab(tab);
    }
    SetFocus(rejected);
    SendMessageA(rejected, EM_SETSEL, 0, -1);
    return false;
}

void CSetupDialog::WriteSettings() const
{
    settings::Write(keys::IsAOL, aol.isAol);
    settings::Write(keys::IsAOL4, aol.isAol4);
    settings::Write(keys::AutoNetSense, autoNetSense);
    settings::Write(keys::IsRand, isRand);
    settings::Write(keys::StartUp, startUp);
    settings::Write(keys::DefaultMin, static_cast<int>(SendMessageA(Item(IDC_INTERVAL), TBM_GETPOS, 0, 0)));
    settings::Write(keys::DefaultURL, defaultUrl);
    settings::Write(keys::IsHttp, isHttp);
    settings::Write(keys::Proxy, proxy);
    settings::Write(keys::ProxyIP3, proxyAddress);
    settings::Write(keys::AOL47, aol.title);
    settings::Write(keys::Port, port);
    settings::Write(keys::Prodigy, prodigy);
    hosts.Write();
    SwitchSettings stored = switches;
    stored.connections = switch_settings::SplitNames(whenConnections);
    stored.programs = switch_settings::SplitProgramNames(whenPrograms);
    stored.Write();
}

void CSetupDialog::OnOK()
{
    if (Save()) {
        Close(IDOK);
    }
}

void CSetupDialog::OnCancel()
{
    // Cancel checks the port too, though it writes nothing.
    if (ReadControls()) {
        Close(IDCANCEL);
    }
}

void CSetupDialog::OnApply()
{
    const HWND owner = GetWindow(hwnd, GW_OWNER);
    if (Save() && owner != nullptr) {
        PostMessageA(owner, WM_SETUP_APPLIED, reinterpret_cast<WPARAM>(hwnd), 0);
    }
}

void CSetupDialog::OnFaq()
{
    OnOK();
    OpenWebPage(hwnd, maker::kFaqPage);
}

void CSetupDialog::Close(INT_PTR result)
{
    closing = true;
    EndDialog(result);
}

void CSetupDialog::InsertTabs()
{
    const HWND tabs = Item(IDC_TABS);
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    for (int i = 0; i < static_cast<int>(std::size(kTabNames)); ++i) {
        item.pszText = const_cast<char*>(kTabNames[i]);
        SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    // Each tab as wide as its name, so that all of them fit in one row.
    SendMessageA(tabs, TCM_SETMINTABWIDTH, 0, 0);
    SendMessageA(tabs, TCM_SETCURSEL, kUrlTab, 0);
    selectedTab = kUrlTab;
}

void CSetupDialog::ShowTabControls()
{
    for (const TabControl& control : kTabControls) {
        const bool shown = control.tab == selectedTab && (!control.needsAolVersion || aol.ShowsTitle());
        ShowWindow(Item(control.id), shown ? SW_SHOW : SW_HIDE);
    }
    if (!hotKeyTaken) {
        ShowWindow(Item(IDC_HOT_KEY_TAKEN), SW_HIDE);
    }
}

void CSetupDialog::SelectTab(int tab)
{
    SendMessageA(Item(IDC_TABS), TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
    OnTabChanged();
}

int CSetupDialog::TabStep(const MSG& message)
{
    if (message.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0) {
        return 0;
    }
    switch (message.wParam) {
    case VK_TAB:
        return GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
    case VK_NEXT:
        return 1;
    case VK_PRIOR:
        return -1;
    default:
        return 0;
    }
}

// The system's tabbed dialogs switch tabs with these keys from any control;
// the dialog manager would take Ctrl+Tab for a plain Tab.
bool CSetupDialog::PreTranslateMessage(const MSG& message) noexcept
{
    const int step = TabStep(message);
    if (step == 0) {
        return false;
    }
    // A control of the tab that goes keeps the focus no longer.
    const HWND focus = GetFocus();
    SelectTab((selectedTab + step + kTabCount) % kTabCount);
    if (!IsWindowVisible(focus)) {
        SendMessageA(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_TABS)), TRUE);
    }
    return true;
}

void CSetupDialog::OnTabChanged()
{
    selectedTab = static_cast<int>(SendMessageA(Item(IDC_TABS), TCM_GETCURSEL, 0, 0));
    ShowTabControls();
}

keys::HostList CSetupDialog::ChosenList() const
{
    return isHttp == 1 ? keys::HostList::Http : keys::HostList::Ftp;
}

void CSetupDialog::FillHostList()
{
    const HWND list = Item(IDC_HOST_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& entry : hosts.Entries(ChosenList())) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    EnableChangeUrl();
}

void CSetupDialog::EnableChangeUrl()
{
    const int index = static_cast<int>(SendMessageA(Item(IDC_HOST_LIST), LB_GETCURSEL, 0, 0));
    const bool editable = index >= 0 && index < keys::kHostCount && !CHostLists::IsManaged(ChosenList(), index);
    EnableWindow(Item(IDC_CHANGE_URL), editable ? TRUE : FALSE);
}

void CSetupDialog::ShowPairs()
{
    CheckDlgButton(hwnd, IDC_HTTP, CheckState(isHttp));
    CheckDlgButton(hwnd, IDC_FTP, CheckState(isFtp));
    CheckDlgButton(hwnd, IDC_RANDOM, CheckState(isRand));
    CheckDlgButton(hwnd, IDC_SEQUENTIAL, CheckState(isSequential));
}

void CSetupDialog::OnStartUpClicked()
{
    startUp = startUp == 0 ? 1 : 0;
}

void CSetupDialog::OnHttpClicked()
{
    isHttp = 1;
    isFtp = 0;
    ShowPairs();
    FillHostList();
}

void CSetupDialog::OnFtpClicked()
{
    isHttp = 0;
    isFtp = 1;
    ShowPairs();
    FillHostList();
}

void CSetupDialog::OnRandomClicked()
{
    isRand = 1;
    isSequential = 0;
    ShowPairs();
}

void CSetupDialog::OnSequentialClicked()
{
    isRand = 0;
    isSequential = 1;
    ShowPairs();
}

void CSetupDialog::OnAolVersionClicked(AolVersion version)
{
    // What the user has typed into the title box is the title the rule sees.
    aol.title = win::WindowText(Item(IDC_AOL_TITLE));
    AolChoice next = ClickAolVersion(aol, version);
    if (!IsWindowEnabled(Item(IDC_AOL_TITLE))) {
        next.title = aol.title;  // as a policy sets it
    }
    if (next.title != aol.title) {
        SetDlgItemTextA(hwnd, IDC_AOL_TITLE, next.title.c_str());
    }
    aol = next;
    CheckDlgButton(hwnd, IDC_AOL3, CheckState(aol.isAol));
    CheckDlgButton(hwnd, IDC_AOL4, CheckState(aol.isAol4));
    ShowTabControls();
}

void CSetupDialog::OnChangeUrl()
{
    const HWND list = Item(IDC_HOST_LIST);
    const int index = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    // A double click reaches here too: an entry a policy sets stays.
    if (index < 0 || index >= keys::kHostCount || !IsWindowEnabled(Item(IDC_CHANGE_URL))) {
        return;
    }
    std::string& entry = hosts.Entry(ChosenList(), index);
    CChangeUrlDialog dialog(entry);
    dialog.DoModal(hwnd);
    entry = dialog.Text();
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(entry.c_str()));
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void CSetupDialog::PrepareSwitchControls()
{
    const HWND known = Item(IDC_KNOWN_CONNECTIONS);
    for (const std::string& name : win::CurrentConnectionNames()) {
        SendMessageA(known, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    const bool anyKnown = SendMessageA(known, CB_SETCURSEL, 0, 0) != CB_ERR;
    EnableWindow(known, anyKnown);
    EnableWindow(Item(IDC_ADD_CONNECTION), anyKnown);

    // Shift or nothing with a key would take that key from every program.
    SendMessageA(Item(IDC_HOT_KEY), HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));

    // The user's own short time format; the picker's default has seconds,
    // which the schedule does not keep.
    constexpr LCTYPE kShortTimeFormat = 0x79;  // LOCALE_SSHORTTIME, from Windows 7 on
    char format[80] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, kShortTimeFormat, format, sizeof format) == 0) {
        lstrcpynA(format, "HH:mm", sizeof format);
    }
    for (const int picker : {IDC_WHEN_FROM, IDC_WHEN_TO}) {
        SendMessageA(Item(picker), DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>(format));
    }
}

void CSetupDialog::OnAddConnection()
{
    const std::string name = win::WindowText(Item(IDC_KNOWN_CONNECTIONS));
    if (!name.empty()) {
        const std::string list = win::WindowText(Item(IDC_WHEN_CONNECTIONS));
        SetDlgItemTextA(hwnd, IDC_WHEN_CONNECTIONS, WithName(list, name, switch_settings::SplitNames).c_str());
    }
}

void CSetupDialog::OnBrowseProgram()
{
    std::string program;
    if (ChooseProgramFile(hwnd, program)) {
        const std::string list = win::WindowText(Item(IDC_WHEN_PROGRAMS));
        SetDlgItemTextA(hwnd, IDC_WHEN_PROGRAMS, WithName(list, program, switch_settings::SplitProgramNames).c_str());
    }
}

LRESULT CSetupDialog::OnHotKeyTaken(WPARAM taken, LPARAM)
{
    hotKeyTaken = taken != 0;
    ShowTabControls();
    return 0;
}

// Whether another key is free is known only once it is applied.
void CSetupDialog::OnHotKeyChanged()
{
    if (hotKeyTaken) {
        hotKeyTaken = false;
        ShowTabControls();
    }
}
