#include "ui/WizardAutoNetSensePage.h"

#include "res/resource.h"
#include "settings/Settings.h"

CWizardAutoNetSensePage::CWizardAutoNetSensePage()
    : CWizardPage(IDD_WIZARD_AUTONETSENSE, {IDC_WIZ_AUTONETSENSE, IDC_WIZ_MANUAL}, IDC_WIZ_AUTONETSENSE)
{
}

bool CWizardAutoNetSensePage::StoreAnswer()
{
    settings::Write(keys::AutoNetSense, Flag(IDC_WIZ_AUTONETSENSE));
    return UpdateData(true);
}
