// The three web-link commands of the real Quellor.exe. What the shell runs
// for an http address is replaced for each test: by a stand-in browser that
// records the address, by a program that does not exist, or by Wine's own
// launcher with no browser to start. No test lets a real browser run.
#include "QuellorProcess.h"
#include "QuellorRegistry.h"
#include "SettingsSnapshot.h"
#include "TestWindows.h"

#include "settings/MakerSite.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

constexpr const char* kHttpCommandKey = "http\\shell\\open\\command";
constexpr const char* kWineBrowserKey = "Software\\Wine\\WineBrowser";
constexpr const char* kStandInKey = "Software\\QuellorTest\\BrowserStandIn";

struct WebLink {
    WPARAM command;
    const char* address;
};
const WebLink kWebLinks[] = {
    {32782, maker::kHomePage},
    {32783, maker::kFaqPage},
    {32781, maker::kLibraryPage},
};

std::string ReadDefault(HKEY root, const char* path)
{
    char text[1024] = {};
    LONG size = sizeof text;
    return RegQueryValueA(root, path, text, &size) == ERROR_SUCCESS ? text : "";
}

void WriteDefault(HKEY root, const char* path, const std::string& text)
{
    RegSetValueA(root, path, REG_SZ, text.c_str(), static_cast<DWORD>(text.size()));
}

// Points the shell's http command elsewhere (an empty command keeps Wine's
// launcher) and leaves that launcher no browser it could find; both are put
// back at the end.
class CBrowserOverride {
public:
    explicit CBrowserOverride(const std::string& command) : savedCommand(ReadDefault(HKEY_CLASSES_ROOT, kHttpCommandKey))
    {
        if (!command.empty()) {
            WriteDefault(HKEY_CLASSES_ROOT, kHttpCommandKey, command);
        }
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, kWineBrowserKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
        static const char kNoBrowser[] = "quellor-test-no-such-browser";
        RegSetValueExA(key, "Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(kNoBrowser), sizeof kNoBrowser);
        RegCloseKey(key);
        RegDeleteKeyA(HKEY_CURRENT_USER, kStandInKey);
    }
    ~CBrowserOverride()
    {
        WriteDefault(HKEY_CLASSES_ROOT, kHttpCommandKey, savedCommand);
        RegDeleteKeyA(HKEY_CURRENT_USER, kWineBrowserKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, kStandInKey);
    }
    CBrowserOverride(const CBrowserOverride&) = delete;
    CBrowserOverride& operator=(const CBrowserOverride&) = delete;

private:
    std::string savedCommand;
};

DWORD StandInStarts()
{
    HKEY key = nullptr;
    DWORD starts = 0;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kStandInKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        DWORD size = sizeof starts;
        RegQueryValueExA(key, "Starts", nullptr, nullptr, reinterpret_cast<BYTE*>(&starts), &size);
        RegCloseKey(key);
    }
    return starts;
}

std::string StandInAddress()
{
    HKEY key = nullptr;
    char text[1024] = {};
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kStandInKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        DWORD size = sizeof text - 1;
        RegQueryValueExA(key, "Address", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
        RegCloseKey(key);
    }
    return text;
}

BOOL CALLBACK CollectVisible(HWND window, LPARAM parameter)
{
    if (IsWindowVisible(window)) {
        reinterpret_cast<std::set<HWND>*>(parameter)->insert(window);
    }
    return TRUE;
}

std::set<HWND> VisibleWindows()
{
    std::set<HWND> windows;
    EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool Answers(HWND window)
{
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer) != 0;
}

TEST(WebLinks, EachCommandHandsItsPageToTheBrowser)
{
    const CBrowserOverride browser("\"" + CQuellorProcess::BesideTests("BrowserStandIn.exe") + "\" \"%1\"");
    quellor_registry::PrepareQuietStart();
    CQuellorProcess quellor;
    ASSERT_TRUE(quellor.Launch());
    ASSERT_NE(quellor.WaitForMainWindow(), nullptr);

    DWORD starts = 0;
    for (const WebLink& link : kWebLinks) {
        PostMessageA(quellor.MainWindow(), WM_COMMAND, link.command, 0);
        ASSERT_TRUE(WaitUntil([&] { return StandInStarts() > starts; }, 10000)) << link.command;
        starts = StandInStarts();
        EXPECT_EQ(StandInAddress(), link.address);
        EXPECT_EQ(std::string(link.address).rfind("http://", 0), 0u);
    }
    PumpFor(500);
    EXPECT_EQ(StandInStarts(), 3u) << "one browser start per command";
    EXPECT_TRUE(quellor.Exit());
}

TEST(WebLinks, WithoutABrowserTheCommandsReturnQuietly)
{
    for (const char* command : {"\"C:\\quellor-test\\no-such-browser.exe\" \"%1\"", ""}) {
        const CBrowserOverride browser(command);
        quellor_registry::PrepareQuietStart();
        CQuellorProcess quellor;
        ASSERT_TRUE(quellor.Launch());
        const HWND frame = quellor.WaitForMainWindow();
        ASSERT_NE(frame, nullptr);
        PumpFor(300);
        const SettingsSnapshot settings = TakeSettingsSnapshot();
        const std::set<HWND> windowsBefore = VisibleWindows();

        for (const WebLink& link : kWebLinks) {
            PostMessageA(frame, WM_COMMAND, link.command, 0);
        }
        PumpFor(3000);
        EXPECT_TRUE(quellor.IsRunning()) << command;
        EXPECT_TRUE(Answers(frame)) << command;
        for (const HWND window : VisibleWindows()) {
            EXPECT_TRUE(windowsBefore.count(window) != 0)
                << "new window \"" << GetText(window) << "\" with " << (*command ? command : "Wine's launcher");
        }
        EXPECT_EQ(StandInStarts(), 0u);
        EXPECT_EQ(TakeSettingsSnapshot(), settings);
        EXPECT_TRUE(quellor.Exit());
    }
}

}  // namespace
