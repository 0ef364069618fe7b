#pragma once
// Wizard page 6, the last: hosts taken at random or in turn.
#include "ui/WizardPage.h"

class CWizardUrlOrderPage : public CWizardPage {
public:
    CWizardUrlOrderPage();

protected:
    bool StoreAnswer() override;
};
