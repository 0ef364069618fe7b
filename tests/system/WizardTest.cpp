// The set-up wizard in the real Quellor.exe: its six pages driven through
// their controls, and what each stores in the registry.
#include "QuellorProcess.h"
#include "QuellorRegistry.h"
#include "TestWindows.h"
#include "WizardDriver.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

namespace reg = quellor_registry;

constexpr int kBack = 1071;
constexpr int kAol3 = 1072, kAol4 = 1075, kProdigy = 1073, kMsn = 1074, kOther = 1076;
constexpr int kAutoNetSense = 1077, kManual = 1078;
constexpr int kNoProxy = 1080, kUseProxy = 1079, kProxyAddress = 1014, kPort = 1081;
constexpr int kSlider = 1013;
constexpr int kHttp = 1082, kFtp = 1083;
constexpr int kRandom = 1085, kSequential = 1086;

const std::vector<int> kServices = {kAol3, kAol4, kProdigy, kMsn, kOther};

// Quellor.exe started with no dialog, ready for the wizard.
class WizardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        reg::PrepareQuietStart();
        ASSERT_TRUE(quellor.Launch());
        frame = quellor.WaitForMainWindow();
        ASSERT_NE(frame, nullptr);
        wizard = CWizardDriver(quellor.Id());
    }

    void TearDown() override
    {
        if (wizard.PageOpen()) {
            PostMessageA(wizard.Page(), WM_COMMAND, IDCANCEL, 0);
        }
        EXPECT_TRUE(WaitUntil([&] { return wizard.OpenPageCount() == 0; }, 5000)) << "a page was left open";
        EXPECT_TRUE(quellor.Exit());
    }

    // Page 1 left with the given service, so that page 2 is open.
    void ReachAutoNetSensePage(int service = kOther)
    {
        ASSERT_TRUE(wizard.Open(frame));
        wizard.Click(service);
        ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kAutoNetSense));
    }

    // The values pages 2 to 6 store, all set to the opposite of the pages'
    // defaults.
    static void SeedLaterPages()
    {
        reg::WriteInt("AutoNetSense", 0);
        reg::WriteInt("Proxy", 1);
        reg::WriteString("ProxyIP3", "127.0.0.2");
        reg::WriteInt("Port", 3128);
        reg::WriteInt("DefaultMin", 9);
        reg::WriteInt("IsHttp", 0);
        reg::WriteInt("IsRand", 0);
    }

    CQuellorProcess quellor;
    HWND frame = nullptr;
    CWizardDriver wizard{0};
};

TEST_F(WizardTest, IspPageWithoutAChoiceWarnsAndKeepsTheServiceFlags)
{
    reg::WriteInt("IsAOL", 1);
    reg::WriteInt("IsAOL4", 1);
    reg::WriteInt("Prodigy", 1);
    reg::WriteString("AOL47", "Mine");
    ASSERT_TRUE(wizard.Open(frame));
    EXPECT_TRUE(wizard.Checked(kServices).empty()) << "page 1 opens with nothing chosen, whatever is stored";
    EXPECT_EQ(wizard.Text(1), "Next >>");
    EXPECT_EQ(wizard.Item(kBack), nullptr) << "no Back on the first page";

    EXPECT_EQ(wizard.PressExpectingMessage(IDOK), "You Must Select an option");
    EXPECT_EQ(reg::ReadInt("IsAOL", -1), 1) << "nothing is written before a choice";
    EXPECT_EQ(reg::ReadInt("IsAOL4", -1), 1);
    EXPECT_EQ(reg::ReadInt("Prodigy", -1), 1);
    EXPECT_EQ(reg::ReadString("AOL47", ""), "Mine");
    EXPECT_TRUE(wizard.PageOpen()) << "the page stays open for a choice";
    EXPECT_EQ(wizard.OpenPageCount(), 1);
}

