#include "ui/SetupRedialPage.h"

#include "engine/RasDial.h"
#include "res/resource.h"
#include "settings/RedialSettings.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr int kControls[] = {IDC_REDIAL_LABEL, IDC_REDIAL_ENTRIES, IDC_REDIAL_NONE, IDC_SHOW_BALLOONS};

constexpr SettingControl kManaged[] = {
    {IDC_REDIAL_ENTRIES, keys::Redial},
    {IDC_SHOW_BALLOONS, keys::Balloons},
};

// The list view's check box: state image 2 checked, 1 unchecked.
constexpr UINT kUnchecked = 1U << 12;
constexpr UINT kChecked = 2U << 12;

bool Contains(const std::vector<std::string>& names, const std::string& name)
{
    return std::any_of(names.begin(), names.end(),
                       [&name](const std::string& held) { return lstrcmpiA(held.c_str(), name.c_str()) == 0; });
}

}  // namespace

CSetupRedialPage::CSetupRedialPage() : CSetupPage("Redial", kControls) {}

void CSetupRedialPage::Read()
{
    const RedialSettings stored = RedialSettings::Read();
    chosen = stored.entries;
    balloons = stored.balloons ? 1 : 0;
}

// One column as wide as the list, one row for each entry.
void CSetupRedialPage::Prepare()
{
    const HWND list = Item(IDC_REDIAL_ENTRIES);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    RECT client = {};
    GetClientRect(list, &client);
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    column.cx = client.right - GetSystemMetrics(SM_CXVSCROLL);
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    listed = ras_dial::PhonebookEntries();
    for (const std::string& name : RedialSettings::Read().entries) {
        if (!Contains(listed, name)) {
            listed.push_back(name);
        }
    }
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    for (const std::string& name : listed) {
        item.pszText = const_cast<char*>(name.c_str());
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        ++item.iItem;
    }
}

void CSetupRedialPage::Exchange(win::CDataExchange& exchange)
{
    const HWND list = Item(IDC_REDIAL_ENTRIES);
    if (exchange.IsSaving()) {
        chosen.clear();
    }
    LVITEMA item = {};
    item.stateMask = LVIS_STATEIMAGEMASK;
    for (std::size_t i = 0; i < listed.size(); ++i) {
        const auto index = static_cast<WPARAM>(i);
        if (exchange.IsSaving()) {
            if ((SendMessageA(list, LVM_GETITEMSTATE, index, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) == kChecked) {
                chosen.push_back(listed[i]);
            }
        } else {
            item.state = Contains(chosen, listed[i]) ? kChecked : kUnchecked;
            SendMessageA(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
        }
    }
    exchange.Check(IDC_SHOW_BALLOONS, balloons);
}

void CSetupRedialPage::Write() const
{
    RedialSettings stored;
    stored.entries = chosen;
    stored.balloons = balloons != 0;
    stored.Write();
}

win::TableRef<SettingControl> CSetupRedialPage::ManagedControls() const
{
    return kManaged;
}

// The note stands in for an empty list.
bool CSetupRedialPage::ShowsNow(int controlId) const
{
    return controlId != IDC_REDIAL_NONE || listed.empty();
}
