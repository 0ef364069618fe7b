#include "ui/SetupDialog.h"

#include "res/resource.h"

CSetupDialog::CSetupDialog(int startUp) : CDialog(IDD_SETUP), startUp(startUp) {}
