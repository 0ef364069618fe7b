#include "ui/WizardTimerPage.h"

#include "res/resource.h"
#include "settings/Settings.h"

#include <commctrl.h>

#include <algorithm>

CWizardTimerPage::CWizardTimerPage() : CWizardPage(IDD_WIZARD_TIMER, {}, 0) {}

// No position is set: narrowing the range moves the thumb to 1.
BOOL CWizardTimerPage::OnInitDialog()
{
    const BOOL result = CWizardPage::OnInitDialog();
    SendMessageA(Item(IDC_WIZ_SLIDER), TBM_SETRANGE, FALSE, MAKELPARAM(keys::kFewestMinutes, keys::kMostMinutes));
    return result;
}

bool CWizardTimerPage::StoreAnswer()
{
    if (!UpdateData(true)) {
        return false;
    }
    const auto position = static_cast<int>(SendMessageA(Item(IDC_WIZ_SLIDER), TBM_GETPOS, 0, 0));
    settings::Write(keys::DefaultMin, std::clamp(position, keys::kFewestMinutes, keys::kMostMinutes));
    return true;
}
