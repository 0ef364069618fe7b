// The three web-link commands of the real Quellor.exe. What the shell runs
// for an http address is replaced for each test: by a stand-in browser that
// records the address, by a program that does not exist, or by Wine's own
// launcher with no browser to start. No test lets a real browser run.
#include "BrowserStandIn.h"
#include "QuellorProcess.h"
#include "QuellorRegistry.h"
#include "SettingsSnapshot.h"
#include "TestWindows.h"


#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

struct WebLink {
    WPARAM command;
    const char* address;
};
const WebLink kWebLinks[] = {
    {32782, "http://www.marrowby.com/"},
    {32783, "http://www.marrowby.com/quellor/faq.html"},
    {32781, "http://www.marrowby.com/library/"},
};

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
    const CBrowserStandIn browser;
    quellor_registry::PrepareQuietStart();
    CQuellorProcess quellor;
    ASSERT_TRUE(quellor.Launch());
    ASSERT_NE(quellor.WaitForMainWindow(), nullptr);

    DWORD starts = 0;
    for (const WebLink& link : kWebLinks) {
        PostMessageA(quellor.MainWindow(), WM_COMMAND, link.command, 0);
        ASSERT_TRUE(WaitUntil([&] { return browser.Starts() > starts; }, 10000)) << link.command;
        starts = browser.Starts();
        EXPECT_EQ(browser.LastAddress(), link.address);
        EXPECT_EQ(std::string(link.address).rfind("http://", 0), 0u);
    }
    PumpFor(500);
    EXPECT_EQ(browser.Starts(), 3u) << "one browser start per command";
    EXPECT_TRUE(quellor.Exit());
}

TEST(WebLinks, WithoutABrowserTheCommandsReturnQuietly)
{
    for (const char* command : {"\"C:\\quellor-test\\no-such-browser.exe\" \"%1\"", ""}) {
        const CBrowserStandIn browser(command);
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
        EXPECT_EQ(browser.Starts(), 0u);
        EXPECT_EQ(TakeSettingsSnapshot(), settings);
        EXPECT_TRUE(quellor.Exit());
    }
}

}  // namespace
