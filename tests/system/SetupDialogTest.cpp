// The Set Up dialog and the Change URL dialog in the running Quellor.exe,
// driven as a user would (clicks, typing, keys, tab and list clicks) and
// checked through what the controls show and what reaches the registry.
#include "DialogDriver.h"
#include "QuellorProcess.h"
#include "QuellorRegistry.h"
#include "TestWindows.h"

#include "res/resource.h"
#include "settings/MakerSite.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <algorithm>
#include <climits>
#include <map>
#include <string>
#include <vector>

namespace {

const char* const kSetupTitle = "Quellor--Set Up";
const char* const kChangeUrlTitle = "Quellor-Change URL";
const char* const kMessageCaption = "Quellor";

enum Tab { kUrlTab, kTimerTab, kProxyTab, kAolTab, kProdigyTab, kHelpTab };

// The controls each tab shows; the last three of the AOL tab only while a
// version is chosen.
const std::map<int, std::vector<int>> kTabControls = {
    {kUrlTab, {IDC_RANDOM, IDC_SEQUENTIAL, IDC_HTTP, IDC_FTP, IDC_HOST_LIST, IDC_CHANGE_URL}},
    {kTimerTab, {IDC_INTERVAL, IDC_SCALE_1, IDC_SCALE_5, IDC_SCALE_10, IDC_INTERVAL_LABEL, IDC_MINUTES_LABEL}},
    {kProxyTab, {IDC_PROXY_LABEL, IDC_USE_PROXY, IDC_PROXY_ADDRESS, IDC_PORT_LABEL, IDC_PORT, IDC_DOT_1, IDC_DOT_2}},
    {kAolTab, {IDC_AOL4, IDC_AOL3, IDC_AOL_TITLE_LABEL, IDC_AOL_TITLE, IDC_AOL_HINT}},
    {kProdigyTab, {IDC_PRODIGY_LABEL, IDC_PRODIGY}},
    {kHelpTab, {IDC_HELP_LINE_1, IDC_HELP_LINE_2, IDC_FAQ}},
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
    for (const char* key : {"StartUp", "AutoNetSense", "IsAOL", "IsAOL4", "Prodigy", "IsHttp", "IsRand", "DefaultMin",
                            "Proxy", "Port", "ProxyIP3", "AOL47", "DefaultURL"}) {
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
        dialog = CDialogDriver(::WaitForDialog(quellor.Id(), kSetupTitle));
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

    // Clicks a button that is expected to bring up "Please enter an integer.",
    // answers it, and checks where the focus went.
    void ExpectPortRejectedBy(int button)
    {
        dialog.PostClick(button);
        const HWND box = WaitForMessageBox(quellor.Id(), kMessageCaption);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(MessageBoxText(box), "Please enter an integer.");
        EXPECT_EQ(GetWindow(box, GW_OWNER), dialog.Handle());
        PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));
        ASSERT_TRUE(WaitUntil([&] { return dialog.Focus() == dialog.Control(IDC_PORT); }, 2000));
        const int length = static_cast<int>(dialog.Text(IDC_PORT).size());
        EXPECT_EQ(dialog.Selection(IDC_PORT), std::make_pair(0, length));
        EXPECT_TRUE(dialog.IsOpen());
    }

    // Runs "Change URL" on the selected entry and returns the dialog.
    CDialogDriver OpenChangeUrl()
    {
        dialog.PostClick(IDC_CHANGE_URL);
        return CDialogDriver(::WaitForDialog(quellor.Id(), kChangeUrlTitle));
    }

    void ExpectOnlyTabShown(int tab, bool aolVersionChosen) const
    {
        for (const auto& [owner, controls] : kTabControls) {
            for (const int id : controls) {
                const bool titleGroup = std::find(kAolTitleGroup.begin(), kAolTitleGroup.end(), id) !=
                                        kAolTitleGroup.end();
                const bool expected = owner == tab && (!titleGroup || aolVersionChosen);
                EXPECT_EQ(dialog.IsShown(id), expected) << "tab " << tab << ", control " << id;
            }
        }
        for (const int id : kAlwaysShown) {
            EXPECT_TRUE(dialog.IsShown(id)) << "control " << id;
        }
    }

    CQuellorProcess quellor;
    CDialogDriver dialog;
};

