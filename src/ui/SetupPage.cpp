#include "ui/SetupPage.h"

#include <algorithm>

void CSetupPage::Attach(HWND owner)
{
    dialog = owner;
    Prepare();
}

void CSetupPage::Show(bool isSelected)
{
    selected = isSelected;
    for (const int id : controls) {
        ShowWindow(Item(id), selected && ShowsNow(id) ? SW_SHOW : SW_HIDE);
    }
}

bool CSetupPage::Owns(int controlId) const
{
    return std::find(controls.begin(), controls.end(), controlId) != controls.end();
}

bool CSetupPage::OnMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

bool CSetupPage::DisableManaged() const
{
    const win::TableRef<SettingControl> managed = ManagedControls();
    return ::DisableManaged(dialog, managed.begin(), static_cast<std::size_t>(managed.end() - managed.begin()));
}