TEST_F(WizardTest, EachServiceStoresItsFlagsAndTheAolTitle)
{
    struct Case {
        int service;
        int isAol, isAol4, prodigy;
        const char* aolTitle;
    };
    const Case cases[] = {
        {kAol3, 1, 0, 0, "America Online"},
        {kAol4, 0, 1, 0, "America Online Timer"},
        {kProdigy, 0, 0, 1, "Mine"},
        {kMsn, 0, 0, 1, "Mine"},
        {kOther, 0, 0, 0, "Mine"},
    };
    for (const Case& c : cases) {
        reg::WriteInt("IsAOL", 7);
        reg::WriteInt("IsAOL4", 7);
        reg::WriteInt("Prodigy", 7);
        reg::WriteString("AOL47", "Mine");
        ASSERT_TRUE(wizard.Open(frame));
        wizard.Click(c.service);
        EXPECT_EQ(wizard.Checked(kServices), std::vector<int>{c.service});
        ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kAutoNetSense)) << c.service;
        EXPECT_EQ(reg::ReadInt("IsAOL", -1), c.isAol) << c.service;
        EXPECT_EQ(reg::ReadInt("IsAOL4", -1), c.isAol4) << c.service;
        EXPECT_EQ(reg::ReadInt("Prodigy", -1), c.prodigy) << c.service;
        EXPECT_EQ(reg::ReadString("AOL47", ""), c.aolTitle) << c.service;
        ASSERT_TRUE(wizard.Press(IDCANCEL, 0));
    }
}

TEST_F(WizardTest, OptionsOfAPageActAsOneGroup)
{
    ASSERT_TRUE(wizard.Open(frame));
    wizard.Click(kAol4);
    wizard.Click(kMsn);
    EXPECT_EQ(wizard.Checked(kServices), std::vector<int>{kMsn});
    wizard.Click(kMsn);
    EXPECT_EQ(wizard.Checked(kServices), std::vector<int>{kMsn}) << "clicking the chosen box keeps it chosen";

    ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kAutoNetSense));
    EXPECT_EQ(reg::ReadInt("Prodigy", -1), 1);
    wizard.Click(kAutoNetSense);
    EXPECT_EQ(wizard.Checked({kAutoNetSense, kManual}), std::vector<int>{kAutoNetSense});
    wizard.Click(kManual);
    EXPECT_EQ(wizard.Checked({kAutoNetSense, kManual}), std::vector<int>{kManual});
}

TEST_F(WizardTest, UntouchedPagesStoreTheirOwnDefaults)
{
    SeedLaterPages();
    ReachAutoNetSensePage();
    EXPECT_EQ(wizard.Checked({kAutoNetSense, kManual}), std::vector<int>{kAutoNetSense});
    ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kProxy));
    EXPECT_EQ(reg::ReadInt("AutoNetSense", -1), 1);

    EXPECT_EQ(wizard.Checked({kNoProxy, kUseProxy}), std::vector<int>{kNoProxy});
    EXPECT_EQ(wizard.Text(kProxyAddress), "");
    EXPECT_EQ(wizard.Text(kPort), "0");
    ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kTimer));
    EXPECT_EQ(reg::ReadInt("Proxy", -1), 0);
    EXPECT_EQ(reg::ReadString("ProxyIP3", "missing"), "");
    EXPECT_EQ(reg::ReadInt("Port", -1), 0);

    const HWND slider = wizard.Item(kSlider);
    EXPECT_EQ(SendMessageA(slider, TBM_GETRANGEMIN, 0, 0), 1);
    EXPECT_EQ(SendMessageA(slider, TBM_GETRANGEMAX, 0, 0), 10);
    EXPECT_EQ(SendMessageA(slider, TBM_GETPOS, 0, 0), 1);
    ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kProtocol));
    EXPECT_EQ(reg::ReadInt("DefaultMin", -1), 1);

    EXPECT_EQ(wizard.Checked({kHttp, kFtp}), std::vector<int>{kHttp});
    ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kUrlOrder));
    EXPECT_EQ(reg::ReadInt("IsHttp", -1), 1);

    EXPECT_EQ(wizard.Checked({kRandom, kSequential}), std::vector<int>{kRandom});
    EXPECT_EQ(wizard.Text(IDOK), "Finish >>");
    ASSERT_TRUE(wizard.Press(IDOK, 0));
    EXPECT_EQ(reg::ReadInt("IsRand", -1), 1);
}

