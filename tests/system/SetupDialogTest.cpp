// The Set Up dialog and the Change URL dialog in the running Quellor.exe,
// driven as a user would (clicks, typing, keys, tab and list clicks) and
// checked through what the controls show and what reaches the registry.
#include "BrowserStandIn.h"
#include "LoopbackListener.h"
#include "QuellorProcess.h"
#include "QuellorRegistry.h"
#include "RemoteDialog.h"
#include "TestWindows.h"
#include "WizardDriver.h"

#include "res/AppMessages.h"
#include "res/resource.h"
#include "win/IpHelper.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <climits>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

const char* const kSetupTitle = "Quellor--Set Up";
const char* const kChangeUrlTitle = "Quellor-Change URL";
const char* const kMessageCaption = "Quellor";
// The file name box of the system's Open dialog, an edit box in a combo box.
constexpr int kFileNameBox = 1148;

enum Tab { kUrlTab, kTimerTab, kProxyTab, kAolTab, kProdigyTab, kHelpTab, kSwitchOnTab, kScheduleTab, kRedialTab };

// The controls each tab shows; the last three of the AOL tab only while a
// version is chosen.
const std::map<int, std::vector<int>> kTabControls = {
    {kUrlTab, {IDC_RANDOM, IDC_SEQUENTIAL, IDC_HTTP, IDC_FTP, IDC_HOST_LIST, IDC_CHANGE_URL}},
    {kTimerTab, {IDC_INTERVAL, IDC_SCALE_1, IDC_SCALE_5, IDC_SCALE_10, IDC_INTERVAL_LABEL, IDC_MINUTES_LABEL}},
    {kProxyTab, {IDC_PROXY_LABEL, IDC_USE_PROXY, IDC_PROXY_ADDRESS, IDC_PORT_LABEL, IDC_PORT, IDC_DOT_1, IDC_DOT_2}},
    {kAolTab, {IDC_AOL4, IDC_AOL3, IDC_AOL_TITLE_LABEL, IDC_AOL_TITLE, IDC_AOL_HINT}},
    {kProdigyTab, {IDC_PRODIGY_LABEL, IDC_PRODIGY}},
    {kHelpTab, {IDC_HELP_LINE_1, IDC_HELP_LINE_2, IDC_FAQ}},
    {kSwitchOnTab,
     {IDC_WHEN_CONNECTIONS_LABEL, IDC_WHEN_CONNECTIONS, IDC_KNOWN_CONNECTIONS_LABEL, IDC_KNOWN_CONNECTIONS,
      IDC_ADD_CONNECTION, IDC_WHEN_PROGRAMS_LABEL, IDC_WHEN_PROGRAMS, IDC_BROWSE_PROGRAM, IDC_HOT_KEY_LABEL,
      IDC_HOT_KEY, IDC_HOT_KEY_TAKEN}},
    {kScheduleTab,
     {IDC_WHEN_DAYS_LABEL, IDC_SUNDAY, IDC_MONDAY, IDC_TUESDAY, IDC_WEDNESDAY, IDC_THURSDAY, IDC_FRIDAY, IDC_SATURDAY,
      IDC_WHEN_FROM_LABEL, IDC_WHEN_FROM, IDC_WHEN_TO_LABEL, IDC_WHEN_TO, IDC_SCHEDULE_NOTE, IDC_KEEP_AWAKE}},
    // Wine's own dial-up service has no phonebook: the note stands in for the list.
    {kRedialTab, {IDC_REDIAL_LABEL, IDC_REDIAL_ENTRIES, IDC_REDIAL_NONE, IDC_SHOW_BALLOONS}},
};
const std::vector<int> kAolTitleGroup = {IDC_AOL_TITLE_LABEL, IDC_AOL_TITLE, IDC_AOL_HINT};
const std::vector<int> kAlwaysShown = {IDOK,          IDC_SETUP_CANCEL, IDC_APPLY,
                                       IDC_TABS,      IDC_NO_STARTUP_DIALOG, IDC_AUTONETSENSE};

std::string HostKey(const char* list, int index)
{
    return list + std::to_string(index);
}

// A store after the first start, with no dialog at start-up and hosts that
// tell the two lists and their positions apart.
void PrepareStore()
{
    quellor_registry::PrepareQuietStart();
    for (int i = 0; i < 10; ++i) {
        quellor_registry::WriteString(HostKey("HTTPURL", i).c_str(), "127.0.1." + std::to_string(i));
        quellor_registry::WriteString(HostKey("FTPURL", i).c_str(), "127.0.2." + std::to_string(i));
    }
}

std::vector<std::string> StoredList(const char* list)
{
    std::vector<std::string> entries;
    for (int i = 0; i < 10; ++i) {
        entries.push_back(quellor_registry::ReadString(HostKey(list, i).c_str(), "<missing>"));
    }
    return entries;
}

std::vector<std::string> Repeated(const std::string& entry)
{
    return std::vector<std::string>(10, entry);
}

// Every value of the program's section, to see that nothing changed.
std::map<std::string, std::string> StoreSnapshot()
{
    std::map<std::string, std::string> values;
    for (const char* key :
         {"StartUp",      "AutoNetSense", "IsAOL",    "IsAOL4",   "Prodigy", "IsHttp",     "IsRand",
          "DefaultMin",   "Proxy",        "Port",     "ProxyIP3", "AOL47",   "DefaultURL", "WhenConnections",
          "WhenPrograms", "WhenDays",     "WhenFrom", "WhenTo",   "HotKey",  "KeepAwake"}) {
        const unsigned long type = quellor_registry::TypeOf(key);
        values[key] = type == REG_NONE    ? "<missing>"
                      : type == REG_DWORD ? std::to_string(quellor_registry::ReadInt(key, 0))
                                          : quellor_registry::ReadString(key, "");
    }
    for (const char* list : {"HTTPURL", "FTPURL"}) {
        const std::vector<std::string> entries = StoredList(list);
        for (int i = 0; i < 10; ++i) {
            values[HostKey(list, i)] = entries[i];
        }
    }
    return values;
}

RECT ScreenClientRect(HWND window)
{
    RECT rect = {};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Points of a text, check box, radio button, group box or trackbar where
// only its background shows: the top row, above the text, the box and a
// group box's line; a trackbar's corners, clear of its ticks and focus
// frame. None for other controls.
std::vector<POINT> BackgroundPoints(HWND control)
{
    char kind[32] = {};
    GetClassNameA(control, kind, sizeof kind);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    const RECT rect = ScreenClientRect(control);
    if (lstrcmpiA(kind, TRACKBAR_CLASSA) == 0) {
        return {{rect.left + 2, rect.top + 2}, {rect.right - 3, rect.top + 2},
                {rect.left + 2, rect.bottom - 3}, {rect.right - 3, rect.bottom - 3}};
    }
    const bool text = lstrcmpiA(kind, "Static") == 0 && (style & SS_TYPEMASK) != SS_BITMAP;
    const bool box = lstrcmpiA(kind, "Button") == 0 && (style & BS_TYPEMASK) != BS_PUSHBUTTON &&
                     (style & BS_TYPEMASK) != BS_DEFPUSHBUTTON;
    std::vector<POINT> points;
    for (LONG x = rect.left; (text || box) && x < rect.right; ++x) {
        points.push_back({x, rect.top});
    }
    return points;
}

// Every such control whose middle lies in the area (screen coordinates)
// shows the colour that the background point, where no control is, shows.
void ExpectControlsOnBackground(HWND window, const RECT& area, POINT background, const std::string& where)
{
    RECT shown = {};
    GetWindowRect(window, &shown);
    // The picture once the painting after the last click has ended.
    std::vector<BYTE> pixels;
    WaitUntil(
        [&] {
            std::vector<BYTE> now = ScreenPixels(shown);
            const bool still = !now.empty() && now == pixels;
            pixels = std::move(now);
            return still;
        },
        3000, 150);
    const auto colourAt = [&](POINT point) {
        const auto width = static_cast<std::size_t>(shown.right - shown.left);
        const std::size_t at =
            (static_cast<std::size_t>(point.y - shown.top) * width + static_cast<std::size_t>(point.x - shown.left)) * 4;
        return at + 2 < pixels.size() ? RGB(pixels[at + 2], pixels[at + 1], pixels[at]) : CLR_INVALID;
    };
    const COLORREF page = colourAt(background);
    for (HWND control = GetWindow(window, GW_CHILD); control != nullptr; control = GetWindow(control, GW_HWNDNEXT)) {
        RECT rect = {};
        GetWindowRect(control, &rect);
        if (!IsWindowVisible(control) || !PtInRect(&area, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2})) {
            continue;
        }
        for (const POINT point : BackgroundPoints(control)) {
            if (colourAt(point) != page) {
                ADD_FAILURE() << where << ", control " << GetDlgCtrlID(control) << " \"" << GetText(control)
                              << "\": colour " << std::hex << colourAt(point) << " where the page shows " << page;
                break;
            }
        }
    }
}

