// Quellor.exe with every key of its store in the wrong type, empty, as a
// 1 MB text or at the integer extremes: it starts, every dialog opens and
// saves, the activity runs and the program ends, and whatever a dialog
// wrote, the dialog can show and save again.
#include "QuellorProcess.h"
#include "QuellorRegistry.h"
#include "RemoteDialog.h"
#include "TestWindows.h"
#include "WizardDriver.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

namespace reg = quellor_registry;

enum class Hostile { WrongType, Empty, HugeText, Extremes };

const char* const kIntKeys[] = {"2.8",   "StartUp", "AutoNetSense", "IsAOL", "IsAOL4", "Prodigy",
                                "IsHttp", "IsRand", "DefaultMin",   "Proxy", "Port"};

std::vector<std::string> TextKeys()
{
    std::vector<std::string> keys = {"ProxyIP3", "AOL47", "ProdigyMSG", "AOL10", "DefaultURL"};
    for (int i = 0; i < 10; ++i) {
        keys.push_back("HTTPURL" + std::to_string(i));
        keys.push_back("FTPURL" + std::to_string(i));
    }
    return keys;
}

void WriteHostile(const char* key, bool isInt, Hostile kind, int position)
{
    static const std::string huge(1 << 20, 'q');
    const DWORD one = 1;
    const int extreme = position % 2 == 0 ? INT_MAX : INT_MIN;
    switch (kind) {
    case Hostile::WrongType:
        if (isInt) {
            reg::WriteRaw(key, REG_SZ, "1", 2);
        } else {
            reg::WriteRaw(key, REG_DWORD, &one, sizeof one);
        }
        break;
    case Hostile::Empty:
        reg::WriteRaw(key, isInt ? REG_DWORD : REG_SZ, "", 0);
        break;
    case Hostile::HugeText:
        reg::WriteRaw(key, REG_SZ, huge.c_str(), static_cast<unsigned long>(huge.size() + 1));
        break;
    case Hostile::Extremes:
        if (isInt) {
            reg::WriteInt(key, extreme);
        } else {
            reg::WriteString(key, std::to_string(extreme));
        }
        break;
    }
}

// Every key hostile; with `quietStart` the first-run marker and StartUp let
// the program start without its start-up dialogs, and the hosts point at
// this machine unless they are too long to make a contact at all.
void FillStore(Hostile kind, bool quietStart)
{
    reg::Clear();
    int position = 0;
    for (const char* key : kIntKeys) {
        WriteHostile(key, true, kind, position++);
    }
    for (const std::string& key : TextKeys()) {
        WriteHostile(key.c_str(), false, kind, position++);
    }
    if (quietStart) {
        reg::WriteInt("2.8", 1);
        reg::WriteInt("StartUp", 1);
    }
    if (quietStart && kind != Hostile::HugeText) {
        for (int i = 0; i < 10; ++i) {
            reg::WriteString(("HTTPURL" + std::to_string(i)).c_str(), "127.0.0.1");
            reg::WriteString(("FTPURL" + std::to_string(i)).c_str(), "127.0.0.1");
        }
    }
}

const char* Name(Hostile kind)
{
    switch (kind) {
    case Hostile::WrongType:
        return "wrong type";
    case Hostile::Empty:
        return "empty";
    case Hostile::HugeText:
        return "1 MB text";
    case Hostile::Extremes:
        return "integer extremes";
    }
    return "";
}

class CHostileRun {
public:
    ~CHostileRun()
    {
        reg::Clear();
        reg::PrepareQuietStart();
    }

    void Run(Hostile kind);

private:

    bool Answers() const
    {
        DWORD_PTR answer = 0;
        return SendMessageTimeoutA(quellor.MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer) != 0;
    }

