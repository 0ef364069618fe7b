#include "ui/WizardUrlOrderPage.h"

#include "res/resource.h"
#include "settings/Settings.h"

CWizardUrlOrderPage::CWizardUrlOrderPage()
    : CWizardPage(IDD_WIZARD_URL_ORDER, {IDC_WIZ_RANDOM, IDC_WIZ_SEQUENTIAL}, IDC_WIZ_RANDOM)
{
}

bool CWizardUrlOrderPage::StoreAnswer()
{
    settings::Write(keys::IsRand, Flag(IDC_WIZ_RANDOM));
    return UpdateData(true);
}
