#pragma once
// Wizard page 2: whether AutoNetSense switches the activity on and off.
#include "ui/WizardPage.h"

class CWizardAutoNetSensePage : public CWizardPage {
public:
    CWizardAutoNetSensePage();

protected:
    bool StoreAnswer() override;
};