class SetupDialog : public ::testing::Test {
protected:
    void Launch()
    {
        ASSERT_TRUE(quellor.Launch());
        ASSERT_NE(quellor.WaitForMainWindow(), nullptr);
    }

    // The tray menu's "Set Up Quellor".
    void OpenFromTray()
    {
        PostMessageA(quellor.MainWindow(), WM_COMMAND, ID_SETUP, 0);
        WaitForSetUp();
    }

    void WaitForSetUp()
    {
        dialog = CRemoteDialog(::WaitForDialog(quellor.Id(), kSetupTitle));
        ASSERT_TRUE(dialog.IsOpen());
    }

    void LaunchAndOpen()
    {
        ASSERT_NO_FATAL_FAILURE(Launch());
        ASSERT_NO_FATAL_FAILURE(OpenFromTray());
    }

    void ShowTab(int tab) { ASSERT_TRUE(dialog.ClickTab(IDC_TABS, tab)); }

    // Saves through Apply, which keeps the dialog open.
    void Apply()
    {
        dialog.Click(IDC_APPLY);
        EXPECT_EQ(FindProcessWindow(quellor.Id(), "#32770", kMessageCaption), nullptr);
    }

    // Clicks a button that is expected to reject the port with this message,
    // answers it, and checks that the port is on show with the focus.
    void ExpectPortRejectedBy(int button, const char* message = "Please enter an integer.")
    {
        ExpectRejectedBy(button, message, IDC_PORT, kProxyTab);
    }

    // The same for any box and the tab it is on.
    void ExpectRejectedBy(int button, const std::string& message, int id, int tab)
    {
        dialog.PostClick(button);
        const HWND box = WaitForMessageBox(quellor.Id(), kMessageCaption);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(MessageBoxText(box), message);
        EXPECT_EQ(GetWindow(box, GW_OWNER), dialog.Handle());
        PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));
        ASSERT_TRUE(WaitUntil([&] { return dialog.Focus() == dialog.Control(id); }, 2000));
        const int length = static_cast<int>(dialog.Text(id).size());
        EXPECT_EQ(dialog.Selection(id), std::make_pair(0, length));
        EXPECT_EQ(dialog.SelectedTab(IDC_TABS), tab);
        EXPECT_TRUE(dialog.IsShown(id));
        EXPECT_TRUE(dialog.IsOpen());
    }

    int HotKey() const { return static_cast<int>(SendMessageA(dialog.Control(IDC_HOT_KEY), HKM_GETHOTKEY, 0, 0)); }

    // Runs "Change URL" on the selected entry and returns the dialog.
    CRemoteDialog OpenChangeUrl()
    {
        dialog.PostClick(IDC_CHANGE_URL);
        return CRemoteDialog(::WaitForDialog(quellor.Id(), kChangeUrlTitle));
    }

    // The line that says the hot key is taken shows only when it is.
    void ExpectOnlyTabShown(int tab, bool aolVersionChosen, bool hotKeyTaken = false) const
    {
        for (const auto& [owner, controls] : kTabControls) {
            for (const int id : controls) {
                const bool titleGroup = std::find(kAolTitleGroup.begin(), kAolTitleGroup.end(), id) !=
                                        kAolTitleGroup.end();
                const bool expected =
                    owner == tab && (!titleGroup || aolVersionChosen) && (id != IDC_HOT_KEY_TAKEN || hotKeyTaken);
                EXPECT_EQ(dialog.IsShown(id), expected) << "tab " << tab << ", control " << id;
            }
        }
        for (const int id : kAlwaysShown) {
            EXPECT_TRUE(dialog.IsShown(id)) << "control " << id;
        }
    }

    CQuellorProcess quellor;
    CRemoteDialog dialog;
};