TEST_F(WizardTest, ChangedPagesStoreTheChoicesAndFinishEndsTheWizard)
{
    reg::WriteInt("IsHttp", 1);
    reg::WriteInt("IsRand", 1);
    ReachAutoNetSensePage();
    wizard.Click(kManual);
    ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kProxy));
    EXPECT_EQ(reg::ReadInt("AutoNetSense", -1), 0);

    wizard.Click(kUseProxy);
    wizard.SetText(kProxyAddress, "127.0.0.1");
    wizard.SetText(kPort, "8080");
    ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kTimer));
    EXPECT_EQ(reg::ReadInt("Proxy", -1), 1);
    EXPECT_EQ(reg::ReadString("ProxyIP3", ""), "127.0.0.1");
    EXPECT_EQ(reg::ReadInt("Port", -1), 8080);

    SendMessageA(wizard.Item(kSlider), TBM_SETPOS, TRUE, 7);
    ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kProtocol));
    EXPECT_EQ(reg::ReadInt("DefaultMin", -1), 7);

    wizard.Click(kFtp);
    ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kUrlOrder));
    EXPECT_EQ(reg::ReadInt("IsHttp", -1), 0);

    wizard.Click(kSequential);
    ASSERT_TRUE(wizard.Press(IDOK, 0));
    EXPECT_EQ(reg::ReadInt("IsRand", -1), 0);
    EXPECT_EQ(wizard.OpenPageCount(), 0);
    EXPECT_TRUE(quellor.IsRunning());
}

TEST_F(WizardTest, BackShowsThePageBeforeAsNewAndStoresNothing)
{
    ReachAutoNetSensePage();
    wizard.Click(kManual);
    ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kProxy));
    ASSERT_EQ(reg::ReadInt("AutoNetSense", -1), 0);

    // Values that a store by either page would overwrite.
    SeedLaterPages();
    reg::WriteInt("IsAOL", 5);
    wizard.Click(kUseProxy);
    wizard.SetText(kProxyAddress, "127.0.0.3");
    wizard.SetText(kPort, "81");
    ASSERT_TRUE(wizard.Press(kBack, wizard_page::kAutoNetSense));
    EXPECT_EQ(wizard.Checked({kAutoNetSense, kManual}), std::vector<int>{kAutoNetSense})
        << "the page opens with its own default, not the earlier choice";
    EXPECT_EQ(reg::ReadInt("AutoNetSense", -1), 0);
    EXPECT_EQ(reg::ReadInt("Proxy", -1), 1);
    EXPECT_EQ(reg::ReadString("ProxyIP3", ""), "127.0.0.2");
    EXPECT_EQ(reg::ReadInt("Port", -1), 3128);

    ASSERT_TRUE(wizard.Press(kBack, wizard_page::kIsp));
    EXPECT_TRUE(wizard.Checked(kServices).empty());
    EXPECT_EQ(reg::ReadInt("IsAOL", -1), 5);

    // Forward again stores each page's answer again.
    wizard.Click(kAol3);
    ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kAutoNetSense));
    EXPECT_EQ(reg::ReadInt("IsAOL", -1), 1);
    ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kProxy));
    EXPECT_EQ(reg::ReadInt("AutoNetSense", -1), 1);
    EXPECT_EQ(wizard.Text(kPort), "0");
    ASSERT_TRUE(wizard.Press(IDCANCEL, 0));
}