    // OK on the Set Up dialog; a port it cannot accept is answered and typed
    // anew. With `mustAccept`, everything the dialog shows must be accepted.
    void SaveSetUp(bool mustAccept)
    {
        const CRemoteDialog dialog(WaitForDialog(quellor.Id(), "Quellor--Set Up"));
        ASSERT_TRUE(dialog.IsOpen());
        dialog.PostClick(IDOK);
        if (!dialog.WaitUntilClosed(2000)) {
            const HWND box = WaitForMessageBox(quellor.Id(), "Quellor", 3000);
            ASSERT_NE(box, nullptr) << "the dialog neither closed nor said why";
            EXPECT_FALSE(mustAccept) << MessageBoxText(box);
            PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
            ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));
            dialog.Type(IDC_PORT, "80");
            dialog.PostClick(IDOK);
            ASSERT_TRUE(dialog.WaitUntilClosed(5000));
        }
    }

    void WalkWizard(bool opened)
    {
        CWizardDriver wizard(quellor.Id());
        ASSERT_TRUE(opened ? wizard.WaitForPage(wizard_page::kIsp) : wizard.Open(quellor.MainWindow()));
        wizard.Click(1076);  // another provider
        for (const int next : {wizard_page::kAutoNetSense, wizard_page::kProxy, wizard_page::kTimer,
                               wizard_page::kProtocol, wizard_page::kUrlOrder, 0}) {
            ASSERT_TRUE(wizard.Press(IDOK, next)) << "towards page " << next;
        }
    }

    CQuellorProcess quellor;
};

void CHostileRun::Run(Hostile kind)
{
    // The first start: its wizard and Set Up dialog over the hostile store.
    FillStore(kind, false);
    ASSERT_TRUE(quellor.Launch());
    ASSERT_NE(quellor.WaitForMainWindow(), nullptr);
    if (kind != Hostile::Extremes) {
        ASSERT_NO_FATAL_FAILURE(WalkWizard(true));
        ASSERT_NO_FATAL_FAILURE(SaveSetUp(false));
    }
    ASSERT_TRUE(quellor.Exit());
    EXPECT_EQ(quellor.ExitCode(), 0u);

    // A later start over the hostile store: the activity with what it reads,
    // then every dialog.
    FillStore(kind, true);
    ASSERT_TRUE(quellor.Launch());
    const HWND frame = quellor.WaitForMainWindow();
    ASSERT_NE(frame, nullptr);
    PostMessageA(frame, WM_COMMAND, ID_ACTIVITY_ON, 0);
    for (const UINT_PTR timer : {1, 2, 1, 2, 1}) {
        PostMessageA(frame, WM_TIMER, timer, 0);
    }
    PumpFor(1000);
    ASSERT_TRUE(Answers());
    PostMessageA(frame, WM_COMMAND, ID_ACTIVITY_OFF, 0);

    PostMessageA(frame, WM_COMMAND, ID_SETUP, 0);
    {
        const CRemoteDialog dialog(WaitForDialog(quellor.Id(), "Quellor--Set Up"));
        ASSERT_TRUE(dialog.IsOpen());
        dialog.PostClick(IDC_CHANGE_URL);
        const CRemoteDialog change(WaitForDialog(quellor.Id(), "Quellor-Change URL"));
        ASSERT_TRUE(change.IsOpen());
        change.PostClick(IDOK);
        ASSERT_TRUE(change.WaitUntilClosed());
    }
    ASSERT_NO_FATAL_FAILURE(SaveSetUp(false));
    ASSERT_NO_FATAL_FAILURE(WalkWizard(false));
    PostMessageA(frame, WM_COMMAND, ID_APP_ABOUT, 0);
    const CRemoteDialog about(WaitForDialog(quellor.Id(), "About Quellor"));
    ASSERT_TRUE(about.IsOpen());
    about.PostClick(IDOK);
    ASSERT_TRUE(about.WaitUntilClosed());

    // What the dialogs wrote, they show and save again without a word.
    PostMessageA(frame, WM_COMMAND, ID_SETUP, 0);
    ASSERT_NO_FATAL_FAILURE(SaveSetUp(true));
    ASSERT_TRUE(Answers());
    const DWORD start = GetTickCount();
    ASSERT_TRUE(quellor.Exit());
    EXPECT_LT(GetTickCount() - start, 5000u);
    EXPECT_EQ(quellor.ExitCode(), 0u);
}

TEST(HostileSettings, EveryDialogOpensAndSavesTheActivityRunsAndTheProgramEnds)
{
    for (const Hostile kind : {Hostile::WrongType, Hostile::Empty, Hostile::HugeText, Hostile::Extremes}) {
        SCOPED_TRACE(Name(kind));
        CHostileRun().Run(kind);
    }
}

}  // namespace
