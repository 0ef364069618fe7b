#include "ui/WizardIspPage.h"

#include "res/resource.h"
#include "settings/Settings.h"
#include "win/Failure.h"

CWizardIspPage::CWizardIspPage()
    : CWizardPage(IDD_WIZARD_ISP, {IDC_WIZ_AOL3, IDC_WIZ_AOL4, IDC_WIZ_PRODIGY, IDC_WIZ_MSN, IDC_WIZ_OTHER}, 0)
{
}

// The service flags are written before the choice is checked, so leaving
// the page without a choice clears them. MSN users share Prodigy's flag: the
// warning windows of both are handled alike.
bool CWizardIspPage::StoreAnswer()
{
    settings::Write(keys::IsAOL, Flag(IDC_WIZ_AOL3));
    settings::Write(keys::IsAOL4, Flag(IDC_WIZ_AOL4));
    settings::Write(keys::Prodigy, Flag(IDC_WIZ_PRODIGY));
    if (Flag(IDC_WIZ_MSN) != 0) {
        settings::Write(keys::Prodigy, 1);
    }
    if (Flag(IDC_WIZ_AOL4) != 0) {
        settings::Write(keys::AOL47, "America Online Timer");
    }
    if (Flag(IDC_WIZ_AOL3) != 0) {
        settings::Write(keys::AOL47, "America Online");
    }
    if (!AnyChosen()) {
        MessageBoxA(hwnd, "You Must Select an option", win::ApplicationName(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return UpdateData(true);
}
