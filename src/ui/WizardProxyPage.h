#pragma once
// Wizard page 3: whether contacts go through a proxy server, and which.
#include "ui/WizardPage.h"

#include <string>

class CWizardProxyPage : public CWizardPage {
public:
    CWizardProxyPage();

protected:
    bool StoreAnswer() override;
    void Exchange(win::CDataExchange& exchange) override;

private:
    std::string address;
    int port = 0;
};