TEST_F(SetupDialog, OpensWithEveryDefaultOnAnEmptyStoreAndOkWritesEveryKey)
{
    // Past the first start and nothing else: the dialog opens at start-up.
    quellor_registry::Clear();
    quellor_registry::WriteInt("2.8", 1);
    ASSERT_NO_FATAL_FAILURE(Launch());
    ASSERT_NO_FATAL_FAILURE(WaitForSetUp());

    EXPECT_EQ(dialog.TabCount(IDC_TABS), 9);
    // All nine in one row: the tabs show no scroll arrows.
    const HWND arrows = FindWindowExA(dialog.Control(IDC_TABS), nullptr, UPDOWN_CLASSA, nullptr);
    EXPECT_TRUE(arrows == nullptr || !IsWindowVisible(arrows));
    EXPECT_EQ(dialog.SelectedTab(IDC_TABS), kUrlTab);
    ExpectOnlyTabShown(kUrlTab, false);
    EXPECT_TRUE(dialog.IsChecked(IDC_HTTP));
    EXPECT_TRUE(dialog.IsChecked(IDC_RANDOM));
    for (const int unchecked : {IDC_FTP, IDC_SEQUENTIAL, IDC_NO_STARTUP_DIALOG, IDC_USE_PROXY, IDC_PRODIGY, IDC_AOL3,
                                IDC_AOL4, IDC_AUTONETSENSE, IDC_SUNDAY, IDC_SATURDAY, IDC_KEEP_AWAKE}) {
        EXPECT_FALSE(dialog.IsChecked(unchecked)) << unchecked;
    }
    EXPECT_EQ(dialog.Text(IDC_PORT), "80");
    EXPECT_EQ(dialog.Text(IDC_PROXY_ADDRESS), "");
    EXPECT_EQ(dialog.Text(IDC_AOL_TITLE), "America Online");
    EXPECT_EQ(dialog.TrackbarPosition(IDC_INTERVAL), 1);
    EXPECT_EQ(dialog.ListItems(IDC_HOST_LIST), Repeated("www.marrowby.com"));
    EXPECT_EQ(dialog.ListSelection(IDC_HOST_LIST), 0);
    EXPECT_FALSE(dialog.IsShown(IDC_MANAGED_NOTE));

    // Centred in the work area, though its owner is hidden.
    RECT work = {};
    RECT window = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(dialog.Handle(), &window);
    EXPECT_NEAR((window.left + window.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((window.top + window.bottom) / 2, (work.top + work.bottom) / 2, 1);
    EXPECT_FALSE(IsWindowVisible(quellor.MainWindow()));

    dialog.PressKey(IDOK, VK_RETURN);
    ASSERT_TRUE(dialog.WaitUntilClosed());
    const std::map<std::string, int> integers = {
        {"IsAOL", 0},      {"IsAOL4", 0},   {"AutoNetSense", 0}, {"IsRand", 1}, {"StartUp", 0},
        {"DefaultMin", 1}, {"IsHttp", 1},   {"Proxy", 0},        {"Port", 80},  {"Prodigy", 0},
        {"WhenDays", 0},   {"WhenFrom", 0}, {"WhenTo", 0},       {"HotKey", 0}, {"KeepAwake", 0}};
    for (const auto& [key, value] : integers) {
        EXPECT_EQ(quellor_registry::TypeOf(key.c_str()), static_cast<unsigned long>(REG_DWORD)) << key;
        EXPECT_EQ(quellor_registry::ReadInt(key.c_str(), -99), value) << key;
    }
    EXPECT_EQ(quellor_registry::TypeOf("ProxyIP3"), static_cast<unsigned long>(REG_SZ));
    EXPECT_EQ(quellor_registry::ReadString("ProxyIP3", "<missing>"), "");
    EXPECT_EQ(quellor_registry::ReadString("AOL47", "<missing>"), "America Online");
    EXPECT_EQ(quellor_registry::ReadString("DefaultURL", ""), "www.marrowby.com");
    EXPECT_EQ(quellor_registry::ReadString("WhenConnections", "<missing>"), "");
    EXPECT_EQ(quellor_registry::ReadString("WhenPrograms", "<missing>"), "");
    EXPECT_EQ(StoredList("HTTPURL"), Repeated("www.marrowby.com"));
    EXPECT_EQ(StoredList("FTPURL"), Repeated("www.marrowby.com"));
    // Nothing is restarted after the start-up dialog, and the program runs on.
    EXPECT_TRUE(quellor.IsRunning());
}

TEST_F(SetupDialog, StoredChoicesOpenOnTheirBoxesAndThePairsActAsRadioButtons)
{
    PrepareStore();
    quellor_registry::WriteInt("IsHttp", 0);
    quellor_registry::WriteInt("IsRand", 0);
    quellor_registry::WriteInt("Proxy", 1);
    quellor_registry::WriteString("ProxyIP3", "127.0.0.1");
    quellor_registry::WriteInt("Port", 8080);
    quellor_registry::WriteInt("Prodigy", 1);
    quellor_registry::WriteInt("DefaultMin", 7);
    quellor_registry::WriteString("DefaultURL", "kept.example");
    ASSERT_NO_FATAL_FAILURE(LaunchAndOpen());

    EXPECT_TRUE(dialog.IsChecked(IDC_FTP));
    EXPECT_FALSE(dialog.IsChecked(IDC_HTTP));
    EXPECT_TRUE(dialog.IsChecked(IDC_SEQUENTIAL));
    EXPECT_FALSE(dialog.IsChecked(IDC_RANDOM));
    EXPECT_TRUE(dialog.IsChecked(IDC_NO_STARTUP_DIALOG));
    EXPECT_TRUE(dialog.IsChecked(IDC_USE_PROXY));
    EXPECT_TRUE(dialog.IsChecked(IDC_PRODIGY));
    EXPECT_EQ(dialog.Text(IDC_PROXY_ADDRESS), "127.0.0.1");
    EXPECT_EQ(dialog.Text(IDC_PORT), "8080");
    EXPECT_EQ(dialog.TrackbarPosition(IDC_INTERVAL), 7);
    EXPECT_EQ(dialog.ListItems(IDC_HOST_LIST), StoredList("FTPURL"));
    EXPECT_EQ(dialog.ListSelection(IDC_HOST_LIST), 0);

    dialog.Click(IDC_HTTP);
    EXPECT_TRUE(dialog.IsChecked(IDC_HTTP));
    EXPECT_FALSE(dialog.IsChecked(IDC_FTP));
    EXPECT_EQ(dialog.ListItems(IDC_HOST_LIST), StoredList("HTTPURL"));
    dialog.SelectListItem(IDC_HOST_LIST, 5);
    dialog.Click(IDC_HTTP);  // already chosen: stays chosen, list refilled
    EXPECT_TRUE(dialog.IsChecked(IDC_HTTP));
    EXPECT_FALSE(dialog.IsChecked(IDC_FTP));
    EXPECT_EQ(dialog.ListSelection(IDC_HOST_LIST), 0);

    dialog.Click(IDC_FTP);
    dialog.Click(IDC_FTP);
    EXPECT_TRUE(dialog.IsChecked(IDC_FTP));
    EXPECT_FALSE(dialog.IsChecked(IDC_HTTP));
    EXPECT_EQ(dialog.ListItems(IDC_HOST_LIST), StoredList("FTPURL"));

    dialog.Click(IDC_RANDOM);
    EXPECT_TRUE(dialog.IsChecked(IDC_RANDOM));
    EXPECT_FALSE(dialog.IsChecked(IDC_SEQUENTIAL));
    dialog.Click(IDC_RANDOM);
    EXPECT_TRUE(dialog.IsChecked(IDC_RANDOM));
    EXPECT_FALSE(dialog.IsChecked(IDC_SEQUENTIAL));
    dialog.Click(IDC_SEQUENTIAL);
    EXPECT_TRUE(dialog.IsChecked(IDC_SEQUENTIAL));
    EXPECT_FALSE(dialog.IsChecked(IDC_RANDOM));
    dialog.Click(IDC_RANDOM);
    dialog.Click(IDC_HTTP);
    dialog.Click(IDC_NO_STARTUP_DIALOG);
    dialog.Click(IDC_AUTONETSENSE);

    dialog.Click(IDOK);
    // Once closed it stays out of sight, though its owner takes the
    // activation while it goes.
    EXPECT_FALSE(IsWindow(dialog.Handle()) && IsWindowVisible(dialog.Handle()));
    ASSERT_TRUE(dialog.WaitUntilClosed());
    EXPECT_EQ(quellor_registry::ReadInt("IsHttp", -1), 1);
    EXPECT_EQ(quellor_registry::ReadInt("IsRand", -1), 1);
    EXPECT_EQ(quellor_registry::ReadInt("StartUp", -1), 0);
    EXPECT_EQ(quellor_registry::ReadInt("AutoNetSense", -1), 1);
    EXPECT_EQ(quellor_registry::ReadInt("DefaultMin", -1), 7);
    EXPECT_EQ(quellor_registry::ReadString("DefaultURL", ""), "kept.example");
    // "Use Proxy" unchecked or not, address and port are saved as shown.
    EXPECT_EQ(quellor_registry::ReadInt("Proxy", -1), 1);
    EXPECT_EQ(quellor_registry::ReadString("ProxyIP3", ""), "127.0.0.1");
    EXPECT_EQ(quellor_registry::ReadInt("Port", -1), 8080);
}

TEST_F(SetupDialog, UseProxyLeavesTheAddressAndPortBoxesAlone)
{
    PrepareStore();
    quellor_registry::WriteInt("Proxy", 1);
    ASSERT_NO_FATAL_FAILURE(LaunchAndOpen());
    ASSERT_NO_FATAL_FAILURE(ShowTab(kProxyTab));
    dialog.Click(IDC_USE_PROXY);
    EXPECT_FALSE(dialog.IsChecked(IDC_USE_PROXY));
    EXPECT_TRUE(IsWindowEnabled(dialog.Control(IDC_PROXY_ADDRESS)));
    EXPECT_TRUE(IsWindowEnabled(dialog.Control(IDC_PORT)));
    dialog.Type(IDC_PROXY_ADDRESS, " 10.0.0.1:ignored ");
    dialog.Type(IDC_PORT, "3128");
    dialog.Click(IDOK);
    ASSERT_TRUE(dialog.WaitUntilClosed());
    EXPECT_EQ(quellor_registry::ReadInt("Proxy", -1), 0);
    EXPECT_EQ(quellor_registry::ReadString("ProxyIP3", ""), " 10.0.0.1:ignored ");
    EXPECT_EQ(quellor_registry::ReadInt("Port", -1), 3128);
}

TEST_F(SetupDialog, AolVersionBoxesExcludeEachOtherAndCarryTheStandardTitle)
{
    PrepareStore();
    quellor_registry::WriteString("AOL47", "America Online");
    ASSERT_NO_FATAL_FAILURE(LaunchAndOpen());
    ASSERT_NO_FATAL_FAILURE(ShowTab(kAolTab));
    ExpectOnlyTabShown(kAolTab, false);
    EXPECT_EQ(dialog.Text(IDC_AOL_TITLE), "America Online");

    dialog.Click(IDC_AOL4);
    EXPECT_TRUE(dialog.IsChecked(IDC_AOL4));
    EXPECT_FALSE(dialog.IsChecked(IDC_AOL3));
    EXPECT_EQ(dialog.Text(IDC_AOL_TITLE), "America Online Timer");
    ExpectOnlyTabShown(kAolTab, true);

    dialog.Click(IDC_AOL3);
    EXPECT_TRUE(dialog.IsChecked(IDC_AOL3));
    EXPECT_FALSE(dialog.IsChecked(IDC_AOL4));
    EXPECT_EQ(dialog.Text(IDC_AOL_TITLE), "America Online");
    ExpectOnlyTabShown(kAolTab, true);

    // A click on the chosen box clears both and hides the title.
    dialog.Click(IDC_AOL3);
    EXPECT_FALSE(dialog.IsChecked(IDC_AOL3));
    EXPECT_FALSE(dialog.IsChecked(IDC_AOL4));
    EXPECT_EQ(dialog.Text(IDC_AOL_TITLE), "America Online");
    ExpectOnlyTabShown(kAolTab, false);

    dialog.Click(IDC_AOL4);
    dialog.Click(IDC_AOL4);
    EXPECT_FALSE(dialog.IsChecked(IDC_AOL4));
    EXPECT_EQ(dialog.Text(IDC_AOL_TITLE), "America Online Timer");

    // A title of the user's own, typed or empty, stays.
    dialog.Click(IDC_AOL4);
    dialog.Type(IDC_AOL_TITLE, "america online");
    dialog.Click(IDC_AOL3);
    EXPECT_EQ(dialog.Text(IDC_AOL_TITLE), "america online");
    EXPECT_TRUE(dialog.IsChecked(IDC_AOL3));
    dialog.Type(IDC_AOL_TITLE, "");
    dialog.Click(IDC_AOL4);
    EXPECT_EQ(dialog.Text(IDC_AOL_TITLE), "");
    Apply();
    EXPECT_EQ(quellor_registry::ReadInt("IsAOL", -1), 0);
    EXPECT_EQ(quellor_registry::ReadInt("IsAOL4", -1), 1);
    EXPECT_EQ(quellor_registry::ReadString("AOL47", "<missing>"), "");

    dialog.Type(IDC_AOL_TITLE, "Idle Warning (AOL)");
    dialog.Click(IDC_AOL3);
    EXPECT_TRUE(dialog.IsChecked(IDC_AOL3));
    EXPECT_FALSE(dialog.IsChecked(IDC_AOL4));
    dialog.Click(IDOK);
    ASSERT_TRUE(dialog.WaitUntilClosed());
    EXPECT_EQ(quellor_registry::ReadInt("IsAOL", -1), 1);
    EXPECT_EQ(quellor_registry::ReadInt("IsAOL4", -1), 0);
    EXPECT_EQ(quellor_registry::ReadString("AOL47", ""), "Idle Warning (AOL)");
}

TEST_F(SetupDialog, AStoredVersionShowsTheTitleGroupAndAMissingTitleOpensAsTheStandardOne)
{
    PrepareStore();
    quellor_registry::WriteInt("IsAOL4", 1);
    quellor_registry::Remove("AOL47");
    ASSERT_NO_FATAL_FAILURE(LaunchAndOpen());
    ASSERT_NO_FATAL_FAILURE(ShowTab(kAolTab));
    EXPECT_TRUE(dialog.IsChecked(IDC_AOL4));
    EXPECT_FALSE(dialog.IsChecked(IDC_AOL3));
    ExpectOnlyTabShown(kAolTab, true);
    EXPECT_EQ(dialog.Text(IDC_AOL_TITLE), "America Online");
    dialog.Click(IDOK);
    ASSERT_TRUE(dialog.WaitUntilClosed());
    EXPECT_EQ(quellor_registry::ReadString("AOL47", "<missing>"), "America Online") << "never an empty title";
    EXPECT_EQ(quellor_registry::ReadInt("IsAOL4", -1), 1);
}

TEST_F(SetupDialog, EachTabShowsItsOwnControlsAndTypedValuesSurviveSwitching)
{
    PrepareStore();
    quellor_registry::WriteInt("IsAOL", 1);
    ASSERT_NO_FATAL_FAILURE(LaunchAndOpen());
    for (const int tab :
         {kTimerTab, kProxyTab, kAolTab, kProdigyTab, kHelpTab, kSwitchOnTab, kScheduleTab, kRedialTab, kUrlTab}) {
        ASSERT_NO_FATAL_FAILURE(ShowTab(tab));
        ExpectOnlyTabShown(tab, true);
    }

    ASSERT_NO_FATAL_FAILURE(ShowTab(kAolTab));
    dialog.Type(IDC_AOL_TITLE, "Are you still there?");
    ASSERT_NO_FATAL_FAILURE(ShowTab(kProxyTab));
    dialog.Type(IDC_PROXY_ADDRESS, "127.0.0.1");
    dialog.Type(IDC_PORT, "8000");
    dialog.Click(IDC_USE_PROXY);
    ASSERT_NO_FATAL_FAILURE(ShowTab(kTimerTab));
    dialog.PressKey(IDC_INTERVAL, VK_END);
    ASSERT_TRUE(WaitUntil([&] { return dialog.TrackbarPosition(IDC_INTERVAL) == 10; }, 2000));
    for (const int tab : {kUrlTab, kProdigyTab, kHelpTab, kAolTab}) {
        ASSERT_NO_FATAL_FAILURE(ShowTab(tab));
    }
    EXPECT_EQ(dialog.Text(IDC_AOL_TITLE), "Are you still there?");
    EXPECT_EQ(dialog.Text(IDC_PROXY_ADDRESS), "127.0.0.1");
    EXPECT_EQ(dialog.Text(IDC_PORT), "8000");

    dialog.Click(IDOK);
    ASSERT_TRUE(dialog.WaitUntilClosed());
    EXPECT_EQ(quellor_registry::ReadString("AOL47", ""), "Are you still there?");
    EXPECT_EQ(quellor_registry::ReadString("ProxyIP3", ""), "127.0.0.1");
    EXPECT_EQ(quellor_registry::ReadInt("Port", -1), 8000);
    EXPECT_EQ(quellor_registry::ReadInt("Proxy", -1), 1);
    EXPECT_EQ(quellor_registry::ReadInt("DefaultMin", -1), 10);
}

// The sources that switch the activity: what is stored shows on their two
// tabs, a bad list is refused on its own tab, and what the user sets, the
// hot key by keyboard and a program through Browse, is what is stored.
TEST_F(SetupDialog, SwitchOnAndScheduleTabsShowTheStoredSourcesAndStoreWhatIsSet)
{
    PrepareStore();
    quellor_registry::WriteString("WhenConnections", "Office VPN; Mobile ");
    quellor_registry::WriteString("WhenPrograms", "C:\\Tools\\download.exe;backup.EXE");
    quellor_registry::WriteInt("WhenDays", 0x22);  // Monday and Friday
    quellor_registry::WriteInt("WhenFrom", 22 * 60);
    quellor_registry::WriteInt("WhenTo", 6 * 60);
    quellor_registry::WriteInt("HotKey", (HOTKEYF_CONTROL | HOTKEYF_ALT) << 8 | 'K');
    quellor_registry::WriteInt("KeepAwake", 1);
    ASSERT_NO_FATAL_FAILURE(LaunchAndOpen());
    ASSERT_NO_FATAL_FAILURE(ShowTab(kSwitchOnTab));
    ExpectOnlyTabShown(kSwitchOnTab, false);
    EXPECT_EQ(dialog.Text(IDC_WHEN_CONNECTIONS), "Office VPN;Mobile");
    EXPECT_EQ(dialog.Text(IDC_WHEN_PROGRAMS), "download.exe;backup.EXE");
    EXPECT_EQ(HotKey(), (HOTKEYF_CONTROL | HOTKEYF_ALT) << 8 | 'K');
    // The frame's word that another program holds the key shows until the
    // user types another key (below).
    SendMessageA(dialog.Handle(), WM_HOTKEY_TAKEN, 1, 0);
    ExpectOnlyTabShown(kSwitchOnTab, false, true);

    // The computer's connections are offered; Add appends the chosen one, once.
    const std::vector<std::string> known = win::CurrentConnectionNames();
    EXPECT_EQ(SendMessageA(dialog.Control(IDC_KNOWN_CONNECTIONS), CB_GETCOUNT, 0, 0),
              static_cast<LRESULT>(known.size()));
    if (!known.empty()) {
        dialog.Click(IDC_ADD_CONNECTION);
        dialog.Click(IDC_ADD_CONNECTION);
        EXPECT_EQ(dialog.Text(IDC_WHEN_CONNECTIONS), "Office VPN;Mobile;" + dialog.Text(IDC_KNOWN_CONNECTIONS));
    }

    ASSERT_NO_FATAL_FAILURE(ShowTab(kScheduleTab));
    for (int day = 0; day < 7; ++day) {
        EXPECT_EQ(dialog.IsChecked(IDC_SUNDAY + day), day == 1 || day == 5) << day;
    }
    EXPECT_EQ(dialog.PickedMinutes(IDC_WHEN_FROM), 22 * 60);
    EXPECT_EQ(dialog.PickedMinutes(IDC_WHEN_TO), 6 * 60);
    EXPECT_TRUE(dialog.IsChecked(IDC_KEEP_AWAKE));

    const auto before = StoreSnapshot();
    const std::pair<std::string, std::string> refused[] = {
        {"dl.exe; C:\\x\\bad:name.exe",
         R"("bad:name.exe" is not a program's file name: it may not hold any of / : * ? " < > |.)"},
        {std::string(2049, 'a'), "Please enter at most 2048 characters."},
    };
    for (const auto& [text, message] : refused) {
        dialog.Type(IDC_WHEN_PROGRAMS, text);
        ASSERT_NO_FATAL_FAILURE(ExpectRejectedBy(IDC_APPLY, message, IDC_WHEN_PROGRAMS, kSwitchOnTab));
        ASSERT_NO_FATAL_FAILURE(ShowTab(kScheduleTab));
    }
    EXPECT_EQ(StoreSnapshot(), before);

    // Browse adds the chosen file's name without its folder, once; Cancel nothing.
    dialog.Type(IDC_WHEN_PROGRAMS, "D:\\Sync\\sync.exe;");
    for (const int button : {IDOK, IDOK, IDCANCEL}) {
        dialog.PostClick(IDC_BROWSE_PROGRAM);
        const CRemoteDialog open(::WaitForDialog(quellor.Id(), "Switch ON while this program runs"));
        ASSERT_TRUE(open.IsOpen());
        EXPECT_EQ(GetWindow(open.Handle(), GW_OWNER), dialog.Handle());
        const HWND box = FindWindowExA(FindWindowExA(open.Control(kFileNameBox), nullptr, "ComboBox", nullptr), nullptr,
                                       "Edit", nullptr);
        SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("C:\\windows\\NOTEPAD.EXE"));
        open.Click(button);
        ASSERT_TRUE(open.WaitUntilClosed());
        EXPECT_EQ(dialog.Text(IDC_WHEN_PROGRAMS), "D:\\Sync\\sync.exe;NOTEPAD.EXE");
    }
    for (const int id : {IDC_SUNDAY, IDC_MONDAY, IDC_SATURDAY, IDC_KEEP_AWAKE}) {
        dialog.Click(id);
    }
    ASSERT_NO_FATAL_FAILURE(ShowTab(kSwitchOnTab));
    dialog.Type(IDC_WHEN_CONNECTIONS, " Office VPN;; Home LAN ;");
    PostMessageA(dialog.Control(IDC_HOT_KEY), WM_LBUTTONDOWN, MK_LBUTTON, 0);  // takes the focus
    ASSERT_TRUE(WaitUntil([&] { return dialog.Focus() == dialog.Control(IDC_HOT_KEY); }, 2000));
    // Shift alone would take the key from every program: Ctrl and Alt instead.
    dialog.TypeKey({VK_SHIFT}, 'Z');
    EXPECT_TRUE(WaitUntil([&] { return HotKey() == ((HOTKEYF_CONTROL | HOTKEYF_ALT) << 8 | 'Z'); }, 2000));
    dialog.TypeKey({VK_CONTROL, VK_SHIFT}, 'Q');
    EXPECT_TRUE(WaitUntil([&] { return HotKey() == ((HOTKEYF_CONTROL | HOTKEYF_SHIFT) << 8 | 'Q'); }, 2000));
    ExpectOnlyTabShown(kSwitchOnTab, false);
    dialog.Click(IDOK);
    ASSERT_TRUE(dialog.WaitUntilClosed());
    EXPECT_EQ(quellor_registry::ReadString("WhenConnections", ""), "Office VPN;Home LAN");
    EXPECT_EQ(quellor_registry::ReadString("WhenPrograms", ""), "sync.exe;NOTEPAD.EXE");
    EXPECT_EQ(quellor_registry::ReadInt("WhenDays", -1), 0x61);
    EXPECT_EQ(quellor_registry::ReadInt("WhenFrom", -1), 22 * 60);
    EXPECT_EQ(quellor_registry::ReadInt("WhenTo", -1), 6 * 60);
    EXPECT_EQ(quellor_registry::ReadInt("HotKey", -1), (HOTKEYF_CONTROL | HOTKEYF_SHIFT) << 8 | 'Q');
    EXPECT_EQ(quellor_registry::ReadInt("KeepAwake", -1), 0);
}

// The keys of the system's tabbed dialogs, from any control, and the tab
// control in the tab order, where the arrow keys switch tabs.
TEST_F(SetupDialog, KeyboardSwitchesTabsFromAnyControlAndTabReachesTheTabs)
{
    PrepareStore();
    ASSERT_NO_FATAL_FAILURE(LaunchAndOpen());
    const auto shown = [&](int tab) { return WaitUntil([&] { return dialog.SelectedTab(IDC_TABS) == tab; }, 2000); };
    ASSERT_TRUE(WaitUntil([&] { return dialog.Focus() == dialog.Control(IDOK); }, 2000));
    dialog.TypeKey({}, VK_TAB);
    dialog.TypeKey({}, VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return dialog.Focus() == dialog.Control(IDC_TABS); }, 2000));
    dialog.TypeKey({}, VK_RIGHT);
    EXPECT_TRUE(shown(kTimerTab));
    dialog.TypeKey({}, VK_LEFT);
    ASSERT_TRUE(shown(kUrlTab));

    // From a box of the URL tab, which then hides it: the focus moves to the tabs.
    for (int press = 0; press < 12 && dialog.Focus() != dialog.Control(IDC_HTTP); ++press) {
        dialog.TypeKey({}, VK_TAB);
        PumpFor(100);
    }
    ASSERT_EQ(dialog.Focus(), dialog.Control(IDC_HTTP));
    dialog.TypeKey({VK_CONTROL}, VK_TAB);
    ASSERT_TRUE(shown(kTimerTab));
    ExpectOnlyTabShown(kTimerTab, false);
    EXPECT_TRUE(WaitUntil([&] { return dialog.Focus() == dialog.Control(IDC_TABS); }, 2000));
    dialog.TypeKey({VK_CONTROL, VK_SHIFT}, VK_TAB);
    EXPECT_TRUE(shown(kUrlTab));
    dialog.TypeKey({VK_CONTROL}, VK_PRIOR);
    EXPECT_TRUE(shown(kRedialTab)) << "from the first tab to the last";
    dialog.TypeKey({VK_CONTROL}, VK_NEXT);
    EXPECT_TRUE(shown(kUrlTab)) << "and back";

    // Tab reaches every control of the two last tabs that takes input.
    for (const int tab : {kSwitchOnTab, kScheduleTab}) {
        ASSERT_NO_FATAL_FAILURE(ShowTab(tab));
        std::set<HWND> reached;
        for (int press = 0; press < 24; ++press) {
            dialog.TypeKey({}, VK_TAB);
            PumpFor(60);
            reached.insert(dialog.Focus());
        }
        for (const int id : kTabControls.at(tab)) {
            const HWND control = dialog.Control(id);
            const bool takesInput = (GetWindowLongA(control, GWL_STYLE) & WS_TABSTOP) != 0 && IsWindowEnabled(control);
            EXPECT_TRUE(!takesInput || reached.count(control) == 1) << "tab " << tab << ", control " << id;
        }
    }
}

