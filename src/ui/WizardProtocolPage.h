#pragma once
// Wizard page 5: contacts by HTTP or by FTP.
#include "ui/WizardPage.h"

class CWizardProtocolPage : public CWizardPage {
public:
    CWizardProtocolPage();

protected:
    bool StoreAnswer() override;
};
