#include "ui/Wizard.h"

void RunWizard(HWND) {}