TEST_F(SetupDialog, PortTextsAreAcceptedOrRejectedAsPortNumbers)
{
    PrepareStore();
    quellor_registry::WriteInt("Port", 1234);
    ASSERT_NO_FATAL_FAILURE(LaunchAndOpen());
    ASSERT_NO_FATAL_FAILURE(ShowTab(kProxyTab));

    const std::vector<std::pair<std::string, int>> accepted = {
        {"8080 ", 8080}, {"000", 0}, {"+21", 21}, {"65535", 65535}, {"0000000000000000000000000000000080", 0},
    };
    for (const auto& [text, value] : accepted) {
        dialog.Type(IDC_PORT, text);
        Apply();
        EXPECT_EQ(quellor_registry::ReadInt("Port", -7), value) << '"' << text << '"';
    }

    quellor_registry::WriteInt("Port", 1234);
    for (const std::string rejected : {"80a", "+0", "-0", "", "   ", "8 0", "0x50"}) {
        dialog.Type(IDC_PORT, rejected);
        ASSERT_NO_FATAL_FAILURE(ExpectPortRejectedBy(IDC_APPLY)) << '"' << rejected << '"';
        EXPECT_EQ(quellor_registry::ReadInt("Port", -7), 1234) << '"' << rejected << '"';
    }
    // A port the contact could not use as typed, with or without a proxy.
    for (const std::string outside : {"65536", "70000", " \t-1", "99999999999", "-99999999999"}) {
        dialog.Type(IDC_PORT, outside);
        dialog.Click(IDC_USE_PROXY);
        ASSERT_NO_FATAL_FAILURE(ExpectPortRejectedBy(IDC_APPLY, "Please enter an integer between 0 and 65535."))
            << '"' << outside << '"';
        EXPECT_EQ(quellor_registry::ReadInt("Port", -7), 1234) << '"' << outside << '"';
    }

    // Rejected while another tab shows: the port's tab comes up with the
    // box selected, and OK keeps the dialog open.
    for (const int tab : {kUrlTab, kAolTab}) {
        ASSERT_NO_FATAL_FAILURE(ShowTab(tab));
        dialog.Type(IDC_PORT, tab == kUrlTab ? "eighty" : "80000");
        ASSERT_NO_FATAL_FAILURE(ExpectPortRejectedBy(
            IDOK, tab == kUrlTab ? "Please enter an integer." : "Please enter an integer between 0 and 65535."));
        ExpectOnlyTabShown(kProxyTab, false);
    }
    EXPECT_EQ(quellor_registry::ReadInt("Port", -7), 1234);
}

