#pragma once
// Walks the set-up wizard of a running Quellor.exe as a user would: clicks
// on the real controls of the page that is open, one page at a time.
#include <windows.h>

#include <string>
#include <vector>

namespace wizard_page {

// A control only that page has, so a test can tell the pages apart although
// they share their title.
constexpr int kIsp = 1072;
constexpr int kAutoNetSense = 1077;
constexpr int kProxy = 1080;
constexpr int kTimer = 1013;
constexpr int kProtocol = 1082;
constexpr int kUrlOrder = 1085;

}  // namespace wizard_page

class CWizardDriver {
public:
    explicit CWizardDriver(DWORD processId) : processId(processId) {}

    // Sends the tray's Wizard command to the main frame; true when page 1
    // has opened.
    bool Open(HWND mainFrame);
    // Waits for the page that has the marker control; true when it is open,
    // the page before it is gone and no other page is open.
    bool WaitForPage(int marker, DWORD timeoutMs = 10000);
    // Presses Next, Back or Cancel and waits for the page with the marker;
    // marker 0: for the wizard to end.
    bool Press(int buttonId, int nextMarker);
    // Presses a button that should bring up a message box instead; returns
    // the box's text (empty when none came) and closes the box with OK.
    std::string PressExpectingMessage(int buttonId);

    HWND Page() const { return page; }
    bool PageOpen() const { return page != nullptr && IsWindow(page) && IsWindowVisible(page); }
    // Pages of the wizard open in the process right now.
    int OpenPageCount() const;

    void Click(int controlId);
    bool IsChecked(int controlId) const;
    // The option boxes of the page that are checked, in the order given.
    std::vector<int> Checked(const std::vector<int>& controlIds) const;
    void SetText(int controlId, const std::string& text);
    std::string Text(int controlId) const;
    HWND Item(int controlId) const { return GetDlgItem(page, controlId); }

private:
    DWORD processId;
    HWND page = nullptr;
};

// A message box of the process, captioned with the program's name.
HWND FindMessageBox(DWORD processId);
// The texts of a window's child controls, in their order.
std::vector<std::string> ChildTexts(HWND window);
// The control that has the keyboard focus in the thread of the window.
HWND FocusedControl(HWND window);
