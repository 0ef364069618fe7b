#include "ui/Wizard.h"

#include "ui/WizardAutoNetSensePage.h"
#include "ui/WizardIspPage.h"
#include "ui/WizardProtocolPage.h"
#include "ui/WizardProxyPage.h"
#include "ui/WizardTimerPage.h"
#include "ui/WizardUrlOrderPage.h"

namespace {

constexpr int kPageCount = 6;

// Every run builds a fresh page, so a page reached again with Back shows
// its own defaults rather than the earlier choice.
CWizardPage::Exit RunPage(int index, HWND owner)
{
    switch (index) {
    case 0:
        return CWizardIspPage().Run(owner);
    case 1:
        return CWizardAutoNetSensePage().Run(owner);
    case 2:
        return CWizardProxyPage().Run(owner);
    case 3:
        return CWizardTimerPage().Run(owner);
    case 4:
        return CWizardProtocolPage().Run(owner);
    default:
        return CWizardUrlOrderPage().Run(owner);
    }
}

}  // namespace

void RunWizard(HWND owner)
{
    int index = 0;
    while (index < kPageCount) {
        switch (RunPage(index, owner)) {
        case CWizardPage::Exit::Next:
            ++index;
            break;
        case CWizardPage::Exit::Back:
            index = index > 0 ? index - 1 : 0;
            break;
        case CWizardPage::Exit::Cancel:
            return;
        }
    }
}