TEST_F(SetupDialog, CancelChecksThePortButWritesNothing)
{
    PrepareStore();
    ASSERT_NO_FATAL_FAILURE(LaunchAndOpen());
    const auto before = StoreSnapshot();
    ASSERT_EQ(before.at("IsHttp"), "<missing>");

    dialog.Click(IDC_FTP);
    dialog.Click(IDC_SEQUENTIAL);
    dialog.Click(IDC_NO_STARTUP_DIALOG);
    dialog.Click(IDC_KEEP_AWAKE);
    dialog.Type(IDC_WHEN_PROGRAMS, "download.exe");
    dialog.Type(IDC_PROXY_ADDRESS, "127.0.0.1");
    dialog.Type(IDC_PORT, "80a");
    ASSERT_NO_FATAL_FAILURE(ExpectPortRejectedBy(IDC_SETUP_CANCEL));
    EXPECT_EQ(StoreSnapshot(), before);

    dialog.Type(IDC_PORT, "81");
    dialog.Click(IDC_SETUP_CANCEL);
    ASSERT_TRUE(dialog.WaitUntilClosed());
    EXPECT_EQ(StoreSnapshot(), before);

    // The Esc key and the close box are Cancel too, port check included.
    ASSERT_NO_FATAL_FAILURE(OpenFromTray());
    dialog.Click(IDC_FTP);
    dialog.PressKey(IDC_FTP, VK_ESCAPE);
    ASSERT_TRUE(dialog.WaitUntilClosed());
    ASSERT_NO_FATAL_FAILURE(OpenFromTray());
    dialog.Type(IDC_PORT, "");
    dialog.Click(IDC_RANDOM);
    dialog.PressKey(IDC_RANDOM, VK_ESCAPE);
    const HWND box = WaitForMessageBox(quellor.Id(), kMessageCaption);
    ASSERT_NE(box, nullptr);
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));
    EXPECT_TRUE(dialog.IsOpen());
    dialog.Type(IDC_PORT, "0");
    dialog.PostCloseBox();
    ASSERT_TRUE(dialog.WaitUntilClosed());
    EXPECT_EQ(StoreSnapshot(), before);
}

