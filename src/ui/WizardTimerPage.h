#pragma once
// Wizard page 4: the minutes between two contacts, on a slider.
#include "ui/WizardPage.h"

class CWizardTimerPage : public CWizardPage {
public:
    CWizardTimerPage();

protected:
    BOOL OnInitDialog() override;
    bool StoreAnswer() override;
};
