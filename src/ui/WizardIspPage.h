#pragma once
// Wizard page 1: which online service the user dials into.
#include "ui/WizardPage.h"

class CWizardIspPage : public CWizardPage {
public:
    CWizardIspPage();

protected:
    bool StoreAnswer() override;
};
