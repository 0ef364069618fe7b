#include "WizardDriver.h"

#include "TestWindows.h"

namespace {

constexpr const char* kPageTitle = "Quellor-Wizard";
constexpr WPARAM kWizardCommand = 32784;

struct PageSearch {
    DWORD processId;
    int marker;
    HWND found;
    int count;
};

BOOL CALLBACK VisitPage(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<PageSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window) || GetText(window) != kPageTitle) {
        return TRUE;
    }
    ++search->count;
    if (search->marker != 0 && GetDlgItem(window, search->marker) != nullptr) {
        search->found = window;
    }
    return TRUE;
}

PageSearch SearchPages(DWORD processId, int marker)
{
    PageSearch search = {processId, marker, nullptr, 0};
    EnumWindows(VisitPage, reinterpret_cast<LPARAM>(&search));
    return search;
}

BOOL CALLBACK CollectText(HWND child, LPARAM parameter)
{
    reinterpret_cast<std::vector<std::string>*>(parameter)->push_back(GetText(child));
    return TRUE;
}

}  // namespace

bool CWizardDriver::Open(HWND mainFrame)
{
    PostMessageA(mainFrame, WM_COMMAND, kWizardCommand, 0);
    return WaitForPage(wizard_page::kIsp);
}

bool CWizardDriver::WaitForPage(int marker, DWORD timeoutMs)
{
    const HWND previous = page;
    HWND found = nullptr;
    const bool appeared = WaitUntil(
        [&] {
            found = SearchPages(processId, marker).found;
            return found != nullptr && found != previous;
        },
        timeoutMs);
    if (!appeared) {
        return false;
    }
    page = found;
    PumpFor(50);
    return (previous == nullptr || !IsWindow(previous)) && OpenPageCount() == 1;
}

bool CWizardDriver::Press(int buttonId, int nextMarker)
{
    // Posted: the click may open a modal box, which a sent message would wait for.
    PostMessageA(Item(buttonId), BM_CLICK, 0, 0);
    if (nextMarker != 0) {
        return WaitForPage(nextMarker);
    }
    const HWND closing = page;
    page = nullptr;
    return WaitUntil([&] { return !IsWindow(closing) && OpenPageCount() == 0; }, 10000);
}

std::string CWizardDriver::PressExpectingMessage(int buttonId)
{
    PostMessageA(Item(buttonId), BM_CLICK, 0, 0);
    HWND box = nullptr;
    // Shown only once it is complete.
    if (!WaitUntil([&] { return (box = FindMessageBox(processId)) != nullptr && IsWindowVisible(box); }, 10000)) {
        return "";
    }
    std::string text;
    for (const std::string& line : ChildTexts(box)) {
        if (!line.empty() && line != "OK") {
            text = line;
        }
    }
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    WaitUntil([&] { return !IsWindow(box); }, 10000);
    PumpFor(50);
    return text;
}

int CWizardDriver::OpenPageCount() const
{
    return SearchPages(processId, 0).count;
}

void CWizardDriver::Click(int controlId)
{
    SendMessageA(Item(controlId), BM_CLICK, 0, 0);
}

bool CWizardDriver::IsChecked(int controlId) const
{
    return SendMessageA(Item(controlId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::vector<int> CWizardDriver::Checked(const std::vector<int>& controlIds) const
{
    std::vector<int> checked;
    for (const int id : controlIds) {
        if (IsChecked(id)) {
            checked.push_back(id);
        }
    }
    return checked;
}

void CWizardDriver::SetText(int controlId, const std::string& text)
{
    SendMessageA(Item(controlId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string CWizardDriver::Text(int controlId) const
{
    return GetText(Item(controlId));
}

HWND FindMessageBox(DWORD processId)
{
    return FindProcessWindow(processId, "#32770", "Quellor");
}

std::vector<std::string> ChildTexts(HWND window)
{
    std::vector<std::string> texts;
    EnumChildWindows(window, CollectText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

HWND FocusedControl(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) {
        return nullptr;
    }
    return info.hwndFocus;
}