TEST_F(SetupDialog, ApplyWritesAtOnceAndCancelKeepsWhatWasApplied)
{
    PrepareStore();
    ASSERT_NO_FATAL_FAILURE(LaunchAndOpen());
    dialog.Click(IDC_FTP);
    dialog.Type(IDC_PORT, "8081");
    Apply();
    EXPECT_EQ(quellor_registry::ReadInt("IsHttp", -1), 0);
    EXPECT_EQ(quellor_registry::ReadInt("Port", -1), 8081);
    EXPECT_TRUE(dialog.IsOpen());
    Apply();  // any number of times
    EXPECT_EQ(quellor_registry::ReadInt("Port", -1), 8081);

    dialog.Click(IDC_HTTP);
    dialog.Type(IDC_PORT, "9000");
    dialog.Click(IDC_SETUP_CANCEL);
    ASSERT_TRUE(dialog.WaitUntilClosed());
    EXPECT_EQ(quellor_registry::ReadInt("IsHttp", -1), 0);
    EXPECT_EQ(quellor_registry::ReadInt("Port", -1), 8081);
}

TEST_F(SetupDialog, IntervalOutsideTheScaleShowsAtItsEndsAndIsSavedSo)
{
    for (const auto& [stored, shown] : {std::make_pair(0, 1), std::make_pair(25, 10), std::make_pair(-3, 1)}) {
        PrepareStore();
        quellor_registry::WriteInt("DefaultMin", stored);
        CQuellorProcess run;
        ASSERT_TRUE(run.Launch());
        ASSERT_NE(run.WaitForMainWindow(), nullptr);
        PostMessageA(run.MainWindow(), WM_COMMAND, ID_SETUP, 0);
        const CRemoteDialog setup(::WaitForDialog(run.Id(), kSetupTitle));
        ASSERT_TRUE(setup.IsOpen());
        EXPECT_EQ(setup.TrackbarPosition(IDC_INTERVAL), shown) << stored;
        setup.Click(IDOK);
        ASSERT_TRUE(setup.WaitUntilClosed());
        EXPECT_EQ(quellor_registry::ReadInt("DefaultMin", -1), shown) << stored;
        EXPECT_TRUE(run.Exit());
    }
}

TEST_F(SetupDialog, FaqSavesClosesAndOpensThePageAndOpensItEvenWhenThePortIsRejected)
{
    const CBrowserStandIn browser;
    // The stand-in must be the browser before anything opens a page.
    ShellExecuteA(nullptr, "open", "http://127.0.0.1/quellor-test", nullptr, nullptr, SW_SHOW);
    ASSERT_TRUE(WaitUntil([&] { return browser.Starts() == 1; }, 10000));
    ASSERT_EQ(browser.LastAddress(), "http://127.0.0.1/quellor-test");

    PrepareStore();
    ASSERT_NO_FATAL_FAILURE(LaunchAndOpen());
    ASSERT_NO_FATAL_FAILURE(ShowTab(kProxyTab));
    dialog.Type(IDC_PORT, "+0");
    ASSERT_NO_FATAL_FAILURE(ShowTab(kHelpTab));
    ASSERT_NO_FATAL_FAILURE(ExpectPortRejectedBy(IDC_FAQ));
    EXPECT_FALSE(quellor_registry::Exists("Port"));
    ASSERT_TRUE(WaitUntil([&] { return browser.Starts() == 2; }, 10000));
    EXPECT_EQ(browser.LastAddress(), "http://www.marrowby.com/quellor/faq.html");

    dialog.Type(IDC_PORT, "8088");
    dialog.Click(IDC_FTP);
    dialog.Click(IDC_FAQ);
    ASSERT_TRUE(dialog.WaitUntilClosed());
    EXPECT_EQ(quellor_registry::ReadInt("Port", -1), 8088);
    EXPECT_EQ(quellor_registry::ReadInt("IsHttp", -1), 0);
    ASSERT_TRUE(WaitUntil([&] { return browser.Starts() == 3; }, 10000));
    EXPECT_EQ(browser.LastAddress(), "http://www.marrowby.com/quellor/faq.html");
    PumpFor(300);
    EXPECT_EQ(browser.Starts(), 3u) << "one page per click";
}

TEST_F(SetupDialog, ChangeUrlReplacesTheSelectedEntryOnlyOnOk)
{
    PrepareStore();
    ASSERT_NO_FATAL_FAILURE(LaunchAndOpen());
    const std::vector<std::string> stored = StoredList("HTTPURL");
    std::vector<std::string> http = stored;

    // OK with new text: the entry changes in place and stays selected.
    dialog.SelectListItem(IDC_HOST_LIST, 3);
    CRemoteDialog change = OpenChangeUrl();
    ASSERT_TRUE(change.IsOpen());
    EXPECT_EQ(GetWindow(change.Handle(), GW_OWNER), dialog.Handle());
    EXPECT_FALSE(IsWindowEnabled(dialog.Handle()));
    EXPECT_EQ(change.Text(IDC_URL_TEXT), "127.0.1.3");
    EXPECT_EQ(change.Focus(), change.Control(IDOK));
    change.Type(IDC_URL_TEXT, "  localhost/any path  ");
    change.Click(IDOK);
    ASSERT_TRUE(change.WaitUntilClosed());
    http[3] = "  localhost/any path  ";
    EXPECT_EQ(dialog.ListItems(IDC_HOST_LIST), http);
    EXPECT_EQ(dialog.ListSelection(IDC_HOST_LIST), 3);
    EXPECT_TRUE(IsWindowEnabled(dialog.Handle()));

    // Cancel, the Esc key and the close box keep the entry.
    using Closer = void (*)(const CRemoteDialog&);
    const Closer closers[] = {
        [](const CRemoteDialog& d) { d.Click(IDCANCEL); },
        [](const CRemoteDialog& d) { d.PressKey(IDC_URL_TEXT, VK_ESCAPE); },
        [](const CRemoteDialog& d) { d.PostCloseBox(); },
    };
    for (const Closer close : closers) {
        dialog.SelectListItem(IDC_HOST_LIST, 4);
        change = OpenChangeUrl();
        ASSERT_TRUE(change.IsOpen());
        change.Type(IDC_URL_TEXT, "not this");
        close(change);
        ASSERT_TRUE(change.WaitUntilClosed());
        EXPECT_EQ(dialog.ListItems(IDC_HOST_LIST), http);
        EXPECT_EQ(dialog.ListSelection(IDC_HOST_LIST), 4);
    }

    // Enter at once leaves the text as it was; an empty text is an entry.
    change = OpenChangeUrl();
    ASSERT_TRUE(change.IsOpen());
    change.PressKey(IDOK, VK_RETURN);
    ASSERT_TRUE(change.WaitUntilClosed());
    EXPECT_EQ(dialog.ListItems(IDC_HOST_LIST), http);
    dialog.SelectListItem(IDC_HOST_LIST, 9);
    change = OpenChangeUrl();
    ASSERT_TRUE(change.IsOpen());
    change.Type(IDC_URL_TEXT, "");
    change.PressKey(IDC_URL_TEXT, VK_RETURN);
    ASSERT_TRUE(change.WaitUntilClosed());
    http[9] = "";
    EXPECT_EQ(dialog.ListItems(IDC_HOST_LIST), http);
    EXPECT_EQ(dialog.ListSelection(IDC_HOST_LIST), 9);

    // A double click on an entry changes that entry.
    dialog.PostDoubleClickListItem(IDC_HOST_LIST, 6);
    change = CRemoteDialog(::WaitForDialog(quellor.Id(), kChangeUrlTitle));
    ASSERT_TRUE(change.IsOpen());
    EXPECT_EQ(change.Text(IDC_URL_TEXT), "127.0.1.6");
    change.Type(IDC_URL_TEXT, "127.0.0.1");
    change.Click(IDOK);
    ASSERT_TRUE(change.WaitUntilClosed());
    http[6] = "127.0.0.1";
    EXPECT_EQ(dialog.ListItems(IDC_HOST_LIST), http);
    EXPECT_EQ(dialog.ListSelection(IDC_HOST_LIST), 6);

    // Nothing is stored before the Set Up dialog saves.
    EXPECT_EQ(StoredList("HTTPURL"), stored);
    dialog.Click(IDOK);
    ASSERT_TRUE(dialog.WaitUntilClosed());
    EXPECT_EQ(StoredList("HTTPURL"), http);
    EXPECT_EQ(quellor_registry::TypeOf("HTTPURL9"), static_cast<unsigned long>(REG_SZ));
}

