#include "ui/WizardIspPage.h"

#include "res/resource.h"
#include "settings/Settings.h"
#include "ui/AolChoice.h"
#include "win/Failure.h"

CWizardIspPage::CWizardIspPage()
    : CWizardPage(IDD_WIZARD_ISP, {IDC_WIZ_AOL3, IDC_WIZ_AOL4, IDC_WIZ_PRODIGY, IDC_WIZ_MSN, IDC_WIZ_OTHER}, 0)
{
}

// The choice is checked before anything is written: Next without one must
// not clear the service flags that a Cancel would then leave cleared. MSN
// users share Prodigy's flag: the warning windows of both are handled alike.
bool CWizardIspPage::StoreAnswer()
{
    if (!AnyChosen()) {
        MessageBoxA(hwnd, "You Must Select an option", win::ApplicationName(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    settings::Write(keys::IsAOL, Flag(IDC_WIZ_AOL3));
    settings::Write(keys::IsAOL4, Flag(IDC_WIZ_AOL4));
    settings::Write(keys::Prodigy, Flag(IDC_WIZ_PRODIGY));
    if (Flag(IDC_WIZ_MSN) != 0) {
        settings::Write(keys::Prodigy, 1);
    }
    if (Flag(IDC_WIZ_AOL4) != 0) {
        settings::Write(keys::AOL47, StandardAolTitle(AolVersion::Aol4));
    }
    if (Flag(IDC_WIZ_AOL3) != 0) {
        settings::Write(keys::AOL47, StandardAolTitle(AolVersion::Aol3));
    }
    return UpdateData(true);
}