TEST_F(WizardTest, CancelAndTheCloseBoxKeepTheAnswersAlreadyGiven)
{
    reg::WriteInt("IsHttp", 0);
    reg::WriteInt("IsRand", 0);
    ReachAutoNetSensePage(kProdigy);
    wizard.Click(kManual);
    ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kProxy));
    ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kTimer));
    SendMessageA(wizard.Item(kSlider), TBM_SETPOS, TRUE, 4);
    ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kProtocol));
    wizard.Click(kHttp);
    ASSERT_TRUE(wizard.Press(IDCANCEL, 0));

    EXPECT_EQ(reg::ReadInt("Prodigy", -1), 1);
    EXPECT_EQ(reg::ReadInt("AutoNetSense", -1), 0);
    EXPECT_EQ(reg::ReadInt("Proxy", -1), 0);
    EXPECT_EQ(reg::ReadInt("Port", -1), 0);
    EXPECT_EQ(reg::ReadInt("DefaultMin", -1), 4);
    EXPECT_EQ(reg::ReadInt("IsHttp", -1), 0);
    EXPECT_EQ(reg::ReadInt("IsRand", -1), 0);

    // The window's close box on page 2 ends the wizard the same way.
    reg::WriteInt("AutoNetSense", 0);
    ReachAutoNetSensePage();
    PostMessageA(wizard.Page(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitUntil([&] { return wizard.OpenPageCount() == 0; }, 5000));
    EXPECT_EQ(reg::ReadInt("AutoNetSense", -1), 0);
    EXPECT_TRUE(quellor.IsRunning());
}

TEST_F(WizardTest, PortMustBeAPortNumberBeforeThePageStoresAnything)
{
    const std::string outsideRange = "Please enter an integer between 0 and 65535.";
    const std::vector<std::pair<const char*, std::string>> rejections = {
        {"80a", "Please enter an integer."}, {"+0", "Please enter an integer."}, {"", "Please enter an integer."},
        {"   ", "Please enter an integer."}, {"70000", outsideRange},          {"\t-1", outsideRange},
    };
    for (const auto& [rejected, message] : rejections) {
        SeedLaterPages();
        ReachAutoNetSensePage();
        ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kProxy));
        wizard.Click(kNoProxy);
        wizard.SetText(kProxyAddress, "127.0.0.4");
        wizard.SetText(kPort, rejected);
        EXPECT_EQ(wizard.PressExpectingMessage(IDOK), message) << '"' << rejected << '"';
        EXPECT_TRUE(wizard.PageOpen()) << "kept open for correction";
        EXPECT_TRUE(WaitUntil([&] { return FocusedControl(wizard.Page()) == wizard.Item(kPort); }, 3000))
            << "the port box gets the focus";
        const LRESULT selection = SendMessageA(wizard.Item(kPort), EM_GETSEL, 0, 0);
        EXPECT_EQ(LOWORD(selection), 0);
        EXPECT_EQ(HIWORD(selection), std::string(rejected).size());
        EXPECT_EQ(reg::ReadInt("Proxy", -1), 1) << "nothing stored from the page";
        EXPECT_EQ(reg::ReadString("ProxyIP3", ""), "127.0.0.2");
        EXPECT_EQ(reg::ReadInt("Port", -1), 3128);

        // Back reads the boxes too, and stays for correction the same way.
        EXPECT_EQ(wizard.PressExpectingMessage(kBack), message);
        EXPECT_TRUE(wizard.PageOpen());
        ASSERT_TRUE(wizard.Press(IDCANCEL, 0));
        EXPECT_EQ(reg::ReadInt("Port", -1), 3128);
    }

    struct Accepted {
        const char* text;
        int port;
    };
    for (const Accepted& accepted : {Accepted{" 8080 ", 8080}, Accepted{"65535", 65535}, Accepted{"0", 0}}) {
        SeedLaterPages();
        ReachAutoNetSensePage();
        ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kProxy));
        wizard.SetText(kPort, "80a");
        EXPECT_EQ(wizard.PressExpectingMessage(IDOK), "Please enter an integer.");
        wizard.SetText(kPort, accepted.text);
        ASSERT_TRUE(wizard.Press(IDOK, wizard_page::kTimer)) << '"' << accepted.text << '"';
        EXPECT_EQ(reg::TypeOf("Port"), static_cast<unsigned long>(REG_DWORD));
        EXPECT_EQ(reg::ReadInt("Port", 12345), accepted.port);
        EXPECT_EQ(reg::ReadInt("Proxy", -1), 0);
        EXPECT_EQ(reg::ReadString("ProxyIP3", "missing"), "");
        ASSERT_TRUE(wizard.Press(IDCANCEL, 0));
    }
}

}  // namespace