TEST_F(SetupDialog, FtpEditsSurviveSwitchingProtocolsAndCancelDropsAllEdits)
{
    PrepareStore();
    ASSERT_NO_FATAL_FAILURE(LaunchAndOpen());
    std::vector<std::string> ftp = StoredList("FTPURL");
    const std::vector<std::string> http = StoredList("HTTPURL");
    dialog.Click(IDC_FTP);
    dialog.SelectListItem(IDC_HOST_LIST, 3);
    CRemoteDialog change = OpenChangeUrl();
    ASSERT_TRUE(change.IsOpen());
    EXPECT_EQ(change.Text(IDC_URL_TEXT), "127.0.2.3");
    change.Type(IDC_URL_TEXT, "ftp.localhost");
    change.Click(IDOK);
    ASSERT_TRUE(change.WaitUntilClosed());
    ftp[3] = "ftp.localhost";

    dialog.Click(IDC_HTTP);
    EXPECT_EQ(dialog.ListItems(IDC_HOST_LIST), http);
    dialog.Click(IDC_FTP);
    EXPECT_EQ(dialog.ListItems(IDC_HOST_LIST), ftp);
    EXPECT_EQ(dialog.ListSelection(IDC_HOST_LIST), 0);

    dialog.Click(IDC_SETUP_CANCEL);
    ASSERT_TRUE(dialog.WaitUntilClosed());
    EXPECT_EQ(StoredList("FTPURL")[3], "127.0.2.3");

    // Again, saved this time, with HTTP chosen: both lists are written.
    ASSERT_NO_FATAL_FAILURE(OpenFromTray());
    dialog.Click(IDC_FTP);
    dialog.SelectListItem(IDC_HOST_LIST, 3);
    change = OpenChangeUrl();
    ASSERT_TRUE(change.IsOpen());
    change.Type(IDC_URL_TEXT, "ftp.localhost");
    change.Click(IDOK);
    ASSERT_TRUE(change.WaitUntilClosed());
    dialog.Click(IDC_HTTP);
    dialog.Click(IDOK);
    ASSERT_TRUE(dialog.WaitUntilClosed());
    EXPECT_EQ(StoredList("FTPURL"), ftp);
    EXPECT_EQ(StoredList("HTTPURL"), http);
    EXPECT_EQ(quellor_registry::ReadInt("IsHttp", -1), 1);
}

TEST_F(SetupDialog, ClosingTheDialogRestartsARunningActivityWhateverTheWayItClosed)
{
    WSADATA sockets = {};
    ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &sockets), 0);
    {
        // Hosts and proxy on this machine: a direct contact reaches port 81,
        // a proxied one the proxy listener.
        CLoopbackListener host;
        ASSERT_TRUE(host.Start(81, CLoopbackListener::Mode::Silent));
        CLoopbackListener proxy;
        ASSERT_TRUE(proxy.Start(18092, CLoopbackListener::Mode::AnswerHttp));
        quellor_registry::PrepareQuietStart();
        quellor_registry::WriteInt("Proxy", 1);
        quellor_registry::WriteString("ProxyIP3", "");
        quellor_registry::WriteInt("Port", 18091);
        ASSERT_NO_FATAL_FAILURE(Launch());
        const HWND frame = quellor.MainWindow();
        const auto isOn = [&] { return FindProcessWindow(quellor.Id(), "QuellorAnimation", "") != nullptr; };
        const auto tick = [&] {
            PostMessageA(frame, WM_TIMER, 1, 0);
            DWORD_PTR answer = 0;
            return SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &answer) != 0;
        };

        // Closing the dialog does not switch a stopped activity on.
        ASSERT_NO_FATAL_FAILURE(OpenFromTray());
        dialog.Click(IDOK);
        ASSERT_TRUE(dialog.WaitUntilClosed());
        PumpFor(300);
        EXPECT_FALSE(isOn());

        PostMessageA(frame, WM_COMMAND, ID_ACTIVITY_ON, 0);
        ASSERT_TRUE(WaitUntil(isOn, 5000));
        ASSERT_TRUE(tick());
        ASSERT_TRUE(host.WaitForConnections(1, 5000));
        EXPECT_EQ(host.Connections()[0].peerPort, 18091);

        // Applied while running: the proxy address waits for the restart.
        ASSERT_NO_FATAL_FAILURE(OpenFromTray());
        ASSERT_NO_FATAL_FAILURE(ShowTab(kProxyTab));
        dialog.Type(IDC_PROXY_ADDRESS, "127.0.0.1");
        dialog.Type(IDC_PORT, "18092");
        Apply();
        ASSERT_TRUE(tick());
        PumpFor(300);
        EXPECT_EQ(proxy.ConnectionCount(), 0u);

        dialog.Click(IDC_SETUP_CANCEL);
        ASSERT_TRUE(dialog.WaitUntilClosed());
        ASSERT_TRUE(tick());
        ASSERT_TRUE(proxy.WaitForConnections(1, 5000));
        // The connection is counted once accepted; its request comes after.
        ASSERT_TRUE(proxy.WaitUntilFinished(5000));
        const std::string request = proxy.Connections()[0].received;
        EXPECT_EQ(request.substr(0, request.find("\r\n")), "GET http://127.0.0.1:80/ HTTP/1.0");
        EXPECT_TRUE(isOn());
        EXPECT_TRUE(quellor.Exit());
    }
    WSACleanup();
}

