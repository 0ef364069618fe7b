#include "ui/SetupDialog.h"

#include "res/AppMessages.h"
#include "res/resource.h"
#include "settings/MakerSite.h"
#include "settings/Settings.h"
#include "ui/SettingControl.h"
#include "ui/WebLink.h"

#include <commctrl.h>

namespace {

// The boxes under the tabs, which every tab shows.
constexpr SettingControl kManaged[] = {
    {IDC_NO_STARTUP_DIALOG, keys::StartUp},
    {IDC_AUTONETSENSE, keys::AutoNetSense},
};

}  // namespace

const win::CommandEntry<CSetupDialog> CSetupDialog::commands[] = {
    {IDC_NO_STARTUP_DIALOG, &CSetupDialog::OnStartUpClicked},
    {IDC_SETUP_CANCEL, &CSetupDialog::OnCancel},
    {IDC_APPLY, &CSetupDialog::OnApply},
    {IDC_FAQ, &CSetupDialog::OnFaq},
};

const win::NotifyEntry<CSetupDialog> CSetupDialog::notifications[] = {
    {IDC_TABS, TCN_SELCHANGE, &CSetupDialog::OnTabChanged},
};

const win::MessageMap<CSetupDialog> CSetupDialog::messageMap = {{}, commands, notifications, {}};

CSetupDialog::CSetupDialog(int startUp, bool hotKeyTaken)
    : CDialog(IDD_SETUP), startUp(startUp), switchOnPage(hotKeyTaken)
{
}

// What the dialog does not handle itself goes to its pages: their controls'
// commands and notifications, and news meant for one of them.
bool CSetupDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_ACTIVATE && !closing) {
        // The owner is hidden; make sure the dialog itself is on screen. The
        // default handling (the focus) still follows. Not once it closes:
        // the owner taking the activation would bring it back into view.
        ShowWindow(hwnd, SW_SHOW);
    }
    if (win::DispatchMessageMap(*this, messageMap, message, wParam, lParam, result)) {
        return true;
    }
    for (CSetupPage* page : pages) {
        if (page->OnMessage(message, wParam, lParam, result)) {
            return true;
        }
    }
    return CDialog::OnMessage(message, wParam, lParam, result);
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
    for (CSetupPage* page : pages) {
        page->Attach(hwnd);
        page->Read();
    }
    InsertTabs();
    ShowTabControls();
    UpdateData(false);
    DisableManaged();
    return TRUE;
}

void CSetupDialog::Exchange(win::CDataExchange& dx)
{
    dx.Check(IDC_NO_STARTUP_DIALOG, startUp);
    dx.Check(IDC_AUTONETSENSE, autoNetSense);
    for (CSetupPage* page : pages) {
        page->Exchange(dx);
    }
}

void CSetupDialog::DisableManaged()
{
    bool managed = ::DisableManaged(hwnd, kManaged);
    for (CSetupPage* page : pages) {
        managed = page->DisableManaged() || managed;
    }
    ShowWindow(Item(IDC_MANAGED_NOTE), managed ? SW_SHOW : SW_HIDE);
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
    const int id = GetDlgCtrlID(rejected);
    for (std::size_t tab = 0; tab < pages.size(); ++tab) {
        if (pages[tab]->Owns(id)) {
            SelectTab(static_cast<int>(tab));
            break;
        }
    }
    SetFocus(rejected);
    SendMessageA(rejected, EM_SETSEL, 0, -1);
    return false;
}

void CSetupDialog::WriteSettings() const
{
    settings::Write(keys::AutoNetSense, autoNetSense);
    settings::Write(keys::StartUp, startUp);
    for (CSetupPage* page : pages) {
        page->Write();
    }
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
    for (std::size_t i = 0; i < pages.size(); ++i) {
        item.pszText = const_cast<char*>(pages[i]->Name());
        SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    // Each tab as wide as its name, so that all of them fit in one row.
    SendMessageA(tabs, TCM_SETMINTABWIDTH, 0, 0);
    SendMessageA(tabs, TCM_SETCURSEL, 0, 0);
    selectedTab = 0;
}

void CSetupDialog::ShowTabControls()
{
    for (std::size_t i = 0; i < pages.size(); ++i) {
        pages[i]->Show(static_cast<int>(i) == selectedTab);
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
    const int tabCount = static_cast<int>(pages.size());
    SelectTab((selectedTab + step + tabCount) % tabCount);
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

void CSetupDialog::OnStartUpClicked()
{
    startUp = startUp == 0 ? 1 : 0;
}
