#include "ui/WizardProxyPage.h"

#include "res/resource.h"
#include "settings/Settings.h"

CWizardProxyPage::CWizardProxyPage()
    : CWizardPage(IDD_WIZARD_PROXY, {IDC_WIZ_NO_PROXY, IDC_WIZ_USE_PROXY}, IDC_WIZ_NO_PROXY)
{
}

void CWizardProxyPage::Exchange(win::CDataExchange& exchange)
{
    CWizardPage::Exchange(exchange);
    exchange.Text(IDC_WIZ_PROXY_ADDRESS, address);
    exchange.Integer(IDC_WIZ_PORT, port, keys::kLowestPort, keys::kHighestPort);
}

// The boxes are read before anything is written: a port that is not a whole
// number from 0 to 65535 keeps the page open and leaves the stored proxy as it was. The
// address and port are stored whatever the choice.
bool CWizardProxyPage::StoreAnswer()
{
    if (!UpdateData(true)) {
        return false;
    }
    settings::Write(keys::Proxy, Flag(IDC_WIZ_USE_PROXY));
    settings::Write(keys::ProxyIP3, address);
    settings::Write(keys::Port, port);
    return true;
}