TEST_F(SetupDialog, SettingsSetByPolicyShowDisabledStayTheUsersAndNameTheHostContacted)
{
    namespace reg = quellor_registry;
    struct Cleanup {
        ~Cleanup() { reg::ClearPolicies(); }
    } cleanup;
    WSADATA sockets = {};
    ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &sockets), 0);
    {
        CLoopbackListener proxy;
        ASSERT_TRUE(proxy.Start(18093, CLoopbackListener::Mode::AnswerHttp));
        // The user's own: FTP, no proxy, 5 minutes. The office's, from the
        // machine's policies and the user's: its intranet through its proxy,
        // every 4 minutes.
        PrepareStore();
        reg::WriteInt("IsHttp", 0);
        reg::WriteInt("Proxy", 0);
        reg::WriteInt("DefaultMin", 5);
        reg::ClearPolicies();
        reg::WritePolicyInt(reg::Scope::Machine, "IsHttp", 1);
        reg::WritePolicyInt(reg::Scope::Machine, "Proxy", 1);
        reg::WritePolicyString(reg::Scope::Machine, "ProxyIP3", "127.0.0.1");
        reg::WritePolicyInt(reg::Scope::User, "Port", 18093);
        reg::WritePolicyInt(reg::Scope::User, "DefaultMin", 4);
        for (int i = 0; i < 10; ++i) {
            reg::WritePolicyString(reg::Scope::Machine, HostKey("HTTPURL", i).c_str(), "intranet.example.com");
        }
        ASSERT_NO_FATAL_FAILURE(LaunchAndOpen());
        EXPECT_EQ(dialog.Text(IDC_MANAGED_NOTE), "Some settings are managed by your organisation.");
        EXPECT_TRUE(dialog.IsShown(IDC_MANAGED_NOTE));
        EXPECT_TRUE(dialog.IsChecked(IDC_HTTP) && dialog.IsChecked(IDC_USE_PROXY));
        EXPECT_EQ(dialog.ListItems(IDC_HOST_LIST), Repeated("intranet.example.com"));
        EXPECT_EQ(dialog.TrackbarPosition(IDC_INTERVAL), 4);
        EXPECT_EQ(dialog.Text(IDC_PROXY_ADDRESS) + ":" + dialog.Text(IDC_PORT), "127.0.0.1:18093");
        for (const int id :
             {IDC_HTTP, IDC_FTP, IDC_CHANGE_URL, IDC_INTERVAL, IDC_USE_PROXY, IDC_PROXY_ADDRESS, IDC_PORT}) {
            EXPECT_FALSE(IsWindowEnabled(dialog.Control(id))) << id;
        }
        for (const int id : {IDC_SEQUENTIAL, IDC_HOST_LIST, IDC_AUTONETSENSE}) {
            EXPECT_TRUE(IsWindowEnabled(dialog.Control(id))) << id;
        }
        // OK stores what the user may choose; the user's own values of the
        // rest, and the policies, stay.
        dialog.Click(IDC_SEQUENTIAL);
        dialog.Click(IDOK);
        ASSERT_TRUE(dialog.WaitUntilClosed());
        const auto ownValues = [] {
            return std::vector<int>{reg::ReadInt("IsRand", -1), reg::ReadInt("IsHttp", -1), reg::ReadInt("Proxy", -1),
                                    reg::ReadInt("DefaultMin", -1), reg::ReadInt("AutoNetSense", -1)};
        };
        EXPECT_EQ(ownValues(), (std::vector<int>{0, 0, 0, 5, 0}));
        EXPECT_EQ(StoredList("HTTPURL")[0], "127.0.1.0");
        EXPECT_EQ(reg::ReadPolicyInt(reg::Scope::User, "Port", -1), 18093);

        // So do the wizard's pages.
        CWizardDriver wizard(quellor.Id());
        ASSERT_TRUE(wizard.Open(quellor.MainWindow()));
        wizard.Click(IDC_WIZ_OTHER);
        ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kAutoNetSense));
        ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kProxy));
        EXPECT_TRUE(wizard.IsChecked(IDC_WIZ_USE_PROXY) && !IsWindowEnabled(wizard.Item(IDC_WIZ_NO_PROXY)));
        EXPECT_EQ(wizard.Text(IDC_WIZ_PROXY_ADDRESS) + ":" + wizard.Text(IDC_WIZ_PORT), "127.0.0.1:18093");
        ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kTimer));
        EXPECT_EQ(SendMessageA(wizard.Item(IDC_WIZ_SLIDER), TBM_GETPOS, 0, 0), 4);
        ASSERT_TRUE(wizard.Press(IDCANCEL, 0));
        EXPECT_EQ(ownValues(), (std::vector<int>{0, 0, 0, 5, 1}));

        // The contact goes to the host the policy names, through its proxy.
        PostMessageA(quellor.MainWindow(), WM_COMMAND, ID_ACTIVITY_ON, 0);
        ASSERT_TRUE(
            WaitUntil([&] { return FindProcessWindow(quellor.Id(), "QuellorAnimation", "") != nullptr; }, 5000));
        PostMessageA(quellor.MainWindow(), WM_TIMER, 1, 0);
        ASSERT_TRUE(proxy.WaitForFirstLines(1, 5000));
        const std::string request = proxy.Connections()[0].received;
        EXPECT_EQ(request.substr(0, request.find("\r\n")), "GET http://intranet.example.com:80/ HTTP/1.0");

        // A policy changed while it runs holds once Group Policy announces
        // it, even the protocol, which an ON reads only when it starts: an
        // FTP contact (Wine makes it straight to the host at the port).
        reg::WritePolicyInt(reg::Scope::Machine, "IsHttp", 0);
        for (int i = 0; i < 10; ++i) {
            reg::WritePolicyString(reg::Scope::Machine, HostKey("FTPURL", i).c_str(), "127.0.0.1");
        }
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(quellor.MainWindow(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Policy"), SMTO_BLOCK,
                            5000, &answer);
        PostMessageA(quellor.MainWindow(), WM_TIMER, 1, 0);
        ASSERT_TRUE(proxy.WaitForConnections(2, 10000));
        EXPECT_NE(proxy.Connections()[1].received.rfind("GET ", 0), 0u) << proxy.Connections()[1].received;
        EXPECT_TRUE(quellor.Exit());
    }
    WSACleanup();
}

TEST_F(SetupDialog, ExitWhileTheDialogsAreOpenEndsTheProgramCleanly)
{
    PrepareStore();
    ASSERT_NO_FATAL_FAILURE(LaunchAndOpen());
    ASSERT_TRUE(quellor.Exit());
    EXPECT_EQ(quellor.ExitCode(), 0u);

    CQuellorProcess again;
    ASSERT_TRUE(again.Launch());
    ASSERT_NE(again.WaitForMainWindow(), nullptr);
    // Running, so that a restart after the dialog would be due.
    PostMessageA(again.MainWindow(), WM_COMMAND, ID_ACTIVITY_ON, 0);
    PostMessageA(again.MainWindow(), WM_COMMAND, ID_SETUP, 0);
    const CRemoteDialog setup(::WaitForDialog(again.Id(), kSetupTitle));
    ASSERT_TRUE(setup.IsOpen());
    setup.PostClick(IDC_CHANGE_URL);
    ASSERT_NE(WaitForDialog(again.Id(), kChangeUrlTitle), nullptr);
    ASSERT_TRUE(again.Exit());
    EXPECT_EQ(again.ExitCode(), 0u);
    EXPECT_EQ(quellor_registry::ReadString("HTTPURL0", ""), "127.0.1.0");
}

TEST_F(SetupDialog, ExitWhileTheStartUpDialogIsOpenEndsTheProgramCleanly)
{
    PrepareStore();
    quellor_registry::WriteInt("StartUp", 0);
    ASSERT_NO_FATAL_FAILURE(Launch());
    ASSERT_NO_FATAL_FAILURE(WaitForSetUp());
    ASSERT_TRUE(quellor.Exit());
    EXPECT_EQ(quellor.ExitCode(), 0u);
}

// Texts, boxes and trackbars are drawn on the page they stand on, not in
// boxes of the dialog's colour: on every tab of Set Up (the tab's body) and
// on every page of the wizard (the dialog's own).
TEST_F(SetupDialog, EveryTabAndWizardPageShowsItsControlsOnThePageBackground)
{
    PrepareStore();
    quellor_registry::WriteInt("IsAOL", 1);  // the AOL tab with its hint and title
    ASSERT_NO_FATAL_FAILURE(LaunchAndOpen());
    for (const int tab :
         {kUrlTab, kTimerTab, kProxyTab, kAolTab, kProdigyTab, kHelpTab, kSwitchOnTab, kScheduleTab, kRedialTab}) {
        ASSERT_NO_FATAL_FAILURE(ShowTab(tab));
        const RECT body = ScreenClientRect(dialog.Control(IDC_TABS));
        ExpectControlsOnBackground(dialog.Handle(), body, {body.left + 6, body.bottom - 6}, "tab " + std::to_string(tab));
    }
    // Below the tabs, the dialog's own background.
    const RECT client = ScreenClientRect(dialog.Handle());
    const RECT below = {client.left, ScreenClientRect(dialog.Control(IDC_TABS)).bottom, client.right, client.bottom};
    ExpectControlsOnBackground(dialog.Handle(), below, {client.left + 4, client.bottom - 4}, "below the tabs");
    dialog.Click(IDC_SETUP_CANCEL);
    ASSERT_TRUE(dialog.WaitUntilClosed());

    CWizardDriver wizard(quellor.Id());
    ASSERT_TRUE(wizard.Open(quellor.MainWindow()));
    const int pages[] = {wizard_page::kIsp,      wizard_page::kAutoNetSense, wizard_page::kProxy,
                         wizard_page::kTimer,    wizard_page::kProtocol,     wizard_page::kUrlOrder};
    for (std::size_t page = 0; page < std::size(pages); ++page) {
        const RECT area = ScreenClientRect(wizard.Page());
        ExpectControlsOnBackground(wizard.Page(), area, {area.left + 4, area.bottom - 4},
                                   "wizard page " + std::to_string(page + 1));
        if (page == 0) {
            wizard.Click(IDC_WIZ_OTHER);
        }
        if (page + 1 < std::size(pages)) {
            ASSERT_TRUE(wizard.Press(IDOK, pages[page + 1]));
        }
    }
    ASSERT_TRUE(wizard.Press(IDCANCEL, 0));
}

}  // namespace
