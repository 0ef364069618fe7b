#include "ui/WizardProtocolPage.h"

#include "res/resource.h"
#include "settings/Settings.h"

CWizardProtocolPage::CWizardProtocolPage()
    : CWizardPage(IDD_WIZARD_PROTOCOL, {IDC_WIZ_HTTP, IDC_WIZ_FTP}, IDC_WIZ_HTTP)
{
}

bool CWizardProtocolPage::StoreAnswer()
{
    settings::Write(keys::IsHttp, Flag(IDC_WIZ_HTTP));
    return UpdateData(true);
}
