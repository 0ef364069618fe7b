#include "ui/SetupUrlPage.h"

#include "res/resource.h"
#include "settings/Settings.h"
#include "ui/ChangeUrlDialog.h"

namespace {

constexpr int kControls[] = {IDC_RANDOM, IDC_SEQUENTIAL, IDC_HTTP, IDC_FTP, IDC_HOST_LIST, IDC_CHANGE_URL};

// The host list's entries are each their own setting (CHostLists).
constexpr SettingControl kManaged[] = {
    {IDC_HTTP, keys::IsHttp},
    {IDC_FTP, keys::IsHttp},
    {IDC_RANDOM, keys::IsRand},
    {IDC_SEQUENTIAL, keys::IsRand},
};

}  // namespace

const win::CommandEntry<CSetupUrlPage> CSetupUrlPage::commands[] = {
    {IDC_CHANGE_URL, &CSetupUrlPage::OnChangeUrl},
};

const win::NotifyEntry<CSetupUrlPage> CSetupUrlPage::notifications[] = {
    {IDC_HOST_LIST, LBN_DBLCLK, &CSetupUrlPage::OnChangeUrl},
    {IDC_HOST_LIST, LBN_SELCHANGE, &CSetupUrlPage::EnableChangeUrl},
};

const win::MessageMap<CSetupUrlPage> CSetupUrlPage::messageMap = {{}, commands, notifications, {}};

CSetupUrlPage::CSetupUrlPage()
    : CSetupPage("URL", kControls),
      protocol({IDC_HTTP, IDC_FTP}, IDC_HTTP),
      order({IDC_RANDOM, IDC_SEQUENTIAL}, IDC_RANDOM)
{
}

void CSetupUrlPage::Read()
{
    defaultUrl = settings::Read(keys::DefaultURL);
    // Only 1 chooses web contacts and random order; any other value the other
    // box, so exactly one box of each pair is checked.
    protocol.Choose(settings::Read(keys::IsHttp) == 1 ? IDC_HTTP : IDC_FTP);
    order.Choose(settings::Read(keys::IsRand) == 1 ? IDC_RANDOM : IDC_SEQUENTIAL);
    hosts.Read();
}

void CSetupUrlPage::Exchange(win::CDataExchange& exchange)
{
    protocol.Exchange(exchange);
    order.Exchange(exchange);
    if (!exchange.IsSaving()) {
        // The list is edited entry by entry (Change URL), never read back.
        FillHostList();
    }
}

void CSetupUrlPage::Write() const
{
    settings::Write(keys::IsRand, order.Flag(IDC_RANDOM));
    settings::Write(keys::DefaultURL, defaultUrl);
    settings::Write(keys::IsHttp, protocol.Flag(IDC_HTTP));
    hosts.Write();
}

bool CSetupUrlPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    const int clicked = message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED ? LOWORD(wParam) : 0;
    if (protocol.OnClicked(Dialog(), clicked)) {
        // Also for the protocol chosen already: its list again, from entry 0.
        FillHostList();
        return true;
    }
    return order.OnClicked(Dialog(), clicked) ||
           win::DispatchMessageMap(*this, messageMap, message, wParam, lParam, result);
}

bool CSetupUrlPage::DisableManaged() const
{
    const bool managed = CSetupPage::DisableManaged();
    return managed || CHostLists::AnyManaged();
}

win::TableRef<SettingControl> CSetupUrlPage::ManagedControls() const
{
    return kManaged;
}

keys::HostList CSetupUrlPage::ChosenList() const
{
    return protocol.Flag(IDC_HTTP) == 1 ? keys::HostList::Http : keys::HostList::Ftp;
}

void CSetupUrlPage::FillHostList()
{
    const HWND list = Item(IDC_HOST_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& entry : hosts.Entries(ChosenList())) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    EnableChangeUrl();
}

void CSetupUrlPage::EnableChangeUrl()
{
    const int index = static_cast<int>(SendMessageA(Item(IDC_HOST_LIST), LB_GETCURSEL, 0, 0));
    const bool editable = index >= 0 && index < keys::kHostCount && !CHostLists::IsManaged(ChosenList(), index);
    EnableWindow(Item(IDC_CHANGE_URL), editable ? TRUE : FALSE);
}

void CSetupUrlPage::OnChangeUrl()
{
    const HWND list = Item(IDC_HOST_LIST);
    const int index = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    // A double click reaches here too: an entry a policy sets stays.
    if (index < 0 || index >= keys::kHostCount || !IsWindowEnabled(Item(IDC_CHANGE_URL))) {
        return;
    }
    std::string& entry = hosts.Entry(ChosenList(), index);
    CChangeUrlDialog dialog(entry);
    dialog.DoModal(Dialog());
    entry = dialog.Text();
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(entry.c_str()));
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}
