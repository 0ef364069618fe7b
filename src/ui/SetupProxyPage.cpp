#include "ui/SetupProxyPage.h"

#include "res/resource.h"
#include "settings/Settings.h"

namespace {

constexpr int kControls[] = {IDC_PROXY_LABEL, IDC_USE_PROXY, IDC_PROXY_ADDRESS, IDC_PORT_LABEL,
                             IDC_PORT,        IDC_DOT_1,     IDC_DOT_2};

constexpr SettingControl kManaged[] = {
    {IDC_USE_PROXY, keys::Proxy},
    {IDC_PROXY_ADDRESS, keys::ProxyIP3},
    {IDC_PORT, keys::Port},
};

}  // namespace

CSetupProxyPage::CSetupProxyPage() : CSetupPage("Proxy", kControls) {}

void CSetupProxyPage::Read()
{
    proxy = settings::Read(keys::Proxy);
    address = settings::Read(keys::ProxyIP3);
    port = settings::Read(keys::Port);
}

// "Use Proxy" leaves the address and port alone: all three are kept as set.
void CSetupProxyPage::Exchange(win::CDataExchange& exchange)
{
    exchange.Check(IDC_USE_PROXY, proxy);
    exchange.Text(IDC_PROXY_ADDRESS, address);
    exchange.Integer(IDC_PORT, port, keys::kLowestPort, keys::kHighestPort);
}

void CSetupProxyPage::Write() const
{
    settings::Write(keys::Proxy, proxy);
    settings::Write(keys::ProxyIP3, address);
    settings::Write(keys::Port, port);
}

win::TableRef<SettingControl> CSetupProxyPage::ManagedControls() const
{
    return kManaged;
}