TEST_F(SetupDialog, OpensWithEveryDefaultOnAnEmptyStoreAndOkWritesEveryKey)
{
    // Past the first start and nothing else: the dialog opens at start-up.
    quellor_registry::Clear();
    fprintf(stderr, "STEP 1\n", 1);
    quellor_registry::WriteInt("2.8", 1);
    fprintf(stderr, "STEP 2\n", 2);
    ASSERT_NO_FATAL_FAILURE(Launch());
    fprintf(stderr, "STEP 3\n", 3);
    ASSERT_NO_FATAL_FAILURE(WaitForSetUp());
    fprintf(stderr, "STEP 4\n", 4);

    EXPECT_EQ(dialog.TabCount(IDC_TABS), 6);
    fprintf(stderr, "STEP 5\n", 5);
    EXPECT_EQ(dialog.SelectedTab(IDC_TABS), kUrlTab);
    fprintf(stderr, "STEP 6\n", 6);
    ExpectOnlyTabShown(kUrlTab, false);
    fprintf(stderr, "STEP 7\n", 7);
    EXPECT_TRUE(dialog.IsChecked(IDC_HTTP));
    fprintf(stderr, "STEP 8\n", 8);
    EXPECT_TRUE(dialog.IsChecked(IDC_RANDOM));
    fprintf(stderr, "STEP 9\n", 9);
    for (const int unchecked : {IDC_FTP, IDC_SEQUENTIAL, IDC_NO_STARTUP_DIALOG, IDC_USE_PROXY, IDC_PRODIGY, IDC_AOL3,
                                IDC_AOL4, IDC_AUTONETSENSE}) {
        EXPECT_FALSE(dialog.IsChecked(unchecked)) << unchecked;
    }
    EXPECT_EQ(dialog.Text(IDC_PORT), "80");
    fprintf(stderr, "STEP 10\n", 10);
    EXPECT_EQ(dialog.Text(IDC_PROXY_ADDRESS), "");
    fprintf(stderr, "STEP 11\n", 11);
    EXPECT_EQ(dialog.Text(IDC_AOL_TITLE), "");
    fprintf(stderr, "STEP 12\n", 12);
    EXPECT_EQ(dialog.TrackbarPosition(IDC_INTERVAL), 1);
    fprintf(stderr, "STEP 13\n", 13);
    EXPECT_EQ(dialog.ListItems(IDC_HOST_LIST), Repeated(maker::kWebHost));
    fprintf(stderr, "STEP 14\n", 14);
    EXPECT_EQ(dialog.ListSelection(IDC_HOST_LIST), 0);
    fprintf(stderr, "STEP 15\n", 15);

    // Centred in the work area, though its owner is hidden.
    RECT work = {};
    fprintf(stderr, "STEP 16\n", 16);
    RECT window = {};
    fprintf(stderr, "STEP 17\n", 17);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    fprintf(stderr, "STEP 18\n", 18);
    GetWindowRect(dialog.Handle(), &window);
    fprintf(stderr, "STEP 19\n", 19);
    EXPECT_NEAR((window.left + window.right) / 2, (work.left + work.right) / 2, 1);
    fprintf(stderr, "STEP 20\n", 20);
    EXPECT_NEAR((window.top + window.bottom) / 2, (work.top + work.bottom) / 2, 1);
    fprintf(stderr, "STEP 21\n", 21);
    EXPECT_FALSE(IsWindowVisible(quellor.MainWindow()));
    fprintf(stderr, "STEP 22\n", 22);

    dialog.PressKey(IDOK, VK_RETURN);
    fprintf(stderr, "STEP 23\n", 23);
    ASSERT_TRUE(dialog.WaitUntilClosed());
    fprintf(stderr, "STEP 24\n", 24);
    const std::map<std::string, int> integers = {{"IsAOL", 0},   {"IsAOL4", 0},     {"AutoNetSense", 0},
                                                 {"IsRand", 1},  {"StartUp", 0},    {"DefaultMin", 1},
                                                 {"IsHttp", 1},  {"Proxy", 0},      {"Port", 80},
                                                 {"Prodigy", 0}};
    for (const auto& [key, value] : integers) {
        EXPECT_EQ(quellor_registry::TypeOf(key.c_str()), static_cast<unsigned long>(REG_DWORD)) << key;
        EXPECT_EQ(quellor_registry::ReadInt(key.c_str(), -99), value) << key;
    }
    for (const char* emptyText : {"ProxyIP3", "AOL47"}) {
        EXPECT_EQ(quellor_registry::TypeOf(emptyText), static_cast<unsigned long>(REG_SZ)) << emptyText;
        EXPECT_EQ(quellor_registry::ReadString(emptyText, "<missing>"), "") << emptyText;
    }
    EXPECT_EQ(quellor_registry::ReadString("DefaultURL", ""), maker::kWebHost);
    fprintf(stderr, "STEP 25\n", 25);
    EXPECT_EQ(StoredList("HTTPURL"), Repeated(maker::kWebHost));
    fprintf(stderr, "STEP 26\n", 26);
    EXPECT_EQ(StoredList("FTPURL"), Repeated(maker::kWebHost));
    fprintf(stderr, "STEP 27\n", 27);
    // Nothing is restarted after the start-up dialog, and the program runs on.
    EXPECT_TRUE(quellor.IsRunning());
    fprintf(stderr, "STEP 28\n", 28);
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

TEST_F(SetupDialog, AStoredVersionShowsTheTitleGroupAndAMissingTitleOpensEmpty)
{
    PrepareStore();
    quellor_registry::WriteInt("IsAOL4", 1);
    ASSERT_NO_FATAL_FAILURE(LaunchAndOpen());
    ASSERT_NO_FATAL_FAILURE(ShowTab(kAolTab));
    EXPECT_TRUE(dialog.IsChecked(IDC_AOL4));
    EXPECT_FALSE(dialog.IsChecked(IDC_AOL3));
    ExpectOnlyTabShown(kAolTab, true);
    EXPECT_EQ(dialog.Text(IDC_AOL_TITLE), "");
    dialog.Click(IDC_AOL3);
    EXPECT_EQ(dialog.Text(IDC_AOL_TITLE), "");
    dialog.Click(IDOK);
    ASSERT_TRUE(dialog.WaitUntilClosed());
    EXPECT_EQ(quellor_registry::ReadString("AOL47", "<missing>"), "");
    EXPECT_EQ(quellor_registry::ReadInt("IsAOL", -1), 1);
    EXPECT_EQ(quellor_registry::ReadInt("IsAOL4", -1), 0);
}

TEST_F(SetupDialog, EachTabShowsItsOwnControlsAndTypedValuesSurviveSwitching)
{
    PrepareStore();
    quellor_registry::WriteInt("IsAOL", 1);
    ASSERT_NO_FATAL_FAILURE(LaunchAndOpen());
    for (const int tab : {kTimerTab, kProxyTab, kAolTab, kProdigyTab, kHelpTab, kUrlTab}) {
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

TEST_F(SetupDialog, PortTextsAreAcceptedOrRejectedAsWholeNumbers)
{
    PrepareStore();
    quellor_registry::WriteInt("Port", 1234);
    ASSERT_NO_FATAL_FAILURE(LaunchAndOpen());
    ASSERT_NO_FATAL_FAILURE(ShowTab(kProxyTab));

    const std::vector<std::pair<std::string, int>> accepted = {
        {"8080 ", 8080},          {" \t-1", -1},         {"70000", 70000},
        {"000", 0},               {"+21", 21},           {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN}, {"0000000000000000000000000000000080", 0},
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

    // Rejected while another tab shows: the tab stays, the hidden box gets
    // the focus, and OK keeps the dialog open.
    ASSERT_NO_FATAL_FAILURE(ShowTab(kUrlTab));
    dialog.Type(IDC_PORT, "eighty");
    ASSERT_NO_FATAL_FAILURE(ExpectPortRejectedBy(IDOK));
    EXPECT_EQ(dialog.SelectedTab(IDC_TABS), kUrlTab);
    EXPECT_FALSE(dialog.IsShown(IDC_PORT));
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
        const CDialogDriver setup(::WaitForDialog(run.Id(), kSetupTitle));
        ASSERT_TRUE(setup.IsOpen());
        EXPECT_EQ(setup.TrackbarPosition(IDC_INTERVAL), shown) << stored;
        setup.Click(IDOK);
        ASSERT_TRUE(setup.WaitUntilClosed());
        EXPECT_EQ(quellor_registry::ReadInt("DefaultMin", -1), shown) << stored;
        EXPECT_TRUE(run.Exit());
    }
}

// Registers PageRecorder.exe as the browser for http addresses while a test
// runs, so the FAQ page is recorded instead of fetched.
class CPageRecorder {
public:
    CPageRecorder()
    {
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\QuellorTests");
        const std::string command = "\"" + CQuellorProcess::BesideTests("PageRecorder.exe") + "\" \"%1\"";
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, kCommandKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                       static_cast<DWORD>(command.size() + 1));
        RegCloseKey(key);
    }
    ~CPageRecorder()
    {
        for (const char* key : {kCommandKey, "Software\\Classes\\http\\shell\\open", "Software\\Classes\\http\\shell",
                                "Software\\Classes\\http", "Software\\QuellorTests"}) {
            RegDeleteKeyA(HKEY_CURRENT_USER, key);
        }
    }
    CPageRecorder(const CPageRecorder&) = delete;
    CPageRecorder& operator=(const CPageRecorder&) = delete;

    std::vector<std::string> Pages() const
    {
        std::vector<std::string> pages;
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\QuellorTests", 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return pages;
        }
        char text[4096] = {};
        DWORD size = sizeof text - 1;
        RegQueryValueExA(key, "OpenedPages", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
        RegCloseKey(key);
        std::string all = text;
        for (std::size_t end; (end = all.find('\n')) != std::string::npos; all.erase(0, end + 1)) {
            pages.push_back(all.substr(0, end));
        }
        return pages;
    }

private:
    static constexpr const char* kCommandKey = "Software\\Classes\\http\\shell\\open\\command";
};

TEST_F(SetupDialog, FaqSavesClosesAndOpensThePageAndOpensItEvenWhenThePortIsRejected)
{
    CPageRecorder recorder;
    // The browser must be the recorder before anything opens a page.
    ShellExecuteA(nullptr, "open", "http://127.0.0.1/quellor-test", nullptr, nullptr, SW_SHOW);
    ASSERT_TRUE(WaitUntil([&] { return recorder.Pages().size() == 1; }, 10000));
    ASSERT_EQ(recorder.Pages()[0], "http://127.0.0.1/quellor-test");

    PrepareStore();
    ASSERT_NO_FATAL_FAILURE(LaunchAndOpen());
    ASSERT_NO_FATAL_FAILURE(ShowTab(kProxyTab));
    dialog.Type(IDC_PORT, "+0");
    ASSERT_NO_FATAL_FAILURE(ShowTab(kHelpTab));
    ASSERT_NO_FATAL_FAILURE(ExpectPortRejectedBy(IDC_FAQ));
    EXPECT_FALSE(quellor_registry::Exists("Port"));
    ASSERT_TRUE(WaitUntil([&] { return recorder.Pages().size() == 2; }, 10000));
    EXPECT_EQ(recorder.Pages()[1], maker::kFaqPage);

    dialog.Type(IDC_PORT, "8088");
    dialog.Click(IDC_FTP);
    dialog.Click(IDC_FAQ);
    ASSERT_TRUE(dialog.WaitUntilClosed());
    EXPECT_EQ(quellor_registry::ReadInt("Port", -1), 8088);
    EXPECT_EQ(quellor_registry::ReadInt("IsHttp", -1), 0);
    ASSERT_TRUE(WaitUntil([&] { return recorder.Pages().size() == 3; }, 10000));
    EXPECT_EQ(recorder.Pages()[2], maker::kFaqPage);
}

TEST_F(SetupDialog, ChangeUrlReplacesTheSelectedEntryOnlyOnOk)
{
    PrepareStore();
    ASSERT_NO_FATAL_FAILURE(LaunchAndOpen());
    const std::vector<std::string> stored = StoredList("HTTPURL");
    std::vector<std::string> http = stored;

    // OK with new text: the entry changes in place and stays selected.
    dialog.SelectListItem(IDC_HOST_LIST, 3);
    CDialogDriver change = OpenChangeUrl();
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
    for (const auto& close : {+[](const CDialogDriver& d) { d.Click(IDCANCEL); },
                              +[](const CDialogDriver& d) { d.PressKey(IDC_URL_TEXT, VK_ESCAPE); },
                              +[](const CDialogDriver& d) { d.PostCloseBox(); }}) {
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
    change = CDialogDriver(::WaitForDialog(quellor.Id(), kChangeUrlTitle));
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
    CDialogDriver change = OpenChangeUrl();
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

TEST_F(SetupDialog, ExitWhileTheDialogsAreOpenEndsTheProgramCleanly)
{
    PrepareStore();
    ASSERT_NO_FATAL_FAILURE(LaunchAndOpen());
    ASSERT_TRUE(quellor.Exit());
    EXPECT_EQ(quellor.ExitCode(), 0u);

    CQuellorProcess again;
    ASSERT_TRUE(again.Launch());
    ASSERT_NE(again.WaitForMainWindow(), nullptr);
    PostMessageA(again.MainWindow(), WM_COMMAND, ID_SETUP, 0);
    const CDialogDriver setup(::WaitForDialog(again.Id(), kSetupTitle));
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
    EXPECT_FALSE(dialog.IsChecked(IDC_NO_STARTUP_DIALOG));
    ASSERT_TRUE(quellor.Exit());
    EXPECT_EQ(quellor.ExitCode(), 0u);
}

}  // namespace
