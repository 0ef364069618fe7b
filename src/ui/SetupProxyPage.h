#pragma once
// The "Proxy" tab: whether contacts go through a proxy server, and which.
#include "ui/SetupPage.h"

#include <string>

class CSetupProxyPage : public CSetupPage {
public:
    CSetupProxyPage();

    void Read() override;
    void Exchange(win::CDataExchange& exchange) override;
    void Write() const override;

protected:
    win::TableRef<SettingControl> ManagedControls() const override;

private:
    int proxy = 0;
    std::string address;
    int port = 0;
};
